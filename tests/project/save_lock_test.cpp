// Two copies of the program in one program folder: while one saves a
// project, the other's Open or Save of it waits a moment, then refuses and
// touches nothing; the first one's save ends whole.
#include <sys/stat.h>
#include <unistd.h>

#include "project/project_lock.h"
#include "save_fixture.h"
#include "tests/support/lock_calls.h"
#include "tests/support/other_copy.h"
#include "tests/support/project_lock_probe.h"
#include "tests/support/time_limited_child.h"

namespace {

class SaveLockTest : public SaveCommitTest {
 protected:
  int pauses = 0;

  void SetUp() override {
    SaveCommitTest::SetUp();
    // The wait is counted, not slept through.
    projectLockWaitHook = [this] { ++pauses; };
  }
  void TearDown() override {
    projectLockWaitHook = nullptr;
    SaveCommitTest::TearDown();
  }

  // The other copy's save of the new version, held once at the first step
  // that `at` picks.
  static std::function<bool()> saveHeldAt(OtherCopy& copy, std::function<bool(int, const std::string&)> at) {
    return [&copy, at] {
      bool held = false;
      fileStepHook = [&](int step, const std::string& path) {
        if (!held && at(step, path)) {
          held = true;
          copy.hold();
        }
        return true;
      };
      return writeProject();
    };
  }
};

TEST_F(SaveLockTest, AnotherCopysSaveIsNeverTakenForOneCutOff) {
  auto isRename = [](int n) {
    return [n, seen = 0](int step, const std::string&) mutable { return step == STEP_RENAME && ++seen == n; };
  };
  struct Moment {
    const char* what;
    std::function<bool(int, const std::string&)> at;
  } moments[] = {
      {"writing its first file", [](int step, const std::string&) { return step == STEP_WRITE; }},
      {"at its first rename", isRename(1)},
      {"halfway through its renames", isRename(5)},
      {"at the document's rename",
       [](int step, const std::string& path) { return step == STEP_RENAME && path == "Projects/game.xml"; }},
      {"removing its journal",
       [](int step, const std::string& path) {
         return step == STEP_DELETE && path.starts_with("Projects/.zmjournal-");
       }},
  };
  struct Action {
    const char* what;
    std::function<bool()> run;
  } actions[] = {
      {"Open", [] { return openProjectNamed("game"); }},
      {"Save", [] { return writeProject(); }},
  };
  for (const Moment& m : moments) {
    for (const Action& a : actions) {
      SCOPED_TRACE(std::string(a.what) + " while the other copy's save is " + m.what);
      startOver();
      OtherCopy other;
      ASSERT_TRUE(other.start(saveHeldAt(other, m.at)));
      const Files meanwhile = projectFiles();
      pauses = 0;
      EXPECT_FALSE(a.run());
      EXPECT_GT(pauses, 0) << "it did not wait";
      EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{
                              {"Error",
                               "The project 'game' is being saved or opened by another copy of the program. "
                               "Nothing was changed; try again when it is done."}}));
      EXPECT_EQ(modifiedFlag, 1);
      EXPECT_EQ(projectFiles(), meanwhile);
      EXPECT_EQ(other.release(), 0) << "the other copy's save failed";
      EXPECT_EQ(projectFiles(), newFiles);
      messages.clear();
      EXPECT_TRUE(openProjectNamed("game"));
      EXPECT_TRUE(messages.empty());
    }
  }
}

// A lock let go of while the Open waits: the Open goes on.
TEST_F(SaveLockTest, OpenWaitsForTheOtherCopy) {
  OtherCopy other;
  ASSERT_TRUE(other.start([&other] {
    ProjectLock lock;
    if (lockProject("game", lock) != PROJECT_HELD) return false;
    other.hold();
    return true;
  }));
  int status = -1;
  projectLockWaitHook = [&] {
    if (++pauses == 1) status = other.release();
  };
  EXPECT_TRUE(openProjectNamed("game"));
  EXPECT_EQ(pauses, 1);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(projectFiles(), newFiles);
}

