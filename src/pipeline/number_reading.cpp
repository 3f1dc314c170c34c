#include "pipeline/number_reading.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>

#include "hangul/jamo.h"

namespace pimoru {
namespace {

// ---------------------------------------------------------------------------
// The numerals.

constexpr std::u16string_view kSinoDigits[] = {
    u"영", u"일", u"이", u"삼", u"사", u"오", u"육", u"칠", u"팔", u"구",
};
// A digit of a code: 0 is 공, as on a telephone.
constexpr std::u16string_view kZeroInCodes = u"공";

// The places within a group of four digits; 1 is left unsaid before them
// (천, not 일천).
constexpr std::u16string_view kPlaces[] = {u"천", u"백", u"십"};
// The groups of four digits, from the lowest. 1 is left unsaid before 만
// alone (만, 일억, 일조).
constexpr std::u16string_view kGroups[] = {u"", u"만", u"억", u"조"};
constexpr std::size_t kMaxDigits = 4 * std::size(kGroups);

// The native numerals before a counter: 한 개, 스물한 개, 아흔아홉 개.
constexpr std::u16string_view kNativeOnes[] = {
    u"",     u"한",   u"두",   u"세",   u"네",
    u"다섯", u"여섯", u"일곱", u"여덟", u"아홉",
};
constexpr std::u16string_view kNativeTens[] = {
    u"",   u"열",   u"스물", u"서른", u"마흔",
    u"쉰", u"예순", u"일흔", u"여든", u"아흔",
};
constexpr std::u16string_view kNativeTwenty = u"스무";  // 스무 살
constexpr int kNativeMax = 99;

// The months are one word each; 6 and 10 drop their final (유월, 시월).
constexpr std::u16string_view kMonths[] = {
    u"",     u"일월", u"이월", u"삼월", u"사월",   u"오월",   u"유월",
    u"칠월", u"팔월", u"구월", u"시월", u"십일월", u"십이월",
};

constexpr std::u16string_view kPoint = u"점";        // 삼 점 일사
constexpr std::u16string_view kOrdinal = u"제";      // 제일 장
constexpr std::u16string_view kMinus = u"마이너스";  // 마이너스 오
constexpr std::u16string_view kBelowZero = u"영하";  // 영하 오 도

// ---------------------------------------------------------------------------
// The counters: which numerals go before them. A counter is found at the
// start of the Hangul word after a number (3시에, 3 시에), the longest
// first, so that 시간 is not 시 and 달러 not 달.

enum class Numerals {
  kNative,  // up to `native_max`, Sino-Korean beyond
  kSino,
  kMonth,   // Sino-Korean; 1 to 12 are the months
  kEither,  // asked: 3번 is 세 번 (times) or 삼 번 (number three)
  kPlace,   // a place of the number written in Hangul, joined: 3만 → 삼만
};

struct Counter {
  std::u16string_view word;
  Numerals numerals;
  int native_max = kNativeMax;
  // 1 before it: 한, or 첫; before a place, 일 or nothing (1만 → 만).
  std::u16string_view one = kNativeOnes[1];
  // kEither: a multiple of ten is likelier Sino-Korean (20대, one's
  // twenties; 2대, two cars).
  bool tens_likely_sino = false;
};

constexpr Counter kCounters[] = {
    // Native: things, people, time, actions.
    {u"개", Numerals::kNative},      // 세 개
    {u"명", Numerals::kNative},      // 세 명
    {u"사람", Numerals::kNative},    // 세 사람
    {u"마리", Numerals::kNative},    // 세 마리
    {u"살", Numerals::kNative},      // 스무 살
    {u"시", Numerals::kNative, 12},  // 세 시; 13시 is 십삼 시
    {u"시간", Numerals::kNative},    // 스물네 시간
    {u"달", Numerals::kNative},      // 세 달
    {u"번째", Numerals::kNative, kNativeMax, u"첫"},  // 첫 번째, 두 번째
    {u"권", Numerals::kNative},                       // 책 세 권
    {u"장", Numerals::kNative},                       // 종이 세 장
    {u"잔", Numerals::kNative},                       // 커피 세 잔
    {u"병", Numerals::kNative},                       // 맥주 세 병
    {u"그릇", Numerals::kNative},                     // 밥 세 그릇
    {u"접시", Numerals::kNative},                     // 세 접시
    {u"컵", Numerals::kNative},                       // 물 세 컵
    {u"봉지", Numerals::kNative},                     // 과자 세 봉지
    {u"상자", Numerals::kNative},                     // 귤 세 상자
    {u"통", Numerals::kNative},                       // 전화 세 통
    {u"벌", Numerals::kNative},                       // 옷 세 벌
    {u"켤레", Numerals::kNative},                     // 양말 세 켤레
    {u"채", Numerals::kNative},                       // 집 세 채
    {u"척", Numerals::kNative},                       // 배 세 척
    {u"그루", Numerals::kNative},                     // 나무 세 그루
    {u"송이", Numerals::kNative},                     // 꽃 세 송이
    {u"포기", Numerals::kNative},                     // 배추 세 포기
    {u"뿌리", Numerals::kNative},                     // 세 뿌리
    {u"자루", Numerals::kNative},                     // 연필 세 자루
    {u"다발", Numerals::kNative},                     // 꽃 세 다발
    {u"묶음", Numerals::kNative},                     // 세 묶음
    {u"가지", Numerals::kNative},                     // 세 가지
    {u"곳", Numerals::kNative},                       // 세 곳
    {u"군데", Numerals::kNative},                     // 세 군데
    {u"줄", Numerals::kNative},                       // 세 줄
    {u"칸", Numerals::kNative},                       // 세 칸
    {u"알", Numerals::kNative},                       // 약 세 알
    {u"방울", Numerals::kNative},                     // 세 방울
    {u"모금", Numerals::kNative},                     // 세 모금
    {u"숟가락", Numerals::kNative},                   // 세 숟가락
    {u"조각", Numerals::kNative},                     // 세 조각
    {u"글자", Numerals::kNative},                     // 세 글자
    {u"마디", Numerals::kNative},                     // 세 마디
    {u"걸음", Numerals::kNative},                     // 세 걸음
    {u"바퀴", Numerals::kNative},                     // 세 바퀴
    {u"끼", Numerals::kNative},                       // 세 끼
    {u"쌍", Numerals::kNative},                       // 세 쌍
    {u"곡", Numerals::kNative},                       // 노래 세 곡
    {u"배", Numerals::kNative},                       // 세 배
    // Either.
    {u"번", Numerals::kEither},  // 세 번 (times), 삼 번 (number)
    {u"대", Numerals::kEither, kNativeMax, kNativeOnes[1],
     /*tens_likely_sino=*/true},  // 두 대 (cars), 이십 대 (twenties)
    // Sino-Korean: dates, time, money, order, measures. Listed so that they
    // stand apart from the number, and so that those that begin as a native
    // counter does (개월, 달러, 번지) are not taken for it.
    {u"년", Numerals::kSino},      // 이천이십사 년
    {u"월", Numerals::kMonth},     // 유월, 시월
    {u"일", Numerals::kSino},      // 십오 일
    {u"분", Numerals::kSino},      // 삼십 분
    {u"초", Numerals::kSino},      // 십 초
    {u"주", Numerals::kSino},      // 삼 주
    {u"주년", Numerals::kSino},    // 십 주년
    {u"주일", Numerals::kSino},    // 이 주일
    {u"개월", Numerals::kSino},    // 육 개월
    {u"개국", Numerals::kSino},    // 삼 개국
    {u"개년", Numerals::kSino},    // 오 개년
    {u"개소", Numerals::kSino},    // 십 개소
    {u"세", Numerals::kSino},      // 이십 세
    {u"세기", Numerals::kSino},    // 이십일 세기
    {u"원", Numerals::kSino},      // 천 원
    {u"달러", Numerals::kSino},    // 오 달러
    {u"엔", Numerals::kSino},      // 백 엔
    {u"층", Numerals::kSino},      // 삼 층
    {u"호", Numerals::kSino},      // 삼 호
    {u"호선", Numerals::kSino},    // 이 호선
    {u"번지", Numerals::kSino},    // 삼 번지
    {u"학년", Numerals::kSino},    // 삼 학년
    {u"교시", Numerals::kSino},    // 일 교시
    {u"인분", Numerals::kSino},    // 이 인분
    {u"인", Numerals::kSino},      // 삼 인
    {u"등", Numerals::kSino},      // 일 등
    {u"위", Numerals::kSino},      // 일 위
    {u"차", Numerals::kSino},      // 일 차
    {u"회", Numerals::kSino},      // 삼 회
    {u"점", Numerals::kSino},      // 구십 점
    {u"도", Numerals::kSino},      // 삼십 도
    {u"과", Numerals::kSino},      // 제삼 과
    {u"쪽", Numerals::kSino},      // 십 쪽
    {u"페이지", Numerals::kSino},  // 십 페이지
    {u"퍼센트", Numerals::kSino},  // 십 퍼센트
    {u"미터", Numerals::kSino},    // 백 미터
    {u"킬로", Numerals::kSino},    // 오 킬로
    {u"그램", Numerals::kSino},    // 백 그램
    {u"리터", Numerals::kSino},    // 이 리터
    // Places written in Hangul after the digits.
    {u"백", Numerals::kPlace, 0, u""},    // 1백 → 백, 3백 → 삼백
    {u"천", Numerals::kPlace, 0, u""},    // 1천 → 천
    {u"만", Numerals::kPlace, 0, u""},    // 1만 → 만, 3만 → 삼만
    {u"억", Numerals::kPlace, 0, u"일"},  // 1억 → 일억
    {u"조", Numerals::kPlace, 0, u"일"},  // 1조 → 일조
};

// After 번, the words that make it a number rather than a count of times:
// 3번 출구, 5번 버스.
constexpr std::u16string_view kNumberedThings[] = {
    u"출구", u"버스",   u"게이트",   u"승강장", u"플랫폼", u"선",   u"타자",
    u"문제", u"좌석",   u"자리",     u"창구",   u"국도",   u"채널", u"트랙",
    u"방",   u"테이블", u"마을버스", u"노선",   u"항목",   u"질문",
};

// ---------------------------------------------------------------------------
// Units and signs.

// After a number, as written: case counts (g is a gram, G is not).
struct Unit {
  std::u16string_view symbol;
  std::u16string_view reading;
};
constexpr Unit kUnits[] = {
    {u"%", u"퍼센트"},
    {u"%p", u"퍼센트포인트"},
    {u"km", u"킬로미터"},
    {u"㎞", u"킬로미터"},
    {u"cm", u"센티미터"},
    {u"㎝", u"센티미터"},
    {u"mm", u"밀리미터"},
    {u"㎜", u"밀리미터"},
    {u"m", u"미터"},
    {u"m²", u"제곱미터"},
    {u"㎡", u"제곱미터"},
    {u"km²", u"제곱킬로미터"},
    {u"㎢", u"제곱킬로미터"},
    {u"kg", u"킬로그램"},
    {u"㎏", u"킬로그램"},
    {u"g", u"그램"},
    {u"mg", u"밀리그램"},
    {u"㎎", u"밀리그램"},
    {u"L", u"리터"},
    {u"ℓ", u"리터"},
    {u"mL", u"밀리리터"},
    {u"ml", u"밀리리터"},
    {u"㎖", u"밀리리터"},
    {u"cc", u"시시"},
    {u"kcal", u"킬로칼로리"},
    {u"KB", u"킬로바이트"},
    {u"MB", u"메가바이트"},
    {u"GB", u"기가바이트"},
    {u"TB", u"테라바이트"},
    {u"Hz", u"헤르츠"},
    {u"℃", u"도"},
    {u"°C", u"도"},
    {u"°", u"도"},
    {u"₩", u"원"},
    {u"$", u"달러"},
    {u"€", u"유로"},
    {u"¥", u"엔"},
};

// Before a number, and read after it: ₩1,000 → 천 원, $5 → 오 달러.
constexpr Unit kCurrencies[] = {
    {u"₩", u"원"}, {u"$", u"달러"},   {u"€", u"유로"},
    {u"¥", u"엔"}, {u"£", u"파운드"},
};

// ---------------------------------------------------------------------------
// Latin capitals, letter by letter; a few are said as a word.

constexpr std::u16string_view kLetterNames[] = {
    u"에이",   u"비",     u"시",   u"디",   u"이",   u"에프", u"지",
    u"에이치", u"아이",   u"제이", u"케이", u"엘",   u"엠",   u"엔",
    u"오",     u"피",     u"큐",   u"알",   u"에스", u"티",   u"유",
    u"브이",   u"더블유", u"엑스", u"와이", u"제트",
};

constexpr Unit kCapitalWords[] = {
    {u"NASA", u"나사"},       {u"NATO", u"나토"},       {u"FIFA", u"피파"},
    {u"UNESCO", u"유네스코"}, {u"UNICEF", u"유니세프"}, {u"OPEC", u"오펙"},
    {u"ASEAN", u"아세안"},    {u"AIDS", u"에이즈"},     {u"POP", u"팝"},
};

// ---------------------------------------------------------------------------
// Characters.

// Full-width forms, as a Japanese input method types them, are read as
// their ASCII letters; so are a few look-alikes.
constexpr char16_t Narrow(char16_t c) {
  if (c >= u'\uFF01' && c <= u'\uFF5E') {
    return static_cast<char16_t>(c - 0xFEE0);
  }
  switch (c) {
    case u'\u3000':  // ideographic space
      return u' ';
    case u'\u2212':  // minus sign
      return u'-';
    case u'\u223C':  // tilde operator
      return u'~';
    case u'\uFFE6':
      return u'₩';
    case u'\uFFE5':
      return u'¥';
    case u'\uFFE1':
      return u'£';
    default:
      return c;
  }
}

constexpr bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
constexpr bool IsUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
constexpr bool IsLower(char16_t c) { return c >= u'a' && c <= u'z'; }
constexpr bool IsLatin(char16_t c) { return IsUpper(c) || IsLower(c); }
constexpr bool IsAlnum(char16_t c) { return IsLatin(c) || IsDigit(c); }
constexpr int DigitValue(char16_t c) { return c - u'0'; }

// Characters that may begin something to read, narrowed; everything else,
// Hangul above all, is copied as it stands.
constexpr bool MayBegin(char16_t c) {
  return IsAlnum(c) || c == u'-' || c == u'%' || c == u'$' ||
         c == kOrdinal.front() || (c > u'\u007F' && !IsSyllable(c));
}

// ---------------------------------------------------------------------------
// Spelling.

// 1 to 9999: 천이백삼십사, 십, 백일.
void AppendSinoGroup(int group, std::u16string& out) {
  int divisor = 1000;
  for (const std::u16string_view place : kPlaces) {
    const int digit = group / divisor % 10;
    if (digit > 1) out += kSinoDigits[digit];
    if (digit > 0) out += place;
    divisor /= 10;
  }
  if (group % 10 > 0) out += kSinoDigits[group % 10];
}

// 0 and up to sixteen digits, the groups of 만 apart: 만 이천삼백사십오.
void AppendSino(std::uint64_t value, std::u16string& out) {
  if (value == 0) {
    out += kSinoDigits[0];
    return;
  }
  int groups[std::size(kGroups)] = {};
  for (int& group : groups) {
    group = static_cast<int>(value % 10000);
    value /= 10000;
  }
  bool first = true;
  for (std::size_t k = std::size(kGroups); k-- > 0;) {
    if (groups[k] == 0) continue;
    if (!first) out += u' ';
    first = false;
    if (groups[k] != 1 || k != 1) AppendSinoGroup(groups[k], out);
    out += kGroups[k];
  }
}

// 1 to 99 before a counter: 한, 스무, 스물한, 아흔아홉.
void AppendNative(int value, std::u16string_view one, std::u16string& out) {
  if (value == 20) {
    out += kNativeTwenty;
    return;
  }
  out += kNativeTens[value / 10];
  out += value == 1 ? one : kNativeOnes[value % 10];
}

// Whether `text` at `at` begins with `word`, the text's characters read
// narrow.
bool StartsWithAt(std::u16string_view text, std::size_t at,
                  std::u16string_view word) {
  if (text.size() - std::min(at, text.size()) < word.size()) return false;
  for (std::size_t k = 0; k < word.size(); ++k) {
    if (Narrow(text[at + k]) != word[k]) return false;
  }
  return true;
}

// The longest row of `table` whose `field` stands at `at`.
template <typename Row, std::size_t N>
const Row* LongestAt(const Row (&table)[N], std::u16string_view Row::*field,
                     std::u16string_view text, std::size_t at) {
  if (at >= text.size()) return nullptr;
  const char16_t first = Narrow(text[at]);
  const Row* found = nullptr;
  for (const Row& row : table) {
    const std::u16string_view word = row.*field;
    if (word.front() == first &&
        (found == nullptr || word.size() > (found->*field).size()) &&
        StartsWithAt(text, at, word)) {
      found = &row;
    }
  }
  return found;
}

// ---------------------------------------------------------------------------
// Reading.

// A run of digits and the separators between them, as typed.
struct Numeral {
  enum class Shape {
    kWhole,     // 2024, 1,000
    kDecimal,   // 3.14, 1,000.5
    kCode,      // 007, 010-1234-5678
    kOdd,       // 1,00,0, 3:30, 2024.3.15
    kTooLarge,  // more digits than the groups hold
  };
  std::size_t begin = 0;
  std::size_t end = 0;
  Shape shape = Shape::kWhole;
  std::uint64_t value = 0;       // kWhole, kDecimal: the whole part
  std::size_t fraction = 0;      // kDecimal: the first digit after the point
  std::size_t first_hyphen = 0;  // kCode: the first hyphen, or `end`
  int hyphens = 0;
  bool leading_zero = false;  // of the first run of digits
};

constexpr bool IsSeparator(char16_t c) {
  return c == u',' || c == u'.' || c == u'-' || c == u':' || c == u'/';
}

// The numeral whose first digit is at `at`. A separator belongs to it only
// between two digits, so "3." ending a sentence is 3.
Numeral ScanNumeral(std::u16string_view text, std::size_t at) {
  auto digit_at = [&](std::size_t i) {
    return i < text.size() && IsDigit(Narrow(text[i]));
  };
  Numeral n;
  n.begin = at;
  n.leading_zero = Narrow(text[at]) == u'0';
  int commas = 0;
  int points = 0;
  int others = 0;  // colons and slashes: times, ratios, dates, fractions
  bool groups_of_three = true;
  std::size_t digits = 0;  // of the whole part
  char16_t separator = 0;  // before the current run
  std::size_t i = at;
  while (true) {
    const std::size_t run = i;
    while (digit_at(i)) ++i;
    if (separator == u',' && i - run != 3) groups_of_three = false;
    if (points == 0 && others == 0) {
      for (std::size_t k = run; k < i; ++k) {
        if (++digits <= kMaxDigits) {
          n.value = n.value * 10 + DigitValue(Narrow(text[k]));
        }
      }
    }
    if (i >= text.size() || !IsSeparator(Narrow(text[i])) || !digit_at(i + 1)) {
      break;
    }
    separator = Narrow(text[i]);
    switch (separator) {
      case u',':
        ++commas;
        // 1,000: one to three digits before the first comma, none after
        // the point.
        if ((run == at && (i - run > 3 || n.leading_zero)) || points > 0) {
          groups_of_three = false;
        }
        break;
      case u'.':
        ++points;
        n.fraction = i + 1;
        break;
      case u'-':
        if (n.hyphens++ == 0) n.first_hyphen = i;
        break;
      default:
        ++others;
    }
    ++i;
  }
  n.end = i;
  if (n.hyphens == 0) n.first_hyphen = n.end;
  using Shape = Numeral::Shape;
  const int marks = commas + points + others;
  if (others > 0 || points > 1 || !groups_of_three ||
      (n.hyphens > 0 && marks > 0) ||
      (n.leading_zero && digits > 1 && marks > 0)) {
    n.shape = Shape::kOdd;
  } else if (n.hyphens > 0 || (n.leading_zero && digits > 1)) {
    n.shape = Shape::kCode;
  } else if (digits > kMaxDigits) {
    n.shape = Shape::kTooLarge;
  } else {
    n.shape = points > 0 ? Shape::kDecimal : Shape::kWhole;
  }
  return n;
}

bool EqualsNarrow(std::u16string_view text, std::u16string_view word) {
  return text.size() == word.size() && StartsWithAt(text, 0, word);
}

// How a number begins.
enum class Prefix { kNone, kOrdinal, kCurrency, kMinus };

// What follows a number and where it ends: a unit or a counter.
struct Suffix {
  std::size_t end = 0;
  const Unit* unit = nullptr;
  const Counter* counter = nullptr;
};

constexpr std::u16string_view kDegrees = u"도";

class Reader {
 public:
  Reader(std::u16string_view text, std::span<const bool> answers)
      : text_(text), answers_(answers) {}

