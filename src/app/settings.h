// The settings file Pimoru.rng: the window position and the four options,
// kept from one start of the window to the next.
//
// Six lines of "key,value", each key looked up on its own, so a file with
// missing, extra or reordered lines still gives every key it holds. Nothing
// here needs Qt.
#ifndef PIMORU_APP_SETTINGS_H_
#define PIMORU_APP_SETTINGS_H_

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pipeline/options.h"

namespace pimoru {

inline constexpr std::string_view kSettingsFileName = "Pimoru.rng";

// A left edge or top edge that was never stored, or did not read as a
// number. Any negative left edge makes the window start centred.
inline constexpr int kUnplacedEdge = -100;

struct Settings {
  int main_left = kUnplacedEdge;
  int main_top = kUnplacedEdge;
  // Noon_Idx is kept as read, even outside 0..2: it then renders like 0,
  // selects nothing in the notation box and is saved as 0.
  Options options;

  friend bool operator==(const Settings& a, const Settings& b) {
    return a.main_left == b.main_left && a.main_top == b.main_top &&
           a.options.n_insert_flg == b.options.n_insert_flg &&
           a.options.h_strong_flg == b.options.h_strong_flg &&
           a.options.e_real_flg == b.options.e_real_flg &&
           a.options.noon_idx == b.options.noon_idx;
  }
};

// The value of `key` in the first line that splits into exactly two items
// whose first is `key` (case-sensitive); empty when no line does. A line is
// split like a comma-separated list in which blanks outside double quotes
// also separate items, so "Noon_Idx, 2" and "Noon_Idx 2" both give "2",
// while "Noon_Idx,2,3" and "Noon Idx,2" never match.
std::u16string SettingValue(std::span<const std::u16string> lines,
                            std::u16string_view key);

// Reads the six keys from the lines over `settings`. A key that is missing
// or has an empty value keeps what `settings` held; an edge that is not a
// decimal integer becomes kUnplacedEdge, a Noon_Idx that is not one becomes
// 0, and a flag is on exactly when its value is "1".
void ApplySettingLines(std::span<const std::u16string> lines,
                       Settings& settings);

// Cuts a settings file's bytes into lines. A byte-order mark selects UTF-8,
// UTF-16 little-endian or UTF-16 big-endian; without one the bytes are read
// as UTF-8, an ill-formed byte as U+FFFD.
std::vector<std::u16string> DecodeSettingLines(std::string_view bytes);

// The file's text: six lines in a fixed order, each ended by CR LF, ASCII.
std::string FormatSettings(const Settings& settings);

// Reads `file` over `settings`. A missing or unreadable file leaves them as
// they are: the defaults stand.
void LoadSettings(const std::filesystem::path& file, Settings& settings);

// Replaces `file` with the six lines, through a temporary file in the same
// folder that is renamed over it, so a failed write never leaves a cut
// file behind. False when the file could not be written.
bool SaveSettings(const std::filesystem::path& file, const Settings& settings);

}  // namespace pimoru

#endif  // PIMORU_APP_SETTINGS_H_
