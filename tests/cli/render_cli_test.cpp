// The symbols and katakana columns of pimoru-cli and its --report page.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// The text of a UTF-16 little-endian file after its BOM, as UTF-8.
std::string PageText(const std::string& bytes) {
  std::u16string text;
  for (std::size_t k = 2; k + 1 < bytes.size(); k += 2) {
    text +=
        static_cast<char16_t>(static_cast<unsigned char>(bytes[k]) |
                              static_cast<unsigned char>(bytes[k + 1]) << 8);
  }
  return U8(text);
}

TEST(CliRender, SymbolsAndKanaColumns) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  } const cases[] = {
      {{"학꾜"}, "학꾜\thaᵏ ˀkjo\tハッｸキョ\n"},
      {{"--notation", "0", "아까"}, "아까\ta ˀka\tアッカ\n"},
      {{"--notation", "1", "아까"}, "아까\ta ʼka\tアッカ\n"},
      {{"--notation", "2", "씨"}, "씨\tʃʼi\tシ\n"},
      {{"--format", "text", "학꾜"},
       "読みﾊﾝｸﾞﾙ：학꾜\n発音記号：haᵏ ˀkjo\n発音カナ：ハッｸキョ\n"},
      {{"--format", "json", "학꾜"},
       "{\"input\":\"학꾜\",\"reading\":\"학꾜\",\"symbols\":\"haᵏ ˀkjo\","
       "\"kana\":\"ハッｸキョ\",\"syllables\":["
       "{\"reading\":\"학\",\"symbols\":\"haᵏ\",\"kana\":\"ハッｸ\"},"
       "{\"reading\":\"꾜\",\"symbols\":\"ˀkjo\",\"kana\":\"キョ\"}]}\n"},
      // Syllables only; a ッ where two meet goes with the first.
      {{"--format", "json", "맛까, A"},
       "{\"input\":\"맛까, A\",\"reading\":\"맏까, A\",\"symbols\":"
       "\"maᵗ ˀka, A\",\"kana\":\"マッカ, A\",\"syllables\":["
       "{\"reading\":\"맏\",\"symbols\":\"maᵗ\",\"kana\":\"マッ\"},"
       "{\"reading\":\"까\",\"symbols\":\"ˀka\",\"kana\":\"カ\"}]}\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--answers", "no"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    SCOPED_TRACE(c.args.back());
    const CliResult r = RunCli(WithData(args));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
  }
}

TEST(CliRender, ReportOfTheLastInput) {
  TempFolder folder;
  const std::filesystem::path page = folder.path() / "w.html";
  const CliResult r = RunCli(
      WithData({"--answers", "no", "--report", page.string(), "가다", "국물"}));
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string bytes = ReadFileBytes(page);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  const std::string text = PageText(bytes);
  // 국물 → 궁물 with 궁 in red; the reading line, then its syllables.
  EXPECT_NE(text.find("<span class=\"red\">&#xAD81;</span>&#xBB3C;"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("<span class=\"ko2\">&#xAD81;&#xBB3C;</span></p>\r\n"
                      "<table class=\"syl\">"),
            std::string::npos);
  EXPECT_NE(text.find("<tr><td class=\"ko2\">&#xBB3C;</td><td>&#x006D;&#x0075;"
                      "&#x006C;</td><td>&#x30E0;&#x30EB;</td></tr>\r\n"
                      "</table>\r\n</body>\r\n</html>\r\n"),
            std::string::npos);                         // 물 | mul | ムル
  EXPECT_EQ(text.find("&#xB2E4;"), std::string::npos);  // nothing of 가다
  EXPECT_NE(text.find("/html/pimoru1.css\""), std::string::npos);
}

TEST(CliRender, VoicingIsRedInTheReport) {
  TempFolder folder;
  const std::filesystem::path page = folder.path() / "w.html";
  const CliResult r =
      RunCli(WithData({"--answers", "no", "--report", page.string(), "가다"}));
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string text = PageText(ReadFileBytes(page));
  EXPECT_NE(text.find("有声音化</a>：　<span class=\"ko2\">&#xAC00;<span "
                      "class=\"red\">&#xB2E4;</span></p>"),
            std::string::npos)
      << text;
}

TEST(CliRender, ReportFailures) {
  TempFolder folder;
  // Empty input: no page.
  const std::filesystem::path page = folder.path() / "w.html";
  const CliResult empty =
      RunCli(WithData({"--answers", "no", "--report", page.string(), " "}));
  EXPECT_EQ(empty.status, 0) << empty.err;
  EXPECT_FALSE(std::filesystem::exists(page));

  // A missing folder: the line is still printed, the error names the file.
  const std::filesystem::path missing = folder.path() / "no" / "w.html";
  const CliResult r = RunCli(
      WithData({"--answers", "no", "--report", missing.string(), "학꾜"}));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "학꾜\thaᵏ ˀkjo\tハッｸキョ\n");
  EXPECT_NE(r.err.find(missing.string()), std::string::npos) << r.err;
}

}  // namespace
}  // namespace pimoru
