#include "app/settings.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
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
  s.options.notation = Notation::kApostropheBefore;
  s.main_width = 700;
  s.main_height = 600;
  s.option_open_flg = true;
  s.zoom_idx = 5;
  s.options.phrase_flg = true;
  s.dict_flg = false;
  s.speech_speed_idx = 1;
  s.options.read_numbers_flg = true;
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
      {u"Noon_Idx,2",
       [](Settings& s) { s.options.notation = Notation::kApostropheAfter; }},
      {u"Noon_Idx,7",  // kept
       [](Settings& s) { s.options.notation = static_cast<Notation>(7); }},
      {u"Noon_Idx,x",
       [](Settings& s) { s.options.notation = Notation::kGlottalStopBefore; }},
      {u"Noon_Idx,", [](Settings&) {}},
      {u"Noon_Idx,2,3", [](Settings&) {}},
      {u"Unknown,1", [](Settings&) {}},
      {u"Main_Width,800", [](Settings& s) { s.main_width = 800; }},
      {u"Main_Width,0", [](Settings& s) { s.main_width = kUnsetSize; }},
      {u"Main_Width,-5", [](Settings& s) { s.main_width = kUnsetSize; }},
      {u"Main_Height,wide", [](Settings& s) { s.main_height = kUnsetSize; }},
      {u"Main_Height,512", [](Settings& s) { s.main_height = 512; }},
      {u"Option_Open_Flg,0", [](Settings& s) { s.option_open_flg = false; }},
      {u"Option_Open_Flg,yes", [](Settings& s) { s.option_open_flg = false; }},
      {u"Zoom_Idx,0", [](Settings& s) { s.zoom_idx = 0; }},
      {u"Zoom_Idx,8", [](Settings& s) { s.zoom_idx = 8; }},
      {u"Zoom_Idx,9", [](Settings& s) { s.zoom_idx = kDefaultZoomIdx; }},
      {u"Zoom_Idx,-1", [](Settings& s) { s.zoom_idx = kDefaultZoomIdx; }},
      {u"Zoom_Idx,x", [](Settings& s) { s.zoom_idx = kDefaultZoomIdx; }},
      {u"Phrase_Flg,0", [](Settings& s) { s.options.phrase_flg = false; }},
      {u"Phrase_Flg,1", [](Settings& s) { s.options.phrase_flg = true; }},
      {u"Phrase_Flg,on", [](Settings& s) { s.options.phrase_flg = false; }},
      {u"Dict_Flg,1", [](Settings& s) { s.dict_flg = true; }},
      {u"Dict_Flg,0", [](Settings& s) { s.dict_flg = false; }},
      {u"Speech_Speed_Idx,0", [](Settings& s) { s.speech_speed_idx = 0; }},
      {u"Speech_Speed_Idx,1", [](Settings& s) { s.speech_speed_idx = 1; }},
      {u"Speech_Speed_Idx,2", [](Settings& s) { s.speech_speed_idx = 0; }},
      {u"Speech_Speed_Idx,-1", [](Settings& s) { s.speech_speed_idx = 0; }},
      {u"Read_Numbers_Flg,0",
       [](Settings& s) { s.options.read_numbers_flg = false; }},
      {u"Read_Numbers_Flg,yes",
       [](Settings& s) { s.options.read_numbers_flg = false; }},
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

TEST(ApplySettingLines, AnOlderFileLeavesTheSizeZoomAndReportAsDefaults) {
  Settings read;
  ApplySettingLines(Lines({u"MainLeft,10", u"MainTop,20", u"N_Insert_Flg,1",
                           u"H_Strong_Flg,1", u"E_Real_Flg,1", u"Noon_Idx,0"}),
                    read);
  EXPECT_EQ(read.main_width, kUnsetSize);
  EXPECT_EQ(read.main_height, kUnsetSize);
  EXPECT_FALSE(read.option_open_flg);
  EXPECT_EQ(read.zoom_idx, kDefaultZoomIdx);
  EXPECT_EQ(kZoomPercents[kDefaultZoomIdx], 100);
  EXPECT_FALSE(read.options.phrase_flg);  // read word by word, as before
  EXPECT_TRUE(read.dict_flg);             // the dictionary decides what it can
  EXPECT_FALSE(read.options.read_numbers_flg);  // digits stand as typed
}

