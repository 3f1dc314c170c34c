#include "hangul/file_write.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>
#include <string>

#include "hangul/conversion_error.h"
#include "hangul/file_access.h"

namespace pimoru {
namespace {

FileWriteFailure SystemFailure(int error_number) {
  return {FileWriteFailure::Kind::kSystem, error_number};
}

// The file a write replaces: `path` itself or the end of the chain of
// symbolic links that starts there; whether a regular file (with its owner
// and permission bits) or nothing stands there, or why the write is refused.
struct Target {
  std::filesystem::path path;
  bool is_file = false;
  mode_t mode = 0;
  uid_t owner = 0;
  gid_t group = 0;
  FileWriteFailure obstacle;
};

Target TargetOf(const std::filesystem::path& path) {
  const LinkChain chain = FollowLinks(path);
  Target target;
  target.path = chain.end;
  if (!chain.refused.empty()) {
    target.obstacle.kind = FileWriteFailure::Kind::kForeignLink;
  } else if (chain.error != 0) {
    target.obstacle = SystemFailure(chain.error);
  } else if (!chain.exists) {
    // Nothing there: the write makes the file.
  } else if (S_ISREG(chain.status.st_mode)) {
    target.is_file = true;
    target.mode = chain.status.st_mode & 07777;
    target.owner = chain.status.st_uid;
    target.group = chain.status.st_gid;
  } else {
    target.obstacle.kind = S_ISDIR(chain.status.st_mode)
                               ? FileWriteFailure::Kind::kFolder
                               : FileWriteFailure::Kind::kNotAFile;
  }
  return target;
}

// The signals that end a program by default and that a user sends to end
// it: Ctrl+C, a closed terminal, `kill`.
constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The temporary files being written, for the signal handler that removes
// them. A handler reaches nothing but globals, so these are; a slot is read
// by the handler only once its path is complete. Room for twice the writes
// the command line makes at once (a sound file per worker, then the
// report); a write beyond them goes without.
struct PendingTemp {
  enum State : int { kFree, kFilling, kSet };
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};
PendingTemp pending_temps[16];

void RemovePendingTempsAndEnd(int signal_number) {
  for (PendingTemp& temp : pending_temps) {
    if (temp.state.load() == PendingTemp::kSet) ::unlink(temp.path);
  }
  // The handler was reset to the default action as it was entered: raised
  // again, the signal ends the process as it would have, once this returns.
  ::raise(signal_number);
}

// Blocks the ending signals on this thread while it lives, so that a file
// is never made without being known to the handler.
class EndingSignalsBlocked {
 public:
  EndingSignalsBlocked() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal_number : kEndingSignals) {
      sigaddset(&set, signal_number);
    }
    ::pthread_sigmask(SIG_BLOCK, &set, &before_);
  }
  ~EndingSignalsBlocked() { ::pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
  EndingSignalsBlocked(const EndingSignalsBlocked&) = delete;
  EndingSignalsBlocked& operator=(const EndingSignalsBlocked&) = delete;

 private:
  sigset_t before_;
};

// The shortest bound of a temporary name: room for a short target's whole
// name with the dot, the random part and ".tmp".
constexpr std::size_t kShortTempName = 32;

// ".NAME.RANDOM.tmp", with NAME cut short (at a whole UTF-8 character) where
// the whole would be longer than the target's name or kShortTempName,
// whichever is longer, or than the folder allows: the temporary name fits
// wherever the target's name does.
std::string TempName(std::string_view name, unsigned random,
                     std::size_t folder_limit) {
  constexpr std::string_view kDigits = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string tail = ".";
  do {
    tail += kDigits[random % kDigits.size()];
    random /= kDigits.size();
  } while (random != 0);
  tail += ".tmp";
  const std::size_t limit =
      std::min(std::max(name.size(), kShortTempName), folder_limit);
  const std::size_t room =
      limit > tail.size() + 1 ? limit - tail.size() - 1 : 0;
  if (name.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
      --cut;  // inside a UTF-8 character
    }
    name = name.substr(0, cut);
  }
  // Appended to the dot, not prepended to the name: at -O3 GCC 12 falsely
  // warns that the prepending insert copies overlapping memory
  // (-Wrestrict).
  std::string temp = ".";
  temp.append(name).append(tail);
  return temp;
}

// The longest file name the folder takes.
std::size_t NameLimit(const std::filesystem::path& folder) {
  constexpr std::size_t kUsual = 255;
  const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  return limit > 0 ? static_cast<std::size_t>(limit) : kUsual;
}

