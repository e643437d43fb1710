#include "logger/Gbk.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace veldrin {
namespace {

struct IconvCloser {
    void operator()(iconv_t* cd) const {
        iconv_close(*cd);
        delete cd;
    }
};

// Converts with iconv; a sequence the target cannot hold (or an invalid input sequence) is
// replaced by `replacement` and the input skips `skipOnError` bytes, so nothing is lost silently
// beyond that one character.
std::string Convert(std::string_view input, const char* to, const char* from, std::string_view replacement,
                    bool gbkInput) {
    iconv_t handle = iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(-1))
        return std::string(input);
    std::unique_ptr<iconv_t, IconvCloser> cd(new iconv_t(handle));

    std::string out;
    out.reserve(input.size() * 2);
    char buffer[256];
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        std::size_t result = iconv(*cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: one unconvertible character.
        out.append(replacement);
        std::size_t skip = 1;
        if (gbkInput) {
            auto lead = static_cast<unsigned char>(*in);
            skip = (lead >= 0x81 && lead <= 0xFE && inLeft >= 2) ? 2 : 1;
        } else {
            auto lead = static_cast<unsigned char>(*in);
            skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            if (skip > inLeft)
                skip = inLeft;
        }
        in += skip;
        inLeft -= skip;
        iconv(*cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

std::string ToGbk(std::string_view utf8) {
    return Convert(utf8, "GBK", "UTF-8", "?", false);
}

std::string FromGbk(std::string_view gbk) {
    return Convert(gbk, "UTF-8", "GBK", "\xEF\xBF\xBD", true);
}

std::string CutGbk(std::string_view gbk, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < gbk.size()) {
        auto lead = static_cast<unsigned char>(gbk[end]);
        std::size_t width = (lead >= 0x81 && lead <= 0xFE && end + 1 < gbk.size()) ? 2 : 1;
        if (end + width > maxBytes)
            break;
        end += width;
    }
    return std::string(gbk.substr(0, end));
}

std::string CutUtf8ToGbkBytes(std::string_view utf8, std::size_t maxBytes) {
    return FromGbk(CutGbk(ToGbk(utf8), maxBytes));
}

std::size_t GbkLength(std::string_view utf8) {
    return ToGbk(utf8).size();
}

}  // namespace veldrin