TEST(ApplySettingLines, OnlyNoonIdxLeavesTheOtherDefaults) {
  Settings read;
  ApplySettingLines(Lines({u"Noon_Idx,2"}), read);
  Settings expected;
  expected.options.notation = Notation::kApostropheAfter;
  EXPECT_EQ(read, expected);
  EXPECT_EQ(read.main_left, -100);
  EXPECT_FALSE(read.options.n_insert_flg);
}

// A new user starts with the textbook's standard pronunciation; a file
// written before that keeps what it says, and what it leaves out of the
// options of everyday speech is on, as it was then.
TEST(SettingsFile, OnlyANewUserStartsWithTheTextbook) {
  EXPECT_EQ(StyleOf(Settings{}.options), SpeechStyle::kTextbook);
  EXPECT_FALSE(Settings{}.options.n_insert_flg);
  struct Case {
    const char* name;
    const char* file;
    bool h_strong, e_real;
  } const cases[] = {
      {"older, only Noon_Idx", "Noon_Idx,2\r\n", true, true},
      {"older, everyday", "H_Strong_Flg,1\r\nE_Real_Flg,1\r\n", true, true},
      {"older, one off", "H_Strong_Flg,0\r\n", false, true},
      {"older, textbook", "H_Strong_Flg,0\r\nE_Real_Flg,0\r\n", false, false},
      {"this version, only Noon_Idx", "Noon_Idx,2\r\nSettings_Version,2\r\n",
       false, false},
      {"this version, everyday",
       "H_Strong_Flg,1\r\nE_Real_Flg,1\r\nSettings_Version,2\r\n", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::filesystem::path file = folder.WriteBytes("Pimoru.rng", c.file);
    Settings read;
    ASSERT_EQ(LoadSettings(file, read), FileProblem());
    EXPECT_EQ(read.options.h_strong_flg, c.h_strong);
    EXPECT_EQ(read.options.e_real_flg, c.e_real);
  }
  // No file at all: a new user.
  TempFolder folder;
  Settings read;
  ASSERT_EQ(LoadSettings(folder.path() / "Pimoru.rng", read), FileProblem());
  EXPECT_EQ(read, Settings{});
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
  EXPECT_EQ(read.options.notation, Notation::kApostropheBefore);
}

TEST(FormatSettings, FourteenLinesInAFixedOrder) {
  Settings s = NonDefault();
  s.main_left = -20;
  s.options.notation = Notation::kApostropheAfter;
  EXPECT_EQ(FormatSettings(s),
            "MainLeft,-20\r\nMainTop,60\r\nN_Insert_Flg,1\r\n"
            "H_Strong_Flg,0\r\nE_Real_Flg,0\r\nNoon_Idx,2\r\n"
            "Main_Width,700\r\nMain_Height,600\r\nOption_Open_Flg,1\r\n"
            "Zoom_Idx,5\r\nPhrase_Flg,1\r\nDict_Flg,0\r\n"
            "Speech_Speed_Idx,1\r\nRead_Numbers_Flg,1\r\n"
            "Settings_Version,2\r\n");
  EXPECT_EQ(FormatSettings(Settings{}),
            "MainLeft,-100\r\nMainTop,-100\r\nN_Insert_Flg,0\r\n"
            "H_Strong_Flg,0\r\nE_Real_Flg,0\r\nNoon_Idx,0\r\n"
            "Main_Width,0\r\nMain_Height,0\r\nOption_Open_Flg,0\r\n"
            "Zoom_Idx,3\r\nPhrase_Flg,0\r\nDict_Flg,1\r\n"
            "Speech_Speed_Idx,0\r\nRead_Numbers_Flg,0\r\n"
            "Settings_Version,2\r\n");
}

TEST(FormatSettings, ANotationOutsideTheThreeIsSavedAsZero) {
  for (const int number : {7, -1, 3}) {
    SCOPED_TRACE(number);
    Settings s;
    s.options.notation = static_cast<Notation>(number);
    const std::string text = FormatSettings(s);
    EXPECT_NE(text.find("\r\nNoon_Idx,0\r\n"), std::string::npos) << text;
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

// The names in `folder`, sorted.
std::vector<std::string> Names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

constexpr FileProblem kNoProblem;

TEST(SettingsFile, SavedFileReadsBackTheSame) {
  TempFolder folder;
  const std::filesystem::path file = folder.path() / "Pimoru.rng";
  Settings saved = NonDefault();
  saved.main_left = -20;
  ASSERT_EQ(SaveSettings(file, saved), kNoProblem);
  EXPECT_EQ(ReadFileBytes(file), FormatSettings(saved));
  Settings read;
  EXPECT_EQ(LoadSettings(file, read), kNoProblem);
  EXPECT_EQ(read, saved);
}

TEST(SettingsFile, SavingReplacesTheFileAndLeavesNothingElse) {
  TempFolder folder;
  const std::filesystem::path file = folder.WriteBytes(
      "Pimoru.rng", "MainLeft,1\r\nsomething much longer\r\n");
  ::chmod(file.c_str(), 0640);
  ASSERT_EQ(SaveSettings(file, Settings{}), kNoProblem);
  EXPECT_EQ(ReadFileBytes(file), FormatSettings(Settings{}));
  EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"Pimoru.rng"});
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);  // the permissions stay
}

