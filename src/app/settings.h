// The settings file Pimoru.rng: the window's place, size and zoom, whether
// its report was open, the options of a conversion, whether the dictionary
// decides and the speed of speech, kept from one start of the window to the
// next.
//
// A line of "key,value" per key, each key looked up on its own, so a file
// with missing, extra or reordered lines still gives every key it holds; a
// file of an older version, with only the first six keys, reads as it
// always did. Nothing here needs Qt.
#ifndef PIMORU_APP_SETTINGS_H_
#define PIMORU_APP_SETTINGS_H_

#include <array>
#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/system_reason.h"
#include "pipeline/options.h"
#include "pipeline/speech_style.h"

namespace pimoru {

inline constexpr std::string_view kSettingsFileName = "Pimoru.rng";

// A left edge or top edge that was never stored, or did not read as a
// number. Any negative left edge makes the window start centred.
inline constexpr int kUnplacedEdge = -100;

// A width or height that was never stored, or did not read as a positive
// number: the window takes its own.
inline constexpr int kUnsetSize = 0;

// The sizes of the window's text that Zoom_Idx chooses from, in percent.
inline constexpr std::array kZoomPercents = {70,  80,  90,  100, 115,
                                             130, 150, 175, 200};
inline constexpr int kDefaultZoomIdx = 3;  // 100 %

// The speeds of speech the window offers: 0 普通, 1 ゆっくり.
inline constexpr int kSpeechSpeedCount = 2;

// A settings file holds a dozen short lines; anything past this size is not
// read, so a huge file at the path costs no time and no memory.
inline constexpr std::size_t kSettingsReadLimit = 64 * 1024;

struct Settings {
  int main_left = kUnplacedEdge;
  int main_top = kUnplacedEdge;
  int main_width = kUnsetSize;
  // The height of the full view, with the report open; the compact view
  // has a height of its own.
  int main_height = kUnsetSize;
  bool option_open_flg = false;  // the report and the options are shown
  int zoom_idx = kDefaultZoomIdx;
  // The dictionary decides the questions it can (辞書で判断する); on when an
  // older file does not say.
  bool dict_flg = true;
  // The speed the reading is spoken at; an index below kSpeechSpeedCount.
  int speech_speed_idx = 0;
  // The notation is kept as Noon_Idx had it, even a number outside 0..2:
  // it then renders like 0, selects nothing in the notation box and is
  // saved as 0. A new user starts with the standard pronunciation of the
  // textbooks.
  Options options = WithStyle(Options{}, SpeechStyle::kTextbook);

  friend bool operator==(const Settings& a, const Settings& b) {
    return a.main_left == b.main_left && a.main_top == b.main_top &&
           a.main_width == b.main_width && a.main_height == b.main_height &&
           a.option_open_flg == b.option_open_flg && a.zoom_idx == b.zoom_idx &&
           a.dict_flg == b.dict_flg &&
           a.speech_speed_idx == b.speech_speed_idx && a.options == b.options;
  }
};

// The value of `key` in the first line that splits into exactly two items
// whose first is `key` (case-sensitive); empty when no line does. A line is
// split like a comma-separated list in which blanks outside double quotes
// also separate items, so "Noon_Idx, 2" and "Noon_Idx 2" both give "2",
// while "Noon_Idx,2,3" and "Noon Idx,2" never match.
std::u16string SettingValue(std::span<const std::u16string> lines,
                            std::u16string_view key);

// Reads the keys from the lines over `settings`. A key that is missing
// or has an empty value keeps what `settings` held; an edge that is not a
// decimal integer becomes kUnplacedEdge, a size that is not a positive one
// kUnsetSize, a Noon_Idx that is not one 0, a Zoom_Idx that is not an index
// of kZoomPercents kDefaultZoomIdx, a Speech_Speed_Idx that is not below
// kSpeechSpeedCount 0, and a flag is on exactly when its value is "1".
void ApplySettingLines(std::span<const std::u16string> lines,
                       Settings& settings);

// Cuts a settings file's bytes into lines. A byte-order mark selects UTF-8,
// UTF-16 little-endian or UTF-16 big-endian; without one the bytes are read
// as UTF-8, an ill-formed byte as U+FFFD.
std::vector<std::u16string> DecodeSettingLines(std::string_view bytes);

// The file's text: one line a key in a fixed order, each ended by CR LF,
// ASCII, the version last.
std::string FormatSettings(const Settings& settings);

// The version of the settings file that this program writes. A file
// without one was written when everyday speech was the default: the
// options of everyday speech it does not name are on.
inline constexpr int kSettingsVersion = 2;

// Reads `file` over `settings`, at most kSettingsReadLimit bytes of it (a
// line cut at the limit is dropped); the options of everyday speech of an
// older file (one without Settings_Version) start on. A missing file leaves
// them as they are, and so does one that exists but cannot be read: a
// folder, a device or a FIFO at the path, a file without read permission,
// another user's link in a shared folder (see MayFollowLink). That is told
// by the problem returned, so the caller can keep from overwriting a file it
// never read.
FileProblem LoadSettings(const std::filesystem::path& file, Settings& settings);

// Replaces `file` with those lines, through a temporary file in the same
// folder that is renamed over it, so a failed write never leaves a cut file
// behind, nor the temporary file. A symbolic link is written through to its
// target. Only a regular file is replaced: anything else at the path (a
// folder, a device, a FIFO, a socket) is refused and left untouched.
FileProblem SaveSettings(const std::filesystem::path& file,
                         const Settings& settings);

}  // namespace pimoru

#endif  // PIMORU_APP_SETTINGS_H_
