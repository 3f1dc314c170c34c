#include "hangul/rules.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "hangul/jamo.h"

namespace pimoru {

RuleIndex::RuleIndex(std::span<const Rule> rules)
    : rules_(rules), class_of_(kPlaces, 0) {
  if (rules.size() > 0xFFFF) {
    throw std::length_error("a rule table of more than 65,535 rules");
  }
  // A pattern of two letters or more is filed under the pair of adjacent
  // letters that the fewest patterns of the table hold: many rules share
  // their first pair (final + ㅇ), few their rarest.
  auto pair_of = [](std::u16string_view pattern, std::size_t i) {
    return std::uint32_t{pattern[i]} << 16 | pattern[i + 1];
  };
  std::map<std::uint32_t, std::size_t> holders;
  for (const Rule& rule : rules) {
    const std::u16string_view pattern = rule.Pattern();
    std::set<std::uint32_t> pairs;
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
      pairs.insert(pair_of(pattern, i));
    }
    for (const std::uint32_t pair : pairs) ++holders[pair];
  }
  std::vector<std::u16string> keys;
  keys.reserve(rules.size());
  for (const Rule& rule : rules) {
    const std::u16string_view pattern = rule.Pattern();
    std::size_t best = 0;
    for (std::size_t i = 1; i + 1 < pattern.size(); ++i) {
      if (holders[pair_of(pattern, i)] < holders[pair_of(pattern, best)]) {
        best = i;
      }
    }
    keys.emplace_back(pattern.substr(best, 2));
  }
  // A class for every letter that a key names. Past 255 classes the rest
  // share the last, which only adds candidates.
  for (const std::u16string& key : keys) {
    for (const char16_t letter : key) {
      std::uint8_t& letter_class = class_of_[PlaceOf(letter)];
      if (letter_class != 0) continue;
      letter_class =
          static_cast<std::uint8_t>(std::min<std::size_t>(classes_, 255));
      classes_ = std::min<std::size_t>(classes_ + 1, 256);
    }
  }
  // Each rule goes into the cells of its key, in table order: a rule of one
  // letter into every cell of its letter, whatever follows it.
  std::vector<std::vector<std::uint16_t>> cells(classes_ * classes_);
  for (std::size_t r = 0; r < rules.size(); ++r) {
    const std::u16string_view key = keys[r];
    if (key.empty()) continue;  // an empty pattern never occurs
    const std::size_t first = class_of_[PlaceOf(key[0])];
    const auto rule = static_cast<std::uint16_t>(r);
    if (key.size() == 1) {
      for (std::size_t next = 0; next < classes_; ++next) {
        cells[first * classes_ + next].push_back(rule);
      }
    } else {
      cells[first * classes_ + class_of_[PlaceOf(key[1])]].push_back(rule);
    }
  }
  // The rules by the bit of their key, in table order within each.
  std::vector<std::pair<std::uint16_t, std::uint16_t>> by_bit;
  for (std::size_t r = 0; r < rules.size(); ++r) {
    if (keys[r].empty()) continue;  // never occurs
    by_bit.emplace_back(
        static_cast<std::uint16_t>(LetterPairs::KeyBit(keys[r])),
        static_cast<std::uint16_t>(r));
  }
  std::sort(by_bit.begin(), by_bit.end());
  for (std::size_t i = 0; i < by_bit.size(); ++i) {
    if (i == 0 || by_bit[i].first != by_bit[i - 1].first) {
      key_bits_.push_back(by_bit[i].first);
      key_rule_starts_.push_back(static_cast<std::uint32_t>(i));
    }
    key_rules_.push_back(by_bit[i].second);
  }
  key_rule_starts_.push_back(static_cast<std::uint32_t>(key_rules_.size()));
  constexpr std::size_t kMostKeysWorthAsking = 64;
  if (key_bits_.size() > kMostKeysWorthAsking) {
    key_bits_.clear();
    key_rule_starts_.clear();
    key_rules_.clear();
    may_always_occur_ = true;
  } else {
    pattern_bit_starts_.push_back(0);
    for (const Rule& rule : rules) {
      const std::u16string_view pattern = rule.Pattern();
      if (pattern.size() == 1) {
        pattern_bits_.push_back(
            static_cast<std::uint16_t>(LetterPairs::KeyBit(pattern)));
      }
      for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
        pattern_bits_.push_back(static_cast<std::uint16_t>(
            LetterPairs::KeyBit(pattern.substr(i, 2))));
      }
      pattern_bit_starts_.push_back(
          static_cast<std::uint32_t>(pattern_bits_.size()));
    }
  }
  cell_starts_.reserve(cells.size() + 1);
  cell_starts_.push_back(0);
  for (const std::vector<std::uint16_t>& cell : cells) {
    filed_.insert(filed_.end(), cell.begin(), cell.end());
    cell_starts_.push_back(static_cast<std::uint32_t>(filed_.size()));
  }
}

