// The command line's output of one conversion: tsv, text or json, with the
// stage trace when asked for.
#ifndef PIMORU_CLI_OUTPUT_H_
#define PIMORU_CLI_OUTPUT_H_

#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "render/conversion.h"

namespace pimoru {

// Appends the output line(s) of a conversion to `out`, as UTF-8.
void WriteConversion(const Conversion& c, OutputFormat format, bool stage_trace,
                     std::string& out);

// A JSON string literal of `text`.
std::string JsonString(std::u16string_view text);

}  // namespace pimoru

#endif  // PIMORU_CLI_OUTPUT_H_
