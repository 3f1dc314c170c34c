// pimoru-cli: the reading conversion and the transcription for scripts and
// whole files.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "hangul/ask.h"
#include "hangul/jamo.h"
#include "hangul/utf.h"
#include "hangul/word_list.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_record.h"
#include "render/transcription.h"
#include "report/work_report.h"

namespace pimoru {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitSomeFailed = 1;
constexpr int kExitUsage = 2;

// Asks on the controlling terminal, so that questions work while the text
// itself comes from a pipe.
class TerminalAsker : public Asker {
 public:
  explicit TerminalAsker(std::FILE* tty) : tty_(tty) {}
  ~TerminalAsker() override { std::fclose(tty_); }
  TerminalAsker(const TerminalAsker&) = delete;
  TerminalAsker& operator=(const TerminalAsker&) = delete;

  bool Confirm(std::u16string_view message) override {
    std::string shown = Utf16ToUtf8(message);
    for (std::size_t at = shown.find("\r\n"); at != std::string::npos;
         at = shown.find("\r\n", at)) {
      shown.erase(at, 1);
    }
    while (true) {
      std::fprintf(tty_, "%s\n[y/n] ", shown.c_str());
      std::fflush(tty_);
      char line[64];
      if (std::fgets(line, sizeof line, tty_) == nullptr) return false;
      const std::string_view answer(line);
      if (answer.starts_with('y') || answer.starts_with('Y')) return true;
      if (answer.starts_with('n') || answer.starts_with('N')) return false;
    }
  }

 private:
  std::FILE* tty_;
};

// Answers from a list given on the command line, afresh for every input.
class ListAsker : public Asker {
 public:
  explicit ListAsker(std::string answers) : answers_(std::move(answers)) {}
  void Restart() { next_ = 0; }
  bool Confirm(std::u16string_view) override {
    return next_ < answers_.size() && answers_[next_++] == 'y';
  }
  bool ReadsMessages() const override { return false; }

 private:
  std::string answers_;
  std::size_t next_ = 0;
};

std::filesystem::path InstalledDataFolder() {
  std::error_code ec;
  const std::filesystem::path exe =
      std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "share/pimoru";
  return exe.parent_path().parent_path() / "share" / "pimoru";
}

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

// Tabs and line breaks inside a field would break the line-per-input layout.
std::string TsvField(std::u16string_view text) {
  std::string out = Utf16ToUtf8(text);
  for (char& c : out) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return out;
}

struct Converted {
  std::u16string input;
  std::u16string reading;
  Transcription transcription;
  StageRecord record;
};

class Converter {
 public:
  Converter(const CommandLine& cl, std::filesystem::path data, Asker& asker)
      : cl_(cl),
        data_(std::move(data)),
        lists_(data_ / "kdat", /*cache=*/true),
        asker_(asker) {}

  // Converts one input and appends its output line(s) to `out`. Returns false
  // (with the message on stderr) when the input failed; its output is then an
  // empty line, so output lines stay aligned with input lines.
  bool ConvertOne(std::string_view utf8, std::string_view where,
                  std::string& out) {
    const std::optional<std::u16string> text = Utf8ToUtf16(utf8);
    if (!text) {
      Fail(where, "invalid UTF-8", out);
      return false;
    }
    if (auto* list = dynamic_cast<ListAsker*>(&asker_)) list->Restart();
    // The same buffers serve every input; the stages' texts are composed
    // only when the trace or the report shows them.
    Converted& c = current_;
    c.input = std::move(*text);
    const RecordTexts texts = cl_.stage_trace || cl_.report_path
                                  ? RecordTexts::kAll
                                  : RecordTexts::kFlagsOnly;
    try {
      c.reading =
          RunPipeline(c.input, cl_.options, lists_, asker_, c.record, texts);
      c.transcription =
          Transcribe(c.reading, cl_.options.noon_idx, c.record, texts);
    } catch (const ConversionError& e) {
      Fail(where, e.what(), out);
      return false;
    }
    Write(c, out);
    if (cl_.report_path) {
      if (!last_) last_.emplace();
      std::swap(*last_, current_);
    }
    return true;
  }

  // Writes the report of the last input that converted.
  bool WriteReport() {
    if (!cl_.report_path || !last_) return true;
    try {
      WriteWorkReport(*cl_.report_path, Trim(last_->input), last_->reading,
                      last_->record, last_->transcription.voicing_marks,
                      std::filesystem::absolute(data_ / "html"));
    } catch (const ConversionError& e) {
      std::cerr << "pimoru-cli: " << e.what() << '\n';
      return false;
    }
    return true;
  }

 private:
  // `where` names the input: "line 3" of standard input or "argument 2".
  void Fail(std::string_view where, std::string_view message,
            std::string& out) {
    std::cerr << "pimoru-cli: " << where << ": " << message << '\n';
    out += '\n';
  }

