// Bad and extreme input through the command line: none of it may crash,
// hang or lose what was converted before, and errors say what was wrong.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

std::vector<std::string> Lines(const std::string& out) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  for (std::string::size_type end = out.find('\n'); end != std::string::npos;
       end = out.find('\n', start)) {
    lines.push_back(out.substr(start, end - start));
    start = end + 1;
  }
  EXPECT_EQ(start, out.size()) << "output does not end with a line break";
  return lines;
}

std::string Reading(const std::string& tsv_line) {
  return tsv_line.substr(0, tsv_line.find('\t'));
}

TEST(CliBadInput, IllFormedUtf8AndNulOnStandardInput) {
  // A stray byte, a surrogate written as UTF-8, a cut sequence, an overlong
  // form, and a NUL inside a line, between good lines.
  const std::string input = std::string("값이\n") + "\xFF\n" +
                            "\xED\xA0\x80\n" + "가\xE1\x84\n" + "\xC0\xAF\n" +
                            std::string("값이\0많다", 13) + "\n많다\n";
  const CliResult r =
      RunCli(WithData({"--answers", "no", "--format", "json"}), input);
  EXPECT_EQ(r.status, 1);
  for (const char* line : {"line 2: ", "line 3: ", "line 4: ", "line 5: "}) {
    EXPECT_NE(r.err.find(std::string("pimoru-cli: ") + line + "invalid UTF-8"),
              std::string::npos)
        << r.err;
  }
  EXPECT_EQ(r.err.find("line 1"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("line 6"), std::string::npos) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 7u) << r.out;
  EXPECT_NE(lines[0].find("\"reading\":\"갑씨\""), std::string::npos);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(lines[k], "{\"error\":\"invalid UTF-8\"}");
  }
  // The NUL stays where it was typed; the words on both sides convert.
  EXPECT_NE(lines[5].find("\"reading\":\"갑씨\\u0000만타\""), std::string::npos)
      << lines[5];
  EXPECT_NE(lines[6].find("\"reading\":\"만타\""), std::string::npos);
}

TEST(CliBadInput, IllFormedUtf8Argument) {
  const CliResult r =
      RunCli(WithData({"--answers", "no", "값이", "\xC3\x28", "많다"}));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("pimoru-cli: argument 2: invalid UTF-8"),
            std::string::npos)
      << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Reading(lines[0]), "갑씨");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(Reading(lines[2]), "만타");
}

TEST(CliBadInput, UnusualCharactersPassThroughUnharmed) {
  struct Case {
    std::string input;
    std::string reading;
  } const cases[] = {
      // Outside the BMP: kept whole, in every column.
      {"😀값이 많다𝄞", "😀갑씨 만타𝄞"},
      // Conjoining jamo typed by the user stay, and the syllables around
      // them keep their form and their reading.
      {"한\u1161국어", "한\u1161구거"},
      {"\u1100한국어", "\u1100한구거"},
      {"먹\u1161어요", "먹\u1161어요"},
      {"각\u11A8이", "가끼"},  // 각 + a typed final ㄱ: the final links over
      {"값이 \u1161 \u11A8 ㄱ", "갑씨 \u1161 \u11A8 ㄱ"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    const CliResult r = RunCli(WithData({"--answers", "no", c.input}));
    EXPECT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(Reading(lines[0]), c.reading);
  }
  const CliResult emoji = RunCli(WithData({"--answers", "no", "😀가"}));
  EXPECT_EQ(std::count(emoji.out.begin(), emoji.out.end(), '\t'), 2);
  EXPECT_EQ(emoji.out.rfind("😀가\t😀", 0), 0u) << emoji.out;  // symbols too
  EXPECT_NE(emoji.out.find("\t😀カ"), std::string::npos) << emoji.out;
}

TEST(CliBadInput, OneMegabyteLine) {
  // Words that raise a question at every occurrence, with and without
  // spaces: a question per occurrence must not cost a pass over the word.
  for (const std::string word : {"알고 ", "알고"}) {
    SCOPED_TRACE(word);
    std::string line;
    while (line.size() < (1 << 20)) line += word;
    const CliResult r = RunCli(WithData({"--answers", "no"}), line + "\n가\n");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    std::string trimmed = line;
    while (trimmed.back() == ' ') trimmed.pop_back();
    EXPECT_TRUE(Reading(lines[0]) == trimmed);  // not printed: 1 MB
    EXPECT_EQ(Reading(lines[1]), "가");
  }
}

TEST(CliBadInput, ExtremeWordLists) {
  TempFolder data;
  // A million lines, the one real entry last.
  std::string setsubi;
  for (int i = 0; i < 1000000; ++i)
    setsubi += "가" + std::to_string(i) + ",x\n";
  setsubi += "물가,물까\n";
  data.WriteBytes("kdat/setsubi.txt", setsubi);
  // A line of 100,000 fields and an unterminated quote, around real lines.
  std::string kspecial = "3,사과,사꽈\n";
  for (int i = 0; i < 100000; ++i) kspecial += "x,";
  kspecial += "x\n\"3,과자,과짜\n3,\"배,#\",배#\n";
  data.WriteBytes("kdat/kspecial.txt", kspecial);
  const CliResult r = RunCli({"--data", data.path().string(), "--answers", "no",
                              "물가", "사과 배, 과자"});
  EXPECT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Reading(lines[0]), "물까");
  // The quote never closes, so "과자" is not an entry; the quoted field
  // "배,#" holds a comma and a "#" that stands for a space: "배, " → "배 ".
  EXPECT_EQ(Reading(lines[1]), "사꽈 배 과자");
}

