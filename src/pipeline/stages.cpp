#include "pipeline/stages.h"

#include <array>

namespace pimoru {
namespace {

using enum StageId;
using enum TextForm;

constexpr QuestionKind kNumberReadingAsks[] = {QuestionKind::kNativeNumeral};
constexpr QuestionKind kNInsertionAsks[] = {QuestionKind::kNInsertion};
constexpr QuestionKind kNasalisation2Asks[] = {
    QuestionKind::kSinoKoreanSuffix, QuestionKind::kSinoKoreanNasalisation};
constexpr QuestionKind kTensification3Asks[] = {QuestionKind::kListedEnding};
constexpr QuestionKind kTensification5Asks[] = {
    QuestionKind::kFutureAdnominal, QuestionKind::kSinoKoreanTensification};

// The digits in the names are full-width; "N 挿入" has a Latin N and a space.
constexpr std::array<Stage, kStageCount> kStages = {{
    {kInput, 0, u"生のハングル", u"sogo.html", nullptr, kSyllables},
    {kFormatting, 1, u"整形ハングル", u"sogo.html", FormatInput, kSyllables,
     nullptr, true},
    // Numbered after the stages that came before it, so that the numbers
    // of stored files and outputs keep their meaning.
    {kNumberReading, 24, u"数字・英字の読み", u"suji_yomi.html",
     SpellOutNumbers, kSyllables, &Options::read_numbers_flg, false,
     kNumberReadingAsks},
    {kSpacing, 2, u"分かち書き調整", u"wakachi1.html", AdjustSpacing,
     kSyllables},
    {kSpecialWords, 3, u"特異例の判断", u"kspecial.html", ApplySpecialWords,
     kSyllables},
    {kUiVariationWords, 4, u"의の３変化", u"wi3var1.html",
     ApplyUiVariationWords, kSyllables},
    {kNasalisation1, 5, u"鼻音化１", u"bionka1.html", ApplyNasalisation1,
     kSyllables},
    {kTensification1, 6, u"濃音化１", u"noonka1.html", ApplyTensification1,
     kSyllables},
    {kTensification2, 7, u"濃音化２", u"noonka2.html", ApplyTensification2,
     kSyllables},
    {kYeVariation, 8, u"예の２変化", u"ye2var.html", ApplyYeVariation, kJamo},
    {kUiVariation, 9, u"의の３変化", u"wi3var.html", ApplyUiVariation, kJamo},
    {kNInsertion, 10, u"N 挿入", u"n_sonyu1.html", ApplyNInsertion, kJamo,
     &Options::n_insert_flg, false, kNInsertionAsks},
    {kPalatalisation, 11, u"口蓋音化", u"kogaionka1.html", ApplyPalatalisation,
     kJamo},
    {kAspiration, 12, u"激音化", u"gekionka1.html", ApplyAspiration, kJamo},
    {kLiaison1, 13, u"連音化１", u"renonka.html", ApplyLiaison1, kJamo},
    {kLiaison2, 14, u"連音化２", u"renonka.html", ApplyLiaison2, kJamo},
    {kSilencing, 15, u"無音化", u"muonka1.html", ApplySilencing, kJamo},
    {kNasalisation2, 16, u"鼻音化２", u"bionka2.html", ApplyNasalisation2,
     kJamo, nullptr, false, kNasalisation2Asks},
    {kLateralisation, 17, u"流音化", u"ryuonka1.html", ApplyLateralisation,
     kJamo},
    {kTensification3, 18, u"濃音化３", u"noonka3.html", ApplyTensification3,
     kJamo, nullptr, false, kTensification3Asks},
    {kTensification4, 19, u"濃音化４", u"noonka4.html", nullptr, kJamo},
    {kTensification5, 20, u"濃音化５", u"noonka5.html", ApplyTensification45,
     kJamo, nullptr, false, kTensification5Asks},
    {kFinals, 21, u"パッチムの標準化", u"pat_normalize.html", StandardiseFinals,
     kJamo},
    {kEndings, 22, u"語尾のリアル化", u"end_realize.html", RealiseEndings,
     kJamo, &Options::e_real_flg},
    {kVoicing, 23, u"有声音化", u"yuseionka1.html", nullptr, kJamo},
}};

// A row out of place would file a stage's text under another's name.
constexpr bool InPipelineOrder() {
  for (std::size_t k = 0; k < kStages.size(); ++k) {
    if (static_cast<std::size_t>(kStages[k].id) != k) return false;
  }
  return true;
}
static_assert(InPipelineOrder());

constexpr bool NumbersDistinct() {
  for (std::size_t a = 0; a < kStages.size(); ++a) {
    for (std::size_t b = a + 1; b < kStages.size(); ++b) {
      if (kStages[a].number == kStages[b].number) return false;
    }
  }
  return true;
}
static_assert(NumbersDistinct());

// Each kind of question is asked by one stage, so that its answers are
// listed under that stage alone.
constexpr bool EachKindAskedOnce() {
  for (const QuestionKindInfo& info : kQuestionKinds) {
    int asking = 0;
    for (const Stage& stage : kStages) {
      for (const QuestionKind kind : stage.asks) asking += kind == info.kind;
    }
    if (asking != 1) return false;
  }
  return true;
}
static_assert(EachKindAskedOnce());

}  // namespace

std::span<const Stage, kStageCount> Stages() { return kStages; }

std::span<const Stage> StagesFrom(StageId first) {
  return Stages().subspan(static_cast<std::size_t>(first));
}

const Stage& StageOf(StageId id) {
  return kStages[static_cast<std::size_t>(id)];
}

int StageNumber(StageId id) { return StageOf(id).number; }

std::optional<StageId> StageNumbered(int number) {
  for (const Stage& stage : kStages) {
    if (stage.number == number) return stage.id;
  }
  return std::nullopt;
}

std::u16string_view StageName(StageId id) { return StageOf(id).name; }

std::u16string_view HelpPage(StageId id) { return StageOf(id).help_page; }

StageId StageAsking(QuestionKind kind) {
  for (const Stage& stage : kStages) {
    for (const QuestionKind asked : stage.asks) {
      if (asked == kind) return stage.id;
    }
  }
  return StageId::kInput;  // never: every kind has its stage
}

}  // namespace pimoru
