#include "app/system_reason.h"

#include <cerrno>
#include <cstring>

namespace pimoru {
namespace {

struct Reason {
  int error_number;
  std::string_view text;
};

// The reasons a user meets when a file cannot be written or read.
constexpr Reason kReasons[] = {
    {ENOSPC, "ディスクの空き容量が足りません。"},
    {EDQUOT, "ディスクの使用量の上限に達しています。"},
    {EACCES, "アクセスが許可されていません。"},
    {EPERM, "アクセスが許可されていません。"},
    {ENOTDIR, "パスの途中にフォルダではないものがあります。"},
    {EROFS, "読み取り専用の場所です。"},
    {EISDIR, "同じ名前のフォルダがあります。"},
    {EEXIST, "同じ名前のファイルがあります。"},
    {ENOENT, "ファイルまたはフォルダがありません。"},
};

constexpr std::string_view kReasonLabel = "理由：";
constexpr std::string_view kNotAFile =
    "ファイルではないもの（フォルダ、デバイス、名前付きパイプなど）が"
    "あります。";
constexpr std::string_view kForeignLink =
    "共有フォルダにある他のユーザーのシンボリックリンクです。";
constexpr std::string_view kNotPrivate =
    "自分だけのフォルダではありません（他のユーザーのもの、または他の"
    "ユーザーも入れるフォルダです）。";
constexpr std::string_view kSentenceEnd = "。";

}  // namespace

std::string SystemReasonText(int error_number) {
  for (const Reason& reason : kReasons) {
    if (reason.error_number == error_number) return std::string(reason.text);
  }
  return std::strerror(error_number);
}

std::string ReasonLine(const FileProblem& problem) {
  switch (problem.kind) {
    case FileProblem::Kind::kNone:
      return {};
    case FileProblem::Kind::kNotAFile:
      return std::string(kReasonLabel) + std::string(kNotAFile);
    case FileProblem::Kind::kForeignLink:
      return std::string(kReasonLabel) + std::string(kForeignLink);
    case FileProblem::Kind::kNotPrivate:
      return std::string(kReasonLabel) + std::string(kNotPrivate);
    case FileProblem::Kind::kSystem:
      return std::string(kReasonLabel) + SystemReasonText(problem.error_number);
  }
  return {};
}

std::string ErrorBoxText(std::string_view message) {
  // "<sentence>。(<system text>)": the reason the core appends.
  const std::size_t open = message.rfind("。(");
  if (open == std::string_view::npos || !message.ends_with(')')) {
    return std::string(message);
  }
  const std::size_t reason_start = open + kSentenceEnd.size() + 1;
  const std::string_view system_text =
      message.substr(reason_start, message.size() - 1 - reason_start);
  std::string reason(system_text);
  for (const Reason& known : kReasons) {
    if (system_text == std::strerror(known.error_number)) {
      reason = known.text;
      break;
    }
  }
  return std::string(message.substr(0, reason_start - 1)) + "\n" +
         std::string(kReasonLabel) + reason;
}

}  // namespace pimoru