  NumberReading Read() && {
    std::size_t copied = 0;  // the text before it stands in the output
    for (std::size_t i = 0; i < text_.size();) {
      std::u16string spelled;
      const std::size_t end = MayBegin(At(i)) ? ReadAt(i, spelled) : i;
      if (end == i) {
        ++i;
        continue;
      }
      out_.text.append(text_.substr(copied, i - copied));
      NumberNote& note = out_.notes.back();
      note.spelled_at = out_.text.size();
      note.spelled = WasRead(note.kind) ? std::move(spelled) : note.typed;
      out_.text += note.spelled;
      copied = i = end;
    }
    out_.text.append(text_.substr(copied));
    return std::move(out_);
  }

 private:
  char16_t At(std::size_t i) const {
    return i < text_.size() ? Narrow(text_[i]) : u'\0';
  }
  bool DigitAt(std::size_t i) const { return IsDigit(At(i)); }
  std::size_t SkipBlanks(std::size_t i) const {
    while (At(i) == u' ') ++i;
    return i;
  }

  // Reads the place that begins at `i` into `spelled` and notes it; returns
  // where it ends, or `i` when nothing begins there.
  std::size_t ReadAt(std::size_t i, std::u16string& spelled) {
    const char16_t c = At(i);
    if (IsDigit(c)) return ReadNumber(i, Prefix::kNone, nullptr, i, spelled);
    // 제1장 and 제 1장, but not the 제 that ends a word (문제1).
    if (c == kOrdinal.front() && DigitAt(SkipBlanks(i + 1)) &&
        (i == 0 || !IsSyllable(text_[i - 1]))) {
      return ReadNumber(i, Prefix::kOrdinal, nullptr, SkipBlanks(i + 1),
                        spelled);
    }
    // -5, but not the hyphen that joins words (서울-5).
    if (c == u'-' && DigitAt(i + 1) &&
        (i == 0 || At(i - 1) == u' ' || At(i - 1) == u'(')) {
      return ReadNumber(i, Prefix::kMinus, nullptr, i + 1, spelled);
    }
    if (IsLatin(c)) return ReadLatin(i, spelled);
    if (const Unit* currency = LongestAt(kCurrencies, &Unit::symbol, text_, i);
        currency && DigitAt(i + currency->symbol.size())) {
      return ReadNumber(i, Prefix::kCurrency, currency,
                        i + currency->symbol.size(), spelled);
    }
    if (const Unit* unit = LongestAt(kUnits, &Unit::symbol, text_, i)) {
      return Note(NumberNoteKind::kLoneUnit, i, i + unit->symbol.size());
    }
    return i;
  }

