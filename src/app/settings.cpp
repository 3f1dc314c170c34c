#include "app/settings.h"

#include <cerrno>
#include <cstdint>
#include <limits>
#include <optional>

#include "hangul/file_access.h"
#include "hangul/file_write.h"
#include "hangul/utf.h"
#include "hangul/word_list.h"

namespace pimoru {
namespace {

constexpr std::u16string_view kMainLeft = u"MainLeft";
constexpr std::u16string_view kMainTop = u"MainTop";
constexpr std::u16string_view kNInsertFlg = u"N_Insert_Flg";
constexpr std::u16string_view kHStrongFlg = u"H_Strong_Flg";
constexpr std::u16string_view kERealFlg = u"E_Real_Flg";
constexpr std::u16string_view kNoonIdx = u"Noon_Idx";
constexpr std::u16string_view kMainWidth = u"Main_Width";
constexpr std::u16string_view kMainHeight = u"Main_Height";
constexpr std::u16string_view kOptionOpenFlg = u"Option_Open_Flg";
constexpr std::u16string_view kZoomIdx = u"Zoom_Idx";
constexpr std::u16string_view kPhraseFlg = u"Phrase_Flg";
constexpr std::u16string_view kDictFlg = u"Dict_Flg";
constexpr std::u16string_view kSpeechSpeedIdx = u"Speech_Speed_Idx";
constexpr std::u16string_view kReadNumbersFlg = u"Read_Numbers_Flg";
constexpr std::u16string_view kSettingsVersionKey = u"Settings_Version";

std::u16string DecodeUtf16(std::string_view bytes, bool little_endian) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    text += little_endian ? static_cast<char16_t>(first | second << 8)
                          : static_cast<char16_t>(first << 8 | second);
  }
  return text;
}

// Applies the value of `key` when the file holds a non-empty one.
template <typename Apply>
void WithValue(std::span<const std::u16string> lines, std::u16string_view key,
               Apply apply) {
  const std::u16string value = SettingValue(lines, key);
  if (!value.empty()) apply(value);
}

}  // namespace

std::u16string SettingValue(std::span<const std::u16string> lines,
                            std::u16string_view key) {
  for (const std::u16string& line : lines) {
    const std::vector<std::u16string> items = SplitFields(line);
    if (items.size() == 2 && items[0] == key) return items[1];
  }
  return {};
}

void ApplySettingLines(std::span<const std::u16string> lines,
                       Settings& settings) {
  auto edge = [](std::u16string_view value) {
    return ParseInteger(value).value_or(kUnplacedEdge);
  };
  auto size = [](std::u16string_view value) {
    const int number = ParseInteger(value).value_or(kUnsetSize);
    return number > 0 ? number : kUnsetSize;
  };
  auto flag = [](std::u16string_view value) { return value == u"1"; };
  Options& options = settings.options;
  WithValue(lines, kMainLeft, [&](auto v) { settings.main_left = edge(v); });
  WithValue(lines, kMainTop, [&](auto v) { settings.main_top = edge(v); });
  WithValue(lines, kNInsertFlg,
            [&](auto v) { options.n_insert_flg = flag(v); });
  WithValue(lines, kHStrongFlg,
            [&](auto v) { options.h_strong_flg = flag(v); });
  WithValue(lines, kERealFlg, [&](auto v) { options.e_real_flg = flag(v); });
  WithValue(lines, kNoonIdx, [&](auto v) {
    options.notation = static_cast<Notation>(ParseInteger(v).value_or(0));
  });
  WithValue(lines, kMainWidth, [&](auto v) { settings.main_width = size(v); });
  WithValue(lines, kMainHeight,
            [&](auto v) { settings.main_height = size(v); });
  WithValue(lines, kOptionOpenFlg,
            [&](auto v) { settings.option_open_flg = flag(v); });
  WithValue(lines, kZoomIdx, [&](auto v) {
    const int index = ParseInteger(v).value_or(kDefaultZoomIdx);
    const bool known =
        index >= 0 && index < static_cast<int>(kZoomPercents.size());
    settings.zoom_idx = known ? index : kDefaultZoomIdx;
  });
  WithValue(lines, kPhraseFlg, [&](auto v) { options.phrase_flg = flag(v); });
  WithValue(lines, kDictFlg, [&](auto v) { settings.dict_flg = flag(v); });
  WithValue(lines, kSpeechSpeedIdx, [&](auto v) {
    const int index = ParseInteger(v).value_or(0);
    settings.speech_speed_idx =
        index >= 0 && index < kSpeechSpeedCount ? index : 0;
  });
  WithValue(lines, kReadNumbersFlg,
            [&](auto v) { options.read_numbers_flg = flag(v); });
}

