// The readings of a Korean word form from a lexicon of stems and their
// endings and particles: 입력하면 → 입력하다 with an ending, 결과를 → 결과
// with a particle, 할 → the noun 할, 하다 with the -(으)ㄹ adnominal ending
// and 하 with a particle.
//
// The lexicon is a spell-checking dictionary (an affix file and a word
// file) read through the spell checker's analyser, which names each
// reading's stem and the affix class that made the form. What each class
// is was read off the comments of the affix file, which name the ending of
// every class ("# 150 '-을'"); the tests hold the table below to that file.
#ifndef PIMORU_LEXICON_WORD_FORMS_H_
#define PIMORU_LEXICON_WORD_FORMS_H_

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class Hunspell;

namespace pimoru {

enum class FormKind {
  kBare,      // the stem alone: a noun, an adverb, a dictionary form
  kParticle,  // a noun with a particle: 결과를, 일이, 할 (하 + ㄹ for 를)
  kCopula,    // a noun with the copula and its endings: 학생이다, 학생일
  kPreFinal,  // a verb with -으시-, -었-, -겠- or -더- and whatever ending
              // follows, which the class does not name: 했을, 하실
  kAdnominal,    // a verb with the -(으)ㄹ adnominal ending: 할, 먹을
  kRieulEnding,  // a verb with an ending that begins with -(으)ㄹ and a
                 // consonant: 할게, 할지, 할수록
  kEnding,       // a verb with any other ending: 입력하면, 하여
};

// A run of affix classes with the affix the affix file names for them.
struct AffixClass {
  int first;
  int last;
  FormKind kind;
  std::u16string_view affix;  // as the file names it: "-을게"
};

// Classes 30 to 507 are the endings of verbs and adjectives, 530 to 541
// particles, 630 and 631 the copula. Those not listed are kEnding (in
// 57..507) or not an affix of a word form. The -(으)ㄹ endings that tense a
// following consonant are listed with their tails; -을망정, -을는지,
// -을래 and -을라 put ㅁ, ㄴ or ㄹ after the ㄹ, and are plain endings here.
inline constexpr AffixClass kAffixClasses[] = {
    {30, 34, FormKind::kPreFinal, u"-으시-"},
    {35, 44, FormKind::kPreFinal, u"-었-"},
    {45, 55, FormKind::kPreFinal, u"-겠-"},
    {56, 56, FormKind::kPreFinal, u"-더-"},
    {150, 154, FormKind::kAdnominal, u"-을"},
    {155, 159, FormKind::kRieulEnding, u"-을걸"},
    {160, 163, FormKind::kRieulEnding, u"-을게"},
    {164, 168, FormKind::kRieulEnding, u"-을까"},
    {174, 178, FormKind::kRieulEnding, u"-을수록"},
    {179, 183, FormKind::kRieulEnding, u"-을지"},
    {184, 188, FormKind::kRieulEnding, u"-을지라도"},
    {189, 193, FormKind::kRieulEnding, u"-을지언정"},
    {474, 478, FormKind::kRieulEnding, u"-을세"},
    {530, 541, FormKind::kParticle, u""},
    {630, 631, FormKind::kCopula, u""},
};
inline constexpr int kFirstEnding = 57;
inline constexpr int kLastEnding = 507;

// The kind of form an affix class makes; kBare for 0 (no affix) and for a
// class that is not an affix of a word form.
FormKind KindOfAffix(int affix_class);
// The affix as the file names it, for the listed classes; empty otherwise.
std::u16string_view NameOfAffix(int affix_class);

struct WordReading {
  std::u16string stem;  // "입력하다", "결과"
  int affix_class = 0;  // 0 for the stem alone
  FormKind kind = FormKind::kBare;
  friend bool operator==(const WordReading&, const WordReading&) = default;
};

class WordForms {
 public:
  // The largest file of the lexicon read: ten times hunspell-ko's affix
  // file (11 MB).
  static constexpr std::uint64_t kFileLimit = std::uint64_t{128} << 20;

  // Opens the lexicon; null when its files cannot be read, and then why in
  // `why` where given ("PATH: フォルダです"). Each must be a regular file of
  // at most kFileLimit bytes, and the word file must begin with its count
  // of words, without which the analyser reads nothing.
  static std::unique_ptr<WordForms> Open(const std::filesystem::path& affix,
                                         const std::filesystem::path& words,
                                         std::string* why = nullptr);
  ~WordForms();
  WordForms(const WordForms&) = delete;
  WordForms& operator=(const WordForms&) = delete;

  // Every reading of a word form; none for a word the lexicon does not
  // know. Never null. Safe to call from several threads: the analyser is
  // used by one at a time.
  std::shared_ptr<const std::vector<WordReading>> Readings(
      std::u16string_view word) const;
  // The same, asking the analyser afresh.
  std::vector<WordReading> Analyse(std::u16string_view word) const;

 private:
  explicit WordForms(std::unique_ptr<Hunspell> hunspell);

  // Words repeat: their readings are kept, up to a bound.
  static constexpr std::size_t kKeptWords = 1 << 16;

  std::unique_ptr<Hunspell> hunspell_;
  mutable std::mutex mutex_;  // guards both
  std::vector<WordReading> AnalyseLocked(std::u16string_view word) const;
  mutable std::unordered_map<std::u16string,
                             std::shared_ptr<const std::vector<WordReading>>>
      kept_;
};

}  // namespace pimoru

#endif  // PIMORU_LEXICON_WORD_FORMS_H_
