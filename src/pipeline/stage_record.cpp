#include "pipeline/stage_record.h"

#include "pipeline/stages.h"

namespace pimoru {

void StageRecord::Clear() {
  for (std::u16string& result : results) result.clear();
  changed.fill(false);
  questions.clear();
}

std::u16string_view StageName(int slot) {
  return slot >= 0 && slot < kSlotCount ? Stages()[slot].name
                                        : std::u16string_view();
}

std::u16string_view HelpPage(int slot) {
  return slot >= 0 && slot < kSlotCount ? Stages()[slot].help_page
                                        : std::u16string_view();
}

std::u16string PreviousStageResult(const StageRecord& record, int slot) {
  if (slot > kSlotCount) slot = kSlotCount;
  for (int k = slot - 1; k >= 1; --k) {
    if (!record.results[k].empty()) return record.results[k];
  }
  return std::u16string();
}

}  // namespace pimoru
