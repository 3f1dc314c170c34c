#include "speech/espeak_speaker.h"

#include <dlfcn.h>
#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <array>
#include <mutex>
#include <utility>
#include <vector>

#include "hangul/utf.h"

namespace pimoru {
namespace {

constexpr char kKoreanVoice[] = "ko";
// A syllable the Korean dictionary must give phonemes for: a voice whose
// dictionary file is missing still loads, and then says nothing.
constexpr char kProbeText[] = "가";

// The functions of the library that are used, looked up by name when it is
// opened.
struct Functions {
  decltype(&espeak_ng_InitializePath) initialize_path = nullptr;
  decltype(&espeak_ng_Initialize) initialize = nullptr;
  decltype(&espeak_ng_InitializeOutput) initialize_output = nullptr;
  decltype(&espeak_ng_GetSampleRate) sample_rate = nullptr;
  decltype(&espeak_ng_SetVoiceByName) set_voice = nullptr;
  decltype(&espeak_ng_SetParameter) set_parameter = nullptr;
  decltype(&espeak_ng_Synthesize) synthesize = nullptr;
  decltype(&espeak_ng_GetStatusCodeMessage) status_message = nullptr;
  decltype(&espeak_ng_ClearErrorContext) clear_error_context = nullptr;
  decltype(&espeak_ng_Terminate) terminate = nullptr;
  decltype(&espeak_SetSynthCallback) set_synth_callback = nullptr;
  decltype(&espeak_TextToPhonemes) text_to_phonemes = nullptr;
  decltype(&espeak_Info) info = nullptr;
};

template <typename Function>
bool Bind(void* library, const char* name, Function& function,
          std::string& missing) {
  function = reinterpret_cast<Function>(::dlsym(library, name));
  if (function == nullptr && missing.empty()) missing = name;
  return function != nullptr;
}

// Takes the samples of one Synthesize call into the vector its caller
// passed as user data.
int CollectSamples(short* samples, int count, espeak_EVENT* events) {
  if (samples == nullptr || count <= 0 || events == nullptr) return 0;
  auto* out = static_cast<std::vector<std::int16_t>*>(events->user_data);
  if (out != nullptr) out->insert(out->end(), samples, samples + count);
  return 0;  // go on
}

}  // namespace

// The library and the synthesiser in it, started once. Every call holds the
// mutex: the synthesiser is not safe to call from two threads at once.
class EspeakSpeaker::Engine {
 public:
  ~Engine() {
    if (state_.support == SpeechSupport::kReady) f_.terminate();
    // The library stays loaded: it may have left handlers behind.
  }

  SpeakerState State() {
    const std::lock_guard lock(mutex_);
    Start();
    return state_;
  }

  std::optional<Speech> Speak(std::u16string_view reading,
                              int words_per_minute) {
    const std::lock_guard lock(mutex_);
    if (!Start()) return std::nullopt;
    f_.set_parameter(espeakRATE,
                     std::clamp(words_per_minute, kSlowestWordsPerMinute,
                                kFastestWordsPerMinute),
                     0);
    const std::string text = Utf16ToUtf8(reading);
    Speech speech{sample_rate_, {}};
    const espeak_ng_STATUS status =
        f_.synthesize(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                      espeakCHARS_UTF8, nullptr, &speech.samples);
    if (status != ENS_OK) return std::nullopt;
    return speech;
  }

  std::optional<std::string> Phonemes(std::u16string_view text) {
    const std::lock_guard lock(mutex_);
    if (!Start()) return std::nullopt;
    return PhonemesOf(Utf16ToUtf8(text));
  }

  std::string Version() {
    const std::lock_guard lock(mutex_);
    if (!Start()) return {};
    const char* data_path = nullptr;
    return f_.info(&data_path);
  }

 private:
  // Opens the library and starts the synthesiser with the Korean voice the
  // first time; whether that succeeded.
  bool Start() {
    if (!started_) {
      started_ = true;
      state_ = Open();
    }
    return state_.support == SpeechSupport::kReady;
  }

