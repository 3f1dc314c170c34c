// What the report marks red: the characters a stage changed, and nothing
// else, whether the stage kept the length of the text or not. Checked on
// cases and on every stage line of the report over the everyday sentences.
#include "report/text_diff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "hangul/question.h"
#include "hangul/utf.h"
#include "hangul/word_list.h"
#include "pipeline/pipeline.h"
#include "pipeline/stages.h"
#include "report/work_report.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// The marked characters of `current` written as "^" under them.
std::string Marks(std::u16string_view previous, std::u16string_view current) {
  std::string marks;
  for (const bool marked : MarkedCharacters(previous, current)) {
    marks += marked ? '^' : '.';
  }
  return marks;
}

// The number of characters two texts share in order, by the plain table.
std::size_t CommonLength(std::u16string_view a, std::u16string_view b) {
  std::vector<std::size_t> row(b.size() + 1, 0);
  for (const char16_t x : a) {
    std::size_t diagonal = 0;
    for (std::size_t j = 0; j < b.size(); ++j) {
      const std::size_t above = row[j + 1];
      row[j + 1] = x == b[j] ? diagonal + 1 : std::max(row[j], above);
      diagonal = above;
    }
  }
  return row[b.size()];
}

bool IsSubsequence(std::u16string_view part, std::u16string_view whole) {
  std::size_t k = 0;
  for (const char16_t c : whole) {
    if (k < part.size() && part[k] == c) ++k;
  }
  return k == part.size();
}

