// pimoru-cli: the reading conversion and the transcription for scripts and
// whole files.
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
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

// The command line's ways of answering the questions. Each is told when an
// input begins, and says whether it talks to the user on the terminal.
class CliAsker : public Asker {
 public:
  virtual void BeginInput() {}
  virtual bool OnTerminal() const { return false; }
};

// Asks on the controlling terminal, so that questions work while the text
// itself comes from a pipe.
class TerminalAsker : public CliAsker {
 public:
  explicit TerminalAsker(std::FILE* tty) : tty_(tty) {}
  ~TerminalAsker() override { std::fclose(tty_); }
  TerminalAsker(const TerminalAsker&) = delete;
  TerminalAsker& operator=(const TerminalAsker&) = delete;

  bool OnTerminal() const override { return true; }

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

// Answers without showing the questions: from a list given on the command
// line, afresh for every input ("yny"), and `beyond` for every question past
// its end. --answers yes and no are an empty list.
class ScriptAsker : public CliAsker {
 public:
  ScriptAsker(std::string answers, bool beyond)
      : answers_(std::move(answers)), beyond_(beyond) {}
  void BeginInput() override { next_ = 0; }
  bool Confirm(std::u16string_view) override {
    return next_ < answers_.size() ? answers_[next_++] == 'y' : beyond_;
  }
  bool ReadsMessages() const override { return false; }

 private:
  std::string answers_;
  bool beyond_;
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

// Names an input in messages: "line 3" of standard input or "argument 2".
// The name is only spelled out when a message needs it.
struct InputName {
  std::string_view kind;
  std::size_t number = 0;
};

struct Converted {
  std::u16string input;
  std::u16string reading;
  Transcription transcription;
  StageRecord record;
};

class Converter {
 public:
  Converter(const CommandLine& cl, std::filesystem::path data, CliAsker& asker)
      : cl_(cl),
        data_(std::move(data)),
        lists_(data_ / "kdat", /*cache=*/true),
        asker_(asker) {}

  // Converts one input and appends its output line(s) to `out`. Returns false
  // (with the message appended to `errors`, for stderr) when the input
  // failed; its output is then an empty line, so output lines stay aligned
  // with input lines.
  bool ConvertOne(std::string_view utf8, const InputName& where,
                  std::string& out, std::string& errors) {
    // The same buffers serve every input; the stages' texts are composed
    // only when the trace or the report shows them.
    Converted& c = current_;
    if (!Utf8ToUtf16(utf8, c.input)) {
      Fail(where, "invalid UTF-8", out, errors);
      return false;
    }
    asker_.BeginInput();
    const RecordTexts texts = cl_.stage_trace || cl_.report_path
                                  ? RecordTexts::kAll
                                  : RecordTexts::kFlagsOnly;
    try {
      c.reading =
          RunPipeline(c.input, cl_.options, lists_, asker_, c.record, texts);
      Transcribe(c.reading, cl_.options.noon_idx, c.record, texts,
                 c.transcription);
    } catch (const ConversionError& e) {
      Fail(where, e.what(), out, errors);
      return false;
    }
    Write(c, out);
    if (cl_.report_path) {
      if (!last_) last_.emplace();
      std::swap(*last_, current_);
    }
    return true;
  }

  // The last input that converted since the last call, kept for the report
  // (only when a report is asked for).
  std::optional<Converted> TakeLast() { return std::exchange(last_, {}); }

 private:
  static void Fail(const InputName& where, std::string_view message,
                   std::string& out, std::string& errors) {
    errors += "pimoru-cli: ";
    errors += where.kind;
    errors += ' ';
    errors += std::to_string(where.number);
    errors += ": ";
    errors += message;
    errors += '\n';
    out += '\n';
  }

  void Write(const Converted& c, std::string& out) const {
    const Transcription& t = c.transcription;
    switch (cl_.format) {
      case OutputFormat::kTsv: {
        WriteTrace(c.record, out);
        LineWriter(out, LineWriter::FieldRoom(c.reading) +
                            LineWriter::FieldRoom(t.symbols) +
                            LineWriter::FieldRoom(t.kana) + 3)
            .Field(c.reading)
            .Literal("\t")
            .Field(t.symbols)
            .Literal("\t")
            .Field(t.kana)
            .Literal("\n");
        break;
      }
      case OutputFormat::kText: {
        WriteTrace(c.record, out);
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
        break;
      }
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
      out += std::to_string(slot);
      out += '\t';
      AppendUtf8(StageName(slot), out);
      LineWriter(out, LineWriter::FieldRoom(record.results[slot]) + 2)
          .Literal("\t")
          .Field(record.results[slot])
          .Literal("\n");
    });
  }

