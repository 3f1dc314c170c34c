#include "pipeline/stage_record.h"

namespace pimoru {

void StageRecord::Clear() {
  for (std::u16string& result : results) result.clear();
  changed.Fill(false);
  for (std::vector<RecordedQuestion>& asked : questions) asked.clear();
  number_notes.clear();
}

std::u16string PreviousStageResult(const StageRecord& record, StageId stage) {
  // The stages in pipeline order are the enum's values in order.
  for (auto k = static_cast<int>(stage) - 1;
       k >= static_cast<int>(StageId::kFormatting); --k) {
    const std::u16string& result = record.results[static_cast<StageId>(k)];
    if (!result.empty()) return result;
  }
  return std::u16string();
}

}  // namespace pimoru
