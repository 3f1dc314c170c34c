// Conversions between UTF-8 bytes and the UTF-16 text the core works on.
#ifndef PIMORU_HANGUL_UTF_H_
#define PIMORU_HANGUL_UTF_H_

#include <optional>
#include <string>
#include <string_view>

namespace pimoru {

// Strict UTF-8 to UTF-16: nullopt for any ill-formed sequence (overlong
// forms, surrogate code points, values above U+10FFFF, truncation).
std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes);

// UTF-8 to UTF-16 with every ill-formed byte read as U+FFFD.
std::u16string Utf8ToUtf16Lossy(std::string_view bytes);

// UTF-16 to UTF-8; a lone surrogate is written as U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_UTF_H_
