// The summary of a text: which letters and adjacent letter pairs it holds.
//
// Most rule tables find none of their patterns in a sentence. A text's
// summary says so without a pass over the text: a table none of whose keys
// the summary holds is passed over at once (PatternIndex::MayHoldAny), and a
// table of few keys takes its candidates from it.
#ifndef PIMORU_HANGUL_LETTER_SUMMARY_H_
#define PIMORU_HANGUL_LETTER_SUMMARY_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pimoru {

// The letters of ASCII and the jamo block exactly, every other letter as
// one, and the pairs as a hashed set of 4,096 bits. Never says a letter or
// pair is absent that stands in the text; may tell of some that do not.
class LetterSummary {
 public:
  LetterSummary() = default;
  explicit LetterSummary(std::u16string_view text) { Add(text); }

  void Clear() { bits_.fill(0); }
  // Adds the letters and pairs of a stretch of the text.
  void Add(std::u16string_view stretch);

  // The bit of a key of one letter or of two adjacent letters.
  static std::size_t KeyBit(std::u16string_view key) {
    return key.size() == 1 ? LetterBit(key[0]) : PairBit(key[0], key[1]);
  }
  bool Has(std::size_t bit) const {
    return (bits_[bit / 64] >> (bit % 64) & 1) != 0;
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

}  // namespace pimoru

#endif  // PIMORU_HANGUL_LETTER_SUMMARY_H_
