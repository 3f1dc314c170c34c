#include "hangul/file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string>

#include "hangul/conversion_error.h"

namespace pimoru {
namespace {

[[noreturn]] void ThrowUnwritable(const std::filesystem::path& path,
                                  const std::string& reason) {
  throw ConversionError(path.string() + " に書き込めません。(" + reason + ")");
}

// What stands at `path`: nothing, a regular file (with its permission bits)
// or something that must not be replaced (with the reason).
struct Target {
  bool is_file = false;
  mode_t mode = 0;
  std::string obstacle;
};

Target TargetAt(const std::filesystem::path& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return {};
    return {false, 0, std::strerror(errno)};
  }
  switch (st.st_mode & S_IFMT) {
    case S_IFREG:
      return {true, static_cast<mode_t>(st.st_mode & 07777), ""};
    case S_IFDIR:
      return {false, 0, "フォルダです"};
    case S_IFLNK:
      return {false, 0, "シンボリックリンクです"};
    default:
      return {false, 0, "通常のファイルではありません"};
  }
}

// A new file beside the target; removed again unless it was renamed.
class TempFile {
 public:
  explicit TempFile(const std::filesystem::path& path) {
    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::random_device random;
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
      path_ = folder / ("." + path.filename().string() + "." +
                        std::to_string(random()) + ".tmp");
      // O_EXCL: never open a file that is already there.
      fd_ =
          ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
      const int error = errno;
      path_.clear();
      ThrowUnwritable(path, std::strerror(error));
    }
  }
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  // Writes, flushes to the disk and closes; errno is set on failure.
  bool WriteAndClose(std::string_view bytes, const Target& target) {
    if (target.is_file && ::fchmod(fd_, target.mode) != 0) return false;
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    // On the disk before the rename, so that a crash leaves the old file or
    // the new one, never an empty one.
    if (::fsync(fd_) != 0 && errno != EINVAL) return false;
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  // Renames the file over `path`; errno is set on failure.
  bool RenameOver(const std::filesystem::path& path) {
    if (::rename(path_.c_str(), path.c_str()) != 0) return false;
    path_.clear();
    return true;
  }

 private:
  std::filesystem::path path_;
  int fd_ = -1;
};

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path,
                         std::string_view bytes) {
  const Target target = TargetAt(path);
  if (!target.obstacle.empty()) ThrowUnwritable(path, target.obstacle);
  TempFile temp(path);
  if (!temp.WriteAndClose(bytes, target)) {
    ThrowUnwritable(path, std::strerror(errno));
  }
  // Looked at again just before the rename, which would replace whatever
  // stands there by then.
  if (const Target now = TargetAt(path); !now.obstacle.empty()) {
    ThrowUnwritable(path, now.obstacle);
  }
  if (!temp.RenameOver(path)) ThrowUnwritable(path, std::strerror(errno));
}

}  // namespace pimoru
