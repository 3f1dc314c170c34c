// The sound files of --audio: the reading of each input that converted,
// spoken into a WAV file named after the input's number.
#ifndef PIMORU_CLI_AUDIO_FILES_H_
#define PIMORU_CLI_AUDIO_FILES_H_

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "cli/converter.h"
#include "render/speaker.h"

namespace pimoru {

class AudioFiles {
 public:
  AudioFiles(const Speaker& speaker, std::filesystem::path folder,
             int words_per_minute)
      : speaker_(speaker),
        folder_(std::move(folder)),
        words_per_minute_(words_per_minute) {}

  // Makes the folder, with its parents, where it is missing. Returns the
  // message when that fails; nothing is written then.
  std::optional<std::string> Prepare();

  // Speaks `reading` into the file of input `where` ("0001.wav" for input
  // 1; more digits from input 10000 on), replacing it
  // atomically as the report is; a blank reading gets no file. The first
  // file that cannot be written is said in `errors` and ends the writing:
  // later calls write nothing. Returns false when this input's file could
  // not be made. Safe to call from several workers at once.
  bool Write(std::u16string_view reading, const InputName& where,
             std::string& errors);

 private:
  const Speaker& speaker_;
  const std::filesystem::path folder_;
  const int words_per_minute_;
  std::atomic<bool> stopped_ = false;
};

// "found: ..." or "missing: <what is missing>", for --version; starts the
// synthesiser.
std::string SpeechStatus(const Speaker& speaker);

}  // namespace pimoru

#endif  // PIMORU_CLI_AUDIO_FILES_H_
