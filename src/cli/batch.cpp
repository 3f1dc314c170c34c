#include "cli/batch.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "cli/converter.h"

namespace pimoru {

bool LineReader::Next(std::string_view& line) {
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
      ssize_t got;
      do {
        got = ::read(fd_, buffer_.data() + searched, kBlock);
      } while (got < 0 && errno == EINTR);
      if (got < 0) error_ = errno;
      buffer_.resize(searched +
                     static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
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

bool StandardOutput::Write(std::string& text) {
  std::string_view rest = text;
  while (!failed_ && !rest.empty()) {
    const ssize_t wrote = ::write(STDOUT_FILENO, rest.data(), rest.size());
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      Fail(wrote < 0 ? errno : EIO);
    } else {
      rest.remove_prefix(static_cast<std::size_t>(wrote));
    }
  }
  text.clear();
  return !failed_;
}

bool StandardOutput::Close() {
  if (::close(STDOUT_FILENO) != 0 && errno != EINTR && !failed_) {
    Fail(errno);
  }
  return !failed_;
}

void StandardOutput::Fail(int error) {
  failed_ = true;
  std::cerr << "pimoru-cli: standard output: " << std::strerror(error)
            << std::endl;
}

void WriteErrors(std::string& errors) {
  if (errors.empty()) return;
  std::cerr << errors << std::flush;
  errors.clear();
}

int BatchWorkers(const CliAsker& asker) {
  if (asker.OnTerminal()) return 0;
  const unsigned cores = std::thread::hardware_concurrency();
  return cores < 2 ? 0 : static_cast<int>(std::min(cores, 8u));
}

namespace {

// Inputs one after another, writing each input's output before the next is
// converted when questions go to the terminal, so that the answers already
// given are on screen.
class SerialInputs {
 public:
  SerialInputs(const CommandLine& cl, LoadedWordLists& lists, CliAsker& asker,
               StandardOutput& out, AudioFiles* audio)
      : converter_(cl, lists, asker, audio),
        interactive_(asker.OnTerminal()),
        output_(out) {}

  void Convert(std::string_view text, const InputName& where) {
    all_ok_ = converter_.ConvertOne(text, where, out_, errors_) && all_ok_;
    WriteErrors(errors_);
    if (interactive_ || out_.size() >= kFlushSize) output_.Write(out_);
  }
  // Whether more input is wanted: not once the output failed.
  bool WantsMore() const { return !output_.failed(); }
  bool Finish(std::optional<Conversion>& last) {
    output_.Write(out_);
    if (std::optional<Conversion> kept = converter_.TakeLast()) {
      last = std::move(kept);
    }
    return all_ok_;
  }

 private:
  static constexpr std::size_t kFlushSize = 1 << 16;
  Converter converter_;
  bool interactive_;
  StandardOutput& output_;
  std::string out_;
  std::string errors_;
  bool all_ok_ = true;
};

// The lines of standard input as one batch, converted by several workers at
// once. Each worker has its own converter and answerer; the word lists,
// read once for the run, they only read from. The output, the messages and
// the report follow the input order. At most a few chunks are in flight,
// so the memory stays bounded however long the input.
class ParallelInputs {
 public:
  ParallelInputs(const CommandLine& cl, LoadedWordLists& lists, int workers,
                 StandardOutput& out, AudioFiles* audio)
      : max_in_flight_(static_cast<std::size_t>(workers) * 2), output_(out) {
    for (int k = 0; k < workers; ++k) {
      auto& worker = workers_.emplace_back(std::make_unique<Worker>());
      worker->asker = MakeAsker(cl);
      worker->converter =
          std::make_unique<Converter>(cl, lists, *worker->asker, audio);
    }
    for (auto& worker : workers_) {
      worker->thread = std::thread([this, w = worker.get()] { Work(*w); });
    }
  }
  ParallelInputs(const ParallelInputs&) = delete;
  ParallelInputs& operator=(const ParallelInputs&) = delete;
  ~ParallelInputs() { Stop(); }

  void Convert(std::string_view line, std::size_t number) {
    if (chunk_->ends.empty()) chunk_->first_number = number;
    chunk_->text += line;
    chunk_->ends.push_back(chunk_->text.size());
    if (chunk_->ends.size() >= kChunkLines ||
        chunk_->text.size() >= kChunkBytes) {
      Submit();
    }
  }
  bool WantsMore() const { return !output_.failed(); }
  bool Finish(std::optional<Conversion>& last) {
    if (!chunk_->ends.empty() && WantsMore()) Submit();
    while (!order_.empty()) WriteOldest();
    if (last_) last = std::move(last_);
    return all_ok_;
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
    std::optional<Conversion> last;
    bool all_ok = true;
    bool done = false;
  };
  struct Worker {
    std::unique_ptr<CliAsker> asker;
    std::unique_ptr<Converter> converter;
    std::thread thread;
  };

  void Submit() {
    if (order_.size() >= max_in_flight_) WriteOldest();
    Chunk* job = chunk_.get();
    order_.push_back(std::exchange(chunk_, std::make_unique<Chunk>()));
    {
      const std::lock_guard lock(mutex_);
      jobs_.push_back(job);
    }
    job_ready_.notify_one();
  }

  // Waits for the oldest chunk and writes what it made.
  void WriteOldest() {
    Chunk& chunk = *order_.front();
    {
      std::unique_lock lock(mutex_);
      chunk_done_.wait(lock, [&] { return chunk.done; });
    }
    WriteErrors(chunk.errors);
    output_.Write(chunk.out);
    all_ok_ = chunk.all_ok && all_ok_;
    if (chunk.last) last_ = std::move(chunk.last);
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
  StandardOutput& output_;
  std::vector<std::unique_ptr<Worker>> workers_;
  // The main thread's only: the chunk being filled, those in flight, and
  // what the written ones left.
  std::unique_ptr<Chunk> chunk_ = std::make_unique<Chunk>();
  std::deque<std::unique_ptr<Chunk>> order_;
  std::optional<Conversion> last_;
  bool all_ok_ = true;
  std::mutex mutex_;
  std::condition_variable job_ready_;
  std::condition_variable chunk_done_;
  std::deque<Chunk*> jobs_;
  bool stopping_ = false;
};

// Every line of standard input through `inputs`, until the input ends, a
// read fails or the output does.
template <typename Inputs>
bool ConvertLines(Inputs& inputs, std::optional<Conversion>& last) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  LineReader reader(STDIN_FILENO);
  std::string_view line;
  std::size_t number = 0;
  while (inputs.WantsMore() && reader.Next(line)) {
    // Editors on some systems begin a UTF-8 file with a byte-order mark.
    if (number == 0 && line.starts_with(kByteOrderMark)) {
      line.remove_prefix(kByteOrderMark.size());
    }
    inputs.Convert(line, ++number);
  }
  const bool all_ok = inputs.Finish(last);
  if (reader.error() != 0) {
    std::cerr << "pimoru-cli: standard input: " << std::strerror(reader.error())
              << std::endl;
    return false;
  }
  return all_ok;
}

}  // namespace

bool ConvertInputs(const CommandLine& cl, LoadedWordLists& lists,
                   CliAsker& asker, StandardOutput& out,
                   std::optional<Conversion>& last, AudioFiles* audio) {
  if (!cl.texts.empty()) {
    SerialInputs inputs(cl, lists, asker, out, audio);
    for (std::size_t k = 0; k < cl.texts.size() && inputs.WantsMore(); ++k) {
      inputs.Convert(cl.texts[k], InputName{"argument", k + 1});
    }
    return inputs.Finish(last);
  }
  if (const int workers = BatchWorkers(asker); workers > 0) {
    ParallelInputs inputs(cl, lists, workers, out, audio);
    return ConvertLines(inputs, last);
  }
  SerialInputs serial(cl, lists, asker, out, audio);
  struct Lines {
    SerialInputs& inputs;
    bool WantsMore() const { return inputs.WantsMore(); }
    void Convert(std::string_view line, std::size_t number) {
      inputs.Convert(line, InputName{"line", number});
    }
    bool Finish(std::optional<Conversion>& last) { return inputs.Finish(last); }
  } lines{serial};
  return ConvertLines(lines, last);
}

}  // namespace pimoru
