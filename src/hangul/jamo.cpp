#include "hangul/jamo.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <array>
#include <bit>

namespace pimoru {
namespace {

constexpr int kMedialsTimesFinals = 588;  // 21 * 28
constexpr int kFinalsPlusNone = 28;
constexpr char16_t kCompatibilityMedialBase = 0x314F;  // ㅏ

// Compatibility letters of the initials, in initial order.
constexpr std::array<char16_t, kInitialCount> kInitialCompatibility = {
    u'ㄱ', u'ㄲ', u'ㄴ', u'ㄷ', u'ㄸ', u'ㄹ', u'ㅁ', u'ㅂ', u'ㅃ', u'ㅅ',
    u'ㅆ', u'ㅇ', u'ㅈ', u'ㅉ', u'ㅊ', u'ㅋ', u'ㅌ', u'ㅍ', u'ㅎ'};

// Compatibility letters of the finals, in final order.
constexpr std::array<char16_t, kFinalCount> kFinalCompatibility = {
    u'ㄱ', u'ㄲ', u'ㄳ', u'ㄴ', u'ㄵ', u'ㄶ', u'ㄷ', u'ㄹ', u'ㄺ',
    u'ㄻ', u'ㄼ', u'ㄽ', u'ㄾ', u'ㄿ', u'ㅀ', u'ㅁ', u'ㅂ', u'ㅄ',
    u'ㅅ', u'ㅆ', u'ㅇ', u'ㅈ', u'ㅊ', u'ㅋ', u'ㅌ', u'ㅍ', u'ㅎ'};

constexpr bool IsSpaceOrControl(char16_t c) { return c <= u' '; }

// Appends the syllable of an initial + medial (+ final) group, or the group
// as it stands when it forms no syllable.
void AppendComposedGroup(std::u16string_view group, std::u16string& out) {
  const bool two =
      group.size() == 2 && IsInitial(group[0]) && IsMedial(group[1]);
  const bool three = group.size() == 3 && IsInitial(group[0]) &&
                     IsMedial(group[1]) && IsFinal(group[2]);
  if (!two && !three) {
    out += group;
    return;
  }
  const int t = three ? group[2] - kFinalBase + 1 : 0;
  out += ComposeSyllable(group[0] - kInitialBase, group[1] - kMedialBase, t);
}

}  // namespace

char16_t CompatibilityJamo(char16_t c) {
  if (IsInitial(c)) return kInitialCompatibility[c - kInitialBase];
  if (IsMedial(c)) {
    return static_cast<char16_t>(kCompatibilityMedialBase + (c - kMedialBase));
  }
  if (IsFinal(c)) return kFinalCompatibility[c - kFinalBase];
  return u'\0';
}

std::u16string DecomposeSyllable(char16_t syllable) {
  if (!IsSyllable(syllable)) return std::u16string(1, syllable);
  const int s = syllable - kSyllableFirst;
  const int t = s % kFinalsPlusNone;
  std::u16string jamo;
  jamo += static_cast<char16_t>(kInitialBase + s / kMedialsTimesFinals);
  jamo += static_cast<char16_t>(kMedialBase +
                                (s % kMedialsTimesFinals) / kFinalsPlusNone);
  if (t != 0) jamo += static_cast<char16_t>(kFinalBase + t - 1);
  return jamo;
}

std::u16string DecomposeText(std::u16string_view text) {
  // Written through a pointer into room for three jamo a unit, then cut to
  // length: no unit pays for a check of the capacity.
  std::u16string jamo(text.size() * 3, u'\0');
  char16_t* out = jamo.data();
  for (const char16_t c : text) {
    if (!IsSyllable(c)) {
      *out++ = c;
      continue;
    }
    const int s = c - kSyllableFirst;
    const int t = s % kFinalsPlusNone;
    *out++ = static_cast<char16_t>(kInitialBase + s / kMedialsTimesFinals);
    *out++ = static_cast<char16_t>(kMedialBase +
                                   (s % kMedialsTimesFinals) / kFinalsPlusNone);
    if (t != 0) *out++ = static_cast<char16_t>(kFinalBase + t - 1);
  }
  jamo.resize(static_cast<std::size_t>(out - jamo.data()));
  return jamo;
}

char16_t ComposeSyllable(int l, int v, int t) {
  return static_cast<char16_t>(kSyllableFirst + l * kMedialsTimesFinals +
                               v * kFinalsPlusNone + t);
}

std::u16string ComposeGroup(std::u16string_view group) {
  std::u16string out;
  AppendComposedGroup(group, out);
  return out;
}

std::u16string ComposeText(std::u16string_view jamo) {
  // Only an initial followed by a medial begins a syllable, which a final
  // may close; every other unit, a typed jamo among them, stands as it is.
  // A jamo after a whole syllable is therefore never drawn into it.
  std::u16string out(jamo.size(), u'\0');
  char16_t* written = out.data();
  const std::size_t n = jamo.size();
  for (std::size_t i = 0; i < n;) {
    const char16_t c = jamo[i];
    if (IsInitial(c) && i + 1 < n && IsMedial(jamo[i + 1])) {
      const bool closed = i + 2 < n && IsFinal(jamo[i + 2]);
      *written++ = ComposeSyllable(c - kInitialBase, jamo[i + 1] - kMedialBase,
                                   closed ? jamo[i + 2] - kFinalBase + 1 : 0);
      i += closed ? 3 : 2;
    } else {
      *written++ = c;
      ++i;
    }
  }
  out.resize(static_cast<std::size_t>(written - out.data()));
  TrimInPlace(out);
  return out;
}

void TrimInPlace(std::u16string& text) {
  std::size_t end = text.size();
  while (end > 0 && IsSpaceOrControl(text[end - 1])) --end;
  text.resize(end);
  std::size_t begin = 0;
  while (begin < end && IsSpaceOrControl(text[begin])) ++begin;
  text.erase(0, begin);
}

std::u16string Trim(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsSpaceOrControl(text[begin])) ++begin;
  while (end > begin && IsSpaceOrControl(text[end - 1])) --end;
  return std::u16string(text.substr(begin, end - begin));
}

