// Writing a whole file so that no reader ever sees half of it, and so that
// nothing but a file is ever replaced.
#ifndef PIMORU_HANGUL_FILE_WRITE_H_
#define PIMORU_HANGUL_FILE_WRITE_H_

#include <filesystem>
#include <string_view>

namespace pimoru {

// Writes `bytes` to `path`: to a new file in the same folder first, which is
// then renamed over the old one, so a failed write leaves no half file and
// an earlier file stays as it was. A symbolic link is written through to the
// file at the end of its chain, which stays a link; a link that leads
// nowhere gets its file made. Only a regular file, or nothing, may stand at
// the end: a folder, a device, a FIFO or a socket is refused and left as it
// is. A file that is replaced keeps its permission bits. Throws
// ConversionError naming `path`; no temporary file is left behind on any
// failure.
void WriteFileAtomically(const std::filesystem::path& path,
                         std::string_view bytes);

// Why a whole-file write was refused or failed.
struct FileWriteFailure {
  enum class Kind {
    kNone,
    kFolder,    // a folder stands at the end of the chain
    kNotAFile,  // a device, a FIFO or a socket stands there
    kChanged,   // the chain led elsewhere by the time of the rename
    kSystem,    // the system said no; see error_number
  };
  Kind kind = Kind::kNone;
  int error_number = 0;
  explicit operator bool() const { return kind != Kind::kNone; }
};

// WriteFileAtomically for callers that report on their own: the same rules,
// the failure returned instead of thrown.
FileWriteFailure TryWriteFileAtomically(const std::filesystem::path& path,
                                        std::string_view bytes);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_FILE_WRITE_H_
