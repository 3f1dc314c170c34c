// Numbers, units and Latin capitals spelled out in Hangul, and the reading
// the sound changes then make of the spelled form.
#include "pipeline/number_reading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/question.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_record.h"
#include "support/number_reading_check.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

struct SpelledCase {
  std::u16string_view typed;
  std::u16string_view spelled;
  // The spelled form through every stage, read as one breath with the
  // shipped word lists, ㅎ kept, every question answered No.
  std::u16string_view reading;
};

// Takes the guess it is given: No where there is none.
class GuessTaker : public Asker {
 public:
  Answer Respond(const Question&, const Judgement& guess) override {
    return {guess.guess, Answerer::kPolicy, guess.reason};
  }
};

// The typed text through the stage that spells it out and every later one,
// read as PhraseReading reads, the counters taking their guess.
std::u16string ReadThroughTheStage(std::u16string_view typed,
                                   WordListSource& lists) {
  Options options;
  options.read_numbers_flg = true;
  options.phrase_flg = true;
  options.h_strong_flg = false;
  options.e_real_flg = false;
  GuessTaker asker;
  StageRecord record;
  return RunPipeline(typed, options, lists, asker, record);
}

void ExpectSpelledAndRead(const std::vector<SpelledCase>& cases) {
  LoadedWordLists lists(PIMORU_STAGED_DATA_DIR "/kdat");
  for (const SpelledCase& c : cases) {
    SCOPED_TRACE(U8(c.typed));
    const NumberReading read = ReadNumbers(c.typed);
    EXPECT_EQ(U8(read.text), U8(c.spelled));
    for (const NumberNote& note : read.notes) {
      EXPECT_TRUE(WasRead(note.kind)) << U8(note.typed);
    }
    EXPECT_EQ(U8(PhraseReading(read.text, lists)), U8(c.reading));
    // The stage reads it as its spelling typed.
    EXPECT_EQ(U8(ReadThroughTheStage(c.typed, lists)), U8(c.reading));
  }
}

TEST(NumberReading, NativeNumeralsBeforeNativeCountersUpTo99) {
  ExpectSpelledAndRead({
      {u"3시", u"세 시", u"세 시"},
      {u"오늘 3시에", u"오늘 세 시에", u"오늘 세시에"},  // joined by the list
      {u"9시", u"아홉 시", u"아홉씨"},
      {u"6시", u"여섯 시", u"여섣씨"},
      {u"10시", u"열 시", u"열씨"},
      {u"12시", u"열두 시", u"열두 시"},
      {u"1개", u"한 개", u"한 개"},
      {u"사과 2개", u"사과 두 개", u"사과 두개"},
      {u"5개", u"다섯 개", u"다섣깨"},
      {u"7개", u"일곱 개", u"일곱깨"},
      {u"8명", u"여덟 명", u"여덜명"},
      {u"11명", u"열한 명", u"열한 명"},
      {u"20살", u"스무 살", u"스무 살"},
      {u"21살", u"스물한 살", u"스물한 살"},
      {u"99마리", u"아흔아홉 마리", u"아흐나홈마리"},
      {u"24시간", u"스물네 시간", u"스물레 시간"},
      {u"1시간 20분", u"한 시간 이십 분", u"한 시가니시뿐"},
      {u"1번째", u"첫 번째", u"첟 뻔째"},
      {u"11번째", u"열한 번째", u"열한 번째"},
      {u"2배", u"두 배", u"두 배"},
      {u"커피 2잔", u"커피 두 잔", u"커피 두잔"},
      {u"책 3권", u"책 세 권", u"책 쎄권"},
      // A blank before the counter, full-width digits, a range.
      {u"3 개", u"세 개", u"세 개"},
      {u"３시", u"세 시", u"세 시"},
      {u"3~4개", u"세~네 개", u"세~네 개"},
      {u"3-4명", u"세-네 명", u"세-네 명"},
  });
}

