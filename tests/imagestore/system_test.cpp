#include "ui/system.h"

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <map>

#include "tests/support/failing_system_call.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/unreadable_file.h"

namespace {

std::string freshFolder(const char* name) {
  std::string folder = testing::TempDir() + name + "/";
  deleteFolderTree(folder);
  EXPECT_TRUE(makeFolder(folder));
  return folder;
}

std::vector<std::string> names(const std::vector<DirEntry>& entries) {
  std::vector<std::string> out;
  for (const DirEntry& e : entries) out.push_back(e.name + (e.kind == FILE_FOLDER ? "/" : ""));
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace

TEST(SystemFiles, AtomicWriteKeepsTheOldFileWhenWritingFails) {
  std::string folder = freshFolder("zm-atomic");
  std::string path = folder + "project.xml";
  ASSERT_TRUE(writeFileAtomic(path, "old contents"));
  // A file size limit makes the write itself fail half-way.
  bool written;
  {
    FileSizeLimit full(4096);
    written = writeFileAtomic(path, std::string(100000, 'x'));
  }
  EXPECT_FALSE(written);
  std::string bytes;
  ASSERT_TRUE(readFile(path, bytes));
  EXPECT_EQ(bytes, "old contents");
  std::vector<DirEntry> entries;
  ASSERT_TRUE(listFolder(folder, "", entries));
  EXPECT_EQ(names(entries), std::vector<std::string>{"project.xml"});   // no temporary left behind
  EXPECT_TRUE(writeFileAtomic(path, "new"));
  ASSERT_TRUE(readFile(path, bytes));
  EXPECT_EQ(bytes, "new");
  EXPECT_FALSE(writeFileAtomic(folder, "a folder is not replaced"));
  EXPECT_FALSE(writeFileAtomic(folder + "missing/x", "no folder"));
  deleteFolderTree(folder);
}

TEST(SystemFiles, FilesAndFolders) {
  std::string folder = freshFolder("zm-files");
  EXPECT_TRUE(makeFolder(folder));   // already there is fine
  EXPECT_TRUE(writeFile(folder + "a.txt", "abc"));
  EXPECT_EQ(fileKind(folder + "a.txt"), FILE_REGULAR);
  EXPECT_EQ(fileKind(folder), FILE_FOLDER);
  EXPECT_EQ(fileKind(folder + "none"), FILE_NONE);
  EXPECT_EQ(fileSize(folder + "a.txt"), 3);
  EXPECT_EQ(fileSize(folder + "none"), -1);
  EXPECT_GT(fileModified(folder + "a.txt"), 0);
  EXPECT_TRUE(copyFile(folder + "a.txt", folder + "b.txt"));
  EXPECT_FALSE(copyFile(folder + "none", folder + "c.txt"));
  EXPECT_EQ(fileKind(folder + "c.txt"), FILE_NONE);
  EXPECT_TRUE(renameFile(folder + "b.txt", folder + "c.txt"));
  std::string bytes;
  EXPECT_TRUE(readFile(folder + "c.txt", bytes));
  EXPECT_EQ(bytes, "abc");
  EXPECT_FALSE(readFile(folder + "b.txt", bytes));
  EXPECT_EQ(bytes, "");
  EXPECT_FALSE(readFile(folder, bytes));
  EXPECT_TRUE(deleteFile(folder + "c.txt"));
  EXPECT_FALSE(deleteFile(folder + "c.txt"));
  EXPECT_FALSE(deleteFile(folder));   // not a file
  EXPECT_TRUE(makeFolder(folder + "sub"));
  EXPECT_TRUE(writeFile(folder + "sub/deep.txt", "x"));
  EXPECT_TRUE(deleteFolderTree(folder));
  EXPECT_EQ(fileKind(folder), FILE_NONE);
  EXPECT_FALSE(deleteFolderTree(folder));
}

// What the save needs to put an old file back: a replaced file keeps its
// bits, and a link is moved and removed itself, even one to nothing.
TEST(SystemFiles, BitsAreKeptAndLinksMovedThemselves) {
  std::string folder = freshFolder("zm-bits");
  std::string path = folder + "list.dat";
  for (int mode : {0600, 0664, 0444}) {
    ASSERT_TRUE(writeFile(path, "old"));
    ASSERT_EQ(chmod(path.c_str(), mode_t(mode)), 0);
    EXPECT_EQ(filePermissions(path), mode);
    EXPECT_TRUE(writeFileAtomic(path, "new"));
    EXPECT_EQ(filePermissions(path), mode) << mode;
  }
  std::string temp = writeNewFile(folder, ".t-", "x", false, 0640);
  EXPECT_EQ(filePermissions(temp), 0640);
  ASSERT_EQ(symlink("nowhere", (folder + "link").c_str()), 0);
  EXPECT_EQ(filePermissions(folder + "link"), -1);
  EXPECT_TRUE(renameFile(folder + "link", folder + "moved"));
  EXPECT_TRUE(isLink(folder + "moved"));
  EXPECT_TRUE(deleteFile(folder + "moved"));
  EXPECT_FALSE(isLink(folder + "moved"));
  deleteFolderTree(folder);
}

TEST(SystemFiles, ListFolderMatchesShellPatterns) {
  std::string folder = freshFolder("zm-list");
  for (const char* name : {"one.xml", "two.xml", "three.png", ".hidden.xml", "x.xml.bak"}) writeFile(folder + name, "");
  makeFolder(folder + "sub.xml");
  struct Case {
    const char* pattern;
    std::vector<std::string> expected;
  } cases[] = {
      {"*.xml", {".hidden.xml", "one.xml", "sub.xml/", "two.xml"}},
      {"t*", {"three.png", "two.xml"}},
      {"???.xml", {"one.xml", "sub.xml/", "two.xml"}},
      {"[ot]*.xml", {"one.xml", "two.xml"}},
      {"", {".hidden.xml", "one.xml", "sub.xml/", "three.png", "two.xml", "x.xml.bak"}},
      {"*.jpg", {}},
  };
  for (const Case& c : cases) {
    std::vector<DirEntry> entries;
    ASSERT_TRUE(listFolder(folder, c.pattern, entries));
    EXPECT_EQ(names(entries), c.expected) << c.pattern;
  }
  std::vector<DirEntry> entries;
  EXPECT_FALSE(listFolder(folder + "none", "", entries));
  deleteFolderTree(folder);
}

// Only "nothing there" is missing: whatever stands in the file's place and
// cannot be read, or breaks off while read, is a failure the caller sees.
TEST(SystemFiles, ReadsTellAMissingFileFromOneThatCannotBeRead) {
  std::string folder = freshFolder("zm-reads");
  writeFile(folder + "a.txt", "abc");
  writeFile(folder + "empty", "");
  symlink("a.txt", (folder + "to-a").c_str());
  symlink("nowhere", (folder + "dangling").c_str());
  for (int how : {UNREADABLE_FOLDER, UNREADABLE_PIPE, UNREADABLE_LOOP, UNREADABLE_DISK})
    ASSERT_TRUE(makeUnreadable(folder + unreadableName(how), how)) << unreadableName(how);
  struct Case {
    std::string name;
    int result;
    std::string bytes;
  } cases[] = {
      {"a.txt", READ_DONE, "abc"},
      {"empty", READ_DONE, ""},
      {"to-a", READ_DONE, "abc"},
      {"none", READ_MISSING, ""},
      {"none/x", READ_MISSING, ""},
      {"dangling", READ_MISSING, ""},
      {"a.txt/x", READ_FAILED, ""},
      {unreadableName(UNREADABLE_FOLDER), READ_FAILED, ""},
      {unreadableName(UNREADABLE_PIPE), READ_FAILED, ""},
      {unreadableName(UNREADABLE_LOOP), READ_FAILED, ""},
      {unreadableName(UNREADABLE_DISK), READ_FAILED, ""},
  };
  for (const Case& c : cases) {
    std::string bytes = "before";
    EXPECT_EQ(readFileIfThere(folder + c.name, bytes), c.result) << c.name;
    EXPECT_EQ(bytes, c.bytes) << c.name;
    EXPECT_EQ(readFile(folder + c.name, bytes), c.result == READ_DONE) << c.name;
  }

  struct Listing {
    std::string name;
    int result;
  } listings[] = {
      {"", READ_DONE},
      {"none", READ_MISSING},
      {"a.txt", READ_FAILED},
      {unreadableName(UNREADABLE_LOOP), READ_FAILED},
  };
  for (const Listing& l : listings) {
    std::vector<DirEntry> entries{{"stale", FILE_REGULAR}};
    EXPECT_EQ(listFolderIfThere(folder + l.name, "", entries), l.result) << l.name;
    EXPECT_EQ(entries.empty(), l.result != READ_DONE) << l.name;
    EXPECT_EQ(listFolder(folder + l.name, "", entries), l.result == READ_DONE) << l.name;
  }
  // A listing that breaks off is no listing, however much of it came.
  int outcome = runWithFailingCall(SYS_getdents64, [&] {
    std::vector<DirEntry> entries;
    bool listed = listFolder(folder, "", entries);
    return (listed ? 1 : 0) + (entries.empty() ? 0 : 2) +
           (listFolderIfThere(folder, "", entries) == READ_FAILED ? 0 : 4);
  });
  deleteFolderTree(folder);
  if (outcome == NO_FAILING_CALL) GTEST_SKIP() << "no system call can be made to fail here";
  EXPECT_EQ(outcome, 0) << "1: listed, 2: entries left, 4: not a failure";
}

// A plain file's read opens nothing but a regular file: a pipe's opening
// would meet a writer that waits for it, a device's may do anything.
TEST(SystemFiles, APlainFileReadOpensNothingElse) {
  std::string folder = freshFolder("zm-plain");
  ASSERT_TRUE(writeFile(folder + "plain", "abc"));
  ASSERT_EQ(symlink("plain", (folder + "link").c_str()), 0);
  ASSERT_EQ(mkfifo((folder + "pipe").c_str(), 0644), 0);
  ASSERT_TRUE(makeFolder(folder + "folder"));
  int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  std::map<int, std::string> watched;
  for (const char* name : {"plain", "pipe", "folder"})
    watched[inotify_add_watch(watch, (folder + name).c_str(), IN_OPEN)] = name;
  struct Case {
    std::string name;
    int result;
    std::string bytes;
  } cases[] = {
      {"plain", READ_DONE, "abc"},      {"link", READ_NOT_PLAIN, ""},  {"pipe", READ_NOT_PLAIN, ""},
      {"folder", READ_NOT_PLAIN, ""},   {"none", READ_MISSING, ""},    {"plain/x", READ_FAILED, ""},
  };
  for (const Case& c : cases) {
    std::string bytes = "before";
    EXPECT_EQ(readPlainFile(folder + c.name, bytes), c.result) << c.name;
    EXPECT_EQ(bytes, c.bytes) << c.name;
  }
  // The kernel queues an opening's event before the opening returns.
  std::vector<std::string> opened;
  alignas(inotify_event) char buffer[4096];
  for (ssize_t n; (n = read(watch, buffer, sizeof buffer)) > 0;)
    for (char* at = buffer; at < buffer + n; at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(at)->len)
      opened.push_back(watched[reinterpret_cast<inotify_event*>(at)->wd]);
  close(watch);
  EXPECT_EQ(opened, std::vector<std::string>{"plain"});
  deleteFolderTree(folder);
}

TEST(SystemTime, FormatDateMasks) {
  const char* oldTz = getenv("TZ");
  std::string saved = oldTz ? oldTz : "";
  setenv("TZ", "UTC", 1);
  tzset();
  int64_t time = 1709294645;   // 2024-03-01 12:04:05 UTC
  struct Case {
    const char* mask;
    const char* expected;
  } cases[] = {
      {"%yyyy-%mm-%dd", "2024-03-01"},
      {"%dd.%mm.%yy %hh:%ii:%ss", "01.03.24 12:04:05"},
      {"%HH%ii", "1204"},
      {"100% %x %yyyyy", "100% %x 2024y"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(formatDate(c.mask, time), c.expected) << c.mask;
  if (oldTz) setenv("TZ", saved.c_str(), 1);
  else unsetenv("TZ");
  tzset();
  EXPECT_NEAR(double(unixTime()), double(std::time(nullptr)), 2.0);
}

TEST(SystemTime, RandomIntStaysInRangeAndReachesBothEnds) {
  bool low = false, high = false;
  for (int i = 0; i < 2000; i++) {
    int v = randomInt(5);
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 5);
    low |= v == 0;
    high |= v == 5;
  }
  EXPECT_TRUE(low && high);
  EXPECT_EQ(randomInt(0), 0);
}

TEST(SystemPrograms, RunDetachedWithoutAShell) {
  std::string folder = freshFolder("zm-run");
  std::string path;
  ASSERT_TRUE(findOnPath("touch", path));
  EXPECT_EQ(path.front(), '/');
  EXPECT_FALSE(findOnPath("zm-no-such-program", path));
  // A name with a blank and a quote is one argument: no shell sees it.
  std::string target = folder + "it's a file; rm -rf x";
  ASSERT_TRUE(runDetached("touch", {target}));
  for (int i = 0; i < 200 && fileKind(target) != FILE_REGULAR; i++) delayMs(10);
  EXPECT_EQ(fileKind(target), FILE_REGULAR);
  EXPECT_FALSE(runDetached("zm-no-such-program", {}));
  EXPECT_FALSE(runDetached(folder, {}));   // a folder is no program
  deleteFolderTree(folder);
}
