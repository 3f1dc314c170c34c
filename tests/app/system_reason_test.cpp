#include "app/system_reason.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace pimoru {
namespace {

std::string WithSystemText(int error_number) {
  return std::string("/home/a/Work.html に書き込めません。(") +
         std::strerror(error_number) + ")";
}

TEST(ErrorBoxText, TheSystemsReasonGoesOnASecondLineInJapanese) {
  struct Case {
    std::string message;
    std::string text;
  } const cases[] = {
      {WithSystemText(ENOSPC),
       "/home/a/Work.html に書き込めません。\n"
       "理由：ディスクの空き容量が足りません。"},
      {WithSystemText(EACCES),
       "/home/a/Work.html に書き込めません。\n"
       "理由：アクセスが許可されていません。"},
      {WithSystemText(EPERM),
       "/home/a/Work.html に書き込めません。\n"
       "理由：アクセスが許可されていません。"},
      {WithSystemText(ENOTDIR),
       "/home/a/Work.html に書き込めません。\n"
       "理由：パスの途中にフォルダではないものがあります。"},
      {WithSystemText(EROFS),
       "/home/a/Work.html に書き込めません。\n理由：読み取り専用の場所です。"},
      // An uncommon reason keeps the system's text, on its own line.
      {WithSystemText(EMFILE),
       std::string("/home/a/Work.html に書き込めません。\n理由：") +
           std::strerror(EMFILE)},
      // Messages without a reason of the system stay as they are.
      {"kdat/riul_future.txt を読めません。",
       "kdat/riul_future.txt を読めません。"},
      {"kdat/co_suff.txt 3 行目: 1 "
       "番目のフィールド「(1)」は整数ではありません。",
       "kdat/co_suff.txt 3 行目: 1 "
       "番目のフィールド「(1)」は整数ではありません。"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(ErrorBoxText(c.message), c.text);
  }
}

TEST(ReasonLine, NamesWhatKeptTheFileFromBeingUsed) {
  EXPECT_EQ(ReasonLine(FileProblem{}), "");
  EXPECT_EQ(ReasonLine(FileProblem::System(EROFS)),
            "理由：読み取り専用の場所です。");
  EXPECT_EQ(ReasonLine(FileProblem::System(EISDIR)),
            "理由：同じ名前のフォルダがあります。");
  EXPECT_EQ(
      ReasonLine(FileProblem::NotAFile()),
      "理由：ファイルではないもの（フォルダ、デバイス、名前付きパイプなど）"
      "があります。");
  EXPECT_EQ(ReasonLine(FileProblem::System(EMFILE)),
            std::string("理由：") + std::strerror(EMFILE));
}

}  // namespace
}  // namespace pimoru
