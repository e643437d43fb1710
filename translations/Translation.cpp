#include "translations/Translation.h"

#include <atomic>

namespace veldrin::text {
namespace {

std::atomic<Translator> installed{nullptr};
std::atomic<bool> isoTimes{false};

}  // namespace

void InstallTranslator(Translator translator) {
    installed = translator;
}

std::string translate(const char* context, const char* source) {
    const Translator translator = installed;
    if (translator != nullptr) {
        std::string translated = translator(context, source);
        if (!translated.empty())
            return translated;
    }
    return source;
}

void ShowIsoTimes(bool iso) {
    isoTimes = iso;
}

bool IsoTimes() {
    return isoTimes;
}

}  // namespace veldrin::text