TEST(CliBadInput, SpecialWordsThatArePartsOfMarkers) {
  TempFolder data;
  data.WriteUtf16("kdat/co_suff.txt", u"0,개,x,y\n");
  data.WriteUtf16("kdat/kspecial.txt",
                  u"3,K,AKYD\n3,AKYD,K\n3,dv$fs,x\n3,$,#\n3,A%Y,%\n3,%,A%Y\n");
  const CliResult r = RunCli({"--data", data.path().string(), "--answers", "no",
                              "--stage-trace", "사과 한 개 AKYD dv$fs A%Y"});
  EXPECT_EQ(r.status, 0) << r.err;
  // Each entry is one left-to-right pass whose replacements are never
  // searched again: K → AKYD gives AAKYDYD, AKYD → K gives AKYD back; the
  // join of stage 2 becomes a space again, while the typed "$" of dv$fs is
  // no join and stays; % → A%Y once.
  EXPECT_NE(r.out.find("\n2\t分かち書き調整\t사과 한$개 AKYD dv$fs A%Y\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\n3\t特異例の判断\t사과 한 개 AKYD dv$fs A%Y\n"),
            std::string::npos)
      << r.out;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(Reading(lines.back()), "사과 한 개 AKYD dv$fs A%Y");
}

// A line longer than 16 MiB is not converted: an error names it, its output
// is an empty line, and the run goes on with the next line. It is never
// held whole, so /dev/zero or a huge line without a line feed cannot fill
// the memory.
TEST(CliBadInput, ALineLongerThanTheLimitIsAnErrorAndTheRunGoesOn) {
  const std::string huge((std::size_t{16} << 20) + 1, '\0');
  struct Case {
    const char* name;
    std::string input;
    std::vector<std::string> readings;
    const char* said;
  } const cases[] = {
      {"between lines",
       "값이\n" + huge + "\n많다\n",
       {"갑씨", "", "만타"},
       "pimoru-cli: line 2: longer than 16 MiB, not converted\n"},
      {"last, without a line feed",
       "값이\n" + huge + "\xEA\xB0\x80",
       {"갑씨", ""},
       "pimoru-cli: line 2: longer than 16 MiB, not converted\n"},
      {"first, far longer",
       huge + huge + "\n많다\n",
       {"", "만타"},
       "pimoru-cli: line 1: longer than 16 MiB, not converted\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CliResult r = RunCli(WithData({"--answers", "no"}), c.input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, c.said);
    std::vector<std::string> readings;
    for (const std::string& line : Lines(r.out))
      readings.push_back(Reading(line));
    EXPECT_EQ(readings, c.readings);
  }
}

// Standard input that does not wait for data (O_NONBLOCK, set by whoever
// opened it) is read to its end all the same, however slowly it comes.
TEST(CliBadInput, StandardInputThatDoesNotWaitIsReadWhole) {
  // Closed on exec: the program must hold no write end of its own input.
  int ends[2];
  ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
  ASSERT_EQ(::fcntl(ends[0], F_SETFL, O_NONBLOCK), 0);
  std::thread writer([&] {
    for (const std::string line : {"값이\n", "많다\n", "같이\n"}) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      EXPECT_EQ(::write(ends[1], line.data(), line.size()),
                static_cast<ssize_t>(line.size()));
    }
    ::close(ends[1]);
  });
  const CliResult r = RunCliReading(ends[0], WithData({"--answers", "no"}));
  writer.join();
  ::close(ends[0]);
  EXPECT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 3u) << r.out;
  EXPECT_EQ(Reading(lines[2]), "가치");
}

// The report of a long input shows its start and says where it was cut: a
// line of 1 MB gave a page of 216 MB.
TEST(CliBadInput, TheReportOfALongLineIsCutAndSaysSo) {
  std::string line;
  while (line.size() < (1 << 20)) line += "값이 많다 ";
  TempFolder folder;
  const std::filesystem::path report = folder.path() / "report.html";
  const CliResult r = RunCli(
      WithData({"--answers", "no", "--report", report.string()}), line + "\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_LT(std::filesystem::file_size(report), std::uintmax_t{8} << 20);
  // The note, in the page's UTF-16 little-endian.
  std::string note;
  for (const char16_t c : std::u16string(u"文字）のため、各段階の文は最初の")) {
    note += static_cast<char>(c & 0xFF);
    note += static_cast<char>(c >> 8);
  }
  EXPECT_NE(ReadFileBytes(report).find(note), std::string::npos);
}

}  // namespace
}  // namespace pimoru
