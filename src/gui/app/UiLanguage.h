// SPDX-License-Identifier: MIT
#pragma once

class QCoreApplication;

// The programs' texts in the first of the user's languages that they are translated into,
// together with the toolkit's own (its file, colour and print dialogs). English, the language
// they are written in, needs nothing, and a language listed after it is not taken.
namespace UiLanguage {

// Before the first window is made; the translations live as long as the application.
void install(QCoreApplication &app);

} // namespace UiLanguage
