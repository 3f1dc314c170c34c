#include "speech/wav.h"

#include <cstdint>
#include <string_view>

namespace pimoru {
namespace {

constexpr std::uint32_t kHeaderBytes = 44;
constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kChannels = 1;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;

void Append16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void Append32(std::string& out, std::uint32_t value) {
  Append16(out, static_cast<std::uint16_t>(value & 0xFFFF));
  Append16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

std::string WavFile(const Speech& speech) {
  const auto data_bytes =
      static_cast<std::uint32_t>(speech.samples.size() * kBlockAlign);
  const auto rate = static_cast<std::uint32_t>(speech.sample_rate);
  std::string out;
  out.reserve(kHeaderBytes + data_bytes);
  out += "RIFF";
  Append32(out, kHeaderBytes - 8 + data_bytes);
  out += "WAVEfmt ";
  Append32(out, 16);  // the size of the format chunk
  Append16(out, kPcm);
  Append16(out, kChannels);
  Append32(out, rate);
  Append32(out, rate * kBlockAlign);
  Append16(out, kBlockAlign);
  Append16(out, kBitsPerSample);
  out += "data";
  Append32(out, data_bytes);
  for (const std::int16_t sample : speech.samples) {
    Append16(out, static_cast<std::uint16_t>(sample));
  }
  return out;
}

}  // namespace pimoru
