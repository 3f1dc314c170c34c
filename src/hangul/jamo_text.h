// The working text of the jamo stages, with a summary of the letters it
// holds.
//
// Most rule tables find none of their patterns in a sentence. The summary
// says so without a pass over the text: a table none of whose keys the text
// holds is passed over at once. The text keeps the summary in step as rules
// rewrite it; any other edit marks it stale and it is made again when it is
// next asked for.
#ifndef PIMORU_HANGUL_JAMO_TEXT_H_
#define PIMORU_HANGUL_JAMO_TEXT_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pimoru {

// Which letters and adjacent letter pairs a text holds: the letters of ASCII
// and the jamo block exactly, every other letter as one, and the pairs as a
// hashed set of 4,096 bits. Never says a letter or pair is absent that
// stands in the text; may tell of some that do not.
class LetterPairs {
 public:
  LetterPairs() = default;
  explicit LetterPairs(std::u16string_view text) { Add(text); }

  void Clear() { bits_.fill(0); }
  // Adds the letters and pairs of a stretch of the text.
  void Add(std::u16string_view stretch);
  // Tells of every letter and pair there is.
  void AddEverything() { bits_.fill(~std::uint64_t{0}); }

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

class JamoText {
 public:
  JamoText() = default;
  // A plain text answers every query of its summary with "maybe", so the
  // stages run every rule and every pass: the reference that the shortcuts
  // are held to.
  explicit JamoText(std::u16string text, bool plain = false)
      : text_(std::move(text)), plain_(plain) {}

  const std::u16string& str() const { return text_; }
  std::u16string_view view() const { return text_; }
  std::size_t size() const { return text_.size(); }
  bool plain() const { return plain_; }

  // The letters and pairs of the text, and perhaps of some it held before.
  const LetterPairs& Letters();

  // ReplaceAll through the text, noting in `written_at` where each
  // replacement begins in the new text; the summary learns the pairs
  // around each.
  bool ReplaceAll(std::u16string_view pattern, std::u16string_view replacement,
                  std::vector<std::size_t>& written_at);
  // One unit more at each end, and the units at or below U+0020 off both
  // ends again: neither leaves a pair untold.
  void Pad(char16_t unit);
  void Trim();

  // Any other rewrite: the summary is made again when next asked for.
  std::u16string& Edit() {
    stale_ = true;
    return text_;
  }

 private:
  std::u16string text_;
  LetterPairs letters_;
  bool stale_ = true;
  bool plain_ = false;
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_JAMO_TEXT_H_