  void Write(const Converted& c, std::string& out) const {
    const Transcription& t = c.transcription;
    switch (cl_.format) {
      case OutputFormat::kTsv:
        WriteTrace(c.record, out);
        out += TsvField(c.reading) + '\t' + TsvField(t.symbols) + '\t' +
               TsvField(t.kana) + '\n';
        break;
      case OutputFormat::kText:
        WriteTrace(c.record, out);
        out += "読みﾊﾝｸﾞﾙ：" + TsvField(c.reading) + '\n';
        out += "発音記号：" + TsvField(t.symbols) + '\n';
        out += "発音カナ：" + TsvField(t.kana) + '\n';
        break;
      case OutputFormat::kJson: {
        out += "{\"input\":" + JsonString(c.input) +
               ",\"reading\":" + JsonString(c.reading) +
               ",\"symbols\":" + JsonString(t.symbols) +
               ",\"kana\":" + JsonString(t.kana);
        if (cl_.stage_trace) {
          out += ",\"stages\":[";
          bool first = true;
          ForEachStoredSlot(c.record, [&](int slot) {
            if (!first) out += ',';
            first = false;
            out += "{\"slot\":" + std::to_string(slot) +
                   ",\"name\":" + JsonString(StageName(slot)) +
                   ",\"text\":" + JsonString(c.record.results[slot]) + '}';
          });
          out += ']';
        }
        out += "}\n";
        break;
      }
    }
  }

  // Slots 0 and 1 always, the others when they stored a text.
  template <typename Visit>
  static void ForEachStoredSlot(const StageRecord& record, Visit visit) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
      if (slot <= 1 || !record.results[slot].empty()) visit(slot);
    }
  }

  void WriteTrace(const StageRecord& record, std::string& out) const {
    if (!cl_.stage_trace) return;
    ForEachStoredSlot(record, [&](int slot) {
      out += std::to_string(slot) + '\t' + Utf16ToUtf8(StageName(slot)) + '\t' +
             TsvField(record.results[slot]) + '\n';
    });
  }

  const CommandLine& cl_;
  std::filesystem::path data_;
  FolderWordLists lists_;
  Asker& asker_;
  Converted current_;
  std::optional<Converted> last_;  // kept for the report
};

std::unique_ptr<Asker> MakeAsker(const CommandLine& cl) {
  if (cl.answer_list) return std::make_unique<ListAsker>(*cl.answer_list);
  AnswerPolicy policy = cl.answers;
  if (policy == AnswerPolicy::kDefault) {
    policy = isatty(STDIN_FILENO) && isatty(STDERR_FILENO) ? AnswerPolicy::kAsk
                                                           : AnswerPolicy::kNo;
  }
  if (policy == AnswerPolicy::kAsk) {
    if (std::FILE* tty = std::fopen("/dev/tty", "r+")) {
      return std::make_unique<TerminalAsker>(tty);
    }
    if (cl.answers == AnswerPolicy::kAsk) return nullptr;
    policy = AnswerPolicy::kNo;
  }
  return std::make_unique<FixedAsker>(policy == AnswerPolicy::kYes);
}

int Main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const std::optional<CommandLine> cl = ParseCommandLine(args, error);
  if (!cl) {
    std::cerr << "pimoru-cli: " << error << "\n"
              << "Try 'pimoru-cli --help'.\n";
    return kExitUsage;
  }
  if (cl->help) {
    std::cout << UsageText();
    return kExitOk;
  }
  if (cl->version) {
    std::cout << "pimoru-cli " << PIMORU_VERSION << '\n';
    return kExitOk;
  }
  const std::unique_ptr<Asker> asker = MakeAsker(*cl);
  if (!asker) {
    std::cerr << "pimoru-cli: --answers ask needs a terminal (/dev/tty)\n";
    return kExitUsage;
  }
  const std::filesystem::path data =
      cl->data_folder ? std::filesystem::path(*cl->data_folder)
                      : InstalledDataFolder();
  Converter converter(*cl, data, *asker);

  bool all_ok = true;
  std::string out;
  auto flush = [&] {
    std::fwrite(out.data(), 1, out.size(), stdout);
    out.clear();
  };
  // Flush before every question, so the answers already given are on screen.
  const bool interactive = dynamic_cast<TerminalAsker*>(asker.get()) != nullptr;
  constexpr std::size_t kFlushSize = 1 << 16;
  auto convert = [&](std::string_view text, std::string_view where) {
    all_ok = converter.ConvertOne(text, where, out) && all_ok;
    if (interactive || out.size() >= kFlushSize) flush();
  };
  if (!cl->texts.empty()) {
    for (std::size_t k = 0; k < cl->texts.size(); ++k) {
      convert(cl->texts[k], "argument " + std::to_string(k + 1));
    }
  } else {
    std::string line;
    std::size_t number = 0;
    while (std::getline(std::cin, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      convert(line, "line " + std::to_string(++number));
    }
  }
  flush();
  std::fflush(stdout);
  all_ok = converter.WriteReport() && all_ok;
  return all_ok ? kExitOk : kExitSomeFailed;
}

}  // namespace
}  // namespace pimoru

int main(int argc, char** argv) { return pimoru::Main(argc, argv); }