  std::size_t Note(NumberNoteKind kind, std::size_t begin, std::size_t end) {
    NumberNote note;
    note.kind = kind;
    note.source = {begin, end - begin};
    note.typed = text_.substr(begin, end - begin);
    out_.notes.push_back(std::move(note));
    return end;
  }

  // The end of the run of letters and digits, with hyphens and points
  // inside it, that begins at `i`: 3D, COVID-19, v1.2.
  std::size_t MixedEnd(std::size_t i) const {
    while (IsAlnum(At(i)) ||
           ((At(i) == u'-' || At(i) == u'.') && IsAlnum(At(i + 1)))) {
      ++i;
    }
    return i;
  }

  std::size_t ReadLatin(std::size_t i, std::u16string& spelled) {
    std::size_t end = i;
    bool capitals = true;
    for (; IsLatin(At(end)); ++end) capitals = capitals && IsUpper(At(end));
    if (DigitAt(end) || (At(end) == u'-' && DigitAt(end + 1))) {
      return Note(NumberNoteKind::kMixedScript, i, MixedEnd(i));
    }
    const std::u16string_view word = text_.substr(i, end - i);
    if (!capitals) {
      const bool unit = std::any_of(
          std::begin(kUnits), std::end(kUnits),
          [&](const Unit& u) { return EqualsNarrow(word, u.symbol); });
      return Note(unit ? NumberNoteKind::kLoneUnit : NumberNoteKind::kLatinWord,
                  i, end);
    }
    const Unit* said = std::find_if(
        std::begin(kCapitalWords), std::end(kCapitalWords),
        [&](const Unit& w) { return EqualsNarrow(word, w.symbol); });
    if (said != std::end(kCapitalWords)) {
      spelled = said->reading;
    } else {
      for (std::size_t k = i; k < end; ++k) {
        spelled += kLetterNames[At(k) - u'A'];
      }
    }
    return Note(NumberNoteKind::kLetters, i, end);
  }

