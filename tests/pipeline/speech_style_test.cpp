// Textbook and everyday speech: the presets of the options, and the reading
// in the other style with the options that make the difference.
#include "pipeline/speech_style.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "hangul/word_list.h"
#include "pipeline/pipeline.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

TEST(SpeechStyle, ThePresetsSetTheOptionsOfEverydaySpeechOnly) {
  Options options;
  options.n_insert_flg = true;
  options.notation = Notation::kApostropheAfter;
  options.phrase_flg = true;
  EXPECT_EQ(StyleOf(options), SpeechStyle::kEveryday);  // the defaults
  const Options textbook = WithStyle(options, SpeechStyle::kTextbook);
  EXPECT_FALSE(textbook.h_strong_flg);
  EXPECT_FALSE(textbook.e_real_flg);
  EXPECT_EQ(StyleOf(textbook), SpeechStyle::kTextbook);
  Options rest = textbook;
  rest.h_strong_flg = rest.e_real_flg = true;
  EXPECT_EQ(rest, options);  // nothing else moved
  EXPECT_EQ(WithStyle(textbook, SpeechStyle::kEveryday), options);

  Options mixed = textbook;
  mixed.e_real_flg = true;
  EXPECT_EQ(StyleOf(mixed), SpeechStyle::kMixed);
  EXPECT_EQ(WithStyle(mixed, SpeechStyle::kMixed), mixed);
}

class OtherFormTest : public testing::Test {
 protected:
  struct Result {
    std::u16string reading;
    std::optional<OtherForm> other;
  };
  Result Read(std::u16string_view input, const Options& options, Asker& asker) {
    StageRecord record;
    Result r;
    r.reading = RunPipeline(input, options, lists_, asker, record);
    r.other = OtherFormOf(input, options, r.reading, lists_, record, unasked_);
    return r;
  }

  LoadedWordLists lists_{std::filesystem::path(PIMORU_STAGED_DATA_DIR) /
                         "kdat"};
  ScriptedAsker unasked_;
};

TEST_F(OtherFormTest, TheOtherStyleWithTheOptionsThatMakeTheDifference) {
  const Options everyday;
  const Options textbook = WithStyle(everyday, SpeechStyle::kTextbook);
  Options mixed = textbook;
  mixed.h_strong_flg = true;
  constexpr std::u16string_view kH = u"ㅎの弱音化を無音化にする";
  constexpr std::u16string_view kE = u"リアル文末表現";
  struct Case {
    const char16_t* input;
    Options options;
    SpeechStyle style;  // of the other form
    const char16_t* other;
    std::vector<std::u16string_view> because;
  } const cases[] = {
      // Both options change it: both are named.
      {u"안녕하세요 감사합니다",
       everyday,
       SpeechStyle::kTextbook,
       u"안녕하세요 감사함니다",
       {kH, kE}},
      {u"안녕하세요 감사합니다",
       textbook,
       SpeechStyle::kEveryday,
       u"안녕아세요 감사안미다",
       {kH, kE}},
      // One of them alone.
      {u"안녕하세요", everyday, SpeechStyle::kTextbook, u"안녕하세요", {kH}},
      {u"고맙습니다", everyday, SpeechStyle::kTextbook, u"고맙씀니다", {kE}},
      {u"고맙습니다", textbook, SpeechStyle::kEveryday, u"고맙쓴미다", {kE}},
      // Some of each: set beside the standard.
      {u"안녕하세요 고맙습니다",
       mixed,
       SpeechStyle::kTextbook,
       u"안녕하세요 고맙씀니다",
       {kH}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.input));
    FixedAsker no(false);
    const Result r = Read(c.input, c.options, no);
    ASSERT_TRUE(r.other.has_value());
    EXPECT_EQ(r.other->style, c.style);
    EXPECT_EQ(U8(r.other->reading), U8(c.other));
    EXPECT_EQ(r.other->because, c.because);
  }
  // Read alike in both styles: nothing beside it.
  for (const Options& options : {everyday, textbook, mixed}) {
    FixedAsker no(false);
    EXPECT_FALSE(Read(u"같이 먹어요", options, no).other.has_value());
    EXPECT_FALSE(Read(u"", options, no).other.has_value());
  }
  EXPECT_FALSE(Read(u"고맙습니다", mixed, unasked_).other.has_value());
  EXPECT_TRUE(unasked_.questions().empty());
}

TEST(OtherFormNote, NamesTheOptionsAndWhichWayTheyWent) {
  OtherForm standard{
      SpeechStyle::kTextbook, u"안녕하세요", {u"ㅎの弱音化を無音化にする"}};
  EXPECT_EQ(U8(OtherFormNote(standard)),
            "（「ㅎの弱音化を無音化にする」をオフにした読み）");
  OtherForm everyday{SpeechStyle::kEveryday,
                     u"감사안미다",
                     {u"ㅎの弱音化を無音化にする", u"リアル文末表現"}};
  EXPECT_EQ(
      U8(OtherFormNote(everyday)),
      "（「ㅎの弱音化を無音化にする」「リアル文末表現」をオンにした読み）");
}

// The other style is read with the answers given to the questions already,
// place by place, and asks nobody again.
TEST_F(OtherFormTest, AnswersAsTheConversionBeforeDid) {
  Options options = WithStyle(Options{}, SpeechStyle::kTextbook);
  options.n_insert_flg = true;
  // 솜이불 and 담요 asked, the first Yes and the second No.
  ScriptedAsker asker({true, false});
  const Result r = Read(u"솜이불 담요 감사합니다", options, asker);
  ASSERT_EQ(asker.questions().size(), 2u);
  EXPECT_EQ(U8(r.reading), "솜니불 다묘 감사함니다");
  ASSERT_TRUE(r.other.has_value());
  EXPECT_EQ(U8(r.other->reading), "솜니불 다묘 감사안미다");
  EXPECT_TRUE(unasked_.questions().empty());

  // The same word twice, answered each time: each place as answered.
  ScriptedAsker twice({true, false});
  const Result again = Read(u"솜이불 솜이불 감사합니다", options, twice);
  ASSERT_EQ(twice.questions().size(), 2u);
  EXPECT_EQ(U8(again.reading), "솜니불 소미불 감사함니다");
  ASSERT_TRUE(again.other.has_value());
  EXPECT_EQ(U8(again.other->reading), "솜니불 소미불 감사안미다");
  EXPECT_TRUE(unasked_.questions().empty());

  // An answer kept for the word serves its other forms there too.
  ScriptedAsker kept({true});
  kept.KeepAnswers();
  const Result forms = Read(u"솜이불은 솜이불 감사합니다", options, kept);
  ASSERT_EQ(kept.questions().size(), 1u) << U8(kept.messages().back());
  EXPECT_EQ(U8(forms.reading), "솜니부른 솜니불 감사함니다");
  ASSERT_TRUE(forms.other.has_value());
  EXPECT_EQ(U8(forms.other->reading), "솜니부른 솜니불 감사안미다");
  EXPECT_TRUE(unasked_.questions().empty());
}

}  // namespace
}  // namespace pimoru
