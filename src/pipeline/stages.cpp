#include "pipeline/stages.h"

#include <array>

namespace pimoru {
namespace {

using enum TextForm;

// The digits in the names are full-width; "N 挿入" has a Latin N and a space.
constexpr std::array<Stage, kSlotCount> kStages = {{
    {0, u"生のハングル", u"sogo.html", nullptr, kSyllables},
    {1, u"整形ハングル", u"sogo.html", FormatInput, kSyllables, nullptr, true},
    {2, u"分かち書き調整", u"wakachi1.html", AdjustSpacing, kSyllables},
    {3, u"特異例の判断", u"kspecial.html", ApplySpecialWords, kSyllables},
    {4, u"의の３変化", u"wi3var1.html", ApplyUiVariationWords, kSyllables},
    {5, u"鼻音化１", u"bionka1.html", ApplyNasalisation1, kSyllables},
    {6, u"濃音化１", u"noonka1.html", ApplyTensification1, kSyllables},
    {7, u"濃音化２", u"noonka2.html", ApplyTensification2, kSyllables},
    {8, u"예の２変化", u"ye2var.html", ApplyYeVariation, kJamo},
    {9, u"의の３変化", u"wi3var.html", ApplyUiVariation, kJamo},
    {10, u"N 挿入", u"n_sonyu1.html", ApplyNInsertion, kJamo,
     &Options::n_insert_flg},
    {11, u"口蓋音化", u"kogaionka1.html", ApplyPalatalisation, kJamo},
    {12, u"激音化", u"gekionka1.html", ApplyAspiration, kJamo},
    {13, u"連音化１", u"renonka.html", ApplyLiaison1, kJamo},
    {14, u"連音化２", u"renonka.html", ApplyLiaison2, kJamo},
    {15, u"無音化", u"muonka1.html", ApplySilencing, kJamo},
    {16, u"鼻音化２", u"bionka2.html", ApplyNasalisation2, kJamo},
    {17, u"流音化", u"ryuonka1.html", ApplyLateralisation, kJamo},
    {18, u"濃音化３", u"noonka3.html", ApplyTensification3, kJamo},
    {19, u"濃音化４", u"noonka4.html", nullptr, kJamo},
    {20, u"濃音化５", u"noonka5.html", ApplyTensification45, kJamo},
    {21, u"パッチムの標準化", u"pat_normalize.html", StandardiseFinals, kJamo},
    {22, u"語尾のリアル化", u"end_realize.html", RealiseEndings, kJamo,
     &Options::e_real_flg},
    {23, u"有声音化", u"yuseionka1.html", nullptr, kJamo},
}};

constexpr bool InSlotOrder() {
  for (int k = 0; k < kSlotCount; ++k) {
    if (kStages[k].slot != k) return false;
  }
  return true;
}
static_assert(InSlotOrder());

}  // namespace

std::span<const Stage, kSlotCount> Stages() { return kStages; }

}  // namespace pimoru
