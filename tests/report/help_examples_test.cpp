// The examples of the help pages say what the tool shows: each one is run
// through the conversion and compared.
//
// An example is marked in a page by its classes, in the order the page
// gives them:
//
//   <td class="ko2 ex-in">맛있다</td><td class="ko2 ex-out">[마시따]</td>
//
//   ex-in       a text typed into ハングル; it starts an example
//   ex-reading  a reading typed into 読みﾊﾝｸﾞﾙ (only symbols and kana follow)
//   ex-out      the reading Hangul, or with data-stage="N" the text after
//               stage N as the work report shows it
//   ex-sym      the phonetic symbols, ex-kana the katakana
//
// Each check belongs to the last ex-in or ex-reading before it. Its text is
// the element's, without enclosing brackets; "␣" stands for a space.
// Attributes on the start or on a check (a check's own win) say how it was
// converted:
//
//   data-options   "n-insert", "no-h-strong", "no-real-endings", "phrase",
//                  "read-numbers", separated by spaces
//   data-answers   the answers to the questions in order, "y" or "n"; any
//                  question beyond them is answered No
//   data-notation  the tensed-consonant notation of the symbols, 0..2
//   data-stage     see ex-out
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/utf.h"
#include "hangul/word_list.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_record.h"
#include "pipeline/stages.h"
#include "render/transcription.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

namespace fs = std::filesystem;

const fs::path kDataFolder = PIMORU_STAGED_DATA_DIR;

using Attributes = std::map<std::string, std::string>;

struct Marked {
  std::string kind;  // "ex-in", "ex-reading", "ex-out", "ex-sym", "ex-kana"
  std::string text;
  Attributes attributes;
};

struct Example {
  std::string page;
  Marked start;
  std::vector<Marked> checks;
};

// The element's text as the example means it.
std::string ExampleText(std::string text) {
  if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
    text = text.substr(1, text.size() - 2);
  }
  static const std::regex kOpenBox("\xE2\x90\xA3");  // ␣
  return std::regex_replace(text, kOpenBox, " ");
}

std::vector<Example> ExamplesOf(const fs::path& page) {
  static const std::regex kElement(R"re(<(td|span)\s([^>]*)>([^<]*)</\1>)re");
  static const std::regex kClass(R"re(class="([^"]*)")re");
  static const std::regex kData(R"re(data-([a-z-]+)="([^"]*)")re");
  static const std::regex kKind(R"re(\b(ex-(?:in|reading|out|sym|kana))\b)re");
  const std::string html = ReadFileBytes(page);
  std::vector<Example> examples;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), kElement);
       it != std::sregex_iterator(); ++it) {
    const std::string tag_attributes = (*it)[2].str();
    std::smatch class_match;
    if (!std::regex_search(tag_attributes, class_match, kClass)) continue;
    const std::string classes = class_match[1].str();
    std::smatch kind;
    if (!std::regex_search(classes, kind, kKind)) continue;
    Marked marked{kind[1].str(), ExampleText((*it)[3].str()), {}};
    for (auto data = std::sregex_iterator(tag_attributes.begin(),
                                          tag_attributes.end(), kData);
         data != std::sregex_iterator(); ++data) {
      marked.attributes[(*data)[1].str()] = (*data)[2].str();
    }
    if (marked.kind == "ex-in" || marked.kind == "ex-reading") {
      examples.push_back({page.filename().string(), marked, {}});
    } else {
      EXPECT_FALSE(examples.empty())
          << page.filename() << ": " << marked.kind << " " << marked.text
          << " follows no example";
      if (!examples.empty()) examples.back().checks.push_back(marked);
    }
  }
  return examples;
}

std::string Attribute(const Example& example, const Marked& check,
                      const std::string& name) {
  if (const auto own = check.attributes.find(name);
      own != check.attributes.end()) {
    return own->second;
  }
  const auto start = example.start.attributes.find(name);
  return start == example.start.attributes.end() ? "" : start->second;
}

Options OptionsOf(const std::string& names) {
  Options options;
  static const std::regex kWord(R"(\S+)");
  for (auto it = std::sregex_iterator(names.begin(), names.end(), kWord);
       it != std::sregex_iterator(); ++it) {
    const std::string name = it->str();
    if (name == "n-insert") {
      options.n_insert_flg = true;
    } else if (name == "no-h-strong") {
      options.h_strong_flg = false;
    } else if (name == "no-real-endings") {
      options.e_real_flg = false;
    } else if (name == "phrase") {
      options.phrase_flg = true;
    } else if (name == "read-numbers") {
      options.read_numbers_flg = true;
    } else {
      ADD_FAILURE() << "unknown option " << name;
    }
  }
  return options;
}

std::vector<bool> AnswersOf(const std::string& letters) {
  std::vector<bool> answers;
  for (const char letter : letters) {
    EXPECT_TRUE(letter == 'y' || letter == 'n') << letters;
    answers.push_back(letter == 'y');
  }
  return answers;
}

// What the tool shows for `check` of `example`.
std::string Shown(const Example& example, const Marked& check,
                  WordListSource& lists) {
  const std::u16string start = Utf8ToUtf16Lossy(example.start.text);
  const std::string number = Attribute(example, check, "notation");
  const auto notation =
      static_cast<Notation>(number.empty() ? 0 : std::stoi(number));
  StageRecord record;
  std::u16string reading = start;
  if (example.start.kind == "ex-in") {
    ScriptedAsker asker(AnswersOf(Attribute(example, check, "answers")));
    reading =
        RunPipeline(start, OptionsOf(Attribute(example, check, "options")),
                    lists, asker, record);
  }
  if (check.kind == "ex-out") {
    const std::string stage = Attribute(example, check, "stage");
    if (stage.empty()) return Utf16ToUtf8(reading);
    const std::optional<StageId> id = StageNumbered(std::stoi(stage));
    if (!id) return "no stage " + stage;
    return Utf16ToUtf8(record.results[*id]);
  }
  const Transcription transcription = Transcribe(reading, notation, record);
  return Utf16ToUtf8(Trim(check.kind == "ex-sym" ? transcription.symbols
                                                 : transcription.kana));
}

std::vector<fs::path> Pages() {
  std::vector<fs::path> pages;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(kDataFolder / "html")) {
    if (entry.path().extension() == ".html") pages.push_back(entry.path());
  }
  return pages;
}

TEST(HelpExamples, EveryExampleShowsWhatTheToolShows) {
  LoadedWordLists lists(kDataFolder / "kdat");
  for (const fs::path& page : Pages()) {
    for (const Example& example : ExamplesOf(page)) {
      SCOPED_TRACE(example.page + ": " + example.start.text);
      EXPECT_FALSE(example.checks.empty()) << "nothing to compare";
      for (const Marked& check : example.checks) {
        // Compared as text, so that a failure reads as Hangul.
        const std::string shown = Shown(example, check, lists);
        EXPECT_TRUE(shown == check.text)
            << check.kind << ": the page says " << check.text
            << ", the tool shows " << shown << " (options \""
            << Attribute(example, check, "options") << "\", answers \""
            << Attribute(example, check, "answers") << "\")";
      }
    }
  }
}

// The markup is what keeps the examples honest: a stage's page without it
// would not be checked at all.
TEST(HelpExamples, EveryStagesPageHasExamplesToCheck) {
  for (const Stage& stage : StagesFrom(StageId::kFormatting).subspan(1)) {
    const fs::path page =
        kDataFolder / "html" / Utf16ToUtf8(HelpPage(stage.id));
    EXPECT_FALSE(ExamplesOf(page).empty()) << page.filename();
  }
}

}  // namespace
}  // namespace pimoru