TEST(NumberReading, SinoKoreanNumeralsOtherwise) {
  ExpectSpelledAndRead({
      {u"2024년", u"이천이십사 년", u"이처니십싸 년"},
      {u"15일", u"십오 일", u"시보 일"},
      {u"30분", u"삼십 분", u"삼시뿐"},
      {u"오후 3시 30분", u"오후 세 시 삼십 분", u"오후 세시 삼시뿐"},
      {u"10초", u"십 초", u"십 초"},
      {u"3층", u"삼 층", u"삼 층"},
      {u"101호", u"백일 호", u"배길 호"},
      {u"3학년", u"삼 학년", u"삼 항년"},
      {u"6개월", u"육 개월", u"유깨월"},  // not 개
      {u"20세", u"이십 세", u"이십쎄"},
      {u"5달러", u"오 달러", u"오 달러"},  // not 달
      {u"3", u"삼", u"삼"},                // no counter
      // From 100, and past the hours of a clock, before native counters.
      {u"100명", u"백 명", u"뱅명"},
      {u"150개", u"백오십 개", u"배고십깨"},
      {u"13시", u"십삼 시", u"십쌈 시"},
      {u"0개", u"영 개", u"영 개"},
  });
}

TEST(NumberReading, MonthsAndPlacesWrittenInHangulAreOneWord) {
  ExpectSpelledAndRead({
      {u"3월", u"삼월", u"사뭘"},
      {u"6월", u"유월", u"유월"},
      {u"10월", u"시월", u"시월"},
      {u"12월", u"십이월", u"시비월"},
      {u"3만 원", u"삼만 원", u"삼마눤"},
      {u"1만 원", u"만 원", u"마눤"},
      {u"1억", u"일억", u"이럭"},
  });
}

TEST(NumberReading, GroupsOf만WithoutASaidOneAndDecimalsWith점) {
  ExpectSpelledAndRead({
      {u"1,000원", u"천 원", u"처눤"},
      {u"10,000원", u"만 원", u"마눤"},
      {u"11000", u"만 천", u"만 천"},
      {u"12,345원", u"만 이천삼백사십오 원", u"마니천삼백싸시보 원"},
      {u"1,000,000", u"백만", u"뱅만"},
      {u"100000000", u"일억", u"이럭"},
      {u"2000000000000", u"이조", u"이조"},
      {u"9999999999999999",
       u"구천구백구십구조 구천구백구십구억 구천구백구십구만 구천구백구십구",
       u"구천구배꾸십꾸조 구천구배꾸십꾸어꾸천구배꾸십꾸만 구천구배꾸십꾸"},
      {u"3.14", u"삼 점 일사", u"삼 저밀사"},
      {u"0.05", u"영 점 영오", u"영 저명오"},
      {u"1.5배", u"일 점 오 배", u"일 저모 배"},  // not a whole number
      // A point that ends a sentence is no decimal point.
      {u"100명.", u"백 명.", u"뱅명."},
  });
}

TEST(NumberReading, OrdinalsWith제) {
  ExpectSpelledAndRead({
      {u"제1장", u"제일 장", u"제일 장"},
      {u"제 3 과", u"제삼 과", u"제삼 과"},
      {u"제2차 대전", u"제이 차 대전", u"제이 차 대전"},
      {u"제3번", u"제삼 번", u"제삼 번"},  // never a count
      // The 제 that ends a word is no ordinal.
      {u"문제1", u"문제일", u"문제일"},
  });
}

TEST(NumberReading, CodesDigitByDigitWith공) {
  ExpectSpelledAndRead({
      {u"010-1234-5678", u"공일공-일이삼사-오육칠팔",
       u"공일공-이리삼사-오육칠팔"},
      {u"02-123-4567", u"공이-일이삼-사오육칠", u"공이-이리삼-사오육칠"},
      {u"(02) 123-4567", u"(공이) 일이삼-사오육칠", u"(공이) 이리삼-사오육칠"},
      {u"06236", u"공육이삼육", u"공유기사뮥"},
      {u"007", u"공공칠", u"공공칠"},
  });
}

