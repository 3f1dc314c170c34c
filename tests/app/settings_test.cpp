#include "app/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace pimoru {
namespace {

std::vector<std::u16string> Lines(std::initializer_list<std::u16string> lines) {
  return lines;
}

TEST(SettingValue, SplitsLinesLikeACommaList) {
  struct Case {
    std::vector<std::u16string> lines;
    std::u16string key;
    std::u16string value;
  } const cases[] = {
      {{u"Noon_Idx,2"}, u"Noon_Idx", u"2"},
      {{u"Noon_Idx, 2"}, u"Noon_Idx", u"2"},         // blank after the comma
      {{u"Noon_Idx 2"}, u"Noon_Idx", u"2"},          // a blank separates too
      {{u"  Noon_Idx ,\t2  "}, u"Noon_Idx", u"2"},   // blanks around
      {{u"Noon_Idx,"}, u"Noon_Idx", u""},            // trailing comma: empty
      {{u"Noon_Idx,2,3"}, u"Noon_Idx", u""},         // three items
      {{u"Noon Idx,2"}, u"Noon_Idx", u""},           // blank inside the key
      {{u"noon_idx,2"}, u"Noon_Idx", u""},           // keys are case-sensitive
      {{u"Noon_Idx"}, u"Noon_Idx", u""},             // one item
      {{u"\"Noon_Idx\",\"2\""}, u"Noon_Idx", u"2"},  // quoted items
      {{u"MainLeft,\"1, 2\""}, u"MainLeft", u"1, 2"},         // a quoted comma
      {{u"Noon_Idx,1", u"Noon_Idx,2"}, u"Noon_Idx", u"1"},    // first wins
      {{u"Noon_Idx,2,3", u"Noon_Idx,1"}, u"Noon_Idx", u"1"},  // skipped
      {{u"MainTop,5", u"Noon_Idx,0"}, u"Noon_Idx", u"0"},
      {{}, u"Noon_Idx", u""},
      {{u""}, u"Noon_Idx", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.lines.empty() ? u"(no lines)" : c.lines.front()));
    EXPECT_EQ(SettingValue(c.lines, c.key), c.value);
  }
}

// Starts from values that differ from every default, so a key that is
// left alone can be told from one that was read.
Settings NonDefault() {
  Settings s;
  s.main_left = 50;
  s.main_top = 60;
  s.options.n_insert_flg = true;
  s.options.h_strong_flg = false;
  s.options.e_real_flg = false;
  s.options.noon_idx = 1;
  return s;
}

TEST(ApplySettingLines, EachKeyIsReadOnItsOwn) {
  struct Case {
    std::u16string line;
    void (*expect)(Settings&);
  } const cases[] = {
      {u"MainLeft,abc", [](Settings& s) { s.main_left = kUnplacedEdge; }},
      {u"MainLeft,-5", [](Settings& s) { s.main_left = -5; }},
      {u"MainLeft,99999999999",
       [](Settings& s) { s.main_left = kUnplacedEdge; }},
      {u"MainLeft,", [](Settings&) {}},  // empty value: unchanged
      {u"MainTop,-100", [](Settings& s) { s.main_top = -100; }},
      {u"MainTop,1.5", [](Settings& s) { s.main_top = kUnplacedEdge; }},
      {u"N_Insert_Flg,true",
       [](Settings& s) { s.options.n_insert_flg = false; }},
      {u"N_Insert_Flg,0", [](Settings& s) { s.options.n_insert_flg = false; }},
      {u"H_Strong_Flg,1", [](Settings& s) { s.options.h_strong_flg = true; }},
      {u"H_Strong_Flg,01", [](Settings& s) { s.options.h_strong_flg = false; }},
      {u"E_Real_Flg, 1 ", [](Settings& s) { s.options.e_real_flg = true; }},
      {u"Noon_Idx,2", [](Settings& s) { s.options.noon_idx = 2; }},
      {u"Noon_Idx,7", [](Settings& s) { s.options.noon_idx = 7; }},  // kept
      {u"Noon_Idx,x", [](Settings& s) { s.options.noon_idx = 0; }},
      {u"Noon_Idx,", [](Settings&) {}},
      {u"Noon_Idx,2,3", [](Settings&) {}},
      {u"Unknown,1", [](Settings&) {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.line));
    Settings read = NonDefault();
    ApplySettingLines(Lines({c.line}), read);
    Settings expected = NonDefault();
    c.expect(expected);
    EXPECT_EQ(read, expected);
  }
}

TEST(ApplySettingLines, OnlyNoonIdxLeavesTheOtherDefaults) {
  Settings read;
  ApplySettingLines(Lines({u"Noon_Idx,2"}), read);
  Settings expected;
  expected.options.noon_idx = 2;
  EXPECT_EQ(read, expected);
  EXPECT_EQ(read.main_left, -100);
  EXPECT_FALSE(read.options.n_insert_flg);
  EXPECT_TRUE(read.options.h_strong_flg);
  EXPECT_TRUE(read.options.e_real_flg);
}

