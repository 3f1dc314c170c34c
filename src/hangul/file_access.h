// Opening the files a user names, or that other users could have put in the
// way: symbolic links are followed only as the system's protection of shared
// folders allows, and a file is read only when it is a regular file no larger
// than its reader's limit, so that a folder, a FIFO, a device or a huge file
// at the path is refused at once instead of hanging or filling the memory.
#ifndef PIMORU_HANGUL_FILE_ACCESS_H_
#define PIMORU_HANGUL_FILE_ACCESS_H_

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace pimoru {

// Whether `user` may follow a symbolic link owned by `link_owner` that stands
// in a folder owned by `folder_owner` with mode `folder_mode`: in a sticky
// folder that everyone may write (/tmp), only a link of the user's own or of
// the folder's owner; anywhere else, any link. This is the rule of the
// system's protected_symlinks, applied whether or not the system has it on.
constexpr bool MayFollowLink(uid_t user, uid_t link_owner, uid_t folder_owner,
                             mode_t folder_mode) {
  const bool shared =
      (folder_mode & S_ISVTX) != 0 && (folder_mode & S_IWOTH) != 0;
  return !shared || link_owner == user || link_owner == folder_owner;
}

// The end of the chain of symbolic links that starts at a path.
struct LinkChain {
  std::filesystem::path end;  // the path itself when it is no link
  int links = 0;              // how many links lead there
  bool exists = false;        // something (no link) stands at `end`
  struct stat status {};      // its lstat, when it exists
  // 0, or why the chain could not be followed to its end: ELOOP for a loop
  // or a chain too long, EACCES for a link that MayFollowLink refuses to
  // this process's effective user (`refused` is then that link), or the
  // system's errno.
  int error = 0;
  std::filesystem::path refused;
};

// Follows the links of the last part of `path` one by one, as the system
// would, but checking each against MayFollowLink. The folders on the way to
// each link are the system's to resolve.
LinkChain FollowLinks(const std::filesystem::path& path);

// Why a file was not read.
struct FileReadFailure {
  enum class Kind {
    kNone,
    kMissing,      // nothing at the path
    kBrokenLink,   // a link, or a chain of them, that leads to nothing
    kFolder,       // a folder stands there
    kNotAFile,     // a device, a FIFO or a socket stands there
    kTooLarge,     // larger than the reader's limit
    kForeignLink,  // a link of another user in a shared folder (see above)
    kSystem,       // the system said no; see error_number
  };
  Kind kind = Kind::kNone;
  int error_number = 0;
  std::uint64_t limit = 0;  // the reader's limit, for kTooLarge
  explicit operator bool() const { return kind != Kind::kNone; }
};

// What stands at a path that is not read or written, in the words of the
// core's messages, the same for reading and for writing.
inline constexpr std::string_view kFolderText = "フォルダです";
inline constexpr std::string_view kNotAFileText =
    "通常のファイルではありません";
inline constexpr std::string_view kForeignLinkText =
    "共有フォルダにある他のユーザーのシンボリックリンクです";

// Why, in the words of the core's messages ("フォルダです", "64 MiB を超えて
// います", the system's text).
std::string FileReadFailureText(const FileReadFailure& failure);

// "64 MiB", "16 KiB", "100 B": a limit as the messages name it.
std::string ByteSizeText(std::uint64_t bytes);

// A regular file opened for reading, its size found within a limit. The open
// never waits (a FIFO that took the file's place is refused, not waited
// on), and what is checked is the file that was opened.
class ReadableFile {
 public:
  ReadableFile(const std::filesystem::path& path, std::uint64_t limit);
  ~ReadableFile();
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;

  // kNone when the file is open.
  const FileReadFailure& failure() const { return failure_; }
  std::uint64_t size() const { return size_; }

  // Reads it whole into `bytes`; a failure when a read fails or the file has
  // grown beyond the limit since it was opened.
  FileReadFailure ReadAll(std::string& bytes);
  // Reads up to `most` bytes from its start into `bytes`.
  FileReadFailure ReadStart(std::size_t most, std::string& bytes);
  // A name under which a reader that opens files by name finds this very
  // file (/proc/self/fd/N where the system has it), so that nothing can
  // take its place in between; its own path otherwise.
  std::string OpenedName() const;

 private:
  std::filesystem::path path_;
  std::uint64_t limit_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
  FileReadFailure failure_;
};

// Reads the regular file at `path` whole, when it holds at most `limit`
// bytes.
FileReadFailure ReadRegularFile(const std::filesystem::path& path,
                                std::uint64_t limit, std::string& bytes);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_FILE_ACCESS_H_