TEST(NumberReading, UnitsAndSigns) {
  ExpectSpelledAndRead({
      {u"5km", u"오 킬로미터", u"오 킬로미터"},
      {u"5 km를", u"오 킬로미터를", u"오 킬로미터를"},
      {u"10%", u"십 퍼센트", u"십 퍼센트"},
      {u"3.5kg", u"삼 점 오 킬로그램", u"삼 저모 킬로그램"},
      {u"30cm", u"삼십 센티미터", u"삼십 쎈티미터"},
      {u"2mm", u"이 밀리미터", u"이 밀리미터"},
      {u"100m", u"백 미터", u"뱅 미터"},
      {u"500g", u"오백 그램", u"오배끄램"},
      {u"2L", u"이 리터", u"이 리터"},
      {u"500ml", u"오백 밀리리터", u"오뱅 밀리리터"},
      {u"25℃", u"이십오 도", u"이시보 도"},
      {u"-5℃", u"영하 오 도", u"영하 오 도"},
      {u"-3", u"마이너스 삼", u"마이너스 삼"},
      // A currency sign before the number is read after it.
      {u"₩5,000", u"오천 원", u"오처눤"},
      {u"$5", u"오 달러", u"오 달러"},
      {u"５％", u"오 퍼센트", u"오 퍼센트"},
  });
}

TEST(NumberReading, LatinCapitalsLetterByLetter) {
  ExpectSpelledAndRead({
      {u"KTX를 탔어요", u"케이티엑스를 탔어요", u"케이티엑쓰를 타써요"},
      {u"USB", u"유에스비", u"유에스비"},
      {u"PC방", u"피시방", u"피시방"},
      {u"SNS", u"에스엔에스", u"에스에네스"},
      // Said as a word.
      {u"NASA", u"나사", u"나사"},
      {u"K-POP", u"케이-팝", u"케이-팝"},
  });
}

TEST(NumberReading, CountersOfEitherSystemTakeTheGuessUnasked) {
  ExpectSpelledAndRead({
      {u"3번", u"세 번", u"세 번"},
      {u"3번 출구", u"삼 번 출구", u"삼 번 출구"},
      {u"1번출구", u"일 번출구", u"일 번출구"},
      {u"20대", u"이십 대", u"이십 때"},
      {u"차 2대", u"차 두 대", u"차 두대"},
      {u"100번", u"백 번", u"백뻔"},
  });
}

struct LeftCase {
  std::u16string_view typed;
  std::vector<NumberNoteKind> kinds;  // of the notes, in order
  std::u16string_view spelled = {};   // empty: the line as typed
};

TEST(NumberReading, WhatIsNotReadStandsAsTypedAndIsNoted) {
  using K = NumberNoteKind;
  const std::vector<LeftCase> cases = {
      {u"hello 세계", {K::kLatinWord}},
      {u"Seoul에서", {K::kLatinWord}},
      {u"PCs", {K::kLatinWord}},  // not all capitals
      {u"3D 프린터", {K::kMixedScript}},
      {u"5G", {K::kMixedScript}},
      {u"COVID-19 백신", {K::kMixedScript}},
      {u"A4 용지", {K::kMixedScript}},
      {u"iPhone15", {K::kMixedScript}},
      {u"5ms", {K::kMixedScript}},  // no unit
      {u"1,00,0원", {K::kOddSeparators}},
      {u"1,0000", {K::kOddSeparators}},
      {u"3:30", {K::kOddSeparators}},
      {u"2024.3.15", {K::kOddSeparators}},
      {u"1/2", {K::kOddSeparators}},
      {u"12345678901234567", {K::kTooLarge}},
      {u"10,000,000,000,000,000원", {K::kTooLarge}},
      {u"km 단위", {K::kLoneUnit}},
      {u"%", {K::kLoneUnit}},
      {u"₩ 표시", {K::kLoneUnit}},
      // The rest of the line is read all the same.
      {u"KTX 3D 10%",
       {K::kLetters, K::kMixedScript, K::kSinoKorean},
       u"케이티엑스 3D 십 퍼센트"},
      {u"COVID-19 환자 3명",
       {K::kMixedScript, K::kNative},
       u"COVID-19 환자 세 명"},
      {u"1,00,0 그리고 1,000",
       {K::kOddSeparators, K::kSinoKorean},
       u"1,00,0 그리고 천"},
  };
  for (const LeftCase& c : cases) {
    SCOPED_TRACE(U8(c.typed));
    const NumberReading read = ReadNumbers(c.typed);
    EXPECT_EQ(U8(read.text), U8(c.spelled.empty() ? c.typed : c.spelled));
    std::vector<NumberNoteKind> kinds;
    for (const NumberNote& note : read.notes) {
      kinds.push_back(note.kind);
      if (!WasRead(note.kind)) {
        EXPECT_EQ(note.spelled, note.typed);
        EXPECT_EQ(c.typed.substr(note.source.offset, note.source.length),
                  note.typed);
      }
    }
    EXPECT_EQ(kinds, c.kinds);
  }
}

