// Reading a file only when it is a regular file within a limit, and
// following links only as the system's protection of shared folders allows.
#include "hangul/file_access.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "support/test_support.h"

namespace pimoru {
namespace {

namespace fs = std::filesystem;

TEST(MayFollowLink, OnlyOwnOrTheFolderOwnersLinksInASharedStickyFolder) {
  constexpr uid_t kUser = 1000;
  struct Case {
    const char* name;
    uid_t link_owner;
    uid_t folder_owner;
    mode_t folder_mode;
    bool follows;
  } const cases[] = {
      {"own link in /tmp", kUser, 0, 01777, true},
      {"the folder owner's link in /tmp", 0, 0, 01777, true},
      {"another user's link in /tmp", kOtherUser, 0, 01777, false},
      {"another user's in another's shared folder", kOtherUser, kThirdUser,
       01777, false},
      {"sticky, but only the group writes", kOtherUser, 0, 01775, true},
      {"everyone writes, but not sticky", kOtherUser, 0, 0777, true},
      {"a private folder", kOtherUser, kOtherUser, 0700, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MayFollowLink(kUser, c.link_owner, c.folder_owner, c.folder_mode),
              c.follows);
  }
}

TEST(ReadRegularFile, ReadsOnlyARegularFileWithinTheLimit) {
  constexpr std::uint64_t kLimit = 100;
  using Kind = FileReadFailure::Kind;
  struct Case {
    const char* name;
    std::function<fs::path(const TempFolder& folder)> make;  // the path read
    Kind failure;
    std::string bytes;
  } const cases[] = {
      {"a file", [](const TempFolder& t) { return t.WriteBytes("a", "text"); },
       Kind::kNone, "text"},
      {"an empty file",
       [](const TempFolder& t) { return t.WriteBytes("a", ""); }, Kind::kNone,
       ""},
      {"exactly the limit",
       [](const TempFolder& t) {
         return t.WriteBytes("a", std::string(kLimit, 'x'));
       },
       Kind::kNone, std::string(kLimit, 'x')},
      {"one byte over",
       [](const TempFolder& t) {
         return t.WriteBytes("a", std::string(kLimit + 1, 'x'));
       },
       Kind::kTooLarge, ""},
      // Sparse: its size is never read.
      {"a 4 GiB file",
       [](const TempFolder& t) {
         const fs::path path = t.WriteBytes("a", "");
         fs::resize_file(path, std::uint64_t{4} << 30);
         return path;
       },
       Kind::kTooLarge, ""},
      {"through links",
       [](const TempFolder& t) {
         t.WriteBytes("a", "text");
         fs::create_symlink("a", t.path() / "b");
         fs::create_symlink(t.path() / "b", t.path() / "c");
         return t.path() / "c";
       },
       Kind::kNone, "text"},
      {"nothing", [](const TempFolder& t) { return t.path() / "a"; },
       Kind::kMissing, ""},
      {"a link to nothing",
       [](const TempFolder& t) {
         fs::create_symlink("gone", t.path() / "a");
         return t.path() / "a";
       },
       Kind::kBrokenLink, ""},
      {"a link loop",
       [](const TempFolder& t) {
         fs::create_symlink("a", t.path() / "a");
         return t.path() / "a";
       },
       Kind::kSystem, ""},
      {"a folder",
       [](const TempFolder& t) {
         fs::create_directory(t.path() / "a");
         return t.path() / "a";
       },
       Kind::kFolder, ""},
      // Opened, a FIFO would wait for a writer for ever.
      {"a FIFO",
       [](const TempFolder& t) {
         EXPECT_EQ(::mkfifo((t.path() / "a").c_str(), 0600), 0);
         return t.path() / "a";
       },
       Kind::kNotAFile, ""},
      {"a link to a FIFO",
       [](const TempFolder& t) {
         EXPECT_EQ(::mkfifo((t.path() / "a").c_str(), 0600), 0);
         fs::create_symlink("a", t.path() / "b");
         return t.path() / "b";
       },
       Kind::kNotAFile, ""},
      // Endless, and empty.
      {"/dev/zero", [](const TempFolder&) { return fs::path("/dev/zero"); },
       Kind::kNotAFile, ""},
      {"/dev/null", [](const TempFolder&) { return fs::path("/dev/null"); },
       Kind::kNotAFile, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const fs::path path = c.make(folder);
    std::string bytes = "before";
    const FileReadFailure failure = ReadRegularFile(path, kLimit, bytes);
    EXPECT_EQ(failure.kind, c.failure) << FileReadFailureText(failure);
    if (!failure) {
      EXPECT_EQ(bytes, c.bytes);
    }
    if (failure.kind == Kind::kTooLarge) {
      EXPECT_EQ(FileReadFailureText(failure), "100 B を超えています");
    }
  }
}

TEST(ReadableFile, ItsOpenedNameIsTheFileThatWasChecked) {
  TempFolder folder;
  const fs::path path = folder.WriteBytes("a", "first");
  ReadableFile file(path, 100);
  ASSERT_FALSE(file.failure());
  // Another file takes the name: the opened one is still what is read.
  fs::rename(path, folder.path() / "old");
  folder.WriteBytes("a", "second");
  EXPECT_EQ(ReadFileBytes(file.OpenedName()), "first");
}

// Root makes the links of other users. A link of another user in a shared
// sticky folder is not followed, as the system would not follow it for this
// user; the same link elsewhere is.
TEST(ReadRegularFile, RefusesAnotherUsersLinkInASharedFolder) {
  if (::geteuid() != 0) GTEST_SKIP() << "making another user's link needs root";
  for (const PlantedLinkCase& c : kPlantedLinks) {
    SCOPED_TRACE(c.name);
    TempFolder root;
    const fs::path link =
        PlantLink(root, c.folder_mode, c.folder_owner, c.link_owner,
                  root.WriteBytes("secret", "mine"), "link");
    ASSERT_FALSE(link.empty());
    std::string bytes;
    const FileReadFailure failure = ReadRegularFile(link, 100, bytes);
    if (c.refused) {
      EXPECT_EQ(failure.kind, FileReadFailure::Kind::kForeignLink);
    } else {
      EXPECT_FALSE(failure) << FileReadFailureText(failure);
      EXPECT_EQ(bytes, "mine");
    }
  }
}

}  // namespace
}  // namespace pimoru
