#include "speech/speech.h"

namespace pimoru {
namespace {

class MuteSpeaker : public Speaker {
 public:
  SpeakerState State() const override {
    return {SpeechSupport::kNotBuilt,
            "built without speech (the espeak-ng synthesiser)"};
  }
  std::optional<Speech> Speak(std::u16string_view, int) const override {
    return std::nullopt;
  }
};

}  // namespace

std::shared_ptr<const Speaker> MakeSpeaker() {
  static const auto speaker = std::make_shared<const MuteSpeaker>();
  return speaker;
}

}  // namespace pimoru
