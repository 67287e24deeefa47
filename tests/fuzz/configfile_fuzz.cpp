// libFuzzer target for the configuration-file reader. The rules a file must meet are written out
// here a second time, from the file format itself and not from the reader, so that the two can
// disagree: a file is accepted exactly when these rules hold, and an accepted file is written
// back byte for byte, apart from the two things the format normalises.

#include "keymodel/ConfigFile.h"
#include "profile/ProgramProfile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr size_t MagicSize = 4;
constexpr size_t RecordSize = 92;
constexpr int MaxCodeCount = 63; // one byte of the 64 stays free for the end mark
constexpr size_t LabelAt = 8, LabelSize = 20;

struct Format
{
    const ProgramProfile &profile;
    const char *magic;
    int columns; // the key grid; cell i stands at column i / rows, row i % rows
    int rows;
    bool merging;

    int records() const { return columns * rows; }
    const uint8_t *record(const uint8_t *file, int i) const
    {
        return file + MagicSize + size_t(i) * RecordSize;
    }
};

bool shown(const uint8_t *record)
{
    return record[0] == 1;
}

bool acceptable(const uint8_t *data, size_t size, const Format &f)
{
    if (size != MagicSize + size_t(f.records()) * RecordSize ||
        std::memcmp(data, f.magic, MagicSize) != 0)
        return false;
    for (int i = 0; i < f.records(); ++i) {
        const uint8_t *r = f.record(data, i);
        const int rowSpan = r[1], columnSpan = r[2], codeCount = r[3];
        if (codeCount > MaxCodeCount)
            return false;
        if (!f.merging) {
            if (rowSpan != 1 || columnSpan != 1)
                return false;
            continue;
        }
        if (rowSpan < 1 || columnSpan < 1 || i / f.rows + columnSpan > f.columns ||
            i % f.rows + rowSpan > f.rows)
            return false;
    }
    // Every shown key covers its own cell and those its spans reach. No cell lies under two
    // shown keys, and a cell that a key covers is hidden. A hidden cell under no key is fine.
    std::vector<int> keysOver(size_t(f.records()), 0);
    for (int i = 0; i < f.records(); ++i) {
        const uint8_t *r = f.record(data, i);
        if (!shown(r))
            continue;
        for (int c = 0; c < r[2]; ++c) {
            for (int w = 0; w < r[1]; ++w) {
                const int under = (i / f.rows + c) * f.rows + i % f.rows + w;
                if (++keysOver[size_t(under)] > 1 || (under != i && shown(f.record(data, under))))
                    return false;
            }
        }
    }
    return true;
}

// The file as it is written back: a visibility byte other than 1 comes back 0, and the label
// ends at its first zero byte, the rest of the field zero.
QByteArray normalised(const uint8_t *data, size_t size, const Format &f)
{
    QByteArray out(reinterpret_cast<const char *>(data), qsizetype(size));
    for (int i = 0; i < f.records(); ++i) {
        char *r = out.data() + MagicSize + size_t(i) * RecordSize;
        r[0] = r[0] == 1 ? 1 : 0;
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const Format formats[] = {
        {ProgramProfile::tavrin(), "TVRN", 12, 7, true},
        {ProgramProfile::quelda(), "MGKY", 7, 1, false},
    };
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const Format &f : formats) {
        const ConfigFile::LoadResult read = ConfigFile::parse(bytes, f.profile);
        const bool accepted = read.status == ConfigFile::LoadStatus::Loaded;
        if (accepted != acceptable(data, size, f))
            disagree(f, accepted ? "accepted against the rules" : "refused within the rules");
        if (accepted && ConfigFile::serialize(read.cells, f.profile) != normalised(data, size, f))
            disagree(f, "written back differently");
    }
    return 0;
}