TEST(ApplySettingLines, ReadsLinesInAnyOrderAmongStrangers) {
  Settings read;
  ApplySettingLines(Lines({u"# written by hand", u"Noon_Idx,1", u"",
                           u"MainTop,7", u"E_Real_Flg,0", u"MainLeft,3",
                           u"N_Insert_Flg,1", u"H_Strong_Flg,0"}),
                    read);
  EXPECT_EQ(read.main_left, 3);
  EXPECT_EQ(read.main_top, 7);
  EXPECT_TRUE(read.options.n_insert_flg);
  EXPECT_FALSE(read.options.h_strong_flg);
  EXPECT_FALSE(read.options.e_real_flg);
  EXPECT_EQ(read.options.noon_idx, 1);
}

TEST(FormatSettings, SixLinesInAFixedOrder) {
  Settings s = NonDefault();
  s.main_left = -20;
  s.options.noon_idx = 2;
  EXPECT_EQ(FormatSettings(s),
            "MainLeft,-20\r\nMainTop,60\r\nN_Insert_Flg,1\r\n"
            "H_Strong_Flg,0\r\nE_Real_Flg,0\r\nNoon_Idx,2\r\n");
  EXPECT_EQ(FormatSettings(Settings{}),
            "MainLeft,-100\r\nMainTop,-100\r\nN_Insert_Flg,0\r\n"
            "H_Strong_Flg,1\r\nE_Real_Flg,1\r\nNoon_Idx,0\r\n");
}

TEST(FormatSettings, ANotationOutsideTheThreeIsSavedAsZero) {
  for (const int noon_idx : {7, -1, 3}) {
    SCOPED_TRACE(noon_idx);
    Settings s;
    s.options.noon_idx = noon_idx;
    const std::string text = FormatSettings(s);
    EXPECT_TRUE(text.ends_with("\r\nNoon_Idx,0\r\n")) << text;
  }
}

std::string Utf16Bytes(std::u16string_view text, bool little_endian) {
  std::string bytes;
  for (const char16_t c : text) {
    const char low = static_cast<char>(c & 0xFF);
    const char high = static_cast<char>(c >> 8);
    bytes += little_endian ? low : high;
    bytes += little_endian ? high : low;
  }
  return bytes;
}

TEST(DecodeSettingLines, TheByteOrderMarkChoosesTheEncoding) {
  const std::vector<std::u16string> expected = {u"MainLeft,5", u"Noon_Idx,2"};
  struct Case {
    const char* name;
    std::string bytes;
  } const cases[] = {
      {"plain, CR LF", "MainLeft,5\r\nNoon_Idx,2\r\n"},
      {"plain, LF, no final break", "MainLeft,5\nNoon_Idx,2"},
      {"UTF-8 mark", "\xEF\xBB\xBFMainLeft,5\r\nNoon_Idx,2\r\n"},
      {"UTF-16LE mark", Utf16Bytes(u"\uFEFFMainLeft,5\r\nNoon_Idx,2", true)},
      {"UTF-16BE mark", Utf16Bytes(u"\uFEFFMainLeft,5\nNoon_Idx,2\n", false)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeSettingLines(c.bytes), expected);
  }
}

TEST(SettingsFile, SavedFileReadsBackTheSame) {
  TempFolder folder;
  const std::filesystem::path file = folder.path() / "Pimoru.rng";
  Settings saved = NonDefault();
  saved.main_left = -20;
  ASSERT_TRUE(SaveSettings(file, saved));
  EXPECT_EQ(ReadFileBytes(file), FormatSettings(saved));
  Settings read;
  LoadSettings(file, read);
  EXPECT_EQ(read, saved);
}

TEST(SettingsFile, SavingReplacesTheFileAndLeavesNothingElse) {
  TempFolder folder;
  const std::filesystem::path file = folder.WriteBytes(
      "Pimoru.rng", "MainLeft,1\r\nsomething much longer\r\n");
  ASSERT_TRUE(SaveSettings(file, Settings{}));
  EXPECT_EQ(ReadFileBytes(file), FormatSettings(Settings{}));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"Pimoru.rng"});
}

TEST(SettingsFile, SavingWhereNoFileCanBeFails) {
  TempFolder folder;
  // The folder is missing.
  EXPECT_FALSE(SaveSettings(folder.path() / "missing" / "Pimoru.rng", {}));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "missing"));
  // A folder stands where the file would go: it stays, and no temporary
  // file is left beside it.
  std::filesystem::create_directory(folder.path() / "Pimoru.rng");
  EXPECT_FALSE(SaveSettings(folder.path() / "Pimoru.rng", {}));
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "Pimoru.rng"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(SettingsFile, AMissingOrUnreadableFileKeepsTheDefaults) {
  TempFolder folder;
  Settings read = NonDefault();
  LoadSettings(folder.path() / "Pimoru.rng", read);
  EXPECT_EQ(read, NonDefault());
  std::filesystem::create_directory(folder.path() / "Pimoru.rng");
  LoadSettings(folder.path() / "Pimoru.rng", read);
  EXPECT_EQ(read, NonDefault());
}

}  // namespace
}  // namespace pimoru