// A failed save or Open lets go of the project before its message waits
// for the user's OK: another copy is not kept from the project meanwhile.
TEST_F(SaveLockTest, NoMessageWaitsWithTheProjectHeld) {
  struct Failure {
    const char* what;
    std::function<void()> arrange;
    std::function<bool()> act;
  } failures[] = {
      {"a save whose document cannot be renamed",
       [] {
         fileStepHook = [](int step, const std::string& path) {
           return !(step == STEP_RENAME && path == "Projects/game.xml");
         };
       },
       [] { return writeProject(); }},
      {"a save whose folder cannot be made",
       [] { fileStepHook = [](int step, const std::string&) { return step != STEP_MAKE_FOLDER; }; },
       [] {
         deleteFolderTree("Projects/game");
         return writeProject();
       }},
      {"an Open of a document that is no project", [] { writeFile("Projects/game.xml", "<nothing/>"); },
       [] { return openProjectNamed("game"); }},
  };
  for (const Failure& f : failures) {
    SCOPED_TRACE(f.what);
    messages.clear();
    bool freeAtMessage = false;
    projectHooks.message = [&](const std::string& title, const std::string& text) {
      messages.emplace_back(title, text);
      freeAtMessage = projectLockIsFree("game");
    };
    f.arrange();
    EXPECT_FALSE(f.act());
    fileStepHook = nullptr;
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, "Error");
    EXPECT_TRUE(freeAtMessage);
  }
}

// Where locks are NFS's byte-range ones, Save and Open take them as
// anywhere, and another copy is kept out. Where the file system has no
// locks at all they work as before there were any.
TEST_F(SaveLockTest, SavesAndOpensWhereLocksAreByteRangeOnesOrNone) {
  struct Case {
    const char* what;
    std::function<int(int)> call;
    bool keepsOut;
  } cases[] = {
      {"byte-range locks", byteRangeLock, true},
      {"no locks (ENOLCK)", lockFailingWith(ENOLCK), false},
      {"no locks (EOPNOTSUPP)", lockFailingWith(EOPNOTSUPP), false},
      {"no locks (ENOSYS)", lockFailingWith(ENOSYS), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    startOver();
    LockCalls calls(c.call);
    EXPECT_TRUE(writeProject());
    EXPECT_TRUE(openProjectNamed("game"));
    EXPECT_TRUE(messages.empty()) << messages[0].second;
    Files files = projectFiles();
    files.erase(projectLockPath("game"));   // what a file system without locks leaves
    EXPECT_EQ(files, newFiles);
    if (!c.keepsOut) continue;
    OtherCopy other;
    ASSERT_TRUE(other.start([&other] {
      ProjectLock lock;
      if (lockProject("game", lock) != PROJECT_HELD) return false;
      other.hold();
      return true;
    }));
    setModified(1);
    EXPECT_FALSE(writeProject());
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_GT(pauses, 0);
    EXPECT_EQ(other.release(), 0);
    messages.clear();
  }
}

// Whatever stands in the lock file's place but a regular file refuses a
// Save at once, naming it; a pipe there never makes it wait for a writer.
// Open reads the project all the same, as where Projects/ is read-only:
// no copy can save it meanwhile.
TEST_F(SaveLockTest, NoRegularLockFileRefusesTheSaveAndLetsTheProjectBeRead) {
  const std::string path = projectLockPath("game");
  struct Case {
    const char* what;
    std::function<bool()> make;
  } cases[] = {
      {"a pipe", [&] { return mkfifo(path.c_str(), 0644) == 0; }},
      {"a folder", [&] { return makeFolder(path); }},
      {"a link to the project file", [&] { return symlink("game.xml", path.c_str()) == 0; }},
  };
  const std::string refusal = "The file " + path + " cannot be written.";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    startOver();
    ASSERT_TRUE(c.make());
    const Files before = projectFiles();
    // In a child, whose messages and tables come back as its exit status.
    const int outcome = runWithin(60, [&] {
      messages.clear();
      const bool saved = writeProject();
      const bool refused = !saved && messages == std::vector<std::pair<std::string, std::string>>{{"Error", refusal}};
      const bool untouched = projectFiles() == before;
      messages.clear();
      const bool opened = openProjectNamed("game") && messages.empty();
      return (refused ? 0 : 1) + (untouched ? 0 : 2) + (opened ? 0 : 4);
    });
    EXPECT_EQ(outcome, 0) << "1: the save was not refused by name, 2: files changed, 4: the Open failed, "
                          << CHILD_STOPPED << ": it waited";
    EXPECT_EQ(projectFiles(), before);
    if (c.what == std::string("a folder")) deleteFolderTree(path);
    else unlink(path.c_str());
  }
}

}  // namespace
