// --audio: one WAV file per input that converted, named after its number.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/test_support.h"
#include "support/wav_reader.h"

namespace pimoru {
namespace {

namespace fs = std::filesystem;

// Whether the program under test was built with speech and finds the
// synthesiser; the tests that write sound need it.
bool CanSpeak() {
  static const bool can =
      RunCli({"--version"}).out.find("\nspeech found") != std::string::npos;
  return can;
}

std::set<std::string> FilesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// The header of a sound file as --audio writes it: 16-bit mono PCM.
std::size_t SpokenBytes(const fs::path& file) {
  const std::optional<WavHeader> header = ReadWavHeader(ReadFileBytes(file));
  EXPECT_TRUE(header) << file;
  if (!header) return 0;
  EXPECT_EQ(header->format, 1);
  EXPECT_EQ(header->channels, 1);
  EXPECT_EQ(header->bits_per_sample, 16);
  EXPECT_EQ(header->sample_rate, 22050);
  return header->data_bytes;
}

TEST(CliAudio, OneFilePerConvertedInputNamedByItsNumber) {
  if (!CanSpeak()) GTEST_SKIP() << "built without speech";
  TempFolder temp;
  const fs::path folder = temp.path() / "cards" / "sound";
  // Line 2 is not UTF-8 and line 3 is blank: neither gets a file, and the
  // lines after them keep their numbers.
  const std::string input = "국물\n\xFF\n\n같이 먹어요\n";
  const CliResult plain = RunCli(WithData({"--answers", "no"}), input);
  const CliResult r =
      RunCli(WithData({"--answers", "no", "--audio", folder.string()}), input);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, plain.out);
  EXPECT_EQ(r.err, plain.err);
  EXPECT_EQ(FilesIn(folder), (std::set<std::string>{"0001.wav", "0004.wav"}));
  EXPECT_GT(SpokenBytes(folder / "0004.wav"), SpokenBytes(folder / "0001.wav"));

  // Arguments are numbered as lines are, and a file from before is replaced.
  const CliResult args = RunCli(WithData(
      {"--answers", "no", "--audio", folder.string(), "국물 같이", "신라"}));
  EXPECT_EQ(args.status, 0) << args.err;
  EXPECT_EQ(FilesIn(folder),
            (std::set<std::string>{"0001.wav", "0002.wav", "0004.wav"}));
  EXPECT_GT(SpokenBytes(folder / "0001.wav"), SpokenBytes(folder / "0002.wav"));
}

TEST(CliAudio, EveryLineOfALongBatchGetsItsFile) {
  if (!CanSpeak()) GTEST_SKIP() << "built without speech";
  // More lines than one worker's share, so several workers speak at once.
  TempFolder temp;
  const std::vector<std::string> words = {"국물", "같이", "신라", "학교"};
  std::string input;
  constexpr int kLines = 300;
  for (int k = 0; k < kLines; ++k) input += words[k % words.size()] + "\n";
  const CliResult r = RunCli(
      WithData({"--answers", "no", "--audio", temp.path().string()}), input);
  EXPECT_EQ(r.status, 0) << r.err;
  const std::set<std::string> files = FilesIn(temp.path());
  ASSERT_EQ(files.size(), static_cast<std::size_t>(kLines));
  EXPECT_EQ(*files.begin(), "0001.wav");
  EXPECT_EQ(*files.rbegin(), "0300.wav");
  for (const int number : {1, 2, 257, 300}) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d.wav", number);
    EXPECT_GT(SpokenBytes(temp.path() / name), 0u) << name;
  }
}

TEST(CliAudio, TheRateSetsTheSpeed) {
  if (!CanSpeak()) GTEST_SKIP() << "built without speech";
  TempFolder temp;
  const fs::path slow = temp.path() / "slow";
  const fs::path fast = temp.path() / "fast";
  ASSERT_EQ(
      RunCli(WithData({"--audio", slow.string(), "--audio-rate", "80", "국물"}))
          .status,
      0);
  ASSERT_EQ(
      RunCli(WithData({"--audio", fast.string(), "--audio-rate=450", "국물"}))
          .status,
      0);
  EXPECT_GT(SpokenBytes(slow / "0001.wav"), 2 * SpokenBytes(fast / "0001.wav"));
}

TEST(CliAudio, AFailedWriteIsSaidOnceAndExitsOne) {
  if (!CanSpeak()) GTEST_SKIP() << "built without speech";
  TempFolder temp;
  // A folder where the first file should go: that write fails, and no file
  // after it is written; the conversions are all printed.
  fs::create_directories(temp.path() / "0001.wav");
  const CliResult r =
      RunCli(WithData({"--answers", "no", "--audio", temp.path().string()}),
             "국물\n같이\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(CountOf(r.out, "\n"), 2u);
  EXPECT_NE(r.err.find("line 1: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("0001.wav"), std::string::npos) << r.err;
  EXPECT_EQ(CountOf(r.err, "pimoru-cli:"), 1u) << r.err;
  EXPECT_EQ(FilesIn(temp.path()), std::set<std::string>{"0001.wav"});

  // A file where the folder should be.
  const fs::path file = temp.WriteBytes("taken", "x");
  const CliResult blocked =
      RunCli(WithData({"--answers", "no", "--audio", file.string(), "국물"}));
  EXPECT_EQ(blocked.status, 1);
  EXPECT_NE(blocked.out.find("궁물"), std::string::npos);
  EXPECT_NE(blocked.err.find("cannot make the folder"), std::string::npos)
      << blocked.err;
  EXPECT_EQ(ReadFileBytes(file), "x");
}

TEST(CliAudio, WithoutTheSynthesiserSpeechIsNotAvailable) {
  // Data without the synthesiser's files stands for a machine without them
  // (and a program built without speech says the same).
  TempFolder temp;
  fs::create_directories(temp.path() / "espeak-ng-data");
  const CliResult r = RunCliInShell(
      "ESPEAK_DATA_PATH='" + temp.path().string() + "' \"$@\"",
      WithData({"--audio", (temp.path() / "out").string(), "국물"}));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("speech is not available"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(temp.path() / "out"));
}

TEST(CliAudio, BadValuesAreBadUsage) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{
           {"--audio", ""},
           {"--audio"},
           {"--audio", "out", "--audio-rate", "79"},
           {"--audio", "out", "--audio-rate", "451"},
           {"--audio", "out", "--audio-rate", "fast"},
           {"--audio", "out", "--audio-rate", "120x"},
           {"--audio-rate", "120", "국물"}}) {
    SCOPED_TRACE(args.back());
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("pimoru-cli:"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace
}  // namespace pimoru
