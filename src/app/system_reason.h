// Why a file could not be read or written, in the words the window shows:
// the window speaks Japanese throughout, so the system's reason goes on a
// line of its own, translated where it is one of the common ones. Nothing
// here needs Qt.
#ifndef PIMORU_APP_SYSTEM_REASON_H_
#define PIMORU_APP_SYSTEM_REASON_H_

#include <string>
#include <string_view>

namespace pimoru {

// What kept a file from being read or written: nothing, something other
// than a regular file at its path (a folder, a device, a FIFO, a socket),
// another user's symbolic link in a shared folder, a folder that should be
// the user's alone but is not, or a system error.
struct FileProblem {
  enum class Kind { kNone, kNotAFile, kForeignLink, kNotPrivate, kSystem };
  Kind kind = Kind::kNone;
  int error_number = 0;  // the errno of kSystem

  static FileProblem NotAFile() { return {Kind::kNotAFile, 0}; }
  static FileProblem ForeignLink() { return {Kind::kForeignLink, 0}; }
  static FileProblem NotPrivate() { return {Kind::kNotPrivate, 0}; }
  static FileProblem System(int error_number) {
    return {Kind::kSystem, error_number};
  }
  explicit operator bool() const { return kind != Kind::kNone; }
  friend bool operator==(const FileProblem&, const FileProblem&) = default;
};

// The system's text for `error_number` in Japanese for the common cases (no
// space left, permission denied, not a folder, read-only, ...); otherwise
// the system's own text.
std::string SystemReasonText(int error_number);

// "理由：" and the reason of `problem`; empty for no problem.
std::string ReasonLine(const FileProblem& problem);

// A message of the core for an error box: a system reason in parentheses at
// its end ("... に書き込めません。(Not a directory)") goes on a second line
// as a ReasonLine, translated where it is one of the common ones. Any other
// message is left as it is.
std::string ErrorBoxText(std::string_view message);

}  // namespace pimoru

#endif  // PIMORU_APP_SYSTEM_REASON_H_
