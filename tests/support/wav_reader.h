// Reads back the header of a WAV file, for tests of the files written.
#ifndef PIMORU_TESTS_SUPPORT_WAV_READER_H_
#define PIMORU_TESTS_SUPPORT_WAV_READER_H_

#include <cstddef>
#include <optional>
#include <string_view>

namespace pimoru {

struct WavHeader {
  int format = 0;  // 1: PCM
  int channels = 0;
  int sample_rate = 0;
  int bits_per_sample = 0;
  std::size_t data_bytes = 0;
};

// The format of a RIFF WAVE file whose chunk sizes agree with its length
// (a "fmt " chunk, then a "data" chunk that ends the file); nullopt for
// anything else.
std::optional<WavHeader> ReadWavHeader(std::string_view bytes);

}  // namespace pimoru

#endif  // PIMORU_TESTS_SUPPORT_WAV_READER_H_
