// Katakana from the phonetic symbols: the body of a syllable by initial and
// vowel, and the final.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "render/transcription.h"

namespace pimoru {
namespace {

// Columns of the syllable table: initial symbols that share their kana.
enum Column {
  kColNone,  // the silent ㅇ: empty initial symbol
  kColK,
  kColG,
  kColN,
  kColT,
  kColD,
  kColR,
  kColM,
  kColP,
  kColB,
  kColS,
  kColSh,
  kColCh,
  kColJ,
  kColH,
  kColumnCount,
};

struct InitialColumn {
  std::u16string_view symbol;
  Column column;
  bool tensed;  // gets the small ッ unless suppressed
};

// Every initial symbol, in all three notations of the tensed ones.
// clang-format off
constexpr InitialColumn kInitialColumns[] = {
    {u"", kColNone, false},
    {u"k", kColK, false},  {u"kʰ", kColK, false},
    {u"ˀk", kColK, true},  {u"ʼk", kColK, true},  {u"kʼ", kColK, true},
    {u"ɡ", kColG, false},  // U+0261, script g
    {u"n", kColN, false},
    {u"t", kColT, false},  {u"tʰ", kColT, false},
    {u"ˀt", kColT, true},  {u"ʼt", kColT, true},  {u"tʼ", kColT, true},
    {u"d", kColD, false},
    {u"r", kColR, false},  {u"l", kColR, false},  // ㄹ after ㄹ
    {u"m", kColM, false},
    {u"p", kColP, false},  {u"pʰ", kColP, false},
    {u"ˀp", kColP, true},  {u"ʼp", kColP, true},  {u"pʼ", kColP, true},
    {u"b", kColB, false},
    {u"s", kColS, false},
    {u"ˀs", kColS, true},  {u"ʼs", kColS, true},  {u"sʼ", kColS, true},
    {u"ʃ", kColSh, false},
    {u"ˀʃ", kColSh, true}, {u"ʼʃ", kColSh, true}, {u"ʃʼ", kColSh, true},
    {u"ʧ", kColCh, false}, {u"ʧʰ", kColCh, false},
    {u"ˀʧ", kColCh, true}, {u"ʼʧ", kColCh, true}, {u"ʧʼ", kColCh, true},
    {u"ʤ", kColJ, false},
    {u"h", kColH, false},  {u"ɦ", kColH, false},
};
// clang-format on

struct KanaRow {
  std::u16string_view vowel;
  // By Column; empty where the combination has no kana.
  std::array<std::u16string_view, kColumnCount> kana;
};

// clang-format off
constexpr KanaRow kKanaRows[] = {
    // vowel, then the kana by column: none k ɡ n t d r m p b s ʃ ʧ ʤ h
    {u"a", {u"ア", u"カ", u"ガ", u"ナ", u"タ", u"ダ", u"ラ", u"マ", u"パ", u"バ", u"サ", u"", u"チャ", u"ジャ", u"ハ"}},
    {u"ɛ", {u"エ", u"ケ", u"ゲ", u"ネ", u"テ", u"デ", u"レ", u"メ", u"ペ", u"ベ", u"セ", u"", u"チェ", u"ジェ", u"ヘ"}},
    {u"ja", {u"ヤ", u"キャ", u"ギャ", u"ニャ", u"ティヤ", u"ディヤ", u"リャ", u"ミャ", u"ピャ", u"ビャ", u"", u"シャ", u"チィャ", u"ジャ", u"ヒャ"}},
    {u"jɛ", {u"イェ", u"キェ", u"ギェ", u"ニェ", u"ティエ", u"ディエ", u"リェ", u"ミェ", u"ピェ", u"ビェ", u"", u"シェ", u"チィェ", u"ジェ", u"ヒェ"}},
    {u"ɔ", {u"オ", u"コ", u"ゴ", u"ノ", u"ト", u"ド", u"ロ", u"モ", u"ポ", u"ボ", u"ソ", u"", u"チョ", u"ジョ", u"ホ"}},
    {u"e", {u"エ", u"ケ", u"ゲ", u"ネ", u"テ", u"デ", u"レ", u"メ", u"ペ", u"ベ", u"セ", u"", u"チェ", u"ジェ", u"ヘ"}},
    {u"jɔ", {u"ヨ", u"キョ", u"ギョ", u"ニョ", u"ティヨ", u"ディヨ", u"リョ", u"ミョ", u"ピョ", u"ビョ", u"", u"ショ", u"チョ", u"ジョ", u"ヒョ"}},
    {u"je", {u"イェ", u"キェ", u"ギェ", u"ニェ", u"ティエ", u"ディエ", u"リェ", u"ミェ", u"ピェ", u"ビェ", u"", u"シェ", u"チェ", u"ジェ", u"ヒェ"}},
    {u"o", {u"オ", u"コ", u"ゴ", u"ノ", u"ト", u"ド", u"ロ", u"モ", u"ポ", u"ボ", u"ソ", u"", u"チョ", u"ジョ", u"ホ"}},
    {u"wa", {u"ワ", u"クヮ", u"グヮ", u"ヌヮ", u"トゥワ", u"ドゥワ", u"ルゥワ", u"ムゥワ", u"プゥワ", u"ブゥワ", u"スゥワ", u"", u"チゥワ", u"ジュワ", u"フゥワ"}},
    {u"wɛ", {u"ウェ", u"クェ", u"グェ", u"ヌェ", u"トゥエ", u"ドゥエ", u"ルゥエ", u"ムゥエ", u"プゥエ", u"ブゥエ", u"スゥエ", u"", u"チゥエ", u"ジュエ", u"フゥエ"}},
    {u"we", {u"ウェ", u"クェ", u"グェ", u"ヌェ", u"トゥエ", u"ドゥエ", u"ルゥエ", u"ムゥエ", u"プゥエ", u"ブゥエ", u"スゥエ", u"", u"チゥエ", u"ジュエ", u"フゥエ"}},
    {u"jo", {u"ヨ", u"キョ", u"ギョ", u"ニョ", u"ティヨ", u"ディヨ", u"リョ", u"ミョ", u"ピョ", u"ビョ", u"", u"ショ", u"チョ", u"ジョ", u"ヒョ"}},
    {u"u", {u"ウ", u"ク", u"グ", u"ヌ", u"トゥ", u"ドゥ", u"ル", u"ム", u"プ", u"ブ", u"ス", u"", u"チュ", u"ジュ", u"フ"}},
    {u"wɔ", {u"ウォ", u"クォ", u"グォ", u"ヌォ", u"トゥオ", u"ドゥオ", u"ルゥオ", u"ムゥオ", u"プゥオ", u"ブゥオ", u"スゥオ", u"", u"チゥオ", u"ジュゥオ", u"フゥオ"}},
    {u"wi", {u"ウィ", u"クィ", u"グィ", u"ヌィ", u"トゥイ", u"ドゥイ", u"ルゥイ", u"ムゥイ", u"プゥイ", u"ブゥイ", u"", u"シュイ", u"チゥイ", u"ジゥイ", u"フゥイ"}},
    {u"ju", {u"ユ", u"キュ", u"ギュ", u"ニュ", u"トュ", u"ドュ", u"リュ", u"ミュ", u"ピュ", u"ビュ", u"", u"シュ", u"チュ", u"ジュ", u"ヒュ"}},
    {u"ɯ", {u"ウ", u"ク", u"グ", u"ヌ", u"トゥ", u"ドゥ", u"ル", u"ム", u"プ", u"ブ", u"ス", u"", u"チゥ", u"ジュ", u"フ"}},
    {u"i", {u"イ", u"キ", u"ギ", u"ニ", u"ティ", u"ディ", u"リ", u"ミ", u"ピ", u"ビ", u"", u"シ", u"チ", u"ジ", u"ヒ"}},
    // ㅢ after the silent ㅇ (의)
    {u"ɯi", {u"ウィ"}},
};
// clang-format on

constexpr std::u16string_view kSmallTsu = u"ッ";

struct FinalRow {
  std::u16string_view symbol;
  std::u16string_view kana;
};

constexpr FinalRow kFinalKana[] = {
    {u"ᵏ", u"ッｸ"},  // half-width ク
    {u"n", u"ン"},  {u"ᵗ", u"ッ"},   {u"l", u"ル"},
    {u"m", u"ム"},  {u"ᵖ", u"ッﾌﾟ"},  // half-width フ and semi-voiced mark
    {u"ŋ", u"ン"},
};

// Equal symbols, with the first letters compared before the rest: most
// table rows differ there, and a symbol is one or two letters.
constexpr bool SameSymbol(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && (a.empty() || a[0] == b[0]) && a == b;
}

// A symbol of up to two letters as one number (letters are never 0), so
// that the rows are found by a binary search of a sorted index.
constexpr std::uint32_t SymbolKey(std::u16string_view symbol) {
  return (symbol.size() > 0 ? symbol[0] : 0u) |
         (symbol.size() > 1 ? static_cast<std::uint32_t>(symbol[1]) << 16 : 0u);
}

struct KeyedRow {
  std::uint32_t key;
  std::uint8_t row;
  constexpr bool operator<(const KeyedRow& other) const {
    return key < other.key;
  }
};

template <typename Row, std::size_t N, typename Symbol>
constexpr std::array<KeyedRow, N> SortedIndex(const Row (&rows)[N],
                                              Symbol symbol) {
  std::array<KeyedRow, N> index{};
  for (std::size_t k = 0; k < N; ++k) {
    index[k] = {SymbolKey(symbol(rows[k])), static_cast<std::uint8_t>(k)};
  }
  std::sort(index.begin(), index.end());
  return index;
}

template <typename Row, std::size_t N, typename Symbol>
constexpr bool KeysAreUnique(const Row (&rows)[N], Symbol symbol) {
  const std::array<KeyedRow, N> index = SortedIndex(rows, symbol);
  for (const Row& row : rows) {
    if (symbol(row).size() > 2) return false;
  }
  for (std::size_t k = 1; k < N; ++k) {
    if (index[k - 1].key == index[k].key) return false;
  }
  return true;
}

constexpr auto kColumnSymbol = [](const InitialColumn& c) { return c.symbol; };
constexpr auto kRowSymbol = [](const KanaRow& r) { return r.vowel; };
static_assert(KeysAreUnique(kInitialColumns, kColumnSymbol));
static_assert(KeysAreUnique(kKanaRows, kRowSymbol));
constexpr auto kColumnIndex = SortedIndex(kInitialColumns, kColumnSymbol);
constexpr auto kRowIndex = SortedIndex(kKanaRows, kRowSymbol);

// The row of `rows` whose symbol is `symbol`, or null.
template <typename Row, std::size_t N>
const Row* Find(const Row (&rows)[N], const std::array<KeyedRow, N>& index,
                std::u16string_view symbol) {
  if (symbol.size() > 2) return nullptr;
  const KeyedRow wanted{SymbolKey(symbol), 0};
  const auto it = std::lower_bound(index.begin(), index.end(), wanted);
  if (it == index.end() || it->key != wanted.key) return nullptr;
  return &rows[it->row];
}

const InitialColumn* FindColumn(std::u16string_view initial) {
  return Find(kInitialColumns, kColumnIndex, initial);
}

const KanaRow* FindRow(std::u16string_view vowel) {
  return Find(kKanaRows, kRowIndex, vowel);
}

}  // namespace

std::u16string SyllableKana(bool suppress, std::u16string_view initial,
                            std::u16string_view vowel) {
  const InitialColumn* column = FindColumn(initial);
  const KanaRow* row = FindRow(vowel);
  if (column == nullptr || row == nullptr) return std::u16string();
  std::u16string_view kana = row->kana[column->column];
  // 섀, 셰, 쉬 and 싀 keep their plain s before a vowel that only the ʃ column
  // spells; they are written with the ʃ kana so that no syllable vanishes.
  if (kana.empty() && column->column == kColS) kana = row->kana[kColSh];
  if (kana.empty()) return std::u16string();
  std::u16string out;
  if (column->tensed && !suppress) out = kSmallTsu;
  out += kana;
  return out;
}

std::u16string_view FinalKana(std::u16string_view final_symbol) {
  for (const FinalRow& row : kFinalKana) {
    if (SameSymbol(row.symbol, final_symbol)) return row.kana;
  }
  return std::u16string_view();
}

}  // namespace pimoru
