#include "hangul/utf.h"

#include <array>
#include <cstdint>

namespace pimoru {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

constexpr bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

constexpr bool IsSurrogate(char32_t c) { return (c & 0xFFFFF800) == 0xD800; }

// Decodes UTF-8 into `out`; an ill-formed sequence either ends the decoding
// (strict, false) or becomes U+FFFD, one per bad byte (lossy). The text is
// decoded a slice at a time into room on the stack and appended, so `out`
// neither grows per unit nor is filled before it is written. A byte makes
// at most one unit (four make two), so a slice's units fit the room
// whatever its last sequence.
bool DecodeUtf8(std::string_view bytes, bool lossy, std::u16string& out) {
  out.clear();
  constexpr std::size_t kSlice = 512;
  char16_t room[kSlice + 4];
  const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = at + bytes.size();
  bool ok = true;
  while (at < end && ok) {
    const auto* const slice_end =
        end - at > static_cast<std::ptrdiff_t>(kSlice) ? at + kSlice : end;
    char16_t* put = room;
    while (at < slice_end) {
      const unsigned b0 = at[0];
      if (b0 < 0x80) {
        *put++ = static_cast<char16_t>(b0);
        ++at;
        continue;
      }
      // Most text that is not ASCII is three bytes a character (Hangul,
      // kana): well-formed unless overlong or a surrogate.
      if ((b0 & 0xF0) == 0xE0 && end - at >= 3) {
        const unsigned low1 = at[1] ^ 0x80u;
        const unsigned low2 = at[2] ^ 0x80u;
        const char32_t cp = ((b0 & 0x0F) << 12) | (low1 << 6) | low2;
        if ((low1 | low2) < 0x40 && cp >= 0x800 && !IsSurrogate(cp)) {
          *put++ = static_cast<char16_t>(cp);
          at += 3;
          continue;
        }
      }
      int length = 0;
      char32_t cp = 0;
      char32_t min = 0;
      if ((b0 & 0xE0) == 0xC0) {
        length = 2, cp = b0 & 0x1F, min = 0x80;
      } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, cp = b0 & 0x0F, min = 0x800;
      } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, cp = b0 & 0x07, min = 0x10000;
      }
      bool well_formed = length > 0 && end - at >= length;
      for (int k = 1; well_formed && k < length; ++k) {
        well_formed = IsContinuation(at[k]);
        cp = (cp << 6) | (at[k] & 0x3F);
      }
      well_formed =
          well_formed && cp >= min && cp <= 0x10FFFF && !IsSurrogate(cp);
      if (!well_formed) {
        if (!lossy) {
          ok = false;
          break;
        }
        *put++ = static_cast<char16_t>(kReplacement);
        ++at;
        continue;
      }
      if (cp >= 0x10000) {
        cp -= 0x10000;
        *put++ = static_cast<char16_t>(0xD800 + (cp >> 10));
        *put++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
      } else {
        *put++ = static_cast<char16_t>(cp);
      }
      at += length;
    }
    out.append(room, put - room);
  }
  return ok;
}

// ASCII as it is written, and with the separators as spaces.
constexpr std::array<char, 0x80> AsciiTable(Separators separators) {
  std::array<char, 0x80> table{};
  for (std::size_t c = 0; c < table.size(); ++c) {
    const bool separator = c == '\t' || c == '\n' || c == '\r';
    table[c] = separators == Separators::kAsSpaces && separator
                   ? ' '
                   : static_cast<char>(c);
  }
  return table;
}
constexpr std::array<char, 0x80> kKeepAscii = AsciiTable(Separators::kKeep);
constexpr std::array<char, 0x80> kBlankAscii =
    AsciiTable(Separators::kAsSpaces);

}  // namespace

std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes) {
  std::u16string out;
  if (!DecodeUtf8(bytes, /*lossy=*/false, out)) return std::nullopt;
  return out;
}

bool Utf8ToUtf16(std::string_view bytes, std::u16string& out) {
  return DecodeUtf8(bytes, /*lossy=*/false, out);
}

std::u16string Utf8ToUtf16Lossy(std::string_view bytes) {
  std::u16string out;
  DecodeUtf8(bytes, /*lossy=*/true, out);
  return out;
}

char* WriteUtf8(std::u16string_view text, char* out, Separators separators) {
  const std::array<char, 0x80>& ascii =
      separators == Separators::kAsSpaces ? kBlankAscii : kKeepAscii;
  const char16_t* at = text.data();
  const char16_t* const end = at + text.size();
  while (at < end) {
    const char32_t c = *at++;
    if (c < 0x80) {
      *out++ = ascii[c];
    } else if (c >= 0x800 && !IsSurrogate(c)) {
      // Hangul and kana first: most of what is not ASCII.
      out[0] = static_cast<char>(0xE0 | (c >> 12));
      out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out[2] = static_cast<char>(0x80 | (c & 0x3F));
      out += 3;
    } else if (c < 0x800) {
      out[0] = static_cast<char>(0xC0 | (c >> 6));
      out[1] = static_cast<char>(0x80 | (c & 0x3F));
      out += 2;
    } else if (c <= 0xDBFF && at < end && *at >= 0xDC00 && *at <= 0xDFFF) {
      // A pair: four bytes for two units.
      const char32_t cp = 0x10000 + ((c - 0xD800) << 10) + (*at++ - 0xDC00);
      out[0] = static_cast<char>(0xF0 | (cp >> 18));
      out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out[3] = static_cast<char>(0x80 | (cp & 0x3F));
      out += 4;
    } else {
      out[0] = static_cast<char>(0xE0 | (kReplacement >> 12));
      out[1] = static_cast<char>(0x80 | ((kReplacement >> 6) & 0x3F));
      out[2] = static_cast<char>(0x80 | (kReplacement & 0x3F));
      out += 3;
    }
  }
  return out;
}

void AppendUtf8(std::u16string_view text, std::string& out) {
  // Sized for the most it can take and cut to length: no growth checks per
  // byte.
  const std::size_t start = out.size();
  out.resize(start + text.size() * kMaxUtf8PerUnit);
  char* const end = WriteUtf8(text, out.data() + start);
  out.resize(static_cast<std::size_t>(end - out.data()));
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  AppendUtf8(text, out);
  return out;
}

}  // namespace pimoru