  SpeakerState Open() {
    void* library = ::dlopen(kSynthesiserLibrary, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
      return Missing(std::string("the synthesiser's library cannot be "
                                 "loaded: ") +
                     ::dlerror());
    }
    std::string missing;
    const bool bound =
        Bind(library, "espeak_ng_InitializePath", f_.initialize_path,
             missing) &&
        Bind(library, "espeak_ng_Initialize", f_.initialize, missing) &&
        Bind(library, "espeak_ng_InitializeOutput", f_.initialize_output,
             missing) &&
        Bind(library, "espeak_ng_GetSampleRate", f_.sample_rate, missing) &&
        Bind(library, "espeak_ng_SetVoiceByName", f_.set_voice, missing) &&
        Bind(library, "espeak_ng_SetParameter", f_.set_parameter, missing) &&
        Bind(library, "espeak_ng_Synthesize", f_.synthesize, missing) &&
        Bind(library, "espeak_ng_GetStatusCodeMessage", f_.status_message,
             missing) &&
        Bind(library, "espeak_ng_ClearErrorContext", f_.clear_error_context,
             missing) &&
        Bind(library, "espeak_ng_Terminate", f_.terminate, missing) &&
        Bind(library, "espeak_SetSynthCallback", f_.set_synth_callback,
             missing) &&
        Bind(library, "espeak_TextToPhonemes", f_.text_to_phonemes, missing) &&
        Bind(library, "espeak_Info", f_.info, missing);
    if (!bound) {
      return Missing(std::string(kSynthesiserLibrary) + " lacks " + missing);
    }
    // The data folder: ESPEAK_DATA_PATH where set, else the library's own.
    f_.initialize_path(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    espeak_ng_STATUS status = f_.initialize(&context);
    f_.clear_error_context(&context);
    if (status != ENS_OK) {
      return Missing("the synthesiser's data cannot be read: " +
                     Message(status));
    }
    // Synchronous, into the callback only: no sound device is opened.
    status = f_.initialize_output(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr);
    if (status != ENS_OK) {
      return Stopped("the synthesiser cannot start: " + Message(status));
    }
    f_.set_synth_callback(CollectSamples);
    status = f_.set_voice(kKoreanVoice);
    if (status != ENS_OK) {
      return Stopped("the synthesiser has no Korean voice (espeak-ng-data): " +
                     Message(status));
    }
    if (PhonemesOf(kProbeText).empty()) {
      return Stopped(
          "the synthesiser's Korean dictionary ko_dict is missing "
          "(espeak-ng-data)");
    }
    sample_rate_ = f_.sample_rate();
    return {SpeechSupport::kReady, {}};
  }

  static SpeakerState Missing(std::string problem) {
    return {SpeechSupport::kMissing, std::move(problem)};
  }

  // Missing, after the synthesiser was started: it is stopped again.
  SpeakerState Stopped(std::string problem) {
    f_.terminate();
    return Missing(std::move(problem));
  }

  std::string Message(espeak_ng_STATUS status) const {
    std::array<char, 256> text{};
    f_.status_message(status, text.data(), text.size());
    return text.data();
  }

  std::string PhonemesOf(const std::string& utf8) {
    std::string phonemes;
    const void* rest = utf8.c_str();
    // One clause a call, until the text is used up.
    while (rest != nullptr) {
      const char* clause = f_.text_to_phonemes(&rest, espeakCHARS_UTF8, 0);
      if (clause == nullptr || *clause == '\0') continue;
      if (!phonemes.empty()) phonemes += ' ';
      phonemes += clause;
    }
    return phonemes;
  }

  std::mutex mutex_;
  bool started_ = false;
  SpeakerState state_;
  Functions f_;
  int sample_rate_ = 0;
};

EspeakSpeaker::EspeakSpeaker() : engine_(std::make_unique<Engine>()) {}

EspeakSpeaker::~EspeakSpeaker() = default;

SpeakerState EspeakSpeaker::State() const { return engine_->State(); }

std::optional<Speech> EspeakSpeaker::Speak(std::u16string_view reading,
                                           int words_per_minute) const {
  return engine_->Speak(reading, words_per_minute);
}

std::optional<std::string> EspeakSpeaker::Phonemes(
    std::u16string_view text) const {
  return engine_->Phonemes(text);
}

std::string EspeakSpeaker::Version() const { return engine_->Version(); }

}  // namespace pimoru