  // The unit or counter after a number that ends at `i`, right after it or
  // after blanks (3개, 3 개, 5 km).
  Suffix SuffixAt(std::size_t i) const {
    const std::size_t after_blanks = SkipBlanks(i);
    for (const std::size_t at : {i, after_blanks}) {
      if (const Unit* unit = LongestAt(kUnits, &Unit::symbol, text_, at)) {
        const std::size_t end = at + unit->symbol.size();
        // A unit in letters ends the word: 5ms is no 5 m.
        if (!IsLatin(unit->symbol.back()) || !IsAlnum(At(end))) {
          return {end, unit, nullptr};
        }
      }
      if (at < text_.size() && IsSyllable(text_[at])) {
        if (const Counter* counter =
                LongestAt(kCounters, &Counter::word, text_, at)) {
          return {at + counter->word.size(), nullptr, counter};
        }
      }
      if (after_blanks == i) break;
    }
    return {i, nullptr, nullptr};
  }

  // The word after a counter that ends at `i`, the rest of its word or the
  // next word, that makes a count a number: 3번 출구.
  std::u16string_view NumberedThingAfter(std::size_t i) const {
    if (i < text_.size() && !IsSyllable(text_[i])) i = SkipBlanks(i);
    for (const std::u16string_view thing : kNumberedThings) {
      if (StartsWithAt(text_, i, thing)) return thing;
    }
    return {};
  }

