// Writing a file whole, and only over a regular file or nothing.
#include "hangul/file_write.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
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

}  // namespace
}  // namespace pimoru
