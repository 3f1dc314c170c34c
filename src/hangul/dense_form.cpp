#include "hangul/dense_form.h"

#include <utility>

namespace pimoru {

std::unique_ptr<const DenseForm> DenseForm::Of(const FiledPatterns& filed) {
  // Past 255 letters the classes would need to be wider; such a table is a
  // word list, for which hashing is the better form anyway.
  std::vector<std::uint8_t> class_of(kPlaces, 0);
  std::size_t classes = 1;
  for (std::size_t p = 0; p < filed.size(); ++p) {
    for (const char16_t letter : filed.Key(p)) {
      if (letter >= kPlaces) return nullptr;
      if (class_of[letter] != 0) continue;
      if (classes == 256) return nullptr;
      class_of[letter] = static_cast<std::uint8_t>(classes++);
    }
  }
  std::vector<std::vector<std::uint32_t>> cells(classes * classes);
  for (std::size_t p = 0; p < filed.size(); ++p) {
    const std::u16string_view pattern = filed.pattern(p);
    if (pattern.empty()) continue;
    const std::u16string_view key = filed.Key(p);
    const std::size_t first = class_of[key[0]];
    // Every letter has a class of its own, so where the key of a pattern
    // of one or two letters stands, the pattern stands.
    const auto number =
        static_cast<std::uint32_t>(p) | (pattern.size() <= 2 ? kWholeKey : 0);
    if (key.size() == 1) {
      for (std::size_t next = 0; next < classes; ++next) {
        cells[first * classes + next].push_back(number);
      }
    } else {
      cells[first * classes + class_of[key[1]]].push_back(number);
    }
  }
  std::unique_ptr<DenseForm> form(new DenseForm());
  form->cell_starts_.reserve(cells.size() + 1);
  form->cell_starts_.push_back(0);
  for (const std::vector<std::uint32_t>& cell : cells) {
    form->cell_filed_.insert(form->cell_filed_.end(), cell.begin(), cell.end());
    form->cell_starts_.push_back(
        static_cast<std::uint32_t>(form->cell_filed_.size()));
  }
  form->class_of_ = std::move(class_of);
  form->classes_ = classes;
  return form;
}

void DenseForm::MarkStanding(const FiledPatterns& filed,
                             std::u16string_view text, std::size_t from,
                             std::size_t to, SmallBitSet& marks) const {
  const std::size_t n = text.size();
  std::size_t first = from < n ? ClassOf(text[from]) : 0;
  for (std::size_t i = from; i < to; ++i) {
    const std::size_t next = i + 1 < n ? ClassOf(text[i + 1]) : 0;
    // A letter of class 0 begins no key: most letters, for a small table.
    if (first != 0) {
      const std::size_t cell = first * classes_ + next;
      for (std::uint32_t k = cell_starts_[cell]; k < cell_starts_[cell + 1];
           ++k) {
        const std::uint32_t number = cell_filed_[k];
        if ((number & kWholeKey) != 0) {
          marks.Set(number & ~kWholeKey);
        } else {
          filed.MarkIfStanding(number, text, i, marks);
        }
      }
    }
    first = next;
  }
}

}  // namespace pimoru