  const CommandLine& cl_;
  std::filesystem::path data_;
  FolderWordLists lists_;
  CliAsker& asker_;
  Converted current_;
  std::optional<Converted> last_;  // kept for the report
};

std::unique_ptr<CliAsker> MakeAsker(const CommandLine& cl) {
  if (cl.answer_list) {
    return std::make_unique<ScriptAsker>(*cl.answer_list, false);
  }
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
  return std::make_unique<ScriptAsker>("", policy == AnswerPolicy::kYes);
}

// Writes the report of the last input that converted.
bool WriteReport(const CommandLine& cl, const std::filesystem::path& data,
                 const std::optional<Converted>& last) {
  if (!cl.report_path || !last) return true;
  try {
    WriteWorkReport(*cl.report_path, Trim(last->input), last->reading,
                    last->record, last->transcription.voicing_marks,
                    std::filesystem::absolute(data / "html"));
  } catch (const ConversionError& e) {
    std::cerr << "pimoru-cli: " << e.what() << '\n';
    return false;
  }
  return true;
}

void WriteOut(std::string& out) {
  std::fwrite(out.data(), 1, out.size(), stdout);
  out.clear();
}

void WriteErrors(std::string& errors) {
  if (errors.empty()) return;
  std::cerr << errors << std::flush;
  errors.clear();
}

// Hands out the lines of a stream as std::getline splits them (without the
// line feed, and without a carriage return before it), reading a block at a
// time instead of a line at a time.
class LineReader {
 public:
  explicit LineReader(std::istream& in) : in_(*in.rdbuf()) {}
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The next line, valid until the next call; false at the end.
  bool Next(std::string_view& line) {
    std::size_t searched = begin_;  // no line feed between begin_ and here
    while (true) {
      const char* const base = buffer_.data();
      const void* const feed =
          std::memchr(base + searched, '\n', buffer_.size() - searched);
      std::size_t end = buffer_.size();
      if (feed != nullptr) {
        end = static_cast<std::size_t>(static_cast<const char*>(feed) - base);
      } else if (!at_end_) {
        // Keep the unread bytes and read more after them.
        buffer_.erase(0, begin_);
        begin_ = 0;
        searched = buffer_.size();
        buffer_.resize(searched + kBlock);
        const std::streamsize got =
            in_.sgetn(buffer_.data() + searched, kBlock);
        buffer_.resize(searched + static_cast<std::size_t>(
                                      std::max<std::streamsize>(got, 0)));
        at_end_ = got <= 0;
        continue;
      } else if (begin_ == end) {
        return false;
      }
      line = std::string_view(base + begin_, end - begin_);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      begin_ = feed != nullptr ? end + 1 : end;
      return true;
    }
  }

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  std::streambuf& in_;
  std::string buffer_;
  std::size_t begin_ = 0;  // of the bytes not handed out yet
  bool at_end_ = false;
};

// The lines of standard input as one batch, converted by several workers at
// once. Each worker has its own converter (word lists and asker), so they
// share nothing while they convert; the output, the messages and the report
// follow the input order. At most a few chunks are in flight, so the memory
// stays bounded however long the input.
class ParallelBatch {
 public:
  ParallelBatch(const CommandLine& cl, const std::filesystem::path& data,
                int workers)
      : max_in_flight_(static_cast<std::size_t>(workers) * 2) {
    for (int k = 0; k < workers; ++k) {
      auto& worker = workers_.emplace_back(std::make_unique<Worker>());
      worker->asker = MakeAsker(cl);
      worker->converter = std::make_unique<Converter>(cl, data, *worker->asker);
    }
    for (auto& worker : workers_) {
      worker->thread = std::thread([this, w = worker.get()] { Work(*w); });
    }
  }
  ParallelBatch(const ParallelBatch&) = delete;
  ParallelBatch& operator=(const ParallelBatch&) = delete;
  ~ParallelBatch() { Stop(); }

  // Converts all of standard input; returns whether every line converted.
  bool Run(std::istream& in, std::optional<Converted>& last) {
    bool all_ok = true;
    std::unique_ptr<Chunk> chunk = std::make_unique<Chunk>();
    std::size_t number = 0;
    LineReader reader(in);
    std::string_view line;
    while (reader.Next(line)) {
      if (chunk->ends.empty()) chunk->first_number = number + 1;
      chunk->text += line;
      chunk->ends.push_back(chunk->text.size());
      ++number;
      if (chunk->ends.size() >= kChunkLines ||
          chunk->text.size() >= kChunkBytes) {
        Submit(std::move(chunk), all_ok, last);
        chunk = std::make_unique<Chunk>();
      }
    }
    if (!chunk->ends.empty()) Submit(std::move(chunk), all_ok, last);
    while (!order_.empty()) WriteOldest(all_ok, last);
    return all_ok;
  }

 private:
  static constexpr std::size_t kChunkLines = 256;
  static constexpr std::size_t kChunkBytes = 1 << 15;

  struct Chunk {
    Chunk() {
      text.reserve(kChunkBytes);
      ends.reserve(kChunkLines);
    }
    // The lines, one after another in `text`, each ending where `ends`
    // says: no string per line.
    std::string text;
    std::vector<std::size_t> ends;
    std::size_t first_number = 0;  // of the first line, from 1
    // Filled in by a worker.
    std::string out;
    std::string errors;
    std::optional<Converted> last;
    bool all_ok = true;
    bool done = false;
  };
  struct Worker {
    std::unique_ptr<CliAsker> asker;
    std::unique_ptr<Converter> converter;
    std::thread thread;
  };

