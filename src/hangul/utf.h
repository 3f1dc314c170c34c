// Conversions between UTF-8 bytes and the UTF-16 text the core works on.
#ifndef PIMORU_HANGUL_UTF_H_
#define PIMORU_HANGUL_UTF_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pimoru {

// Strict UTF-8 to UTF-16: nullopt for any ill-formed sequence (overlong
// forms, surrogate code points, values above U+10FFFF, truncation).
std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes);

// The same into `out`, whose buffer is reused: false for an ill-formed
// sequence, and `out` then holds the text decoded before it.
bool Utf8ToUtf16(std::string_view bytes, std::u16string& out);

// UTF-8 to UTF-16 with every ill-formed byte read as U+FFFD.
std::u16string Utf8ToUtf16Lossy(std::string_view bytes);

// UTF-16 to UTF-8; a lone surrogate is written as U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// The same appended to `out`.
void AppendUtf8(std::u16string_view text, std::string& out);

// The most UTF-8 bytes one UTF-16 code unit becomes (a pair of units
// becomes four).
inline constexpr std::size_t kMaxUtf8PerUnit = 3;

// What WriteUtf8 makes of a tab, a line feed and a carriage return.
enum class Separators {
  kKeep,
  kAsSpaces,  // for a field of a tab-separated line
};

// Writes `text` as UTF-8 from `out`, which has room for kMaxUtf8PerUnit
// bytes per code unit, and returns the end of what it wrote. For callers
// that put a whole line into one buffer without a string per field.
char* WriteUtf8(std::u16string_view text, char* out,
                Separators separators = Separators::kKeep);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_UTF_H_
