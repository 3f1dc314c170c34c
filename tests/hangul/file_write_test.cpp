// Writing a file whole, and only over a regular file or nothing.
#include "hangul/file_write.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "hangul/conversion_error.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

TEST(WriteFileAtomically, WritesAFileOrReplacesOneKeepingItsMode) {
  TempFolder folder;
  const fs::path path = folder.path() / "page.html";
  WriteFileAtomically(path, "first");
  EXPECT_EQ(ReadFileBytes(path), "first");

  ::chmod(path.c_str(), 0640);
  WriteFileAtomically(path, std::string(100000, 'x'));
  EXPECT_EQ(ReadFileBytes(path), std::string(100000, 'x'));
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read |
                                                fs::perms::owner_write |
                                                fs::perms::group_read);
  EXPECT_EQ(Names(folder.path()), std::set<std::string>{"page.html"});
}

// Whatever is not a regular file is refused with a message naming the path,
// stays as it was, and leaves no temporary file beside it.
void ExpectRefused(const fs::path& path) {
  const fs::file_type type = fs::symlink_status(path).type();
  const std::set<std::string> before = Names(path.parent_path());
  try {
    WriteFileAtomically(path, "page");
    ADD_FAILURE() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos)
        << e.what();
  }
  EXPECT_EQ(fs::symlink_status(path).type(), type);
  EXPECT_EQ(Names(path.parent_path()), before);
}

TEST(WriteFileAtomically, RefusesAllButARegularFileAndLeavesItAsItWas) {
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> make;  // the thing at the path
  } const cases[] = {
      {"folder", [](const fs::path& p) { fs::create_directory(p); }},
      {"FIFO",
       [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
      {"socket",
       [](const fs::path& p) {
         const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         ASSERT_LT(p.string().size(), sizeof address.sun_path);
         std::strcpy(address.sun_path, p.c_str());
         ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address),
                          sizeof address),
                   0);
         ::close(fd);
       }},
      // A link leads to what the write would replace.
      {"link to a folder",
       [](const fs::path& p) {
         fs::create_directory(p.parent_path() / "folder");
         fs::create_symlink("folder", p);
       }},
      {"link to a FIFO",
       [](const fs::path& p) {
         ASSERT_EQ(::mkfifo((p.parent_path() / "fifo").c_str(), 0644), 0);
         fs::create_symlink("fifo", p);
       }},
      {"link loop", [](const fs::path& p) { fs::create_symlink("w", p); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const fs::path path = folder.path() / "w";  // a socket's path is short
    c.make(path);
    ExpectRefused(path);
  }
}

// A link is written through to the file at the end of its chain, and stays
// a link; one that leads nowhere gets its file made there.
TEST(WriteFileAtomically, WritesThroughSymbolicLinks) {
  TempFolder folder;
  fs::create_directory(folder.path() / "sub");
  std::ofstream(folder.path() / "sub" / "page.html") << "earlier";
  ::chmod((folder.path() / "sub" / "page.html").c_str(), 0600);
  fs::create_symlink("sub/page.html", folder.path() / "first");
  fs::create_symlink(folder.path() / "first", folder.path() / "second");
  WriteFileAtomically(folder.path() / "second", "page");
  EXPECT_EQ(ReadFileBytes(folder.path() / "sub" / "page.html"), "page");
  EXPECT_TRUE(fs::is_symlink(folder.path() / "first"));
  EXPECT_TRUE(fs::is_symlink(folder.path() / "second"));
  EXPECT_EQ(fs::status(folder.path() / "sub" / "page.html").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(Names(folder.path() / "sub"), std::set<std::string>{"page.html"});

  fs::create_symlink("sub/new.html", folder.path() / "dangling");
  WriteFileAtomically(folder.path() / "dangling", "new");
  EXPECT_EQ(ReadFileBytes(folder.path() / "sub" / "new.html"), "new");
  EXPECT_TRUE(fs::is_symlink(folder.path() / "dangling"));
}

TEST(WriteFileAtomically, RefusesADevice) {
  TempFolder folder;
  const fs::path path = folder.path() / "null";
  // A copy of /dev/null; making one needs root.
  if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    GTEST_SKIP() << "making a device node needs root";
  }
  ExpectRefused(path);
  // And through a link.
  fs::create_symlink("null", folder.path() / "link");
  ExpectRefused(folder.path() / "link");
  EXPECT_EQ(fs::symlink_status(path).type(), fs::file_type::character);
}

TEST(WriteFileAtomically, TheSystemsNullDeviceIsRefused) {
  // Only without root: with root, a fault here would replace the device.
  if (::geteuid() == 0) GTEST_SKIP() << "root could replace /dev/null";
  TempFolder folder;
  fs::create_symlink("/dev/null", folder.path() / "null");
  for (const fs::path& path : {fs::path("/dev/null"), folder.path() / "null"}) {
    SCOPED_TRACE(path.string());
    EXPECT_THROW(WriteFileAtomically(path, "page"), ConversionError);
    EXPECT_EQ(fs::symlink_status("/dev/null").type(), fs::file_type::character);
  }
}

TEST(WriteFileAtomically, AFolderWithoutWritePermissionLeavesNoTrace) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  TempFolder folder;
  const fs::path locked = folder.path() / "locked";
  fs::create_directory(locked);
  ::chmod(locked.c_str(), 0500);
  EXPECT_THROW(WriteFileAtomically(locked / "w", "page"), ConversionError);
  EXPECT_TRUE(fs::is_empty(locked));
}

