// Reading a file the user or the system names, whole, without being led
// into waiting on a FIFO or reading a device without end.
#ifndef PIMORU_HANGUL_FILE_READ_H_
#define PIMORU_HANGUL_FILE_READ_H_

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace pimoru {

inline constexpr std::uintmax_t kNoSizeLimit =
    std::numeric_limits<std::uintmax_t>::max();

// Why a file of this type is not read: "フォルダです" or
// "通常のファイルではありません".
std::string_view NotAFileReason(mode_t mode);

// Reads a regular file whole into `bytes`. nullopt when it was read;
// otherwise why not: the system's reason, NotAFileReason, or that it is
// larger than `limit` bytes, which is known before a byte is read (and
// holds for a file that grows while it is read).
std::optional<std::string> ReadRegularFile(const std::filesystem::path& path,
                                           std::string& bytes,
                                           std::uintmax_t limit = kNoSizeLimit);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_FILE_READ_H_
