#include "support/wav_reader.h"

#include <cstdint>

namespace pimoru {
namespace {

std::uint32_t Little(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int k = size - 1; k >= 0; --k) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + k]);
  }
  return value;
}

}  // namespace

std::optional<WavHeader> ReadWavHeader(std::string_view bytes) {
  constexpr std::size_t kHeader = 44;
  if (bytes.size() < kHeader || bytes.substr(0, 4) != "RIFF" ||
      bytes.substr(8, 8) != "WAVEfmt " || Little(bytes, 16, 4) != 16 ||
      bytes.substr(36, 4) != "data" ||
      Little(bytes, 4, 4) != bytes.size() - 8 ||
      Little(bytes, 40, 4) != bytes.size() - kHeader) {
    return std::nullopt;
  }
  WavHeader header;
  header.format = static_cast<int>(Little(bytes, 20, 2));
  header.channels = static_cast<int>(Little(bytes, 22, 2));
  header.sample_rate = static_cast<int>(Little(bytes, 24, 4));
  header.bits_per_sample = static_cast<int>(Little(bytes, 34, 2));
  header.data_bytes = Little(bytes, 40, 4);
  const std::uint32_t block = Little(bytes, 32, 2);
  if (block != static_cast<std::uint32_t>(header.channels *
                                          header.bits_per_sample / 8) ||
      Little(bytes, 28, 4) != header.sample_rate * block) {
    return std::nullopt;
  }
  return header;
}

}  // namespace pimoru