  // A range read with the counter or unit after it: 3~4개 → 세~네 개, and
  // 3-4개, which without one is a code. Returns the second number and cuts
  // `first` to the first.
  std::optional<Numeral> RangeEnd(Numeral& first) const {
    using Shape = Numeral::Shape;
    if (first.shape == Shape::kCode) {
      if (first.hyphens != 1 || first.leading_zero) return std::nullopt;
      const Numeral high = ScanNumeral(text_, first.first_hyphen + 1);
      const Suffix after = SuffixAt(high.end);
      if (high.shape != Shape::kWhole || (!after.unit && !after.counter)) {
        return std::nullopt;
      }
      first = ScanNumeral(text_.substr(0, first.first_hyphen), first.begin);
      return high;
    }
    if (At(first.end) != u'~' || !DigitAt(first.end + 1)) return std::nullopt;
    const Numeral high = ScanNumeral(text_, first.end + 1);
    if (high.shape != Shape::kWhole && high.shape != Shape::kDecimal) {
      return std::nullopt;
    }
    return high;
  }

  // A code digit by digit, its hyphens kept as pauses: 010-1234-5678 →
  // 공일공-일이삼사-오육칠팔. What stands before it stays as typed.
  std::size_t ReadCode(std::size_t begin, const Numeral& n,
                       std::u16string& spelled) {
    if (IsLatin(At(n.end))) {
      return Note(NumberNoteKind::kMixedScript, begin, MixedEnd(n.begin));
    }
    spelled = text_.substr(begin, n.begin - begin);
    for (std::size_t k = n.begin; k < n.end; ++k) {
      const char16_t c = At(k);
      if (!IsDigit(c)) {
        spelled += text_[k];
      } else {
        spelled += c == u'0' ? kZeroInCodes : kSinoDigits[DigitValue(c)];
      }
    }
    return Note(NumberNoteKind::kDigitByDigit, begin, n.end);
  }

