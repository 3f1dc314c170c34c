#include "cli/converter.h"

#include <utility>

#include "cli/output.h"
#include "hangul/utf.h"

namespace pimoru {
namespace {

void Fail(const InputName& where, std::string_view message, std::string& out,
          std::string& errors) {
  errors += "pimoru-cli: ";
  errors += where.kind;
  errors += ' ';
  errors += std::to_string(where.number);
  errors += ": ";
  errors += message;
  errors += '\n';
  out += '\n';
}

}  // namespace

Converter::Converter(const CommandLine& cl, const std::filesystem::path& data,
                     CliAsker& asker)
    : cl_(cl), lists_(data / "kdat", /*cache=*/true), asker_(asker) {}

bool Converter::ConvertOne(std::string_view utf8, const InputName& where,
                           std::string& out, std::string& errors) {
  Conversion& c = current_;
  if (!Utf8ToUtf16(utf8, c.input)) {
    Fail(where, "invalid UTF-8", out, errors);
    return false;
  }
  asker_.BeginInput();
  // The stages' texts are composed only when the trace or the report shows
  // them.
  const RecordTexts texts = cl_.stage_trace || cl_.report_path
                                ? RecordTexts::kAll
                                : RecordTexts::kFlagsOnly;
  try {
    Convert(cl_.options, lists_, asker_, texts, c);
  } catch (const ConversionError& e) {
    Fail(where, e.what(), out, errors);
    return false;
  }
  WriteConversion(c, cl_.format, cl_.stage_trace, out);
  if (cl_.report_path) {
    if (!last_) last_.emplace();
    std::swap(*last_, current_);
  }
  return true;
}

}  // namespace pimoru
