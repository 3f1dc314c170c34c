#include "cli/audio_files.h"

#include <cstdio>
#include <system_error>

#include "hangul/conversion_error.h"
#include "hangul/file_write.h"
#include "hangul/jamo.h"
#include "speech/wav.h"

namespace pimoru {
namespace {

std::string FileName(std::size_t number) {
  char name[32];
  std::snprintf(name, sizeof name, "%04zu.wav", number);
  return name;
}

}  // namespace

std::string SpeechStatus(const Speaker& speaker) {
  const SpeakerState state = speaker.State();
  return state.support == SpeechSupport::kReady
             ? "found: the synthesiser with its Korean voice, for --audio"
             : "missing: " + state.problem;
}

std::optional<std::string> AudioFiles::Prepare() {
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  if (!ec && std::filesystem::is_directory(folder_, ec)) return std::nullopt;
  stopped_ = true;
  return "--audio " + folder_.string() + ": cannot make the folder (" +
         (ec ? ec.message() : std::string("not a folder")) +
         "); no sound files are written";
}

bool AudioFiles::Write(std::u16string_view reading, const InputName& where,
                       std::string& errors) {
  if (stopped_ || Trim(reading).empty()) return true;
  const std::optional<Speech> speech =
      speaker_.Speak(reading, words_per_minute_);
  if (!speech) {
    AppendInputMessage(where, "the synthesiser could not speak the reading",
                       errors);
    return false;
  }
  try {
    WriteFileAtomically(folder_ / FileName(where.number), WavFile(*speech));
  } catch (const ConversionError& e) {
    // One message for the run: a full disk fails every file after it.
    if (stopped_.exchange(true)) return false;
    AppendInputMessage(
        where, std::string(e.what()) + "; no more sound files are written",
        errors);
    return false;
  }
  return true;
}

}  // namespace pimoru