  // A number with what belongs to it: `begin` is where its prefix begins,
  // `at` its first digit.
  std::size_t ReadNumber(std::size_t begin, Prefix prefix, const Unit* currency,
                         std::size_t at, std::u16string& spelled) {
    using Shape = Numeral::Shape;
    Numeral first = ScanNumeral(text_, at);
    if (first.shape == Shape::kOdd) {
      return Note(NumberNoteKind::kOddSeparators, begin, first.end);
    }
    if (first.shape == Shape::kTooLarge) {
      return Note(NumberNoteKind::kTooLarge, begin, first.end);
    }
    const std::optional<Numeral> second =
        prefix == Prefix::kNone ? RangeEnd(first) : std::nullopt;
    if (first.shape == Shape::kCode) return ReadCode(begin, first, spelled);

    const std::size_t number_end = second ? second->end : first.end;
    // A currency sign before the number is its unit.
    const Suffix suffix =
        currency ? Suffix{number_end, currency, nullptr} : SuffixAt(number_end);
    if (suffix.end == number_end && IsLatin(At(number_end))) {
      return Note(NumberNoteKind::kMixedScript, begin, MixedEnd(at));
    }
    const Unit* unit = suffix.unit;
    const Counter* counter = suffix.counter;

    // Native numerals only for whole numbers from 1 before a native
    // counter, with no sign or 제 before them.
    auto fits_native = [&](const Numeral& n) {
      return n.shape == Shape::kWhole && n.value >= 1 &&
             n.value <= static_cast<std::uint64_t>(counter->native_max);
    };
    const bool may_be_native = counter && prefix == Prefix::kNone &&
                               (counter->numerals == Numerals::kNative ||
                                counter->numerals == Numerals::kEither) &&
                               fits_native(first) &&
                               (!second || fits_native(*second));
    const bool month = counter && counter->numerals == Numerals::kMonth &&
                       prefix == Prefix::kNone && !second &&
                       first.shape == Shape::kWhole && first.value >= 1 &&
                       first.value < std::size(kMonths);
    const bool place = counter && counter->numerals == Numerals::kPlace;
    const bool degrees = (unit && unit->reading == kDegrees) ||
                         (counter && counter->word == kDegrees);

    auto spell = [&](bool native) {
      std::u16string s;
      if (prefix == Prefix::kMinus) {
        s.append(degrees ? kBelowZero : kMinus).append(u" ");
      } else if (prefix == Prefix::kOrdinal) {
        s += kOrdinal;
      }
      if (month) return s.append(kMonths[first.value]);
      if (place && first.shape == Shape::kWhole && first.value == 1 &&
          !second) {
        return s.append(counter->one).append(counter->word);
      }
      AppendNumber(first, native ? counter : nullptr, s);
      if (second) {
        s += text_[first.end];  // the sign of the range, as typed
        AppendNumber(*second, native ? counter : nullptr, s);
      }
      if (unit) s.append(u" ").append(unit->reading);
      if (counter) s.append(place ? u"" : u" ").append(counter->word);
      return s;
    };

    bool native = may_be_native;
    if (may_be_native && counter->numerals == Numerals::kEither) {
      NumberChoice choice;
      choice.note = out_.notes.size();
      choice.counter = counter->word;
      choice.native_reading = spell(true);
      choice.sino_reading = spell(false);
      choice.hint = NumberedThingAfter(suffix.end);
      choice.likely_native =
          choice.hint.empty() &&
          !(counter->tens_likely_sino && first.value % 10 == 0);
      const std::size_t k = out_.choices.size();
      choice.native = k < answers_.size() ? answers_[k] : choice.likely_native;
      native = choice.native;
      out_.choices.push_back(std::move(choice));
    }
    spelled = spell(native);
    return Note(native ? NumberNoteKind::kNative : NumberNoteKind::kSinoKorean,
                begin, suffix.end);
  }