// A new file beside the target; removed again unless it was renamed, and by
// the ending signals where RemoveTemporaryFilesOnSignals set them to.
class TempFile {
 public:
  // Opens it; errno is set when open() is false.
  explicit TempFile(const std::filesystem::path& path) {
    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    const std::string name = path.filename().string();
    const std::size_t folder_limit = NameLimit(folder);
    std::random_device random;
    const EndingSignalsBlocked blocked;
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
      path_ = folder / TempName(name, random(), folder_limit);
      // O_EXCL: never open a file that is already there.
      fd_ =
          ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
      path_.clear();
      return;
    }
    const std::string& text = path_.native();
    for (PendingTemp& temp : pending_temps) {
      int free = PendingTemp::kFree;
      if (text.size() >= sizeof temp.path ||
          !temp.state.compare_exchange_strong(free, PendingTemp::kFilling)) {
        continue;
      }
      std::memcpy(temp.path, text.c_str(), text.size() + 1);
      temp.state.store(PendingTemp::kSet);
      pending_ = &temp;
      break;
    }
  }
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
    Forget();
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  bool open() const { return fd_ >= 0; }

  // Gives the file the target's owner, as far as this user may, and its
  // permission bits; writes, flushes to the disk and closes. errno is set
  // on failure.
  bool WriteAndClose(std::string_view bytes, const Target& target) {
    if (target.is_file) {
      KeepOwner(target);
      // After the owner: a change of owner clears the set-ID bits.
      if (::fchmod(fd_, target.mode) != 0) return false;
    }
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
    Forget();
    return true;
  }
  // The owner the file has after WriteAndClose.
  uid_t owner() const { return owner_; }

 private:
  void KeepOwner(const Target& target) {
    owner_ = target.owner;
    struct stat st;
    if (::fstat(fd_, &st) != 0 ||
        (st.st_uid == target.owner && st.st_gid == target.group)) {
      return;
    }
    // Only root may give a file away; anyone may keep the group where they
    // belong to it.
    if (::fchown(fd_, target.owner, target.group) != 0) {
      owner_ = st.st_uid;
      [[maybe_unused]] const int kept_group = ::fchown(fd_, -1, target.group);
    }
  }
  void Forget() {
    if (pending_ != nullptr) pending_->state.store(PendingTemp::kFree);
    pending_ = nullptr;
  }

  std::filesystem::path path_;
  int fd_ = -1;
  uid_t owner_ = 0;
  PendingTemp* pending_ = nullptr;
};

std::string FailureText(const FileWriteFailure& failure) {
  switch (failure.kind) {
    case FileWriteFailure::Kind::kFolder:
      return std::string(kFolderText);
    case FileWriteFailure::Kind::kNotAFile:
      return std::string(kNotAFileText);
    case FileWriteFailure::Kind::kChanged:
      return "書き込み中に変わりました";
    case FileWriteFailure::Kind::kForeignLink:
      return std::string(kForeignLinkText);
    case FileWriteFailure::Kind::kSystem:
    case FileWriteFailure::Kind::kNone:
      break;
  }
  return std::strerror(failure.error_number);
}

}  // namespace

FileWriteFailure TryWriteFileAtomically(const std::filesystem::path& path,
                                        std::string_view bytes,
                                        std::optional<OwnerChange>* changed) {
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
  if (changed != nullptr && target.is_file && temp.owner() != target.owner) {
    *changed = OwnerChange{target.owner, temp.owner()};
  }
  return {};
}

std::optional<std::string> WriteFileAtomically(
    const std::filesystem::path& path, std::string_view bytes) {
  std::optional<OwnerChange> changed;
  if (const FileWriteFailure failure =
          TryWriteFileAtomically(path, bytes, &changed)) {
    throw ConversionError(path.string() + " に書き込めません。(" +
                          FailureText(failure) + ")");
  }
  if (!changed) return std::nullopt;
  return path.string() + " の所有者が変わりました。(uid " +
         std::to_string(changed->before) + " → " +
         std::to_string(changed->after) + ")";
}

void RemoveTemporaryFilesOnSignals() {
  for (const int signal_number : kEndingSignals) {
    struct sigaction before {};
    if (::sigaction(signal_number, nullptr, &before) != 0 ||
        before.sa_handler == SIG_IGN) {
      continue;  // ignored, as under nohup: it stays so
    }
    struct sigaction action {};
    action.sa_handler = RemovePendingTempsAndEnd;
    sigemptyset(&action.sa_mask);
    for (const int other : kEndingSignals) sigaddset(&action.sa_mask, other);
    action.sa_flags = SA_RESETHAND;
    ::sigaction(signal_number, &action, nullptr);
  }
}

}  // namespace pimoru
