#include "lexicon/hanja_dictionary.h"

#include <algorithm>

#include "hangul/file_access.h"
#include "hangul/jamo.h"
#include "hangul/utf.h"

namespace pimoru {
namespace {

constexpr bool IsHanja(char32_t c) {
  return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0x20000 && c <= 0x3FFFF);
}

// The code points of UTF-16 text, pairing surrogates.
std::u32string CodePoints(std::u16string_view text) {
  std::u32string out;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char16_t c = text[k];
    if (c >= 0xD800 && c <= 0xDBFF && k + 1 < text.size() &&
        text[k + 1] >= 0xDC00 && text[k + 1] <= 0xDFFF) {
      out += static_cast<char32_t>(0x10000 + ((c - 0xD800) << 10) +
                                   (text[k + 1] - 0xDC00));
      ++k;
    } else {
      out += c;
    }
  }
  return out;
}

bool AllSyllables(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char16_t c) { return IsSyllable(c); });
}

}  // namespace

HanjaDictionary HanjaDictionary::FromText(std::string_view utf8) {
  HanjaDictionary dictionary;
  std::u16string hangul;
  std::u16string hanja;
  std::size_t begin = 0;
  while (begin < utf8.size()) {
    std::size_t end = utf8.find('\n', begin);
    if (end == std::string_view::npos) end = utf8.size();
    const std::string_view line = utf8.substr(begin, end - begin);
    begin = end + 1;
    if (line.empty() || line[0] == '#') continue;
    const std::size_t first = line.find(':');
    if (first == std::string_view::npos) continue;
    std::size_t second = line.find(':', first + 1);
    if (second == std::string_view::npos) second = line.size();
    if (!Utf8ToUtf16(line.substr(0, first), hangul) ||
        !Utf8ToUtf16(line.substr(first + 1, second - first - 1), hanja)) {
      continue;
    }
    if (hangul.empty() || hangul.size() > kMaxSyllables ||
        !AllSyllables(hangul)) {
      continue;
    }
    const std::u32string points = CodePoints(hanja);
    if (points.size() != hangul.size()) continue;
    std::uint32_t mask = 0;
    for (std::size_t k = 0; k < points.size(); ++k) {
      if (IsHanja(points[k])) mask |= std::uint32_t{1} << k;
    }
    if (mask == 0) continue;
    Stored stored{};
    stored.hangul = static_cast<std::uint32_t>(dictionary.text_.size());
    stored.hangul_size = static_cast<std::uint8_t>(hangul.size());
    dictionary.text_ += hangul;
    stored.hanja = static_cast<std::uint32_t>(dictionary.text_.size());
    stored.hanja_size = static_cast<std::uint8_t>(hanja.size());
    dictionary.text_ += hanja;
    stored.hanja_syllables = mask;
    dictionary.entries_.push_back(stored);
  }
  const std::u16string_view text = dictionary.text_;
  std::stable_sort(dictionary.entries_.begin(), dictionary.entries_.end(),
                   [text](const Stored& a, const Stored& b) {
                     return text.substr(a.hangul, a.hangul_size) <
                            text.substr(b.hangul, b.hangul_size);
                   });
  dictionary.entries_.shrink_to_fit();
  dictionary.text_.shrink_to_fit();
  return dictionary;
}

std::optional<HanjaDictionary> HanjaDictionary::FromFile(
    const std::filesystem::path& path, std::string* why) {
  std::string bytes;
  if (const FileReadFailure failure =
          ReadRegularFile(path, kFileLimit, bytes)) {
    if (why != nullptr) {
      *why = path.string() + ": " + FileReadFailureText(failure);
    }
    return std::nullopt;
  }
  return FromText(bytes);
}

std::pair<std::size_t, std::size_t> HanjaDictionary::Range(
    std::u16string_view hangul) const {
  const auto less = [this](const Stored& s, std::u16string_view key) {
    return Hangul(s) < key;
  };
  const auto greater = [this](std::u16string_view key, const Stored& s) {
    return key < Hangul(s);
  };
  const auto lo =
      std::lower_bound(entries_.begin(), entries_.end(), hangul, less);
  const auto hi = std::upper_bound(lo, entries_.end(), hangul, greater);
  return {static_cast<std::size_t>(lo - entries_.begin()),
          static_cast<std::size_t>(hi - entries_.begin())};
}

HanjaEntry HanjaDictionary::ToEntry(const Stored& s) const {
  return {Hangul(s), std::u16string_view(text_).substr(s.hanja, s.hanja_size),
          s.hanja_syllables};
}

std::vector<HanjaEntry> HanjaDictionary::Entries(
    std::u16string_view hangul) const {
  const auto [lo, hi] = Range(hangul);
  std::vector<HanjaEntry> entries;
  for (std::size_t k = lo; k < hi; ++k) entries.push_back(ToEntry(entries_[k]));
  return entries;
}

std::vector<HanjaEntry> HanjaDictionary::LongerEntries(
    std::u16string_view prefix) const {
  auto it =
      entries_.begin() + static_cast<std::ptrdiff_t>(Range(prefix).second);
  std::vector<HanjaEntry> entries;
  for (; it != entries_.end() && Hangul(*it).starts_with(prefix); ++it) {
    entries.push_back(ToEntry(*it));
  }
  return entries;
}

std::optional<HanjaEntry> HanjaDictionary::HanjaWord(
    std::u16string_view hangul) const {
  const auto [lo, hi] = Range(hangul);
  for (std::size_t k = lo; k < hi; ++k) {
    const HanjaEntry entry = ToEntry(entries_[k]);
    if (entry.AllHanja()) return entry;
  }
  return std::nullopt;
}

std::size_t HanjaDictionary::LongestHanjaWord(std::u16string_view text) const {
  std::size_t longest = 0;
  auto from = entries_.begin();
  for (std::size_t length = 1; length <= std::min(text.size(), kMaxSyllables);
       ++length) {
    const std::u16string_view prefix = text.substr(0, length);
    from = std::lower_bound(from, entries_.end(), prefix,
                            [this](const Stored& s, std::u16string_view key) {
                              return Hangul(s) < key;
                            });
    // No word goes on from this prefix: none longer can begin the text.
    if (from == entries_.end() || !Hangul(*from).starts_with(prefix)) break;
    for (auto it = from; it != entries_.end() && Hangul(*it) == prefix; ++it) {
      if (ToEntry(*it).AllHanja()) {
        longest = length;
        break;
      }
    }
  }
  return longest;
}

bool HanjaDictionary::HasHanja(char16_t syllable) const {
  const auto [lo, hi] = Range(std::u16string_view(&syllable, 1));
  return lo < hi;
}

std::size_t HanjaDictionary::Bytes() const {
  return text_.capacity() * sizeof(char16_t) +
         entries_.capacity() * sizeof(Stored);
}

}  // namespace pimoru