TEST(NumberReading, ALineWithNothingToReadIsUnchanged) {
  for (const std::u16string_view line :
       {u"", u"같이 먹었어요.", u"  밭 아래\t“ㄱ” (괄호)。",
        u"제 이름은 민수예요", u"서울-부산"}) {
    SCOPED_TRACE(U8(line));
    const NumberReading read = ReadNumbers(line);
    EXPECT_EQ(read.text, line);
    EXPECT_TRUE(read.notes.empty());
    EXPECT_TRUE(read.choices.empty());
  }
}

TEST(NumberReading, NotesShowWhatWasReadAsWhatAndWhere) {
  const std::u16string_view line = u"오늘 3 시에 KTX";
  const NumberReading read = ReadNumbers(line);
  ASSERT_EQ(read.notes.size(), 2u);
  const NumberNote& time = read.notes[0];
  EXPECT_EQ(time.kind, NumberNoteKind::kNative);
  EXPECT_EQ(time.source, (TextSpan{3, 3}));
  EXPECT_EQ(U8(time.typed), "3 시");
  EXPECT_EQ(U8(time.spelled), "세 시");
  EXPECT_EQ(read.text.substr(time.spelled_at, time.spelled.size()),
            time.spelled);
  const NumberNote& train = read.notes[1];
  EXPECT_EQ(train.kind, NumberNoteKind::kLetters);
  EXPECT_EQ(U8(train.typed), "KTX");
  EXPECT_EQ(read.text.substr(train.spelled_at), u"케이티엑스");
}

TEST(NumberReading, UndecidedCountersAreChoicesAnsweredInTextOrder) {
  const std::u16string_view line = u"3번 출구에서 2번 불렀어요. 20대 2대";
  const NumberReading guessed = ReadNumbers(line);
  EXPECT_EQ(U8(guessed.text), "삼 번 출구에서 두 번 불렀어요. 이십 대 두 대");
  ASSERT_EQ(guessed.choices.size(), 4u);
  struct Expected {
    std::u16string_view typed, counter, native, sino, hint;
    bool likely_native;
  };
  const Expected expected[] = {
      {u"3번", u"번", u"세 번", u"삼 번", u"출구", false},
      {u"2번", u"번", u"두 번", u"이 번", u"", true},
      {u"20대", u"대", u"스무 대", u"이십 대", u"", false},  // one's twenties
      {u"2대", u"대", u"두 대", u"이 대", u"", true},
  };
  for (std::size_t k = 0; k < std::size(expected); ++k) {
    SCOPED_TRACE(k);
    const NumberChoice& choice = guessed.choices[k];
    ASSERT_LT(choice.note, guessed.notes.size());
    EXPECT_EQ(U8(guessed.notes[choice.note].typed), U8(expected[k].typed));
    EXPECT_EQ(choice.counter, expected[k].counter);
    EXPECT_EQ(U8(choice.native_reading), U8(expected[k].native));
    EXPECT_EQ(U8(choice.sino_reading), U8(expected[k].sino));
    EXPECT_EQ(choice.hint, expected[k].hint);
    EXPECT_EQ(choice.likely_native, expected[k].likely_native);
    EXPECT_EQ(choice.native, expected[k].likely_native);
  }

  // The answers decide in order; beyond them, the guess.
  const bool answers[] = {true, false};
  const NumberReading answered = ReadNumbers(line, answers);
  EXPECT_EQ(U8(answered.text), "세 번 출구에서 이 번 불렀어요. 이십 대 두 대");
  ASSERT_EQ(answered.choices.size(), 4u);
  EXPECT_TRUE(answered.choices[0].native);
  EXPECT_FALSE(answered.choices[0].likely_native);
  EXPECT_FALSE(answered.choices[1].native);
  EXPECT_EQ(answered.notes[answered.choices[1].note].kind,
            NumberNoteKind::kSinoKorean);

  // Where only one system fits, nothing is left to decide.
  for (const std::u16string_view decided :
       {u"100번", u"0번", u"1.5번", u"제3번", u"-2번"}) {
    SCOPED_TRACE(U8(decided));
    EXPECT_TRUE(ReadNumbers(decided).choices.empty());
  }
}

