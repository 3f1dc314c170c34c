#include "hangul/rules.h"

#include "hangul/jamo.h"

namespace pimoru {

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
  CharPresence present(text);
  bool changed = false;
  for (const Rule& rule : rules) {
    if (!present.MayContainAll(rule.Pattern())) continue;
    if (ReplaceAll(text, rule.Pattern(), rule.Replacement())) {
      changed = true;
      present.Add(rule.Replacement());
    }
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
