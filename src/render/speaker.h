// The reading spoken aloud, as the core knows it: an interface only.
//
// The synthesiser that implements it lives in a library of its own
// (speech/), so that the core links nothing beyond the standard library; a
// program built without it gets a speaker that cannot speak.
#ifndef PIMORU_RENDER_SPEAKER_H_
#define PIMORU_RENDER_SPEAKER_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pimoru {

// The speeds a speaker takes, in words per minute.
inline constexpr int kSlowestWordsPerMinute = 80;
inline constexpr int kFastestWordsPerMinute = 450;
inline constexpr int kNormalWordsPerMinute = 175;  // 普通
inline constexpr int kSlowWordsPerMinute = 120;    // ゆっくり

// Sound: 16-bit signed mono samples, `sample_rate` of them a second.
struct Speech {
  int sample_rate = 0;
  std::vector<std::int16_t> samples;
};

enum class SpeechSupport {
  kNotBuilt,  // the program was built without speech
  kMissing,   // built with it, but the synthesiser or its voice is missing
  kReady,
};

struct SpeakerState {
  SpeechSupport support = SpeechSupport::kNotBuilt;
  // What is missing, one line in English for the command line and the
  // window's log; empty when ready.
  std::string problem;
};

class Speaker {
 public:
  virtual ~Speaker() = default;
  // Whether this speaker can speak; the first call may load the
  // synthesiser. Safe to call from several threads at once.
  virtual SpeakerState State() const = 0;
  // `reading` (reading Hangul, as the pipeline leaves it) spoken at
  // `words_per_minute`, clamped to the speeds above; nullopt when the
  // speaker cannot speak. Safe to call from several threads at once.
  virtual std::optional<Speech> Speak(std::u16string_view reading,
                                      int words_per_minute) const = 0;
};

}  // namespace pimoru

#endif  // PIMORU_RENDER_SPEAKER_H_
