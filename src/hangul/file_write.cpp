#include "hangul/file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <system_error>

#include "hangul/conversion_error.h"

namespace pimoru {
namespace {

// Links followed before the chain counts as a loop, as the system does.
constexpr int kMostLinks = 40;

FileWriteFailure SystemFailure(int error_number) {
  return {FileWriteFailure::Kind::kSystem, error_number};
}

// The file a write replaces: `path` itself or the end of the chain of
// symbolic links that starts there; whether a regular file (with its
// permission bits) or nothing stands there, or why the write is refused.
struct Target {
  std::filesystem::path path;
  bool is_file = false;
  mode_t mode = 0;
  FileWriteFailure obstacle;
};

Target TargetOf(const std::filesystem::path& path) {
  Target target;
  target.path = path;
  for (int links = 0;; ++links) {
    struct stat st;
    if (::lstat(target.path.c_str(), &st) != 0) {
      if (errno != ENOENT) target.obstacle = SystemFailure(errno);
      return target;
    }
    if (!S_ISLNK(st.st_mode)) {
      if (S_ISREG(st.st_mode)) {
        target.is_file = true;
        target.mode = st.st_mode & 07777;
      } else {
        target.obstacle.kind = S_ISDIR(st.st_mode)
                                   ? FileWriteFailure::Kind::kFolder
                                   : FileWriteFailure::Kind::kNotAFile;
      }
      return target;
    }
    std::error_code ec;
    const std::filesystem::path link =
        std::filesystem::read_symlink(target.path, ec);
    if (links == kMostLinks || ec) {
      target.obstacle = SystemFailure(ec ? ec.value() : ELOOP);
      return target;
    }
    target.path = target.path.parent_path() / link;  // an absolute link wins
  }
}

// A new file beside the target; removed again unless it was renamed.
class TempFile {
 public:
  // Opens it; errno is set when open() is false.
  explicit TempFile(const std::filesystem::path& path) {
    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::random_device random;
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
      // Appended to the dot, not prepended to the name: at -O3 GCC 12
      // falsely warns that the prepending insert copies overlapping memory
      // (-Wrestrict).
      std::string name = ".";
      name.append(path.filename().string())
          .append(".")
          .append(std::to_string(random()))
          .append(".tmp");
      path_ = folder / name;
      // O_EXCL: never open a file that is already there.
      fd_ =
          ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) path_.clear();
  }
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  bool open() const { return fd_ >= 0; }

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

std::string FailureText(const FileWriteFailure& failure) {
  switch (failure.kind) {
    case FileWriteFailure::Kind::kFolder:
      return "フォルダです";
    case FileWriteFailure::Kind::kNotAFile:
      return "通常のファイルではありません";
    case FileWriteFailure::Kind::kChanged:
      return "書き込み中に変わりました";
    case FileWriteFailure::Kind::kSystem:
    case FileWriteFailure::Kind::kNone:
      break;
  }
  return std::strerror(failure.error_number);
}

}  // namespace

FileWriteFailure TryWriteFileAtomically(const std::filesystem::path& path,
                                        std::string_view bytes) {
  const Target target = TargetOf(path);
  if (target.obstacle) return target.obstacle;
  TempFile temp(target.path);
  if (!temp.open() || !temp.WriteAndClose(bytes, target)) {
    return SystemFailure(errno);
  }
  // Looked at again just before the rename, which would replace whatever
  // stands there by then.
  if (const Target now = TargetOf(path); now.obstacle) {
    return now.obstacle;
  } else if (now.path != target.path) {
    return {FileWriteFailure::Kind::kChanged, 0};
  }
  if (!temp.RenameOver(target.path)) return SystemFailure(errno);
  return {};
}

void WriteFileAtomically(const std::filesystem::path& path,
                         std::string_view bytes) {
  if (const FileWriteFailure failure = TryWriteFileAtomically(path, bytes)) {
    throw ConversionError(path.string() + " に書き込めません。(" +
                          FailureText(failure) + ")");
  }
}

}  // namespace pimoru