  // Native numerals before `native_counter` where it is given, Sino-Korean
  // otherwise, with the digits after a point one by one: 삼 점 일사.
  void AppendNumber(const Numeral& n, const Counter* native_counter,
                    std::u16string& out) const {
    if (native_counter) {
      AppendNative(static_cast<int>(n.value), native_counter->one, out);
      return;
    }
    AppendSino(n.value, out);
    if (n.shape == Numeral::Shape::kDecimal) {
      out.append(u" ").append(kPoint).append(u" ");
      for (std::size_t k = n.fraction; k < n.end; ++k) {
        out += kSinoDigits[DigitValue(At(k))];
      }
    }
  }

  std::u16string_view text_;
  std::span<const bool> answers_;
  NumberReading out_;
};

}  // namespace

NumberReading ReadNumbers(std::u16string_view text,
                          std::span<const bool> native_answers) {
  return Reader(text, native_answers).Read();
}

std::size_t SharedTail(const NumberNote& note) {
  const auto tail = std::mismatch(note.typed.rbegin(), note.typed.rend(),
                                  note.spelled.rbegin(), note.spelled.rend());
  return static_cast<std::size_t>(tail.second - note.spelled.rbegin());
}

std::size_t SourceOffset(const NumberReading& reading, std::size_t at) {
  std::size_t source_end = 0;   // where the last note before `at` ends
  std::size_t spelled_end = 0;  // in each text
  for (const NumberNote& note : reading.notes) {
    if (at < note.spelled_at) break;
    const std::size_t end = note.spelled_at + note.spelled.size();
    if (at < end) {
      return at >= end - SharedTail(note) ? note.source.end() - (end - at)
                                          : note.source.offset;
    }
    source_end = note.source.end();
    spelled_end = end;
  }
  return source_end + (at - spelled_end);
}

}  // namespace pimoru
