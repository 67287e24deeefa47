// SPDX-License-Identifier: MIT
// libFuzzer target for the reader of tvrtool import. What an accepted document must give is
// stated here on its own: a file that the format's rules (FileRules.h, written apart from the
// reader) pass, with every hidden cell at spans 1; that the programs load as exactly the cells
// read; and whose export reads back to the same file and exports to the same document again.

#include "FileRules.h"
#include "keymodel/LayoutJson.h"
#include "keymodel/ConfigFile.h"
#include "keymodel/LabelCodec.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void disagree(const char *what)
{
    std::fprintf(stderr, "accepted document: %s\n", what);
    std::abort();
}

const FileRules::Format &formatOf(const ProgramProfile &profile)
{
    return &profile == &ProgramProfile::tavrin() ? FileRules::tavrin() : FileRules::quelda();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const LayoutJson::ReadResult read = LayoutJson::read(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read.ok())
        return 0;
    if (!read.profile || read.cells.size() != read.profile->cellCount)
        disagree("no profile, or not every key");
    const ProgramProfile &profile = *read.profile;
    const QByteArray file = ConfigFile::serialize(read.cells, profile);
    const auto *bytes = reinterpret_cast<const uint8_t *>(file.constData());
    if (!FileRules::acceptable(bytes, size_t(file.size()), formatOf(profile)))
        disagree("makes a file the rules refuse");
    if (!FileRules::hiddenSpansOne(bytes, formatOf(profile)))
        disagree("makes a hidden cell with a span other than 1");
    const ConfigFile::LoadResult loaded = ConfigFile::parse(file, profile);
    if (loaded.status != ConfigFile::LoadStatus::Loaded || loaded.cells != read.cells)
        disagree("makes a file the programs load differently");

    const LabelCodec codec = LabelCodec::forSystemLocale();
    const QByteArray exported = LayoutJson::write(read.cells, profile, codec);
    const LayoutJson::ReadResult again = LayoutJson::read(exported);
    if (!again.ok() || again.profile != &profile ||
        ConfigFile::serialize(again.cells, profile) != file)
        disagree("exports to a document that imports as another file");
    if (LayoutJson::write(again.cells, profile, codec) != exported)
        disagree("exports differently the second time");
    return 0;
}
