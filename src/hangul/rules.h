// Ordered substitution tables, the form almost every rule stage takes.
#ifndef PIMORU_HANGUL_RULES_H_
#define PIMORU_HANGUL_RULES_H_

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pimoru {

inline constexpr std::size_t kMaxRuleLength = 9;

// One substitution: every occurrence of `pattern` becomes `replacement`.
// Both are zero-padded, so a table reads as rows of jamo:
//   {{fin::kGiyeok, ini::kIeung}, {ini::kGiyeok}},  // 먹어 → 머거
struct Rule {
  char16_t pattern[kMaxRuleLength + 1] = {};
  char16_t replacement[kMaxRuleLength + 1] = {};

  constexpr std::u16string_view Pattern() const { return pattern; }
  constexpr std::u16string_view Replacement() const { return replacement; }
};

// The first place at or after `from` whose bit is set in `marks` (one bit
// per place, 64 to a word), or `size` when there is none before it.
inline std::size_t NextMarked(const std::uint64_t* marks, std::size_t from,
                              std::size_t size) {
  while (from < size) {
    const std::uint64_t rest = marks[from / 64] >> (from % 64);
    if (rest != 0) {
      from += static_cast<std::size_t>(std::countr_zero(rest));
      return from < size ? from : size;
    }
    from = (from / 64 + 1) * 64;
  }
  return size;
}

// Which letters and adjacent letter pairs a text holds: the letters of
// ASCII and the jamo block exactly, the rest as one, and the pairs as a
// hashed set of 4,096 bits. Never says a letter or pair is absent that
// stands in the text, so a stage that finds none of its rules' keys here
// can leave the text without a pass over it.
class LetterPairs {
 public:
  explicit LetterPairs(std::u16string_view text) { Reset(text); }
  // Made again from `text`.
  void Reset(std::u16string_view text);
  // Adds the letters and pairs of a stretch of the text.
  void Add(std::u16string_view stretch);

  // The bit of a key of one letter or of two adjacent letters, and whether
  // it is set.
  static std::size_t KeyBit(std::u16string_view key) {
    return key.size() == 1 ? LetterBit(key[0]) : PairBit(key[0], key[1]);
  }
  bool Has(std::size_t bit) const {
    return (bits_[bit / 64] >> (bit % 64) & 1u) != 0;
  }

 private:
  static constexpr std::size_t kPairBits = 4096;
  static constexpr std::size_t kLetterBits = 0x80 + 0x100 + 1;
  static std::size_t LetterBit(char16_t c) {
    // Without a branch: jamo and spaces alternate unpredictably.
    const unsigned jamo = c - 0x1100u;
    const unsigned other = c < 0x80u ? c : kLetterBits - 1;
    return kPairBits + (jamo < 0x100u ? 0x80 + jamo : other);
  }
  static std::size_t PairBit(char16_t first, char16_t second) {
    const std::uint32_t pair = std::uint32_t{first} << 16 | second;
    return (pair * 0x9E3779B1u) >> 20;  // 12 bits
  }
  void Set(std::size_t bit) {
    bits_[bit / 64] |= std::uint64_t{1} << (bit % 64);
  }

  std::array<std::uint64_t, (kPairBits + kLetterBits + 63) / 64> bits_{};
};

// An ordered table with an index of its rules by a pair of adjacent letters
// of each pattern (the letter, for a pattern of one). A pattern can only
// occur where its pair stands, so a conversion visits the few rules whose
// pairs stand in its text instead of searching for all of them. Built once
// per table; the table must outlive the index.
class RuleIndex {
 public:
  explicit RuleIndex(std::span<const Rule> rules);

  std::span<const Rule> rules() const { return rules_; }

  // Sets in `marks` (one bit per rule, in table order) the bit of every rule
  // whose pair stands somewhere in `text`.
  void MarkCandidates(std::u16string_view text, std::uint64_t* marks) const;

  // False when no key stands in a text of which `pairs` tells: then no rule
  // can occur in it.
  bool MayOccur(const LetterPairs& pairs) const;

  // For a table of few keys: sets in `marks` the bit of every rule all of
  // whose pattern's pairs `pairs` tells of, a superset of what could occur,
  // without reading the text. Returns false, marking nothing, for a table
  // of many keys.
  bool MarkCandidates(const LetterPairs& pairs, std::uint64_t* marks) const;

 private:
  // Every code unit below U+1200 (ASCII and the jamo block among them) has
  // a place of its own; every other unit shares the last, which makes its
  // rules candidates for all of them (more candidates, never fewer).
  static constexpr std::size_t kPlaces = 0x1200 + 1;
  static std::size_t PlaceOf(char16_t c) {
    return c < kPlaces - 1 ? c : kPlaces - 1;
  }

  std::span<const Rule> rules_;
  // Each place's letter class: 0 for letters that begin no key, and for no
  // letter after the end of the text.
  std::vector<std::uint8_t> class_of_;
  std::size_t classes_ = 1;
  // The rules to try where a letter of class a stands before one of class
  // b: those filed under the pair (a, b) and those of the one letter a, in
  // table order, filed_[cell_starts_[a * classes_ + b] .. the next start).
  std::vector<std::uint32_t> cell_starts_;
  std::vector<std::uint16_t> filed_;
  // The keys' bits in LetterPairs, distinct, and the rules filed under
  // each: key_rules_[key_rule_starts_[k] .. key_rule_starts_[k + 1]). None
  // when there are so many keys that a text is likely to hold one anyway.
  std::vector<std::uint16_t> key_bits_;
  std::vector<std::uint32_t> key_rule_starts_;
  std::vector<std::uint16_t> key_rules_;
  // The bits of all the pairs of rule r's pattern (of its letter, for a
  // pattern of one): pattern_bits_[pattern_bit_starts_[r] .. the next).
  std::vector<std::uint32_t> pattern_bit_starts_;
  std::vector<std::uint16_t> pattern_bits_;
  bool may_always_occur_ = false;
};

// The rules of an indexed table that may occur in a text, visited in table
// order. After a rule has rewritten the text, Add with the stretches it
// rewrote (or the whole text) brings in the rules after it that may now
// occur.
class RuleCandidates {
 public:
  // With `pairs` telling of the text, a table of few keys finds its
  // candidates there instead of in the text.
  RuleCandidates(const RuleIndex& index, std::u16string_view text,
                 const LetterPairs* pairs = nullptr);
  RuleCandidates(const RuleCandidates&) = delete;
  RuleCandidates& operator=(const RuleCandidates&) = delete;

  // The number of the next candidate, or the table's size at the end.
  std::size_t Next();
  void Add(std::u16string_view text) { index_.MarkCandidates(text, marks_); }
  // After a rewrite that `pairs` has been told of: a rule left out before
  // for a pair the text lacked may now have them all.
  void Add(const LetterPairs& pairs) { index_.MarkCandidates(pairs, marks_); }

 private:
  const RuleIndex& index_;
  std::size_t size_;
  std::size_t next_ = 0;
  // In place for tables of up to 1,024 rules, so a sentence allocates
  // nothing here.
  std::array<std::uint64_t, 16> inline_marks_;
  std::vector<std::uint64_t> heap_marks_;
  std::uint64_t* marks_;
};

// Applies the rules in order, each with ReplaceAll over the whole text as the
// rules before it left it. Returns whether any pattern occurred. Only the
// rules whose pairs stand in the text are searched for, and after a rule
// that matched, the rules after it whose pairs it brought in; the result is
// that of running every rule.
// With `pairs` made from the text as it stands, a table none of whose keys
// the text holds is passed over at once, and the pairs around each
// replacement are added, so that they go on telling of the text (of pairs
// that are gone too, never missing one).
bool ApplyRules(std::u16string& text, const RuleIndex& rules,
                LetterPairs* pairs = nullptr);

// The same, running every rule's search: the reference the fast path is
// checked against.
bool ApplyRulesPlainly(std::u16string& text, std::span<const Rule> rules);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_RULES_H_