TEST(NumberReading, PlacesOfTheSpelledTextMapBackToTheText) {
  const std::u16string_view line = u"오늘 3시 10월에 KTX로 100명";
  const NumberReading read = ReadNumbers(line);
  ASSERT_EQ(U8(read.text), "오늘 세 시 시월에 케이티엑스로 백 명");
  const std::u16string spelled = read.text;
  struct Place {
    std::size_t spelled;  // a place of the spelled text
    std::size_t typed;    // and of the line
  };
  const Place places[] = {
      {0, 0},                                    // before any note
      {spelled.find(u"세"), line.find(u"3")},    // the number: its start
      {spelled.find(u" 시"), line.find(u"3")},   // the space put in
      {spelled.find(u"시 "), line.find(u"시")},  // the counter, unit for unit
      {spelled.find(u"시월"), line.find(u"10")},
      {spelled.find(u"월"), line.find(u"월")},
      {spelled.find(u"에 "), line.find(u"에")},    // between notes
      {spelled.find(u"스로"), line.find(u"KTX")},  // letters: their start
      {spelled.find(u"로"), line.find(u"로")},
      {spelled.find(u"명"), line.find(u"명")},
      {spelled.size(), line.size()},  // the end
  };
  for (const Place& p : places) {
    SCOPED_TRACE(p.spelled);
    EXPECT_EQ(SourceOffset(read, p.spelled), p.typed);
  }
}

TEST(NumberReading, AnyLineOfNumberPiecesIsReadSoundly) {
  constexpr std::u16string_view kPieces[] = {
      u"0",   u"1",     u"3",
      u"7",   u"10",    u"20",
      u"99",  u"100",   u"12345678901234567",
      u",",   u".",     u"-",
      u"−",   u":",     u"/",
      u"~",   u" ",     u"　",
      u"제",  u"시",    u"번",
      u"대",  u"개",    u"월",
      u"만",  u"도",    u"출구",
      u"KTX", u"COVID", u"k",
      u"m",   u"g",     u"L",
      u"%",   u"₩",     u"$",
      u"℃",   u"°",     u"３",
      u"Ａ",  u"가",
  };
  std::mt19937 random(23);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
  std::uniform_int_distribution<int> pieces(0, 12);
  std::bernoulli_distribution yes;
  for (int n = 0; n < 5000; ++n) {
    std::u16string line;
    for (int k = pieces(random); k > 0; --k) line += kPieces[pick(random)];
    bool answers[8];
    for (bool& answer : answers) answer = yes(random);
    const NumberReading guessed = ReadNumbers(line);
    const NumberReading answered =
        ReadNumbers(line, std::span<const bool>(answers).first(std::min(
                              guessed.choices.size(), std::size(answers))));
    for (const NumberReading* read : {&guessed, &answered}) {
      if (const char* fault = NumberReadingFault(line, *read)) {
        ADD_FAILURE() << fault << ": " << U8(line) << " → " << U8(read->text);
      }
    }
  }
}

}  // namespace
}  // namespace pimoru
