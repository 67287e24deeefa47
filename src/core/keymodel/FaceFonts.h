// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QStringList>

class LabelCodec;

// The faces the programs write in, each named in one place. Where the Windows face is missing
// the next one that has Japanese takes its place, so that a Japanese label never shows as empty
// boxes: on Debian that is IPA's proportional Gothic (fonts-ipafont-gothic).
namespace FaceFonts {

// The Japanese proportional Gothic face, then the faces that stand in for it.
QStringList gothic();
// The small sans-serif face labels are drawn in, then the Gothic for what it lacks.
QStringList labels();
// The code and label dialogs' font: the Gothic face, 12 pixels high.
QFont dialog();
// The keys' labels on the main window: the small sans-serif face at 8 points, or where labels
// are in Shift-JIS the Gothic face at 9 points, as the desktop of a Japanese system draws them.
QFont screenLabel(const LabelCodec &codec);

} // namespace FaceFonts
