#include "hangul/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace pimoru {
namespace {

std::string TooLarge(std::uintmax_t limit) {
  return std::to_string(limit) + " バイトを超えています";
}

}  // namespace

std::string_view NotAFileReason(mode_t mode) {
  return S_ISDIR(mode) ? "フォルダです" : "通常のファイルではありません";
}

std::optional<std::string> ReadRegularFile(const std::filesystem::path& path,
                                           std::string& bytes,
                                           std::uintmax_t limit) {
  // O_NONBLOCK: should a FIFO have taken the file's place since it was
  // looked at, the open does not wait for a writer, and fstat refuses it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  std::optional<std::string> reason;
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    reason = std::strerror(errno);
  } else if (!S_ISREG(st.st_mode)) {
    reason = std::string(NotAFileReason(st.st_mode));
  } else if (static_cast<std::uintmax_t>(st.st_size) > limit) {
    reason = TooLarge(limit);
  } else {
    // Read straight into room for the size the file has, and on should it
    // have grown since, up to one byte beyond the limit.
    const std::size_t most = limit == kNoSizeLimit
                                 ? std::numeric_limits<std::size_t>::max()
                                 : static_cast<std::size_t>(limit) + 1;
    bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t size = 0;
    while (true) {
      if (size == bytes.size() && size < most) {
        bytes.resize(std::min(2 * size, most));
      }
      if (size == bytes.size()) break;
      const ssize_t got = ::read(fd, bytes.data() + size, bytes.size() - size);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) reason = std::strerror(errno);
      if (got <= 0) break;
      size += static_cast<std::size_t>(got);
    }
    bytes.resize(size);
    if (size > limit) reason = TooLarge(limit);
  }
  ::close(fd);
  return reason;
}

}  // namespace pimoru
