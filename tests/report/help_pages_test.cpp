// The help pages, stylesheet and readme as the build stages them: every link
// of a work report must open a page that explains its stage.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/utf.h"
#include "pipeline/stage_record.h"
#include "pipeline/stages.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

namespace fs = std::filesystem;

const fs::path kDataFolder = PIMORU_STAGED_DATA_DIR;
const fs::path kHtmlFolder = kDataFolder / "html";
constexpr std::string_view kOverviewPage = "sogo.html";

bool IsValidUtf8(std::string_view bytes) {
  return Utf8ToUtf16(bytes).has_value();
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// The targets of the <a href="..."> links of a page, in order.
std::vector<std::string> LinkTargets(const std::string& page) {
  static const std::regex kAnchor(R"re(<a\s[^>]*href="([^"]*)")re",
                                  std::regex::icase);
  std::vector<std::string> targets;
  for (auto it = std::sregex_iterator(page.begin(), page.end(), kAnchor);
       it != std::sregex_iterator(); ++it) {
    targets.push_back((*it)[1].str());
  }
  return targets;
}

// A link to another file of the html folder: no scheme, not only a fragment.
bool IsRelativeFileLink(std::string_view target) {
  return !target.empty() && target.front() != '#' && !Contains(target, ":");
}

std::string WithoutFragment(std::string_view target) {
  return std::string(target.substr(0, target.find('#')));
}

std::vector<fs::path> StagedPages() {
  std::vector<fs::path> pages;
  for (const fs::directory_entry& entry : fs::directory_iterator(kHtmlFolder)) {
    if (entry.path().extension() == ".html") pages.push_back(entry.path());
  }
  return pages;
}

TEST(HelpPages, EveryStageHasAStagedPageThatNamesIt) {
  for (const Stage& stage : Stages()) {
    const std::string name = Utf16ToUtf8(HelpPage(stage.id));
    SCOPED_TRACE("stage " + std::to_string(StageNumber(stage.id)) + " " + name);
    ASSERT_FALSE(name.empty());
    const fs::path path = kHtmlFolder / name;
    ASSERT_TRUE(fs::is_regular_file(path)) << path;
    const std::string page = ReadFileBytes(path);
    EXPECT_TRUE(IsValidUtf8(page));
    EXPECT_TRUE(Contains(page, R"(<meta charset="utf-8">)"));
    EXPECT_TRUE(Contains(
        page, R"(<link rel="stylesheet" href="pimoru1.css" type="text/css">)"));
    // The report links the page under the stage's name; the page must speak
    // of that stage ("連音化１", "N 挿入", full-width digits included).
    EXPECT_TRUE(Contains(page, Utf16ToUtf8(StageName(stage.id))))
        << U8(StageName(stage.id));
  }
}

TEST(HelpPages, RelativeLinksPointAtExistingPagesAndBackToTheOverview) {
  const std::vector<fs::path> pages = StagedPages();
  ASSERT_FALSE(pages.empty());
  for (const fs::path& path : pages) {
    SCOPED_TRACE(path.filename().string());
    const std::string page = ReadFileBytes(path);
    bool links_overview = false;
    for (const std::string& target : LinkTargets(page)) {
      if (!IsRelativeFileLink(target)) continue;
      const std::string file = WithoutFragment(target);
      EXPECT_TRUE(fs::is_regular_file(kHtmlFolder / file)) << target;
      links_overview = links_overview || file == kOverviewPage;
    }
    if (path.filename() != kOverviewPage) {
      EXPECT_TRUE(links_overview) << "no link back to " << kOverviewPage;
    }
  }
}

TEST(HelpPages, OverviewLinksEveryStagePage) {
  const std::string overview = ReadFileBytes(kHtmlFolder / kOverviewPage);
  std::set<std::string> linked;
  for (const std::string& target : LinkTargets(overview)) {
    linked.insert(WithoutFragment(target));
  }
  for (const Stage& stage : Stages()) {
    const std::string name = Utf16ToUtf8(HelpPage(stage.id));
    if (name == kOverviewPage) continue;
    EXPECT_TRUE(linked.contains(name)) << name;
  }
}

TEST(HelpPages, StylesheetIsPlainTextAndStylesTheReportClasses) {
  const fs::path path = kHtmlFolder / "pimoru1.css";
  ASSERT_TRUE(fs::is_regular_file(path));
  const std::string css = ReadFileBytes(path);
  EXPECT_TRUE(IsValidUtf8(css));
  // Viewers disagree on a byte-order mark and on a charset rule in a linked
  // sheet; plain UTF-8 without either reads the same everywhere.
  EXPECT_FALSE(css.starts_with("\xEF\xBB\xBF"));
  EXPECT_FALSE(Contains(css, "@charset"));
  for (const std::string_view selector : {"p.small {", ".ko2 {", ".red {"}) {
    EXPECT_TRUE(Contains(css, selector)) << selector;
  }
}

TEST(Readme, IsStagedAsUtf8AndNamesTheWindowsOptions) {
  const fs::path path = kDataFolder / "Readme.txt";
  ASSERT_TRUE(fs::is_regular_file(path));
  const std::string readme = ReadFileBytes(path);
  EXPECT_TRUE(IsValidUtf8(readme));
  // The labels exactly as the window shows them, so that a reader finds them.
  for (const std::string_view label :
       {"リアル文末表現", "N挿入もチェックする", "ㅎの弱音化を無音化にする",
        "濃音の発音表示：", "変換1", "変換2"}) {
    EXPECT_TRUE(Contains(readme, label)) << label;
  }
}

}  // namespace
}  // namespace pimoru
