// Arbitrary UTF-16 text through the reading conversion and the
// transcription, with the options and the answers to the questions drawn
// from the input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "hangul/ask.h"
#include "hangul/word_list.h"
#include "pipeline/pipeline.h"
#include "render/transcription.h"

namespace {

// Answers from the bits of a seed, cycling.
class BitAsker : public pimoru::Asker {
 public:
  explicit BitAsker(std::uint32_t bits) : bits_(bits) {}
  bool Confirm(std::u16string_view) override {
    const bool answer = (bits_ >> (next_++ % 32)) & 1;
    return answer;
  }

 private:
  std::uint32_t bits_;
  unsigned next_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size < 5) return 0;
  const std::uint8_t flags = data[0];
  const std::uint32_t answers = data[1] | (data[2] << 8) | (data[3] << 16) |
                                (static_cast<std::uint32_t>(data[4]) << 24);
  std::u16string text;
  for (std::size_t i = 5; i + 1 < size; i += 2) {
    text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  }
  pimoru::Options options;
  options.n_insert_flg = flags & 1;
  options.h_strong_flg = flags & 2;
  options.e_real_flg = flags & 4;
  options.noon_idx = (flags >> 3) & 3;
  pimoru::NoWordLists lists;
  BitAsker asker(answers);
  pimoru::StageRecord record;
  const std::u16string reading =
      pimoru::RunPipeline(text, options, lists, asker, record);
  pimoru::Transcribe(reading, options.noon_idx, record);
  return 0;
}
