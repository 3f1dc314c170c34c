#include "app/settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>

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

void WriteAll(int fd, std::string_view bytes, bool& ok) {
  while (ok && !bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      ok = false;
      return;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
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
  auto flag = [](std::u16string_view value) { return value == u"1"; };
  Options& options = settings.options;
  WithValue(lines, kMainLeft, [&](auto v) { settings.main_left = edge(v); });
  WithValue(lines, kMainTop, [&](auto v) { settings.main_top = edge(v); });
  WithValue(lines, kNInsertFlg,
            [&](auto v) { options.n_insert_flg = flag(v); });
  WithValue(lines, kHStrongFlg,
            [&](auto v) { options.h_strong_flg = flag(v); });
  WithValue(lines, kERealFlg, [&](auto v) { options.e_real_flg = flag(v); });
  WithValue(lines, kNoonIdx,
            [&](auto v) { options.noon_idx = ParseInteger(v).value_or(0); });
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
  const int noon_idx =
      options.noon_idx >= 0 && options.noon_idx <= 2 ? options.noon_idx : 0;
  std::string text;
  text += "MainLeft," + std::to_string(settings.main_left) + "\r\n";
  text += "MainTop," + std::to_string(settings.main_top) + "\r\n";
  text += std::string("N_Insert_Flg,") + flag(options.n_insert_flg) + "\r\n";
  text += std::string("H_Strong_Flg,") + flag(options.h_strong_flg) + "\r\n";
  text += std::string("E_Real_Flg,") + flag(options.e_real_flg) + "\r\n";
  text += "Noon_Idx," + std::to_string(noon_idx) + "\r\n";
  return text;
}

void LoadSettings(const std::filesystem::path& file, Settings& settings) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return;
  std::ifstream in(file, std::ios::binary);
  if (!in) return;
  const std::string bytes{std::istreambuf_iterator<char>(in),
                          std::istreambuf_iterator<char>()};
  if (in.bad()) return;
  ApplySettingLines(DecodeSettingLines(bytes), settings);
}

bool SaveSettings(const std::filesystem::path& file, const Settings& settings) {
  std::string temp_name = file.string() + ".XXXXXX";
  const int fd = ::mkstemp(temp_name.data());
  if (fd < 0) return false;
  bool ok = true;
  WriteAll(fd, FormatSettings(settings), ok);
  ok = ::fsync(fd) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temp_name.c_str(), file.c_str()) == 0;
  if (!ok) ::unlink(temp_name.c_str());
  return ok;
}

}  // namespace pimoru
