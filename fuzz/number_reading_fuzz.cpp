// Arbitrary UTF-16 text through the reading of numbers, with the answers to
// its choices drawn from the input, held to what holds of any reading.
//
// Input: a byte of answers, then UTF-16 little-endian text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "pipeline/number_reading.h"
#include "support/number_reading_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size < 1) return 0;
  bool answers[8];
  for (int k = 0; k < 8; ++k) answers[k] = (data[0] >> k) & 1;
  std::u16string text;
  for (std::size_t i = 1; i + 1 < size; i += 2) {
    text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  }
  for (const pimoru::NumberReading& read :
       {pimoru::ReadNumbers(text), pimoru::ReadNumbers(text, answers)}) {
    if (pimoru::NumberReadingFault(text, read) != nullptr) std::abort();
  }
  return 0;
}
