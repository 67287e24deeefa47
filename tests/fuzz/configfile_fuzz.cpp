// SPDX-License-Identifier: MIT
// libFuzzer target for the configuration-file reader. The rules a file must meet are written out
// here a second time, from the file format itself and not from the reader, so that the two can
// disagree: a file is accepted exactly when these rules hold, and an accepted file is written
// back byte for byte, apart from what the format normalises; and no merging or splitting after
// loading makes a file that would not load again.

#include "FileRules.h"
#include "keymodel/ConfigFile.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"

#include <cstdio>
#include <cstdlib>

namespace {

using namespace FileRules;

// The file as it is written back: a visibility byte other than 1 comes back 0, a hidden cell's
// spans come back 1, and the label ends at its first zero byte, the rest of the field zero.
QByteArray normalised(const uint8_t *data, size_t size, const Format &f)
{
    QByteArray out(reinterpret_cast<const char *>(data), qsizetype(size));
    for (int i = 0; i < f.records(); ++i) {
        char *r = out.data() + MagicSize + size_t(i) * RecordSize;
        r[0] = r[0] == 1 ? 1 : 0;
        if (r[0] == 0)
            r[1] = r[2] = 1;
        char *label = r + LabelAt;
        char *end = static_cast<char *>(std::memchr(label, 0, LabelSize));
        if (end)
            std::memset(end, 0, size_t(label + LabelSize - end));
    }
    return out;
}

[[noreturn]] void disagree(const Format &f, const char *what)
{
    std::fprintf(stderr, "%s file: %s\n", f.magic, what);
    std::abort();
}

// Whatever the programs save, they load: Shift+clicks on shown keys, merging and splitting as
// the user can, driven by the first record's code area (which the reader takes as it is), must
// never make a file the rules refuse.
void editAndReload(const QList<KeyCell> &cells, const Format &f, const uint8_t *data, size_t size)
{
    KeyDocument layout(f.profile);
    layout.load(cells, QString());
    const KeyGrid &grid = layout.grid();
    const uint8_t *script = f.record(data, 0) + 28;
    for (int step = 0; step + 1 < 64; step += 2) {
        const int selected = script[step] % f.records(), clicked = script[step + 1] % f.records();
        if (!grid.cell(selected).Visible || !grid.cell(clicked).Visible)
            continue;
        if (selected == clicked)
            layout.SplitKey(selected);
        else
            layout.MergeKey(selected, clicked);
    }
    const QByteArray saved = ConfigFile::serialize(grid.cells(), f.profile);
    if (!acceptable(reinterpret_cast<const uint8_t *>(saved.constData()), size, f))
        disagree(f, "saved after merging and splitting, and then refused");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const Format *format : {&tavrin(), &quelda()}) {
        const Format &f = *format;
        const ConfigFile::LoadResult read = ConfigFile::parse(bytes, f.profile);
        const bool accepted = read.status == ConfigFile::LoadStatus::Loaded;
        if (accepted != acceptable(data, size, f))
            disagree(f, accepted ? "accepted against the rules" : "refused within the rules");
        if (accepted && ConfigFile::serialize(read.cells, f.profile) != normalised(data, size, f))
            disagree(f, "written back differently");
        if (accepted)
            editAndReload(read.cells, f, data, size);
    }
    return 0;
}