TEST(SettingsFile, SavingWhereNoFileCanBeFails) {
  TempFolder folder;
  // The folder is missing.
  EXPECT_EQ(SaveSettings(folder.path() / "missing" / "Pimoru.rng", {}),
            FileProblem::System(ENOENT));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "missing"));
  // A file stands where the folder would be.
  folder.WriteBytes("file", "x");
  EXPECT_EQ(SaveSettings(folder.path() / "file" / "Pimoru.rng", {}),
            FileProblem::System(ENOTDIR));
  EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"file"});
}

// Creates a socket file at `path`; the descriptor is closed at once, the
// file stays.
void MakeSocketFile(const std::filesystem::path& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.string().size(), sizeof(address.sun_path));
  std::strcpy(address.sun_path, path.c_str());
  ASSERT_EQ(
      ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)),
      0);
  ::close(fd);
}

// Something other than a regular file at the path is never replaced and
// never read: a folder, a FIFO (opening it must not block), a socket, a
// device behind a link. It stays as it was, and no temporary file is left.
TEST(SettingsFile, OnlyARegularFileIsReadOrReplaced) {
  struct Case {
    const char* name;
    void (*make)(const std::filesystem::path& file);
  } const cases[] = {
      {"folder",
       [](const std::filesystem::path& f) {
         std::filesystem::create_directory(f);
       }},
      {"fifo",
       [](const std::filesystem::path& f) {
         ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0);
       }},
      {"socket", [](const std::filesystem::path& f) { MakeSocketFile(f); }},
      {"link to a device",
       [](const std::filesystem::path& f) {
         std::filesystem::create_symlink("/dev/null", f);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::filesystem::path file = folder.path() / "Pimoru.rng";
    c.make(file);
    const auto type = std::filesystem::symlink_status(file).type();
    Settings read = NonDefault();
    EXPECT_EQ(LoadSettings(file, read), FileProblem::NotAFile());
    EXPECT_EQ(read, NonDefault());
    EXPECT_EQ(SaveSettings(file, Settings{}), FileProblem::NotAFile());
    EXPECT_EQ(std::filesystem::symlink_status(file).type(), type);
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"Pimoru.rng"});
  }
}

TEST(SettingsFile, AMissingFileIsNoProblemAndKeepsTheDefaults) {
  TempFolder folder;
  Settings read = NonDefault();
  EXPECT_EQ(LoadSettings(folder.path() / "Pimoru.rng", read), kNoProblem);
  EXPECT_EQ(read, NonDefault());
  // A file where the folder should be: nothing can be there either.
  folder.WriteBytes("Sys", "x");
  EXPECT_EQ(LoadSettings(folder.path() / "Sys" / "Pimoru.rng", read),
            kNoProblem);
  EXPECT_EQ(read, NonDefault());
}

