#include "pipeline/stage_record.h"

namespace pimoru {
namespace {

struct SlotInfo {
  std::u16string_view name;
  std::u16string_view help_page;
};

// The digits in the names are full-width; "N 挿入" has a Latin N and a space.
constexpr std::array<SlotInfo, kSlotCount> kSlots = {{
    {u"生のハングル", u"sogo.html"},
    {u"整形ハングル", u"sogo.html"},
    {u"分かち書き調整", u"wakachi1.html"},
    {u"特異例の判断", u"kspecial.html"},
    {u"의の３変化", u"wi3var1.html"},
    {u"鼻音化１", u"bionka1.html"},
    {u"濃音化１", u"noonka1.html"},
    {u"濃音化２", u"noonka2.html"},
    {u"예の２変化", u"ye2var.html"},
    {u"의の３変化", u"wi3var.html"},
    {u"N 挿入", u"n_sonyu1.html"},
    {u"口蓋音化", u"kogaionka1.html"},
    {u"激音化", u"gekionka1.html"},
    {u"連音化１", u"renonka.html"},
    {u"連音化２", u"renonka.html"},
    {u"無音化", u"muonka1.html"},
    {u"鼻音化２", u"bionka2.html"},
    {u"流音化", u"ryuonka1.html"},
    {u"濃音化３", u"noonka3.html"},
    {u"濃音化４", u"noonka4.html"},
    {u"濃音化５", u"noonka5.html"},
    {u"パッチムの標準化", u"pat_normalize.html"},
    {u"語尾のリアル化", u"end_realize.html"},
    {u"有声音化", u"yuseionka1.html"},
}};

}  // namespace

void StageRecord::Clear() {
  for (std::u16string& result : results) result.clear();
  changed.fill(false);
}

std::u16string_view StageName(int slot) {
  return slot >= 0 && slot < kSlotCount ? kSlots[slot].name
                                        : std::u16string_view();
}

std::u16string_view HelpPage(int slot) {
  return slot >= 0 && slot < kSlotCount ? kSlots[slot].help_page
                                        : std::u16string_view();
}

std::u16string PreviousStageResult(const StageRecord& record, int slot) {
  if (slot > kSlotCount) slot = kSlotCount;
  for (int k = slot - 1; k >= 1; --k) {
    if (!record.results[k].empty()) return record.results[k];
  }
  return std::u16string();
}

}  // namespace pimoru
