// The speaker that speaks through the espeak-ng synthesiser, with its
// Korean voice.
#ifndef PIMORU_SPEECH_ESPEAK_SPEAKER_H_
#define PIMORU_SPEECH_ESPEAK_SPEAKER_H_

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "render/speaker.h"

namespace pimoru {

// The synthesiser's library, by the name of its binary interface.
inline constexpr char kSynthesiserLibrary[] = "libespeak-ng.so.1";

class EspeakSpeaker : public Speaker {
 public:
  // Loads nothing: the library is opened, and the synthesiser started with
  // the Korean voice, at the first call that needs it. The synthesiser
  // keeps its state in the library, so a process has one of these at most
  // (MakeSpeaker's).
  EspeakSpeaker();
  ~EspeakSpeaker() override;
  EspeakSpeaker(const EspeakSpeaker&) = delete;
  EspeakSpeaker& operator=(const EspeakSpeaker&) = delete;

  SpeakerState State() const override;
  std::optional<Speech> Speak(std::u16string_view reading,
                              int words_per_minute) const override;

  // The phonemes the synthesiser speaks for `text`, in its own ASCII
  // names ("g'uNmuL" for 궁물), a space between clauses; nullopt when it
  // cannot speak.
  std::optional<std::string> Phonemes(std::u16string_view text) const;

  // The synthesiser's version ("1.51"), or empty when it cannot speak.
  std::string Version() const;

 private:
  class Engine;
  std::unique_ptr<Engine> engine_;
};

}  // namespace pimoru

#endif  // PIMORU_SPEECH_ESPEAK_SPEAKER_H_
