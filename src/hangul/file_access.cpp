#include "hangul/file_access.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace pimoru {
namespace {

// Links followed before the chain counts as a loop, as the system does.
constexpr int kMostLinks = 40;

FileReadFailure Failed(FileReadFailure::Kind kind, int error_number = 0) {
  return {kind, error_number, 0};
}

FileReadFailure TooLarge(std::uint64_t limit) {
  return {FileReadFailure::Kind::kTooLarge, 0, limit};
}

// Why a file of this status is not read, or nothing for a regular file
// within the limit.
FileReadFailure StatusFailure(const struct stat& st, std::uint64_t limit) {
  if (S_ISDIR(st.st_mode)) return Failed(FileReadFailure::Kind::kFolder);
  if (!S_ISREG(st.st_mode)) return Failed(FileReadFailure::Kind::kNotAFile);
  if (static_cast<std::uint64_t>(st.st_size) > limit) return TooLarge(limit);
  return {};
}

}  // namespace

LinkChain FollowLinks(const std::filesystem::path& path) {
  LinkChain chain;
  chain.end = path;
  while (true) {
    struct stat st;
    if (::lstat(chain.end.c_str(), &st) != 0) {
      if (errno != ENOENT) chain.error = errno;
      return chain;
    }
    if (!S_ISLNK(st.st_mode)) {
      chain.exists = true;
      chain.status = st;
      return chain;
    }
    if (chain.links == kMostLinks) {
      chain.error = ELOOP;
      return chain;
    }
    std::filesystem::path folder = chain.end.parent_path();
    if (folder.empty()) folder = ".";
    struct stat folder_st;
    if (::stat(folder.c_str(), &folder_st) != 0) {
      chain.error = errno;
      return chain;
    }
    if (!MayFollowLink(::geteuid(), st.st_uid, folder_st.st_uid,
                       folder_st.st_mode)) {
      chain.error = EACCES;
      chain.refused = chain.end;
      return chain;
    }
    std::error_code ec;
    const std::filesystem::path link =
        std::filesystem::read_symlink(chain.end, ec);
    if (ec) {
      chain.error = ec.value();
      return chain;
    }
    chain.end = chain.end.parent_path() / link;  // an absolute link wins
    ++chain.links;
  }
}

std::string ByteSizeText(std::uint64_t bytes) {
  constexpr std::uint64_t kKiB = 1024;
  constexpr std::uint64_t kMiB = kKiB * kKiB;
  if (bytes >= kMiB && bytes % kMiB == 0) {
    return std::to_string(bytes / kMiB) + " MiB";
  }
  if (bytes >= kKiB && bytes % kKiB == 0) {
    return std::to_string(bytes / kKiB) + " KiB";
  }
  return std::to_string(bytes) + " B";
}

std::string FileReadFailureText(const FileReadFailure& failure) {
  switch (failure.kind) {
    case FileReadFailure::Kind::kFolder:
      return std::string(kFolderText);
    case FileReadFailure::Kind::kNotAFile:
      return std::string(kNotAFileText);
    case FileReadFailure::Kind::kTooLarge:
      return ByteSizeText(failure.limit) + " を超えています";
    case FileReadFailure::Kind::kForeignLink:
      return std::string(kForeignLinkText);
    case FileReadFailure::Kind::kBrokenLink:
      return "リンク先がありません";
    case FileReadFailure::Kind::kMissing:
      return std::strerror(ENOENT);
    case FileReadFailure::Kind::kSystem:
    case FileReadFailure::Kind::kNone:
      break;
  }
  return std::strerror(failure.error_number);
}

ReadableFile::ReadableFile(const std::filesystem::path& path,
                           std::uint64_t limit)
    : path_(path), limit_(limit) {
  const LinkChain chain = FollowLinks(path);
  if (!chain.refused.empty()) {
    failure_ = Failed(FileReadFailure::Kind::kForeignLink, chain.error);
    return;
  }
  if (chain.error != 0) {
    failure_ = Failed(FileReadFailure::Kind::kSystem, chain.error);
    return;
  }
  if (!chain.exists) {
    failure_ = Failed(chain.links > 0 ? FileReadFailure::Kind::kBrokenLink
                                      : FileReadFailure::Kind::kMissing,
                      ENOENT);
    return;
  }
  // Looked at before it is opened: a device is never opened, a huge file
  // never read.
  failure_ = StatusFailure(chain.status, limit_);
  if (failure_) return;
  // O_NONBLOCK: should a FIFO have taken the file's place since, the open
  // does not wait for a writer; O_NOFOLLOW: nor may a link have.
  fd_ = ::open(chain.end.c_str(),
               O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
  if (fd_ < 0) {
    failure_ = Failed(FileReadFailure::Kind::kSystem, errno);
    return;
  }
  struct stat st;
  if (::fstat(fd_, &st) != 0) {
    failure_ = Failed(FileReadFailure::Kind::kSystem, errno);
  } else {
    failure_ = StatusFailure(st, limit_);
    size_ = static_cast<std::uint64_t>(st.st_size);
  }
  if (failure_) {
    ::close(fd_);
    fd_ = -1;
  }
}

ReadableFile::~ReadableFile() {
  if (fd_ >= 0) ::close(fd_);
}

FileReadFailure ReadableFile::ReadAll(std::string& bytes) {
  if (failure_) return failure_;
  // Room for the size the file has, and one byte more to see whether it
  // has grown; never more than one byte past the limit.
  bytes.resize(static_cast<std::size_t>(std::min(size_, limit_) + 1));
  std::size_t size = 0;
  if (::lseek(fd_, 0, SEEK_SET) != 0) {
    return Failed(FileReadFailure::Kind::kSystem, errno);
  }
  while (true) {
    if (size == bytes.size()) {
      if (size > limit_) {
        bytes.clear();
        return TooLarge(limit_);
      }
      bytes.resize(static_cast<std::size_t>(
          std::min<std::uint64_t>(2 * size, limit_ + 1)));
    }
    const ssize_t got = ::read(fd_, bytes.data() + size, bytes.size() - size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      bytes.clear();
      return Failed(FileReadFailure::Kind::kSystem, errno);
    }
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  bytes.resize(size);
  return {};
}

FileReadFailure ReadableFile::ReadStart(std::size_t most, std::string& bytes) {
  if (failure_) return failure_;
  bytes.resize(most);
  ssize_t got;
  do {
    got = ::pread(fd_, bytes.data(), most, 0);
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    bytes.clear();
    return Failed(FileReadFailure::Kind::kSystem, errno);
  }
  bytes.resize(static_cast<std::size_t>(got));
  return {};
}

std::string ReadableFile::OpenedName() const {
  if (fd_ < 0) return path_.string();
  const std::string name = "/proc/self/fd/" + std::to_string(fd_);
  return ::access(name.c_str(), R_OK) == 0 ? name : path_.string();
}

FileReadFailure ReadRegularFile(const std::filesystem::path& path,
                                std::uint64_t limit, std::string& bytes) {
  ReadableFile file(path, limit);
  return file.ReadAll(bytes);
}

}  // namespace pimoru
