// The work report: an HTML page of every stage that changed the text.
#ifndef PIMORU_REPORT_WORK_REPORT_H_
#define PIMORU_REPORT_WORK_REPORT_H_

#include <filesystem>
#include <string_view>

#include "pipeline/stage_record.h"

namespace pimoru {

// Writes the report of `record` to `path` (UTF-16 little-endian with BOM),
// linking the help pages and the stylesheet in `html_folder`. Does nothing
// when `input` is empty. Throws ConversionError when the file cannot be
// written.
void WriteWorkReport(const std::filesystem::path& path, std::u16string_view input,
                     std::u16string_view reading, const StageRecord& record,
                     std::u16string_view voicing_marks,
                     const std::filesystem::path& html_folder);

}  // namespace pimoru

#endif  // PIMORU_REPORT_WORK_REPORT_H_
