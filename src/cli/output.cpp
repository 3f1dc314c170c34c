#include "cli/output.h"

#include <algorithm>
#include <cstdio>

#include "hangul/utf.h"
#include "pipeline/stage_record.h"
#include "pipeline/stages.h"
#include "render/syllables.h"

namespace pimoru {
namespace {

// Appends one output line of UTF-8 fields and literal text to a string,
// sized once for the most it can take and cut to length at the end: no
// string per field. Tabs and line breaks inside a field would break the
// line-per-input layout, so they are written as spaces.
class LineWriter {
 public:
  // `max_bytes`: the literal bytes plus kMaxUtf8PerUnit per field unit.
  LineWriter(std::string& out, std::size_t max_bytes) : out_(out) {
    const std::size_t start = out.size();
    out.resize(start + max_bytes);
    at_ = out.data() + start;
  }
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;
  ~LineWriter() { out_.resize(static_cast<std::size_t>(at_ - out_.data())); }

  LineWriter& Field(std::u16string_view text) {
    at_ = WriteUtf8(text, at_, Separators::kAsSpaces);
    return *this;
  }
  LineWriter& Literal(std::string_view text) {
    at_ = std::copy(text.begin(), text.end(), at_);
    return *this;
  }

  static std::size_t FieldRoom(std::u16string_view text) {
    return text.size() * kMaxUtf8PerUnit;
  }

 private:
  std::string& out_;
  char* at_;
};

// The input and the formatted input always, the other stages when they
// stored a text.
template <typename Visit>
void ForEachStoredStage(const StageRecord& record, Visit visit) {
  for (const Stage& stage : Stages()) {
    if (stage.always_kept || stage.id == StageId::kInput ||
        !record.results[stage.id].empty()) {
      visit(stage.id);
    }
  }
}

// One line per stored stage: its number, its name and its text.
void WriteTrace(const StageRecord& record, std::string& out) {
  ForEachStoredStage(record, [&](StageId stage) {
    out += std::to_string(StageNumber(stage));
    out += '\t';
    AppendUtf8(StageName(stage), out);
    LineWriter(out, LineWriter::FieldRoom(record.results[stage]) + 2)
        .Literal("\t")
        .Field(record.results[stage])
        .Literal("\n");
  });
}

void WriteTsv(const Conversion& c, std::string& out) {
  const Transcription& t = c.transcription;
  LineWriter(out, LineWriter::FieldRoom(c.reading) +
                      LineWriter::FieldRoom(t.symbols) +
                      LineWriter::FieldRoom(t.kana) + 3)
      .Field(c.reading)
      .Literal("\t")
      .Field(t.symbols)
      .Literal("\t")
      .Field(t.kana)
      .Literal("\n");
}

void WriteText(const Conversion& c, std::string& out) {
  const Transcription& t = c.transcription;
  constexpr std::string_view kReading = "読みﾊﾝｸﾞﾙ：";
  constexpr std::string_view kSymbols = "\n発音記号：";
  constexpr std::string_view kKana = "\n発音カナ：";
  LineWriter(out, kReading.size() + LineWriter::FieldRoom(c.reading) +
                      kSymbols.size() + LineWriter::FieldRoom(t.symbols) +
                      kKana.size() + LineWriter::FieldRoom(t.kana) + 1)
      .Literal(kReading)
      .Field(c.reading)
      .Literal(kSymbols)
      .Field(t.symbols)
      .Literal(kKana)
      .Field(t.kana)
      .Literal("\n");
}

void WriteJson(const Conversion& c, bool stage_trace, std::string& out) {
  const Transcription& t = c.transcription;
  out += "{\"input\":" + JsonString(c.input) +
         ",\"reading\":" + JsonString(c.reading) +
         ",\"symbols\":" + JsonString(t.symbols) +
         ",\"kana\":" + JsonString(t.kana) + ",\"syllables\":[";
  bool first_syllable = true;
  for (const SyllableSounds& s : SoundsBySyllable(c.reading, t.notation)) {
    if (!first_syllable) out += ',';
    first_syllable = false;
    out += "{\"reading\":" + JsonString(s.reading) +
           ",\"symbols\":" + JsonString(s.symbols) +
           ",\"kana\":" + JsonString(s.kana) + '}';
  }
  out += ']';
  if (stage_trace) {
    out += ",\"stages\":[";
    bool first = true;
    ForEachStoredStage(c.record, [&](StageId stage) {
      if (!first) out += ',';
      first = false;
      out += "{\"slot\":" + std::to_string(StageNumber(stage)) +
             ",\"name\":" + JsonString(StageName(stage)) +
             ",\"text\":" + JsonString(c.record.results[stage]) + '}';
    });
    out += ']';
  }
  out += "}\n";
}

}  // namespace

std::string JsonString(std::u16string_view text) {
  const std::string utf8 = Utf16ToUtf8(text);
  std::string out = "\"";
  for (const char c : utf8) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x",
                        static_cast<unsigned char>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

void WriteConversion(const Conversion& c, OutputFormat format, bool stage_trace,
                     std::string& out) {
  switch (format) {
    case OutputFormat::kTsv:
      if (stage_trace) WriteTrace(c.record, out);
      WriteTsv(c, out);
      break;
    case OutputFormat::kText:
      if (stage_trace) WriteTrace(c.record, out);
      WriteText(c, out);
      break;
    case OutputFormat::kJson:
      WriteJson(c, stage_trace, out);
      break;
  }
}

void WriteFailure(std::optional<std::u16string_view> input,
                  std::string_view message, OutputFormat format,
                  bool stage_trace, std::string& out) {
  if (format == OutputFormat::kJson) {
    out += '{';
    if (input) out += "\"input\":" + JsonString(*input) + ',';
    out += "\"error\":" + JsonString(Utf8ToUtf16Lossy(message)) + "}\n";
  } else if (format == OutputFormat::kText || stage_trace) {
    out += "エラー：";
    out += message;
    out += '\n';
  } else {
    out += '\n';
  }
}

}  // namespace pimoru
