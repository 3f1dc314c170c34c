#include "hangul/rules.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/word_index.h"

namespace pimoru {
namespace {

// ApplyRules' own letter set: the same sets as CharPresence, kept as one
// bit per code unit below U+1200, with every untracked unit's bit set (it
// may be present). Units from U+1200 up are untracked too. A test is then a
// shift and a load, done on a rule's zero-padded pattern directly, so no
// rule's length is measured unless it runs: most rules are skipped at
// their first letter.
class LetterSet {
 public:
  explicit LetterSet(std::u16string_view text) {
    words_.fill(~std::uint64_t{0});
    words_[0] = words_[1] = 0;  // ASCII
    for (std::size_t w = kJamoWord; w < kWords; ++w) words_[w] = 0;
    Add(text);
  }
  void Add(std::u16string_view text) {
    for (const char16_t c : text) {
      if (c < kEnd) words_[c >> 6] |= std::uint64_t{1} << (c & 63);
    }
  }
  bool MayHoldAll(const char16_t* zero_padded) const {
    for (; *zero_padded != u'\0'; ++zero_padded) {
      const char16_t c = *zero_padded;
      if (c < kEnd && (words_[c >> 6] >> (c & 63) & 1u) == 0) return false;
    }
    return true;
  }

 private:
  static constexpr char16_t kEnd = 0x1200;
  static constexpr std::size_t kWords = kEnd / 64;
  static constexpr std::size_t kJamoWord = 0x1100 / 64;

  std::array<std::uint64_t, kWords> words_;
};

}  // namespace

int CharPresence::Bit(char16_t c) {
  if (c < 0x80) return c;
  if (c >= 0x1100 && c < 0x1200) return 0x80 + (c - 0x1100);
  return -1;  // not tracked: may be present
}

void CharPresence::Add(std::u16string_view text) {
  for (const char16_t c : text) {
    const int bit = Bit(c);
    if (bit >= 0) bits_[bit / 64] |= 1ULL << (bit % 64);
  }
}

bool CharPresence::MayContainAll(std::u16string_view text) const {
  for (const char16_t c : text) {
    const int bit = Bit(c);
    if (bit >= 0 && (bits_[bit / 64] & (1ULL << (bit % 64))) == 0) {
      return false;
    }
  }
  return true;
}

bool ApplyRules(std::u16string& text, std::span<const Rule> rules) {
  LetterSet present(text);
  bool changed = false;
  for (const Rule& rule : rules) {
    if (!present.MayHoldAll(rule.pattern)) continue;
    if (ReplaceAll(text, rule.Pattern(), rule.Replacement())) {
      changed = true;
      present.Add(rule.Replacement());
    }
  }
  return changed;
}

bool ApplyRules(std::u16string& text, std::span<const Rule> rules,
                const PatternIndex& index) {
  PatternCandidates candidates(index, text);
  bool changed = false;
  for (std::size_t r = candidates.Next(); r < rules.size();
       r = candidates.Next()) {
    if (ReplaceAll(text, rules[r].Pattern(), rules[r].Replacement())) {
      candidates.Rescan(text);
      changed = true;
    }
  }
  return changed;
}

PatternIndex IndexRules(std::span<const Rule> rules) {
  std::vector<std::u16string_view> patterns;
  patterns.reserve(rules.size());
  for (const Rule& rule : rules) patterns.push_back(rule.Pattern());
  return PatternIndex(patterns);
}

bool ApplyRulesPlainly(std::u16string& text, std::span<const Rule> rules) {
  bool changed = false;
  for (const Rule& rule : rules) {
    changed = ReplaceAll(text, rule.Pattern(), rule.Replacement()) || changed;
  }
  return changed;
}

}  // namespace pimoru
