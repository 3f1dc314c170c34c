#include "report/work_report.h"

namespace pimoru {

void WriteWorkReport(const std::filesystem::path&, std::u16string_view,
                     std::u16string_view, const StageRecord&,
                     std::u16string_view, const std::filesystem::path&) {}

}  // namespace pimoru