// The temporary name is never longer than the target's own (or a short
// bound), so a name as long as the folder allows is written like any other.
TEST(WriteFileAtomically, ANameAsLongAsTheFolderAllowsIsWritten) {
  std::string hangul;  // 85 syllables: 255 bytes of UTF-8
  while (hangul.size() < 255) hangul += "가";
  for (const std::string& name :
       {std::string(255, 'r'), hangul, std::string(200, 'r'), std::string("r"),
        std::string(40, 'r')}) {
    SCOPED_TRACE(name.size());
    TempFolder folder;
    const fs::path path = folder.path() / name;
    WriteFileAtomically(path, "first");
    WriteFileAtomically(path, "page");  // and over the file
    EXPECT_EQ(ReadFileBytes(path), "page");
    EXPECT_EQ(Names(folder.path()), std::set<std::string>{name});
  }
}

// Root makes the links of other users. Another user's link in a shared
// sticky folder (a planted /tmp/report.html leading to the victim's file) is
// not written through, as the system would not let this user follow it; the
// file it leads to stays as it was.
TEST(WriteFileAtomically, RefusesAnotherUsersLinkInASharedFolder) {
  if (::geteuid() != 0) GTEST_SKIP() << "making another user's link needs root";
  for (const PlantedLinkCase& c : kPlantedLinks) {
    SCOPED_TRACE(c.name);
    TempFolder root;
    const fs::path secret = root.WriteBytes("secret", "mine");
    ::chmod(secret.c_str(), 0600);
    const fs::path link = PlantLink(root, c.folder_mode, c.folder_owner,
                                    c.link_owner, secret, "report.html");
    ASSERT_FALSE(link.empty());
    if (c.refused) {
      ExpectRefused(link);
      EXPECT_EQ(ReadFileBytes(secret), "mine");
    } else {
      WriteFileAtomically(link, "page");
      EXPECT_EQ(ReadFileBytes(secret), "page");
    }
    EXPECT_TRUE(fs::is_symlink(link));
  }
}

// Root replacing another user's file gives the new file that user and
// group, with the mode it had.
TEST(WriteFileAtomically, RootKeepsTheOwnerOfAReplacedFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a file away needs root";
  TempFolder folder;
  const fs::path path = folder.WriteBytes("page.html", "theirs");
  ASSERT_EQ(::chown(path.c_str(), kOtherUser, kThirdUser), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  EXPECT_EQ(WriteFileAtomically(path, "page"), std::nullopt);
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, kOtherUser);
  EXPECT_EQ(st.st_gid, kThirdUser);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadFileBytes(path), "page");
}

// A user who may replace another user's file (in a folder everyone may
// write, not sticky) cannot give the new one away: the warning says so.
TEST(WriteFileAtomically, AnOwnerThatCannotBeKeptIsSaid) {
  if (::geteuid() != 0) GTEST_SKIP() << "acting as two users needs root";
  TempFolder folder;
  ::chmod(folder.path().c_str(), 0777);
  const fs::path path = folder.WriteBytes("page.html", "theirs");
  ASSERT_EQ(::chown(path.c_str(), kThirdUser, kThirdUser), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0) ::_exit(2);
    try {
      const std::optional<std::string> warning =
          WriteFileAtomically(path, "page");
      ::_exit(warning && warning->find(path.string()) != std::string::npos &&
                      warning->find("4243 → 4242") != std::string::npos
                  ? 0
                  : 1);
    } catch (...) {
      ::_exit(3);
    }
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFileBytes(path), "page");
}

// Runs `write` in a child process that removes its temporary files on the
// ending signals, and sends it `signal_number` as soon as a file appears in
// `folder`. The wait status of the child, or nullopt when the write ended
// before the signal could reach it.
std::optional<int> SignalDuringWrite(const fs::path& folder, int signal_number,
                                     std::size_t bytes) {
  const int watch = ::inotify_init1(IN_CLOEXEC);
  if (watch < 0 || ::inotify_add_watch(watch, folder.c_str(), IN_CREATE) < 0) {
    ADD_FAILURE() << "inotify: " << std::strerror(errno);
    return std::nullopt;
  }
  const pid_t child = ::fork();
  if (child == 0) {
    RemoveTemporaryFilesOnSignals();
    const std::string page(bytes, 'x');
    try {
      WriteFileAtomically(folder / "page.html", page);
    } catch (...) {
      ::_exit(3);
    }
    ::_exit(0);
  }
  pollfd ready{watch, POLLIN, 0};
  if (::poll(&ready, 1, 60000) == 1) ::kill(child, signal_number);
  ::close(watch);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return std::nullopt;
  return status;
}

TEST(RemoveTemporaryFilesOnSignals, EndingSignalsLeaveNoTemporaryFile) {
  for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(strsignal(signal_number));
    TempFolder folder;
    std::optional<int> status;
    // Written in the time a signal takes to arrive, the page is made
    // larger and written again.
    for (std::size_t bytes = 32 << 20; !status && bytes <= 512u << 20;
         bytes *= 4) {
      std::error_code ec;
      fs::remove(folder.path() / "page.html", ec);
      status = SignalDuringWrite(folder.path(), signal_number, bytes);
    }
    ASSERT_TRUE(status) << "every write ended before the signal";
    EXPECT_TRUE(WIFSIGNALED(*status));
    if (WIFSIGNALED(*status)) {
      EXPECT_EQ(WTERMSIG(*status), signal_number);
    }
    EXPECT_TRUE(fs::is_empty(folder.path())) << *Names(folder.path()).begin();
  }
}

TEST(RemoveTemporaryFilesOnSignals, AnIgnoredSignalStaysIgnored) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGHUP, SIG_IGN);
    RemoveTemporaryFilesOnSignals();
    struct sigaction hangup {};
    struct sigaction term {};
    ::sigaction(SIGHUP, nullptr, &hangup);
    ::sigaction(SIGTERM, nullptr, &term);
    ::_exit(hangup.sa_handler == SIG_IGN && term.sa_handler != SIG_DFL ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace pimoru