std::size_t Find(std::u16string_view text, std::u16string_view pattern,
                 std::size_t from) {
  const std::size_t n = text.size();
  const std::size_t m = pattern.size();
  if (m == 0) return from <= n ? from : std::u16string_view::npos;
  if (from > n || n - from < m) return std::u16string_view::npos;
  const char16_t* const data = text.data();
  const std::size_t last_start = n - m;
  auto matches_at = [&](std::size_t i) {
    return std::char_traits<char16_t>::compare(data + i, pattern.data(), m) ==
           0;
  };
  std::size_t i = from;
#if defined(__SSE2__)
  // Eight places at a time: where both the first and the last unit of the
  // pattern stand, the whole pattern is compared. The places left over at
  // the end are looked at as the last eight, those already seen masked off.
  const __m128i first = _mm_set1_epi16(static_cast<short>(pattern[0]));
  const __m128i last = _mm_set1_epi16(static_cast<short>(pattern[m - 1]));
  auto search_eight = [&](std::size_t at, unsigned mask) -> std::size_t {
    const __m128i at_first =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
    const __m128i at_last =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + m - 1));
    mask &= static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(
        _mm_cmpeq_epi16(at_first, first), _mm_cmpeq_epi16(at_last, last))));
    while (mask != 0) {
      const std::size_t place =
          at + static_cast<std::size_t>(std::countr_zero(mask) / 2);
      if (matches_at(place)) return place;
      mask &= mask - 1;
      mask &= mask - 1;  // two mask bits per unit
    }
    return std::u16string_view::npos;
  };
  if (last_start + 1 >= 8) {
    for (; i + 8 <= last_start + 1; i += 8) {
      const std::size_t hit = search_eight(i, 0xFFFFu);
      if (hit != std::u16string_view::npos) return hit;
    }
    if (i > last_start) return std::u16string_view::npos;
    const std::size_t at = last_start + 1 - 8;
    return search_eight(at, 0xFFFFu << (2 * (i - at)) & 0xFFFFu);
  }
