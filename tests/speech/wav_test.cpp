#include "speech/wav.h"

#include <gtest/gtest.h>

#include <string>

#include "support/wav_reader.h"

namespace pimoru {
namespace {

TEST(WavFile, IsOneChunkOfSixteenBitMonoPcm) {
  // Two samples at 8 kHz: 1 and -2, little-endian.
  const std::string bytes = WavFile(Speech{8000, {1, -2}});
  using namespace std::string_literals;
  EXPECT_EQ(bytes,
            "RIFF\x28\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0"
            "\x40\x1F\0\0\x80\x3E\0\0\x02\0\x10\0"
            "data\x04\0\0\0\x01\0\xFE\xFF"s);
}

TEST(WavFile, WithoutSamplesIsStillAWholeFile) {
  const std::optional<WavHeader> header =
      ReadWavHeader(WavFile(Speech{22050, {}}));
  ASSERT_TRUE(header);
  EXPECT_EQ(header->sample_rate, 22050);
  EXPECT_EQ(header->data_bytes, 0u);
}

}  // namespace
}  // namespace pimoru
