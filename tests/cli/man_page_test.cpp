// The manual page of pimoru-cli against the real --help: every option that
// --help lists is an item of the page's OPTIONS, with every value it lists
// (ask|yes|no), and the page documents no option that --help lacks.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

bool IsOptionChar(char c) {
  return std::islower(static_cast<unsigned char>(c)) ||
         std::isdigit(static_cast<unsigned char>(c)) || c == '-';
}

// The words of a line: runs of lower-case letters, digits and dashes, so that
// "--answers ask|yes|no" and "--n-insert, --no-n-insert" split as meant.
std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : line) {
    if (IsOptionChar(c)) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(std::exchange(word, {}));
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

bool IsOption(std::string_view word) {
  return word.size() > 2 && word.starts_with("--") &&
         std::islower(static_cast<unsigned char>(word[2]));
}

// Each option to the values its line lists after it ("--format tsv|text|json"
// gives tsv, text, json; "--report FILE" none).
using OptionValues = std::map<std::string, std::set<std::string>>;

// The item lines of --help: those that begin with an option.
OptionValues HelpOptions(const std::string& help) {
  OptionValues options;
  std::istringstream lines(help);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos || line.compare(start, 2, "--") != 0) {
      continue;
    }
    // The option part ends where the description begins, after a gap.
    const std::size_t gap = line.find("  ", start);
    const std::string head = line.substr(start, gap - start);
    std::string last;
    for (const std::string& word : Words(head)) {
      if (IsOption(word)) {
        last = word;
        options[word];
      } else if (!last.empty() && head.find('|') != std::string::npos) {
        options[last].insert(word);
      }
    }
  }
  return options;
}

// The item heads of the page's OPTIONS section (the line after each .TP),
// with the roff escapes for dashes and fonts taken out.
OptionValues ManOptions(const std::string& page) {
  OptionValues options;
  std::istringstream lines(page);
  bool in_options = false;
  bool head_next = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with(".SH")) {
      in_options = line.find("OPTIONS") != std::string::npos;
      continue;
    }
    if (!in_options) continue;
    if (line == ".TP") {
      head_next = true;
      continue;
    }
    if (!head_next) continue;
    head_next = false;
    std::string plain;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '\\' && i + 1 < line.size()) {
        if (line[i + 1] == '-') plain += '-';
        if (line[i + 1] == 'f') ++i;  // \fB, \fI, \fR: the font letter too
        ++i;
        continue;
      }
      plain += line[i];
    }
    std::string last;
    for (const std::string& word : Words(plain.substr(plain.find(' ') + 1))) {
      if (IsOption(word)) {
        last = word;
        options[word];
      } else if (!last.empty()) {
        options[last].insert(word);
      }
    }
  }
  return options;
}

TEST(CliManPage, DocumentsEveryOptionOfHelp) {
  const CliResult help = RunCli({"--help"});
  ASSERT_EQ(help.status, 0);
  const OptionValues from_help = HelpOptions(help.out);
  // A sanity floor, so that a change to the layout of --help cannot make
  // this test pass by finding nothing.
  ASSERT_TRUE(from_help.contains("--format") && from_help.contains("--help"))
      << help.out;
  const OptionValues from_page =
      ManOptions(ReadFileBytes(PIMORU_MAN_DIR "/pimoru-cli.1"));

  for (const auto& [option, values] : from_help) {
    SCOPED_TRACE(option);
    const auto item = from_page.find(option);
    if (item == from_page.end()) {
      ADD_FAILURE() << "no item in the manual page's OPTIONS";
      continue;
    }
    for (const std::string& value : values) {
      EXPECT_TRUE(item->second.contains(value))
          << "value " << value << " missing from the manual page's item";
    }
  }
  for (const auto& [option, values] : from_page) {
    EXPECT_TRUE(from_help.contains(option))
        << option << " is in the manual page but not in --help";
  }
}

}  // namespace
}  // namespace pimoru