#endif
  for (; i <= last_start; ++i) {
    if (data[i] == pattern[0] && matches_at(i)) return i;
  }
  return std::u16string_view::npos;
}

namespace {

// ReplaceAll, telling `written` where in the new text each replacement
// begins.
template <typename Written>
bool ReplaceEach(std::u16string& text, std::u16string_view pattern,
                 std::u16string_view replacement, Written written_at) {
  if (pattern.empty()) return false;
  std::size_t hit = Find(text, pattern, 0);
  if (hit == std::u16string_view::npos) return false;
  if (replacement.size() <= pattern.size()) {
    // Rewritten in place: what is written never overtakes what is still to
    // be searched, so the text keeps its buffer.
    using Traits = std::char_traits<char16_t>;
    char16_t* const data = text.data();
    const std::u16string_view source(text);
    std::size_t done = 0;
    std::size_t written = 0;
    while (hit != std::u16string_view::npos) {
      Traits::move(data + written, data + done, hit - done);
      written += hit - done;
      written_at(written);
      Traits::copy(data + written, replacement.data(), replacement.size());
      written += replacement.size();
      done = hit + pattern.size();
      hit = Find(source, pattern, done);
    }
    Traits::move(data + written, data + done, source.size() - done);
    text.resize(written + source.size() - done);
    return true;
  }
  std::u16string out;
  out.reserve(text.size() + text.size() / pattern.size());
  std::size_t done = 0;
  const std::u16string_view source(text);
  while (hit != std::u16string_view::npos) {
    out.append(source.substr(done, hit - done));
    written_at(out.size());
    out.append(replacement);
    done = hit + pattern.size();
    hit = Find(source, pattern, done);
  }
  out.append(source.substr(done));
  text = std::move(out);
  return true;
}

}  // namespace

bool ReplaceAll(std::u16string& text, std::u16string_view pattern,
                std::u16string_view replacement) {
  return ReplaceEach(text, pattern, replacement, [](std::size_t) {});
}

bool ReplaceAll(std::u16string& text, std::u16string_view pattern,
                std::u16string_view replacement,
                std::vector<std::size_t>& written_at) {
  return ReplaceEach(text, pattern, replacement,
                     [&](std::size_t place) { written_at.push_back(place); });
}

std::u16string WordAt(std::u16string_view text, std::size_t at) {
  if (at >= text.size()) return std::u16string();
  // A boundary of a phrase read as one breath ends a word as a space does.
  const auto ends_word = [](char16_t c) {
    return c == u' ' || c == kWordBoundary;
  };
  std::size_t begin = at;
  // At a space the word is the one that follows it.
  if (ends_word(text[at])) {
    begin = at + 1;
  } else {
    while (begin > 0 && !ends_word(text[begin - 1])) --begin;
  }
  std::size_t end = at + 1;
  while (end < text.size() && !ends_word(text[end])) ++end;
  if (end < begin) return std::u16string();
  return std::u16string(text.substr(begin, end - begin));
}

std::u16string SyllableWithFinal(std::u16string_view jamo, std::size_t at,
                                 char16_t final_jamo) {
  std::u16string group;
  if (at >= 2 && at < jamo.size()) {
    group += jamo[at - 2];
    group += jamo[at - 1];
  }
  group += final_jamo;
  return ComposeText(group);
}

std::u16string SyllableWithInitial(std::u16string_view jamo, std::size_t at,
                                   char16_t initial_jamo) {
  std::u16string group(1, initial_jamo);
  if (at + 1 < jamo.size()) group += jamo[at + 1];
  if (at + 2 < jamo.size() && IsFinal(jamo[at + 2])) group += jamo[at + 2];
  return ComposeText(group);
}

}  // namespace pimoru