std::vector<std::u16string> DecodeSettingLines(std::string_view bytes) {
  std::u16string text;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    text = Utf8ToUtf16Lossy(bytes.substr(3));
  } else if (bytes.starts_with("\xFF\xFE")) {
    text = DecodeUtf16(bytes.substr(2), /*little_endian=*/true);
  } else if (bytes.starts_with("\xFE\xFF")) {
    text = DecodeUtf16(bytes.substr(2), /*little_endian=*/false);
  } else {
    text = Utf8ToUtf16Lossy(bytes);
  }
  return SplitLines(text);
}

std::string FormatSettings(const Settings& settings) {
  const Options& options = settings.options;
  auto flag = [](bool on) { return on ? "1" : "0"; };
  std::string text;
  text += "MainLeft," + std::to_string(settings.main_left) + "\r\n";
  text += "MainTop," + std::to_string(settings.main_top) + "\r\n";
  text += std::string("N_Insert_Flg,") + flag(options.n_insert_flg) + "\r\n";
  text += std::string("H_Strong_Flg,") + flag(options.h_strong_flg) + "\r\n";
  text += std::string("E_Real_Flg,") + flag(options.e_real_flg) + "\r\n";
  text += "Noon_Idx," +
          std::to_string(static_cast<int>(KnownNotation(options.notation))) +
          "\r\n";
  // Added later: an older version reads the six lines above and skips these.
  text += "Main_Width," + std::to_string(settings.main_width) + "\r\n";
  text += "Main_Height," + std::to_string(settings.main_height) + "\r\n";
  text +=
      std::string("Option_Open_Flg,") + flag(settings.option_open_flg) + "\r\n";
  text += "Zoom_Idx," + std::to_string(settings.zoom_idx) + "\r\n";
  text += std::string("Phrase_Flg,") + flag(options.phrase_flg) + "\r\n";
  text += std::string("Dict_Flg,") + flag(settings.dict_flg) + "\r\n";
  text +=
      "Speech_Speed_Idx," + std::to_string(settings.speech_speed_idx) + "\r\n";
  text += std::string("Read_Numbers_Flg,") + flag(options.read_numbers_flg) +
          "\r\n";
  text += "Settings_Version," + std::to_string(kSettingsVersion) + "\r\n";
  return text;
}

FileProblem LoadSettings(const std::filesystem::path& file,
                         Settings& settings) {
  // Any size is opened, and only its start read: a huge file costs neither
  // time nor memory.
  ReadableFile opened(file, std::numeric_limits<std::uint64_t>::max());
  std::string bytes;
  const FileReadFailure failure = opened.ReadStart(kSettingsReadLimit, bytes);
  switch (failure.kind) {
    case FileReadFailure::Kind::kNone:
      break;
    case FileReadFailure::Kind::kMissing:
    case FileReadFailure::Kind::kBrokenLink:
      // Nothing there: the defaults stand, and saving will say if it can't.
      return {};
    case FileReadFailure::Kind::kFolder:
    case FileReadFailure::Kind::kNotAFile:
    case FileReadFailure::Kind::kTooLarge:
      return FileProblem::NotAFile();
    case FileReadFailure::Kind::kForeignLink:
      return FileProblem::ForeignLink();
    case FileReadFailure::Kind::kSystem:
      // A file where the folder should be is nothing there too.
      if (failure.error_number == ENOTDIR) return {};
      return FileProblem::System(failure.error_number);
  }
  if (opened.size() > kSettingsReadLimit) {
    bytes.resize(bytes.find_last_of("\r\n") + 1);  // npos + 1 == 0
  }
  const std::vector<std::u16string> lines = DecodeSettingLines(bytes);
  if (SettingValue(lines, kSettingsVersionKey).empty()) {
    settings.options = WithStyle(settings.options, SpeechStyle::kEveryday);
  }
  ApplySettingLines(lines, settings);
  return {};
}

FileProblem SaveSettings(const std::filesystem::path& file,
                         const Settings& settings) {
  const FileWriteFailure failure =
      TryWriteFileAtomically(file, FormatSettings(settings));
  switch (failure.kind) {
    case FileWriteFailure::Kind::kNone:
      return {};
    case FileWriteFailure::Kind::kSystem:
      return FileProblem::System(failure.error_number);
    case FileWriteFailure::Kind::kForeignLink:
      return FileProblem::ForeignLink();
    case FileWriteFailure::Kind::kFolder:
    case FileWriteFailure::Kind::kNotAFile:
    case FileWriteFailure::Kind::kChanged:
      break;
  }
  return FileProblem::NotAFile();
}

}  // namespace pimoru
