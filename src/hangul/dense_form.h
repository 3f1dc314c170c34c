// The dense form of a pattern index, for a table whose keys are all made of
// jamo and ASCII (the rule tables): each letter of a key has a class of its
// own, and for a letter of class a before one of class b, a cell holds the
// patterns to compare, filed under the pair or under the letter a alone. No
// hashing in the pass over a sentence.
#ifndef PIMORU_HANGUL_DENSE_FORM_H_
#define PIMORU_HANGUL_DENSE_FORM_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "hangul/filed_patterns.h"

namespace pimoru {

class DenseForm : public IndexForm {
 public:
  // The dense form of the patterns, or null when their keys hold a letter
  // past the jamo block or more letters than there are classes.
  static std::unique_ptr<const DenseForm> Of(const FiledPatterns& filed);

  void MarkStanding(const FiledPatterns& filed, std::u16string_view text,
                    std::size_t from, std::size_t to,
                    SmallBitSet& marks) const override;

 private:
  static constexpr char16_t kPlaces = 0x1200;
  // In a cell: the pattern is its key, and stands wherever the cell is hit.
  static constexpr std::uint32_t kWholeKey = std::uint32_t{1} << 31;

  DenseForm() = default;
  // The class of a unit: 0 for a letter that is in no key, and past the end
  // of the text.
  std::size_t ClassOf(char16_t c) const {
    return c < kPlaces ? class_of_[c] : 0;
  }

  std::vector<std::uint8_t> class_of_;
  std::size_t classes_ = 1;
  // Cell a * classes_ + b holds cell_filed_[cell_starts_[cell] .. the next
  // start).
  std::vector<std::uint32_t> cell_starts_;
  std::vector<std::uint32_t> cell_filed_;
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_DENSE_FORM_H_