  void Submit(std::unique_ptr<Chunk> chunk, bool& all_ok,
              std::optional<Converted>& last) {
    if (order_.size() >= max_in_flight_) WriteOldest(all_ok, last);
    Chunk* job = chunk.get();
    order_.push_back(std::move(chunk));
    {
      const std::lock_guard lock(mutex_);
      jobs_.push_back(job);
    }
    job_ready_.notify_one();
  }

  // Waits for the oldest chunk and writes what it made.
  void WriteOldest(bool& all_ok, std::optional<Converted>& last) {
    Chunk& chunk = *order_.front();
    {
      std::unique_lock lock(mutex_);
      chunk_done_.wait(lock, [&] { return chunk.done; });
    }
    WriteErrors(chunk.errors);
    WriteOut(chunk.out);
    all_ok = chunk.all_ok && all_ok;
    if (chunk.last) last = std::move(chunk.last);
    order_.pop_front();
  }

  void Work(Worker& worker) {
    while (true) {
      Chunk* chunk = nullptr;
      {
        std::unique_lock lock(mutex_);
        job_ready_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) return;
        chunk = jobs_.front();
        jobs_.pop_front();
      }
      // The output is a few times the input; reserved, it seldom moves.
      chunk->out.reserve(chunk->text.size() * 4);
      std::size_t begin = 0;
      for (std::size_t k = 0; k < chunk->ends.size(); ++k) {
        const std::string_view line =
            std::string_view(chunk->text).substr(begin, chunk->ends[k] - begin);
        begin = chunk->ends[k];
        const InputName where{"line", chunk->first_number + k};
        chunk->all_ok = worker.converter->ConvertOne(line, where, chunk->out,
                                                     chunk->errors) &&
                        chunk->all_ok;
      }
      chunk->last = worker.converter->TakeLast();
      chunk->text = {};
      chunk->ends = {};
      {
        const std::lock_guard lock(mutex_);
        chunk->done = true;
      }
      chunk_done_.notify_all();
    }
  }

  void Stop() {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    job_ready_.notify_all();
    for (auto& worker : workers_) {
      if (worker->thread.joinable()) worker->thread.join();
    }
  }

  const std::size_t max_in_flight_;
  std::vector<std::unique_ptr<Worker>> workers_;
  std::deque<std::unique_ptr<Chunk>> order_;  // the main thread's only
  std::mutex mutex_;
  std::condition_variable job_ready_;
  std::condition_variable chunk_done_;
  std::deque<Chunk*> jobs_;
  bool stopping_ = false;
};

// How many workers a batch of standard input gets: one per core, and none
// (the plain loop) when questions go to the terminal, which asks one input
// at a time.
int BatchWorkers(const CliAsker& asker) {
  if (asker.OnTerminal()) return 0;
  const unsigned cores = std::thread::hardware_concurrency();
  return cores < 2 ? 0 : static_cast<int>(std::min(cores, 8u));
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
  const std::unique_ptr<CliAsker> asker = MakeAsker(*cl);
  if (!asker) {
    std::cerr << "pimoru-cli: --answers ask needs a terminal (/dev/tty)\n";
    return kExitUsage;
  }
  const std::filesystem::path data =
      cl->data_folder ? std::filesystem::path(*cl->data_folder)
                      : InstalledDataFolder();

  bool all_ok = true;
  std::optional<Converted> last;
  const int workers = BatchWorkers(*asker);
  if (cl->texts.empty() && workers > 0) {
    ParallelBatch batch(*cl, data, workers);
    all_ok = batch.Run(std::cin, last);
  } else {
    Converter converter(*cl, data, *asker);
    std::string out;
    std::string errors;
    // Flush before every question, so the answers already given are on
    // screen.
    const bool interactive = asker->OnTerminal();
    constexpr std::size_t kFlushSize = 1 << 16;
    auto convert = [&](std::string_view text, const InputName& where) {
      all_ok = converter.ConvertOne(text, where, out, errors) && all_ok;
      WriteErrors(errors);
      if (interactive || out.size() >= kFlushSize) WriteOut(out);
    };
    if (!cl->texts.empty()) {
      for (std::size_t k = 0; k < cl->texts.size(); ++k) {
        convert(cl->texts[k], InputName{"argument", k + 1});
      }
    } else {
      std::string line;
      std::size_t number = 0;
      while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        convert(line, InputName{"line", ++number});
      }
    }
    WriteOut(out);
    last = converter.TakeLast();
  }
  std::fflush(stdout);
  all_ok = WriteReport(*cl, data, last) && all_ok;
  return all_ok ? kExitOk : kExitSomeFailed;
}

}  // namespace
}  // namespace pimoru

int main(int argc, char** argv) { return pimoru::Main(argc, argv); }
