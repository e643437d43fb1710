#pragma once
// Text conversion between the program's UTF-8 and the GBK code page used on the wire, in data
// files and in text exports. Byte limits count GBK bytes and never split a character.
#include <cstddef>
#include <string>
#include <string_view>

namespace veldrin {

// UTF-8 → GBK bytes. Characters GBK cannot hold become '?'.
std::string ToGbk(std::string_view utf8);
// GBK bytes → UTF-8. An invalid or truncated sequence becomes U+FFFD; a NUL byte is kept.
std::string FromGbk(std::string_view gbk);
// The longest prefix of `gbk` of at most `maxBytes` bytes that ends on a character boundary.
std::string CutGbk(std::string_view gbk, std::size_t maxBytes);
// UTF-8 text cut so that its GBK form has at most `maxBytes` bytes, returned as UTF-8.
std::string CutUtf8ToGbkBytes(std::string_view utf8, std::size_t maxBytes);
// Number of bytes of the GBK form of `utf8`.
std::size_t GbkLength(std::string_view utf8);

}  // namespace veldrin