TEST(MarkedCharacters, MarkWhatWasPutInReplacedOrTakenOut) {
  struct Case {
    const char16_t* previous;
    const char16_t* current;
    const char* marks;
  } const cases[] = {
      // The same length: position by position.
      {u"국물", u"궁물", "^."},
      {u"같이", u"가치", "^^"},
      {u"가나가", u"나가나", "^^^"},
      {u"가나", u"가나", ".."},
      // A space taken out: the next letter shows where (한 벌 → 한벌).
      {u"옷 한 벌", u"옷 한벌", "...^"},
      // The spacing's join shown as "$" leaves without being a change.
      {u"옷 한$벌", u"옫 한벌", "^..."},
      // Read across the space: 할 일이 → 하릴이.
      {u"할 일이", u"하릴이", "^^."},
      // Put in.
      {u"닭", u"닥 도", "^^^"},
      {u"가다", u"가 다", ".^."},
      {u"", u"가", "^"},
      // Taken out at the end: the letter before shows it.
      {u"가나 ", u"가나", ".^"},
      {u"가나다", u"가나", ".^"},
      // Taken out before a space: not the space, the letter before it.
      {u"가나 다", u"가 다", "^.."},
      // Everything gone: nothing left to mark.
      {u"가", u"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.previous) + " → " + U8(c.current));
    EXPECT_EQ(Marks(c.previous, c.current), c.marks);
  }
}

TEST(DiffHunks, PairTheStretchesThatChanged) {
  EXPECT_TRUE(DiffHunks(u"같이", u"같이").empty());
  EXPECT_EQ(DiffHunks(u"가나다라", u"거나더러"),
            (std::vector<DiffHunk>{{0, 1, 0, 1}, {2, 4, 2, 4}}));
  // 옷 한 벌 → 옷 한벌: one space out.
  EXPECT_EQ(DiffHunks(u"옷 한 벌", u"옷 한벌"),
            (std::vector<DiffHunk>{{3, 4, 3, 3}}));
  // 일 년이 → 일년이 → 일려니 in two steps is one stretch each.
  EXPECT_EQ(DiffHunks(u"일 년이", u"일려니"),
            (std::vector<DiffHunk>{{1, 4, 1, 3}}));
}

TEST(DiffHunks, KeepALongestCommonSubsequenceOfTextsOfOtherLengths) {
  std::mt19937 random(5);
  for (int round = 0; round < 2000; ++round) {
    const std::u16string a = RandomText(random, 30);
    const std::u16string b = RandomText(random, 30);
    if (a.size() == b.size()) continue;
    SCOPED_TRACE(U8(a) + " → " + U8(b));
    std::size_t i = 0;
    std::size_t j = 0;
    std::size_t kept = 0;
    for (const DiffHunk& hunk : DiffHunks(a, b)) {
      ASSERT_EQ(hunk.previous_begin - i, hunk.current_begin - j);
      EXPECT_EQ(a.substr(i, hunk.previous_begin - i),
                b.substr(j, hunk.current_begin - j));
      kept += hunk.previous_begin - i;
      EXPECT_TRUE(hunk.previous_begin < hunk.previous_end ||
                  hunk.current_begin < hunk.current_end);
      i = hunk.previous_end;
      j = hunk.current_end;
    }
    ASSERT_EQ(a.size() - i, b.size() - j);
    EXPECT_EQ(a.substr(i), b.substr(j));
    kept += a.size() - i;
    EXPECT_EQ(kept, CommonLength(a, b));
  }
}

TEST(MarkedCharacters, ALongTextChangedAllOverIsAlignedInHalves) {
  // More edits than one alignment takes: every other letter changed and a
  // space put in after every tenth.
  std::u16string previous;
  std::u16string current;
  for (std::size_t k = 0; k < 2 * kMaxAlignedEdits; ++k) {
    previous += k % 2 ? u'가' : u'나';
    current += k % 4 == 1 ? u'다' : (k % 2 ? u'가' : u'나');
    if (k % 10 == 9) current += u' ';
  }
  const std::vector<bool> marked = MarkedCharacters(previous, current);
  std::u16string kept;
  for (std::size_t k = 0; k < current.size(); ++k) {
    if (!marked[k]) kept += current[k];
  }
  EXPECT_TRUE(IsSubsequence(kept, previous));
  EXPECT_GE(kept.size(), CommonLength(previous, current) * 9 / 10);
}

// A stage paragraph of the page: its text, and which characters are red.
struct ReportLine {
  std::u16string text;
  std::vector<bool> red;
};

// Reads the body of a paragraph back from its references and red spans.
ReportLine ParseBody(std::u16string_view body) {
  ReportLine line;
  bool red = false;
  std::size_t k = 0;
  while (k < body.size()) {
    if (body.substr(k).starts_with(u"<span class=\"red\">")) {
      red = true;
      k += 18;
    } else if (body.substr(k).starts_with(u"</span>")) {
      red = false;
      k += 7;
    } else if (body.substr(k).starts_with(u"&#x")) {
      const std::size_t end = body.find(u';', k);
      line.text += static_cast<char16_t>(
          std::stoi(U8(body.substr(k + 3, end - k - 3)), nullptr, 16));
      line.red.push_back(red);
      k = end + 1;
    } else {
      ADD_FAILURE() << "unexpected " << U8(body.substr(k));
      break;
    }
  }
  return line;
}

// The paragraph of `stage` on the page, read back; nullopt when the page has
// no paragraph with a text for it.
std::optional<ReportLine> StageLine(std::u16string_view page, StageId stage) {
  const std::u16string link = std::u16string(HelpPage(stage)) +
                              u"\" target=\"_blank\">" +
                              std::u16string(StageName(stage)) + u"</a>";
  const std::size_t at = page.find(link);
  if (at == std::u16string_view::npos) return std::nullopt;
  // After the note beside the link, if any.
  constexpr std::u16string_view kBody = u"：　<span class=\"ko2\">";
  const std::size_t body = page.find(kBody, at);
  if (body == std::u16string_view::npos) return std::nullopt;
  const std::size_t begin = body + kBody.size();
  const std::size_t end = page.find(u"</span></p>", begin);
  // The last red run is closed by the paragraph's own closing tag.
  return ParseBody(page.substr(begin, end - begin));
}

// Whether a line differs from the one before it: the spacing's joins, shown
// as "$", leave the text after it without a change.
bool Differs(std::u16string_view previous, std::u16string_view current) {
  std::u16string without_joins(previous);
  if (previous.size() != current.size()) std::erase(without_joins, u'$');
  return without_joins != current;
}

void ExpectRedExactlyWhereChanged(std::u16string_view previous,
                                  const ReportLine& line) {
  const std::u16string& current = line.text;
  const auto red = static_cast<std::size_t>(
      std::count(line.red.begin(), line.red.end(), true));
  EXPECT_EQ(red > 0, Differs(previous, current)) << U8(previous);
  if (previous.size() == current.size()) {
    for (std::size_t k = 0; k < current.size(); ++k) {
      EXPECT_EQ(line.red[k], previous[k] != current[k]) << k;
    }
    return;
  }
  // What is not red was there before, in order, and no more is red than
  // the characters put in, plus one for each taken out.
  std::u16string kept;
  for (std::size_t k = 0; k < current.size(); ++k) {
    if (!line.red[k]) kept += current[k];
  }
  EXPECT_TRUE(IsSubsequence(kept, previous))
      << U8(previous) << " / " << U8(kept);
  const std::size_t common = CommonLength(previous, current);
  EXPECT_LE(red, (current.size() - common) + (previous.size() - common))
      << U8(previous);
}

TEST(WorkReport, EveryStageLineIsRedExactlyWhereItsTextChanged) {
  std::ifstream corpus(PIMORU_SENTENCES_FILE);
  std::vector<std::u16string> inputs;
  for (std::string line; std::getline(corpus, line);) {
    inputs.push_back(Utf8ToUtf16Lossy(line));
  }
  ASSERT_GT(inputs.size(), 300u);
  inputs.push_back(u"옷 한 벌 할 일이 일 년이 목록을 읽을게요 서울역");
  inputs.push_back(u"3시 30분에 100명이 6월 10%를 KTX 3번 출구 20대");
  LoadedWordLists lists(std::filesystem::path(PIMORU_STAGED_DATA_DIR) / "kdat");
  Options everyday;
  Options phrase;
  phrase.phrase_flg = true;
  phrase.n_insert_flg = true;
  Options standard;
  standard.h_strong_flg = false;
  standard.e_real_flg = false;
  Options numbers;
  numbers.read_numbers_flg = true;
  int lines_with_red = 0;
  int lines_of_other_length = 0;
  for (const Options& options : {everyday, phrase, standard, numbers}) {
    for (const bool yes : {false, true}) {
      for (const std::u16string& input : inputs) {
        SCOPED_TRACE(U8(input));
        FixedAsker asker(yes);
        StageRecord record;
        const std::u16string reading =
            RunPipeline(input, options, lists, asker, record);
        const std::u16string page = WorkReportPage(reading, record, u"", "/h");
        for (const Stage& stage : StagesFrom(StageId::kNumberReading)) {
          if (stage.id == StageId::kVoicing || !record.changed[stage.id] ||
              record.results[stage.id].empty()) {
            continue;
          }
          SCOPED_TRACE(U8(StageName(stage.id)));
          const std::optional<ReportLine> line = StageLine(page, stage.id);
          ASSERT_TRUE(line.has_value());
          ASSERT_EQ(line->text, record.results[stage.id]);
          const std::u16string previous = PreviousStageResult(record, stage.id);
          ExpectRedExactlyWhereChanged(previous, *line);
          if (Differs(previous, line->text)) ++lines_with_red;
          if (previous.size() != line->text.size()) ++lines_of_other_length;
        }
      }
    }
  }
  // The corpus has both kinds of change, many times.
  EXPECT_GT(lines_with_red, 1000);
  EXPECT_GT(lines_of_other_length, 50);
}

}  // namespace
}  // namespace pimoru
