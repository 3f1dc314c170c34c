#include "cli/converter.h"

#include <utility>

#include "cli/audio_files.h"
#include "cli/output.h"
#include "hangul/jamo.h"
#include "hangul/utf.h"

namespace pimoru {

void AppendInputMessage(const InputName& where, std::string_view message,
                        std::string& errors) {
  errors += "pimoru-cli: ";
  errors += where.kind;
  errors += ' ';
  errors += std::to_string(where.number);
  errors += ": ";
  errors += message;
  errors += '\n';
}

Converter::Converter(const CommandLine& cl, LoadedWordLists& lists,
                     CliAsker& asker, AudioFiles* audio)
    : cl_(cl), lists_(lists), asker_(asker), audio_(audio) {}

void Converter::Fail(std::optional<std::u16string_view> input,
                     const InputName& where, std::string_view message,
                     bool said, std::string& out, std::string& errors) const {
  if (!said) AppendInputMessage(where, message, errors);
  // The output's place says which input it is.
  WriteFailure(input, message, cl_.format, cl_.stage_trace, out);
}

bool Converter::ConvertOne(std::string_view utf8, const InputName& where,
                           std::string& out, std::string& errors) {
  Conversion& c = current_;
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
    // A list that could not be read was said once, when the run began.
    const bool said = e.kind() == ConversionError::Kind::kUnreadableWordList;
    Fail(c.input, where, e.what(), said, out, errors);
    return false;
  }
  WriteConversion(c, cl_.format, cl_.stage_trace, out);
  // What is spoken is the reading, never the input as typed.
  const bool spoken =
      audio_ == nullptr || audio_->Write(c.reading, where, errors);
  // A blank input leaves the report of the one before it.
  if (cl_.report_path && !Trim(c.input).empty()) {
    if (!last_) last_.emplace();
    std::swap(*last_, current_);
  }
  return spoken;
}

}  // namespace pimoru
