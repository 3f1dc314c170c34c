// The command line's output of one conversion: tsv, text or json, with the
// stage trace when asked for.
#ifndef PIMORU_CLI_OUTPUT_H_
#define PIMORU_CLI_OUTPUT_H_

#include <optional>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "render/conversion.h"

namespace pimoru {

// Appends the output line(s) of a conversion to `out`, as UTF-8.
void WriteConversion(const Conversion& c, OutputFormat format, bool stage_trace,
                     std::string& out);

// Appends the output of an input that failed, with the message that says
// why (its place in the output says which input): in tsv an empty line, so
// that output lines stay aligned with input lines; in json an object with
// "error", and "input" when the input could be read; in text, and with the
// stage trace, the line "エラー：MESSAGE" where the input's block would
// begin.
void WriteFailure(std::optional<std::u16string_view> input,
                  std::string_view message, OutputFormat format,
                  bool stage_trace, std::string& out);

// A JSON string literal of `text`.
std::string JsonString(std::u16string_view text);

}  // namespace pimoru

#endif  // PIMORU_CLI_OUTPUT_H_
