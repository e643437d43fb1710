#pragma once
// The one language veldrin-cli speaks in a run: --lang when given, else the locale (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG). The tool's own messages are written in English and come in Chinese
// through their Chinese translation; the messages of the connection, the history and the files are
// written in Chinese and come in English through the programs' English translation. The run's
// translation stands behind text::translate whether or not a Qt application exists, and goes into
// the application as well once one is made (the PDF pages are drawn by Qt code).
#include <cstdlib>
#include <functional>

#include <CLI/CLI.hpp>

#include "translations/Language.h"

namespace veldrin::cli {

// The context of veldrin-cli's own messages in the translations.
inline constexpr const char* kCliContext = "veldrin-cli";

class RunLanguage {
  public:
    // The language of the locale `environment` describes (getenv by default) is in effect.
    explicit RunLanguage(const std::function<const char*(const char*)>& environment = &std::getenv);
    // Back to the texts as they are written.
    ~RunLanguage();
    RunLanguage(const RunLanguage&) = delete;
    RunLanguage& operator=(const RunLanguage&) = delete;

    // Puts `language` into effect for the rest of the run.
    void Speak(Language language);
};

// Adds --lang zh|en to `app`; the language it names is put into effect as soon as it is read, so
// that every message of the command speaks it.
void AddLanguageOption(CLI::App& app, RunLanguage& language);

}  // namespace veldrin::cli
