// How many questions the conversion asks on a corpus, one sentence a line,
// without the dictionary and with it: every question asked when all are
// answered No, and those the dictionary decides or leaves to the user.
//
//   pimoru_question_count DATA_DIR [--n-insert] [--phrase] [--list] < corpus
//
// Prints the counts per 100 lines, by kind; with --list, one line per
// question the conversion with the dictionary asks instead (tab-separated:
// the line, the word as typed, the kind, the stage, the syllable of the
// word in question, the syllables there, the dictionary's verdict, its guess
// and its reason), the form in which tests/data/labelled_questions.tsv was
// drawn up.
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/utf.h"
#include "hangul/word_knowledge.h"
#include "hangul/word_list.h"
#include "lexicon/dictionary.h"
#include "lexicon/word_question.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stages.h"

namespace pimoru {
namespace {

std::string_view VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::kYes:
      return "yes";
    case Verdict::kNo:
      return "no";
    case Verdict::kUnknown:
      return "unknown";
  }
  return "";
}

// Counts the questions by kind and answers them No.
class CountingAsker : public Asker {
 public:
  Answer Respond(const Question& question, const Judgement&) override {
    ++asked[question.kind()];
    return {};
  }
  std::map<QuestionKind, int> asked;
};

// Judges every question with the dictionary, counts and lists it, and
// answers as --answers auto does.
class JudgingAsker : public Asker {
 public:
  JudgingAsker(const Dictionary& dictionary, bool list)
      : dictionary_(dictionary), list_(list) {}
  Answer Respond(const Question& question, const Judgement&) override {
    const Judgement j = dictionary_.Judge(question);
    ++(j.verdict == Verdict::kUnknown ? left : decided)[question.kind()];
    if (list_) {
      std::u16string word;
      std::u16string next_word;
      const std::optional<WordQuestion> q =
          ReadQuestion(question, word, next_word);
      std::string row = Utf16ToUtf8(question.TypedLine());
      row += '\t';
      row += Utf16ToUtf8(word);
      row += '\t';
      row += InfoOf(question.kind()).name;
      row += '\t' + std::to_string(StageNumber(StageAsking(question.kind()))) +
             '\t';
      row += q ? std::to_string(q->at) : "-";
      row += '\t';
      row += Utf16ToUtf8(question.TypedPlace());
      row += '\t';
      row += VerdictName(j.verdict);
      row += '\t';
      row += j.guess ? "y" : "n";
      row += '\t';
      row += Utf16ToUtf8(j.reason);
      std::cout << row << '\n';
    }
    return {j.verdict == Verdict::kYes, Answerer::kDictionary, j.reason};
  }
  std::map<QuestionKind, int> decided;
  std::map<QuestionKind, int> left;

 private:
  const Dictionary& dictionary_;
  bool list_;
};

int Sum(const std::map<QuestionKind, int>& counts) {
  int sum = 0;
  for (const auto& [kind, n] : counts) sum += n;
  return sum;
}

int Main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: pimoru_question_count DATA_DIR [--n-insert] "
                 "[--phrase] [--list] < corpus\n";
    return 2;
  }
  Options options;
  bool list = false;
  for (int k = 2; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if (arg == "--n-insert") options.n_insert_flg = true;
    if (arg == "--phrase") options.phrase_flg = true;
    if (arg == "--list") list = true;
  }
  LoadedWordLists lists(std::filesystem::path(argv[1]) / "kdat");
  const std::shared_ptr<Dictionary> dictionary = MakeDictionary();
  if (!dictionary->Load()) {
    std::cerr << "dictionary " << dictionary->Status() << '\n';
    return 1;
  }
  CountingAsker plain;
  JudgingAsker judging(*dictionary, list);
  StageRecord record;
  int lines = 0;
  std::string line;
  while (std::getline(std::cin, line)) {
    if (line.empty()) continue;
    ++lines;
    const std::u16string input = Utf8ToUtf16Lossy(line);
    RunPipeline(input, options, lists, plain, record, RecordTexts::kFlagsOnly);
    RunPipeline(input, options, lists, judging, record,
                RecordTexts::kFlagsOnly);
  }
  if (list) return 0;
  const auto per100 = [lines](int n) {
    return lines > 0 ? 100.0 * n / lines : 0.0;
  };
  std::printf("%d lines, N-insertion %s%s\n", lines,
              options.n_insert_flg ? "on" : "off",
              options.phrase_flg ? ", each line read as one breath" : "");
  std::printf("%-18s %10s %10s %10s %12s\n", "kind", "asked", "decided", "left",
              "left/100");
  for (const QuestionKindInfo& info : kQuestionKinds) {
    const QuestionKind kind = info.kind;
    std::printf("%-18s %10d %10d %10d %12.1f\n", info.name.data(),
                plain.asked[kind], judging.decided[kind], judging.left[kind],
                per100(judging.left[kind]));
  }
  std::printf("%-18s %10d %10d %10d %12.1f\n", "all", Sum(plain.asked),
              Sum(judging.decided), Sum(judging.left),
              per100(Sum(judging.left)));
  std::printf(
      "questions per 100 lines: %.1f without the dictionary, %.1f "
      "left to ask with it\n",
      per100(Sum(plain.asked)), per100(Sum(judging.left)));
  return 0;
}

}  // namespace
}  // namespace pimoru

int main(int argc, char** argv) { return pimoru::Main(argc, argv); }
