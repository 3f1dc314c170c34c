// Arbitrary bytes as a settings file: decoding, the key lookup and the
// reading of the keys must never crash, and what was read must survive
// a save and a second reading unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"

namespace {

constexpr std::u16string_view kKeys[] = {
    u"MainLeft",        u"MainTop",  u"N_Insert_Flg", u"H_Strong_Flg",
    u"E_Real_Flg",      u"Noon_Idx", u"Main_Width",   u"Main_Height",
    u"Option_Open_Flg", u"Zoom_Idx", u"Phrase_Flg",   u"Dict_Flg"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::u16string> lines = pimoru::DecodeSettingLines(bytes);
  for (const std::u16string_view key : kKeys) {
    pimoru::SettingValue(lines, key);
  }
  // The lines themselves as keys: any text may be looked up.
  for (std::size_t k = 0; k < lines.size() && k < 4; ++k) {
    pimoru::SettingValue(lines, lines[k]);
  }

  pimoru::Settings read;
  pimoru::ApplySettingLines(lines, read);
  pimoru::Settings again;
  pimoru::ApplySettingLines(
      pimoru::DecodeSettingLines(pimoru::FormatSettings(read)), again);
  // A Noon_Idx that names no notation is kept as read but saved as 0.
  read.options.notation = pimoru::KnownNotation(read.options.notation);
  if (!(again == read)) std::abort();
  return 0;
}
