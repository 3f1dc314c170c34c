#include "cli/converter.h"

#include <utility>

#include "cli/output.h"
#include "hangul/file_access.h"
#include "hangul/jamo.h"
#include "hangul/utf.h"

namespace pimoru {

Converter::Converter(const CommandLine& cl, LoadedWordLists& lists,
                     CliAsker& asker)
    : cl_(cl), lists_(lists), asker_(asker) {}

void Converter::Fail(std::optional<std::u16string_view> input,
                     const InputName& where, std::string_view message,
                     bool said, std::string& out, std::string& errors) const {
  if (!said) {
    errors += "pimoru-cli: ";
    errors += where.kind;
    errors += ' ';
    errors += std::to_string(where.number);
    errors += ": ";
    errors += message;
    errors += '\n';
  }
  // The output's place says which input it is.
  WriteFailure(input, message, cl_.format, cl_.stage_trace, out);
}

bool Converter::ConvertOne(std::string_view utf8, const InputName& where,
                           std::string& out, std::string& errors) {
  Conversion& c = current_;
  if (utf8.size() > kMostInputBytes) {
    Fail(std::nullopt, where,
         "longer than " + ByteSizeText(kMostInputBytes) + ", not converted",
         false, out, errors);
    return false;
  }
  if (!Utf8ToUtf16(utf8, c.input)) {
    Fail(std::nullopt, where, "invalid UTF-8", false, out, errors);
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
    Fail(c.input, where, e.what(), lists_.IsListError(e.what()), out, errors);
    return false;
  }
  WriteConversion(c, cl_.format, cl_.stage_trace, out);
  // A blank input leaves the report of the one before it.
  if (cl_.report_path && !Trim(c.input).empty()) {
    if (!last_) last_.emplace();
    std::swap(*last_, current_);
  }
  return true;
}

}  // namespace pimoru
