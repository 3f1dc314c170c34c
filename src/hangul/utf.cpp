#include "hangul/utf.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace pimoru {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

constexpr bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

constexpr bool IsSurrogate(char32_t c) { return (c & 0xFFFFF800) == 0xD800; }

// Reads the sequence at `at` and writes its unit or units at `put`,
// moving both on: strictly (false at an ill-formed sequence, nothing moved)
// or lossily (U+FFFD for its first byte).
bool DecodeSequence(const unsigned char*& at, const unsigned char* end,
                    char16_t*& put, bool lossy) {
  const unsigned b0 = at[0];
  int length = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if (b0 < 0x80) {
    length = 1, cp = b0;
  } else if ((b0 & 0xE0) == 0xC0) {
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
  well_formed = well_formed && cp >= min && cp <= 0x10FFFF && !IsSurrogate(cp);
  if (!well_formed) {
    if (!lossy) return false;
    *put++ = static_cast<char16_t>(kReplacement);
    ++at;
    return true;
  }
  if (cp >= 0x10000) {
    cp -= 0x10000;
    *put++ = static_cast<char16_t>(0xD800 + (cp >> 10));
    *put++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  } else {
    *put++ = static_cast<char16_t>(cp);
  }
  at += length;
  return true;
}

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
  // Up to here three bytes can be read without looking for the end.
  const auto* const three_readable = bytes.size() >= 2 ? end - 2 : at;
  while (at < end) {
    const auto* const slice_end =
        end - at > static_cast<std::ptrdiff_t>(kSlice) ? at + kSlice : end;
    const auto* const fast_end = std::min(slice_end, three_readable);
    char16_t* put = room;
    while (at < fast_end) {
      const unsigned b0 = at[0];
      if (b0 < 0x80) {
        *put++ = static_cast<char16_t>(b0);
        ++at;
        continue;
      }
      // Most text that is not ASCII is three bytes a character (Hangul,
      // kana): well-formed unless overlong or a surrogate.
      const unsigned lead = b0 ^ 0xE0u;
      const unsigned low1 = at[1] ^ 0x80u;
      const unsigned low2 = at[2] ^ 0x80u;
      const char32_t cp = (lead << 12) | (low1 << 6) | low2;
      if (lead < 0x10 && (low1 | low2) < 0x40 && cp >= 0x800 &&
          !IsSurrogate(cp)) {
        *put++ = static_cast<char16_t>(cp);
        at += 3;
        continue;
      }
      if (!DecodeSequence(at, end, put, lossy)) {
        out.append(room, put - room);
        return false;
      }
    }
    while (at < slice_end) {
      if (!DecodeSequence(at, end, put, lossy)) {
        out.append(room, put - room);
        return false;
      }
    }
    out.append(room, put - room);
  }
  return true;
}

// The first two bytes of a three-byte character by its code point over 64;
// zero for the surrogates, which are not characters.
constexpr std::array<std::array<char, 2>, 0x400> kThreeByteHeads = [] {
  std::array<std::array<char, 2>, 0x400> heads{};
  for (std::size_t high = 0x800 >> 6; high < heads.size(); ++high) {
    if (IsSurrogate(static_cast<char32_t>(high << 6))) continue;
    heads[high] = {static_cast<char>(0xE0 | (high >> 6)),
                   static_cast<char>(0x80 | (high & 0x3F))};
  }
  return heads;
}();

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
      continue;
    }
    if (c >= 0x800) {
      // Hangul and kana: most of what is not ASCII.
      const std::array<char, 2>& head = kThreeByteHeads[c >> 6];
      if (head[0] != 0) {
        std::memcpy(out, head.data(), 2);
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        out += 3;
        continue;
      }
      if (c <= 0xDBFF && at < end && *at >= 0xDC00 && *at <= 0xDFFF) {
        // A pair: four bytes for two units.
        const char32_t cp = 0x10000 + ((c - 0xD800) << 10) + (*at++ - 0xDC00);
        out[0] = static_cast<char>(0xF0 | (cp >> 18));
        out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out[3] = static_cast<char>(0x80 | (cp & 0x3F));
        out += 4;
        continue;
      }
      out[0] = static_cast<char>(0xE0 | (kReplacement >> 12));
      out[1] = static_cast<char>(0x80 | ((kReplacement >> 6) & 0x3F));
      out[2] = static_cast<char>(0x80 | (kReplacement & 0x3F));
      out += 3;
      continue;
    }
    out[0] = static_cast<char>(0xC0 | (c >> 6));
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    out += 2;
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
