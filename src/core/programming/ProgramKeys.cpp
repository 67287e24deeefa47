// SPDX-License-Identifier: MIT
#include "ProgramKeys.h"

#include "RunBuffer.h"
#include "keymodel/KeyGrid.h"
#include "profile/ProgramProfile.h"

namespace {

void AppendKeyPackets(KeyGrid &grid, int index, RunBuffer &run)
{
    const QByteArray codes = grid.codesWithEndMark(index);
    run.AppendKeyPackets(index + grid.profile().keyNumberBase,
                         reinterpret_cast<const std::uint8_t *>(codes.constData()),
                         int(codes.size()));
}

} // namespace

void buildRun(KeyGrid &grid, int index, RunBuffer &run)
{
    run.begin();
    if (index >= 0) {
        AppendKeyPackets(grid, index, run);
        return;
    }
    for (int i = 0; i < grid.count(); ++i)
        AppendKeyPackets(grid, i, run);
}