void RuleIndex::MarkCandidates(std::u16string_view text,
                               std::uint64_t* marks) const {
  if (text.empty()) return;
  // Locals, so that writing the marks cannot make the loop reload them.
  const std::uint8_t* const class_of = class_of_.data();
  const std::uint32_t* const cell_starts = cell_starts_.data();
  const std::uint16_t* const filed = filed_.data();
  const std::size_t classes = classes_;
  auto mark_cell = [&](std::size_t cell) {
    for (std::uint32_t k = cell_starts[cell]; k < cell_starts[cell + 1]; ++k) {
      marks[filed[k] / 64] |= std::uint64_t{1} << (filed[k] % 64);
    }
  };
  std::size_t first = class_of[PlaceOf(text[0])];
  for (std::size_t i = 1; i < text.size(); ++i) {
    const std::size_t next = class_of[PlaceOf(text[i])];
    // A letter of class 0 begins no key: most letters, for a small table.
    if (first != 0) mark_cell(first * classes + next);
    first = next;
  }
  if (first != 0) mark_cell(first * classes);  // the last, with none after it
}

void LetterPairs::Reset(std::u16string_view text) {
  bits_.fill(0);
  Add(text);
}

void LetterPairs::Add(std::u16string_view stretch) {
  if (stretch.empty()) return;
  Set(LetterBit(stretch[0]));
  for (std::size_t i = 1; i < stretch.size(); ++i) {
    Set(LetterBit(stretch[i]));
    Set(PairBit(stretch[i - 1], stretch[i]));
  }
}

bool RuleIndex::MarkCandidates(const LetterPairs& pairs,
                               std::uint64_t* marks) const {
  if (may_always_occur_) return false;
  for (std::size_t k = 0; k < key_bits_.size(); ++k) {
    if (!pairs.Has(key_bits_[k])) continue;
    for (std::uint32_t i = key_rule_starts_[k]; i < key_rule_starts_[k + 1];
         ++i) {
      const std::uint16_t rule = key_rules_[i];
      bool all_told = true;
      for (std::uint32_t b = pattern_bit_starts_[rule];
           all_told && b < pattern_bit_starts_[rule + 1]; ++b) {
        all_told = pairs.Has(pattern_bits_[b]);
      }
      if (all_told) marks[rule / 64] |= std::uint64_t{1} << (rule % 64);
    }
  }
  return true;
}

bool RuleIndex::MayOccur(const LetterPairs& pairs) const {
  if (may_always_occur_) return true;
  for (const std::uint16_t bit : key_bits_) {
    if (pairs.Has(bit)) return true;
  }
  return false;
}

RuleCandidates::RuleCandidates(const RuleIndex& index, std::u16string_view text,
                               const LetterPairs* pairs)
    : index_(index), size_(index.rules().size()) {
  const std::size_t words = (size_ + 63) / 64;
  marks_ = inline_marks_.data();
  if (words > inline_marks_.size()) {
    heap_marks_.resize(words);
    marks_ = heap_marks_.data();
  }
  std::fill(marks_, marks_ + words, 0);
  if (pairs == nullptr || !index_.MarkCandidates(*pairs, marks_)) {
    index_.MarkCandidates(text, marks_);
  }
}

std::size_t RuleCandidates::Next() {
  next_ = NextMarked(marks_, next_, size_);
  return next_ < size_ ? next_++ : size_;
}

bool ApplyRules(std::u16string& text, const RuleIndex& index,
                LetterPairs* pairs) {
  const std::span<const Rule> rules = index.rules();
  RuleCandidates candidates(index, text, pairs);
  std::vector<std::size_t> written_at;
  bool changed = false;
  for (std::size_t r = candidates.Next(); r < rules.size();
       r = candidates.Next()) {
    written_at.clear();
    if (!ReplaceAll(text, rules[r].Pattern(), rules[r].Replacement(),
                    written_at)) {
      continue;
    }
    changed = true;
    // New pairs stand only where a replacement was written, from the letter
    // before it to the letter after it.
    const std::size_t length = rules[r].Replacement().size();
    for (const std::size_t at : written_at) {
      const std::size_t from = at == 0 ? 0 : at - 1;
      const std::u16string_view stretch =
          std::u16string_view(text).substr(from, at + length + 1 - from);
      candidates.Add(stretch);
      if (pairs != nullptr) pairs->Add(stretch);
    }
    if (pairs != nullptr) candidates.Add(*pairs);
  }
  return changed;
}

bool ApplyRulesPlainly(std::u16string& text, std::span<const Rule> rules) {
  bool changed = false;
  for (const Rule& rule : rules) {
    changed = ReplaceAll(text, rule.Pattern(), rule.Replacement()) || changed;
  }
  return changed;
}

}  // namespace pimoru
