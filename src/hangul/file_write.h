// Writing a whole file so that no reader ever sees half of it, and so that
// nothing but a file is ever replaced.
#ifndef PIMORU_HANGUL_FILE_WRITE_H_
#define PIMORU_HANGUL_FILE_WRITE_H_

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pimoru {

// Writes `bytes` to `path`: to a new file in the same folder first, which is
// then renamed over the old one, so a failed write leaves no half file and
// an earlier file stays as it was. A symbolic link is written through to the
// file at the end of its chain, which stays a link; a link that leads
// nowhere gets its file made. A link is followed only as MayFollowLink
// (file_access.h) allows: another user's link in a shared sticky folder
// such as /tmp is refused. Only a regular file, or nothing, may stand at
// the end: a folder, a device, a FIFO or a socket is refused and left as it
// is. A file that is replaced keeps its permission bits, and its owner and
// group as far as the user may give them (root may; others keep the group
// where they belong to it). Throws ConversionError naming `path`; no
// temporary file is left behind on any failure, nor by the ending signals
// once RemoveTemporaryFilesOnSignals has been called. Returns a warning
// naming `path` when the owner of the file it replaced could not be kept.
//
// The temporary file is named ".NAME.RANDOM.tmp", NAME cut short where the
// whole would be longer than the target's name (or 32 bytes), so it fits
// wherever the target's name fits.
std::optional<std::string> WriteFileAtomically(
    const std::filesystem::path& path, std::string_view bytes);

// Why a whole-file write was refused or failed.
struct FileWriteFailure {
  enum class Kind {
    kNone,
    kFolder,       // a folder stands at the end of the chain
    kNotAFile,     // a device, a FIFO or a socket stands there
    kChanged,      // the chain led elsewhere by the time of the rename
    kForeignLink,  // another user's link in a shared folder
    kSystem,       // the system said no; see error_number
  };
  Kind kind = Kind::kNone;
  int error_number = 0;
  explicit operator bool() const { return kind != Kind::kNone; }
};

// The owner of a replaced file before and after a write that could not
// keep it.
struct OwnerChange {
  uid_t before = 0;
  uid_t after = 0;
};

// WriteFileAtomically for callers that report on their own: the same rules,
// the failure returned instead of thrown, and a change of owner in
// `changed` where it is not null.
FileWriteFailure TryWriteFileAtomically(
    const std::filesystem::path& path, std::string_view bytes,
    std::optional<OwnerChange>* changed = nullptr);

// Makes SIGTERM, SIGINT and SIGHUP remove the temporary files of the
// whole-file writes under way before they end the process as they would
// have; a signal that is ignored (as under nohup) stays ignored. For a
// program that lets these signals end it: the command line. The window
// turns them into a regular end of its own, after its writes.
void RemoveTemporaryFilesOnSignals();

}  // namespace pimoru

#endif  // PIMORU_HANGUL_FILE_WRITE_H_
