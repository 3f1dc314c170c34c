// How many of the standard pronunciation examples the shipped word lists and
// rules read right, end to end through pimoru-cli. Every miss is printed with
// the reading it got; examples the pipeline cannot read by design are listed
// apart and do not count.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/cli_runner.h"
#include "hangul/jamo.h"
#include "hangul/utf.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

struct Example {
  int line = 0;
  std::string article;
  std::string text;
  std::vector<std::string> readings;
  std::string answers;  // "-": every question answered No
  bool n_insert = false;
  std::string known;  // why the pipeline cannot give it; empty when it can
};

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  std::string part;
  while (std::getline(stream, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

std::vector<Example> LoadExamples() {
  std::ifstream file(std::string(PIMORU_TEST_DATA_DIR) +
                     "/standard_examples.tsv");
  EXPECT_TRUE(file.good()) << "standard_examples.tsv not found";
  std::vector<Example> examples;
  std::string row;
  for (int line = 1; std::getline(file, row); ++line) {
    if (row.empty() || row.starts_with('#') || row.starts_with("article\t")) {
      continue;
    }
    const std::vector<std::string> cells = Split(row, '\t');
    if (cells.size() != 6 || cells[1].empty() || cells[2].empty() ||
        (cells[4] != "on" && cells[4] != "off") ||
        (cells[3] != "-" &&
         cells[3].find_first_not_of("yn") != std::string::npos)) {
      ADD_FAILURE() << "standard_examples.tsv line " << line
                    << " is malformed: " << row;
      continue;
    }
    examples.push_back({line, cells[0], cells[1], Split(cells[2], '|'),
                        cells[3], cells[4] == "on", cells[5]});
  }
  return examples;
}

// Spaces are not sounds. A final the pipeline merges into the tense initial
// of the same place (있다 → 이따 for the standard's 읻따) is the same sound,
// so both sides drop it.
std::u16string Normalised(std::string_view utf8) {
  std::u16string jamo = DecomposeText(Utf8ToUtf16Lossy(utf8));
  std::erase(jamo, u' ');
  constexpr std::pair<char16_t, char16_t> kMerged[] = {
      {fin::kGiyeok, ini::kSsangGiyeok},
      {fin::kDigeut, ini::kSsangDigeut},
      {fin::kBieup, ini::kSsangBieup},
  };
  for (const auto& [final, initial] : kMerged) {
    ReplaceAll(jamo, std::u16string{final, initial}, std::u16string{initial});
  }
  return jamo;
}

bool Accepted(const Example& example, const std::string& reading) {
  for (const std::string& accepted : example.readings) {
    if (Normalised(accepted) == Normalised(reading)) return true;
  }
  return false;
}

// The reading of every example, converting the examples that share options
// and answers in one run.
std::vector<std::string> ReadAll(const std::vector<Example>& examples) {
  std::map<std::pair<std::string, bool>, std::vector<std::size_t>> groups;
  for (std::size_t k = 0; k < examples.size(); ++k) {
    groups[{examples[k].answers, examples[k].n_insert}].push_back(k);
  }
  std::vector<std::string> readings(examples.size());
  for (const auto& [key, members] : groups) {
    const auto& [answers, n_insert] = key;
    std::vector<std::string> args = {"--no-h-strong", "--no-real-endings",
                                     n_insert ? "--n-insert" : "--no-n-insert"};
    if (answers == "-") {
      args.insert(args.end(), {"--answers", "no"});
    } else {
      args.insert(args.end(), {"--answer-list", answers});
    }
    std::string input;
    for (const std::size_t k : members) input += examples[k].text + "\n";
    const CliResult r = RunCli(WithData(args), input);
    EXPECT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Split(r.out, '\n');
    EXPECT_GE(lines.size(), members.size()) << r.out;
    for (std::size_t m = 0; m < members.size() && m < lines.size(); ++m) {
      readings[members[m]] = lines[m].substr(0, lines[m].find('\t'));
    }
  }
  return readings;
}

std::string Accepts(const Example& example) {
  std::string text;
  for (const std::string& reading : example.readings) {
    text += (text.empty() ? "" : "|") + reading;
  }
  return text;
}

TEST(StandardExamples, AtLeast97PercentReadAsTheStandardAccepts) {
  const std::vector<Example> examples = LoadExamples();
  ASSERT_FALSE(examples.empty());
  const std::vector<std::string> readings = ReadAll(examples);

  int counted = 0;
  int right = 0;
  std::string misses;
  std::string known;
  for (std::size_t k = 0; k < examples.size(); ++k) {
    const Example& e = examples[k];
    const bool ok = Accepted(e, readings[k]);
    const std::string row = "  [" + e.article + "] " + e.text + " -> " +
                            readings[k] + "  (accepted: " + Accepts(e) + ")";
    if (!e.known.empty()) {
      known += row + (ok ? "  now read right" : "") + "\n    " + e.known + "\n";
      continue;
    }
    ++counted;
    if (ok) {
      ++right;
    } else {
      misses += row + "  answers " + e.answers +
                (e.n_insert ? ", N-insertion on" : "") + "\n";
    }
  }
  std::printf("Standard examples: %d of %d read right (%.1f%%)\n", right,
              counted, counted ? 100.0 * right / counted : 0.0);
  std::printf("Misses:\n%s", misses.empty() ? "  none\n" : misses.c_str());
  std::printf("Known differences, not counted:\n%s", known.c_str());
  EXPECT_GE(right * 100, counted * 97) << "below 97%; misses:\n" << misses;
}

}  // namespace
}  // namespace pimoru
