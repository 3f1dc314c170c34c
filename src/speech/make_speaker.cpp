#include "speech/espeak_speaker.h"
#include "speech/speech.h"

namespace pimoru {

std::shared_ptr<const Speaker> MakeSpeaker() {
  // One for the process: the synthesiser keeps its state in the library.
  static const auto speaker = std::make_shared<const EspeakSpeaker>();
  return speaker;
}

}  // namespace pimoru
