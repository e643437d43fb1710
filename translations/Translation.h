#pragma once
// The user-visible texts of the libraries without Qt are written in Chinese and pass through
// text::translate() where they are made; the programs put Qt's translation behind it at start-up
// (translations/), so the same code speaks the language of the run. A text kept in a constant is
// marked with QT_TRANSLATE_NOOP so that lupdate finds it, and translated where it is used.
#include <string>

// The same marker as Qt's (and spelt the same way, so that a file seeing both compiles cleanly).
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace veldrin::text {

// Looks up `source` (UTF-8) of `context` in the run's translation; an empty result means none.
using Translator = std::string (*)(const char* context, const char* source);

// Installed once, before any text is made; nullptr goes back to the source texts.
void InstallTranslator(Translator translator);

// `source` in the language of the run: its translation, or the source itself when there is none.
// A printf format keeps its conversions in the translation (the translations' test checks that).
std::string translate(const char* context, const char* source);

// Whether times are shown in ISO form ("2024-05-01 08:00:00") wherever the Chinese interface
// shows the logger's own forms (blank-padded fields, unpadded realtime times): the English
// interface does. Files and the wire keep their own forms whatever this says.
void ShowIsoTimes(bool iso);
bool IsoTimes();

}  // namespace veldrin::text