TEST(SettingsFile, AFileThatCannotBeReadIsAProblemAndKeepsTheDefaults) {
  TempFolder folder;
  const std::filesystem::path file = folder.path() / "Pimoru.rng";
  std::filesystem::create_symlink("Pimoru.rng", file);  // a loop
  Settings read = NonDefault();
  EXPECT_EQ(LoadSettings(file, read), FileProblem::System(ELOOP));
  EXPECT_EQ(read, NonDefault());
  EXPECT_EQ(SaveSettings(file, Settings{}), FileProblem::System(ELOOP));
  EXPECT_TRUE(std::filesystem::is_symlink(file));
}

TEST(SettingsFile, ALinkIsWrittenThroughToItsTarget) {
  TempFolder folder;
  const std::filesystem::path target =
      folder.WriteBytes("real/Pimoru.rng", "MainLeft,1\r\n");
  std::filesystem::create_directory(folder.path() / "Sys");
  const std::filesystem::path link = folder.path() / "Sys" / "Pimoru.rng";
  std::filesystem::create_symlink("../real/Pimoru.rng", link);
  Settings saved = NonDefault();
  ASSERT_EQ(SaveSettings(link, saved), kNoProblem);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(target), FormatSettings(saved));
  EXPECT_EQ(Names(folder.path() / "Sys"),
            std::vector<std::string>{"Pimoru.rng"});
  EXPECT_EQ(Names(folder.path() / "real"),
            std::vector<std::string>{"Pimoru.rng"});
  Settings read;
  EXPECT_EQ(LoadSettings(link, read), kNoProblem);
  EXPECT_EQ(read, saved);

  // A link whose target does not exist yet: the target is made.
  std::filesystem::remove(target);
  ASSERT_EQ(SaveSettings(link, saved), kNoProblem);
  EXPECT_EQ(ReadFileBytes(target), FormatSettings(saved));
}

// Root makes the link of another user. Settings in a shared sticky folder
// (where a user without a home once had them) never follow a link another
// user planted there: the file it leads to is neither read nor replaced.
TEST(SettingsFile, AnotherUsersLinkInASharedFolderIsNeitherReadNorWritten) {
  if (::geteuid() != 0) GTEST_SKIP() << "making another user's link needs root";
  TempFolder folder;
  const std::filesystem::path secret =
      folder.WriteBytes("secret", "MainLeft,1\r\n");
  const std::filesystem::path link =
      PlantLink(folder, 01777, 0, kOtherUser, secret, "Pimoru.rng");
  ASSERT_FALSE(link.empty());
  Settings read = NonDefault();
  EXPECT_EQ(LoadSettings(link, read), FileProblem::ForeignLink());
  EXPECT_EQ(read, NonDefault());
  EXPECT_EQ(SaveSettings(link, Settings{}), FileProblem::ForeignLink());
  EXPECT_EQ(ReadFileBytes(secret), "MainLeft,1\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
}

// Only the first kSettingsReadLimit bytes are read: a huge file costs
// neither time nor memory, and a line cut at the limit is not read at all.
TEST(SettingsFile, ReadingStopsAfterTheLimit) {
  TempFolder folder;
  const std::string head = "MainLeft,5\r\nMainTop,6\r\n";
  const std::string cut_line = "Noon_Idx,2\r\n";
  std::string bytes = head;
  bytes.resize(kSettingsReadLimit - 5, ' ');
  bytes += cut_line;  // crosses the limit: "Noon_" is inside, "Idx,2" not
  bytes += "N_Insert_Flg,1\r\n";
  const std::filesystem::path file = folder.WriteBytes("Pimoru.rng", bytes);
  // A gigabyte more, without the disk space: a file with a hole.
  std::filesystem::resize_file(file, std::uintmax_t{1} << 30);
  Settings read = NonDefault();
  EXPECT_EQ(LoadSettings(file, read), kNoProblem);
  Settings expected = NonDefault();
  expected.main_left = 5;
  expected.main_top = 6;
  // A file without a version is an older one.
  expected.options = WithStyle(expected.options, SpeechStyle::kEveryday);
  EXPECT_EQ(read, expected);
}

}  // namespace
}  // namespace pimoru
