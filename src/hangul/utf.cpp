#include "hangul/utf.h"

#include <cstdint>

namespace pimoru {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

namespace {

// Decodes UTF-8; an ill-formed sequence either ends the decoding (strict)
// or becomes U+FFFD, one per bad byte (lossy).
std::optional<std::u16string> DecodeUtf8(std::string_view bytes, bool lossy) {
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  const std::size_t n = bytes.size();
  while (i < n) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
      out += static_cast<char16_t>(b0);
      ++i;
      continue;
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
    bool ok = length > 0 && i + length <= n;
    for (int k = 1; ok && k < length; ++k) {
      const auto b = static_cast<unsigned char>(bytes[i + k]);
      ok = IsContinuation(b);
      cp = (cp << 6) | (b & 0x3F);
    }
    ok = ok && cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
    if (!ok) {
      if (!lossy) return std::nullopt;
      out += static_cast<char16_t>(kReplacement);
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += length;
  }
  return out;
}

}  // namespace

std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes) {
  return DecodeUtf8(bytes, /*lossy=*/false);
}

std::u16string Utf8ToUtf16Lossy(std::string_view bytes) {
  return *DecodeUtf8(bytes, /*lossy=*/true);
}

std::string Utf16ToUtf8(std::u16string_view text) {
  // Written into a buffer of the largest size (three bytes a unit) and cut
  // to length: no growth checks per byte.
  std::string out(text.size() * 3, '\0');
  char* at = out.data();
  auto put = [&at](char32_t cp) {
    if (cp < 0x80) {
      *at++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
      *at++ = static_cast<char>(0xC0 | (cp >> 6));
      *at++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      *at++ = static_cast<char>(0xE0 | (cp >> 12));
      *at++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      *at++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      *at++ = static_cast<char>(0xF0 | (cp >> 18));
      *at++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      *at++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      *at++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
        text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      // A pair: four bytes for two units.
      put(0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
          (static_cast<char32_t>(text[i + 1]) - 0xDC00));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      put(kReplacement);
    } else {
      put(c);
    }
  }
  out.resize(static_cast<std::size_t>(at - out.data()));
  return out;
}

}  // namespace pimoru
