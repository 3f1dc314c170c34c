// The stages of a conversion, by name.
//
// Code names a stage by its StageId. Its number (the stage table's
// `number`) shows only where a stored file or an output has one: the first
// field of a kspecial.txt line, the stage trace, the JSON output.
#ifndef PIMORU_PIPELINE_STAGE_ID_H_
#define PIMORU_PIPELINE_STAGE_ID_H_

#include <array>
#include <cstddef>
#include <cstdint>

namespace pimoru {

// In pipeline order; the stage table (stages.cpp) lists them in this order
// and says so at compile time. A new stage takes its place here and in the
// table; the numbers of the others stay.
enum class StageId : std::uint8_t {
  kInput,             // the input as typed
  kFormatting,        // FormatInput
  kNumberReading,     // SpellOutNumbers
  kSpacing,           // AdjustSpacing
  kSpecialWords,      // ApplySpecialWords
  kUiVariationWords,  // ApplyUiVariationWords
  kNasalisation1,     // ApplyNasalisation1
  kTensification1,    // ApplyTensification1
  kTensification2,    // ApplyTensification2
  kYeVariation,       // ApplyYeVariation
  kUiVariation,       // ApplyUiVariation
  kNInsertion,        // ApplyNInsertion
  kPalatalisation,    // ApplyPalatalisation
  kAspiration,        // ApplyAspiration
  kLiaison1,          // ApplyLiaison1
  kLiaison2,          // ApplyLiaison2
  kSilencing,         // ApplySilencing
  kNasalisation2,     // ApplyNasalisation2
  kLateralisation,    // ApplyLateralisation
  kTensification3,    // ApplyTensification3
  kTensification4,    // run by kTensification5
  kTensification5,    // ApplyTensification45
  kFinals,            // StandardiseFinals
  kEndings,           // RealiseEndings
  kVoicing,           // by the transcription
};

inline constexpr std::size_t kStageCount =
    static_cast<std::size_t>(StageId::kVoicing) + 1;

// One value per stage, looked up by name.
template <typename T>
class PerStage {
 public:
  T& operator[](StageId stage) { return values_[Index(stage)]; }
  const T& operator[](StageId stage) const { return values_[Index(stage)]; }
  void Fill(const T& value) { values_.fill(value); }
  auto begin() { return values_.begin(); }
  auto end() { return values_.end(); }
  auto begin() const { return values_.begin(); }
  auto end() const { return values_.end(); }
  friend bool operator==(const PerStage&, const PerStage&) = default;

 private:
  static constexpr std::size_t Index(StageId stage) {
    return static_cast<std::size_t>(stage);
  }
  std::array<T, kStageCount> values_{};
};

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_STAGE_ID_H_
