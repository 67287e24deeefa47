// SPDX-License-Identifier: MIT
#include "ProgramKeys.h"

#include "RunBuffer.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "profile/ProgramProfile.h"

namespace {

void AppendKeyPackets(KeyDocument &document, int index, RunBuffer &run)
{
    const QByteArray codes = document.storeEndMark(index);
    run.AppendKeyPackets(index + document.grid().profile().keyNumberBase,
                         reinterpret_cast<const std::uint8_t *>(codes.constData()),
                         int(codes.size()));
}

} // namespace

void buildRun(KeyDocument &document, int index, RunBuffer &run)
{
    run.begin();
    if (index >= 0) {
        AppendKeyPackets(document, index, run);
        return;
    }
    for (int i = 0; i < document.grid().count(); ++i)
        AppendKeyPackets(document, i, run);
}
