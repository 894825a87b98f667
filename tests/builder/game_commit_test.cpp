// The game files go through the commit of a save: in the order a power cut
// needs, under the project's lock, after what a stopped commit left is put
// back.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "builder/code_check.h"
#include "builder/game_files.h"
#include "builder_fixture.h"
#include "project/project_file.h"
#include "project/project_lock.h"
#include "project/save_files.h"
#include "tests/support/folder_files.h"
#include "tests/support/lock_calls.h"
#include "tests/support/other_copy.h"
#include "tests/support/project_lock_probe.h"
#include "tests/support/power_cut_rules.h"
#include "tests/support/time_limited_child.h"

namespace {

const std::string oldPage = "<p>old page</p>";

class GameCommitTest : public BuilderTest {
 protected:
  void SetUp() override {
    BuilderTest::SetUp();
    projectName = "game";
    makeFolder("Projects/game");
    writeFile("Projects/game/index.html", oldPage);
    writeFile("Projects/game/game.js", "old game");
    exportTemplate = "new game //ZEMBRIK_SCENES";
    scene("scene_2");
    projectLockWaitHook = [] {};
  }
  void TearDown() override {
    fileStepHook = nullptr;
    projectLockWaitHook = nullptr;
    BuilderTest::TearDown();
  }
  std::string page() { return slurp("Projects/game/index.html"); }
  static bool journalThere() {
    std::vector<DirEntry> journals;
    listFolder("Projects", ".zmjournal-*", journals);
    return !journals.empty();
  }
};

TEST_F(GameCommitTest, BothFilesAreSyncedAsAPowerCutNeeds) {
  StepRecorder record;
  ASSERT_TRUE(generateGameFiles());
  record.settle();
  const std::string commit = "Projects/game/game.js";
  EXPECT_EQ(powerCutFaults(record.steps, commit), std::vector<std::string>{});
  int syncs = 0;
  for (size_t i = 0; i < record.steps.size(); ++i) {
    if (record.steps[i].kind != STEP_SYNC) continue;
    ++syncs;
    EXPECT_FALSE(powerCutFaults(withoutStep(record.steps, i), commit).empty())
        << "a sync no rule needs: " << record.steps[i].path;
  }
  EXPECT_GE(syncs, 5);   // two files, the journal, Projects/, the game's folder
}

// While another copy holds the project, the export waits, then refuses and
// writes nothing; and while the export commits, another copy's save of
// the project waits and refuses.
TEST_F(GameCommitTest, TheExportAndAnotherCopyKeepApart) {
  const std::string busy =
      "The project 'game' is being saved or opened by another copy of the program. Nothing was changed; try again "
      "when it is done.";
  {
    OtherCopy other;
    ASSERT_TRUE(other.start([&other] {
      ProjectLock lock;
      if (lockProject("game", lock) != PROJECT_HELD) return false;
      other.hold();
      return true;
    }));
    const Files before = projectFiles();
    EXPECT_FALSE(generateGameFiles());
    EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{{"Error", busy}}));
    EXPECT_TRUE(statusTexts.empty());
    EXPECT_EQ(projectFiles(), before);
    EXPECT_EQ(other.release(), 0);
  }
  messages.clear();
  OtherCopy exporting;
  ASSERT_TRUE(exporting.start([&exporting] {
    fileStepHook = [&exporting](int step, const std::string& path) {
      if (step == STEP_RENAME && path == "Projects/game/game.js") exporting.hold();
      return true;
    };
    return generateGameFiles();
  }));
  const Files meanwhile = projectFiles();
  EXPECT_FALSE(writeProject());
  EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{{"Error", busy}}));
  EXPECT_EQ(projectFiles(), meanwhile);
  EXPECT_EQ(exporting.release(), 0);
  EXPECT_EQ(page(), indexHtmlText());
  EXPECT_EQ(slurp("Projects/game/game.js").substr(0, 9), "new game ");
  EXPECT_FALSE(journalThere());
}

// An export stopped for good after its first rename leaves its journal;
// the next export puts it back before it writes, so that no later
// recovery puts the old page over the new one.
TEST_F(GameCommitTest, AnExportFirstPutsBackOneStopped) {
  int renames = 0;
  fileStepHook = [&renames](int step, const std::string&) { return step != STEP_RENAME || ++renames < 3; };
  EXPECT_FALSE(generateGameFiles());
  fileStepHook = nullptr;
  ASSERT_TRUE(journalThere());
  ASSERT_EQ(page(), indexHtmlText());   // renamed, and not put back
  messages.clear();
  EXPECT_TRUE(generateGameFiles());
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(journalThere());
  std::string error;
  EXPECT_TRUE(recoverSave("game", true, error)) << error;
  EXPECT_EQ(page(), indexHtmlText());
  EXPECT_EQ(slurp("Projects/game/game.js").substr(0, 9), "new game ");
}

// A failed export lets go of the project before its Error waits for OK.
TEST_F(GameCommitTest, AFailedExportHoldsNoLockWhileItsErrorIsShown) {
  bool freeAtMessage = false;
  projectHooks.message = [&](const std::string& title, const std::string& text) {
    messages.emplace_back(title, text);
    freeAtMessage = projectLockIsFree("game");
  };
  fileStepHook = [](int step, const std::string&) { return step != STEP_RENAME; };
  EXPECT_FALSE(generateGameFiles());
  fileStepHook = nullptr;
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].first, "Error");
  EXPECT_TRUE(freeAtMessage);
}

// The game is built (every section, the code check) before the project is
// locked: another copy is not kept waiting for it. Seen from the export's
// first pause for the lock, which another copy holds.
TEST_F(GameCommitTest, TheGameIsBuiltBeforeTheLockIsTaken) {
  scenes[0].code = "if (";   // the code check has something to find
  clearCodeProblems();
  OtherCopy other;
  ASSERT_TRUE(other.start([&other] {
    ProjectLock lock;
    if (lockProject("game", lock) != PROJECT_HELD) return false;
    other.hold();
    return true;
  }));
  size_t problemsAtFirstPause = 0;
  int pauses = 0, status = -1;
  projectLockWaitHook = [&] {
    if (++pauses > 1) return;
    problemsAtFirstPause = codeProblems.size();
    status = other.release();
  };
  EXPECT_TRUE(generateGameFiles());
  EXPECT_EQ(status, 0);
  EXPECT_EQ(problemsAtFirstPause, 1u) << "the lock was taken before the game was built";
  EXPECT_EQ(slurp("Projects/game/game.js").substr(0, 9), "new game ");
}

// Under NFS's byte-range locks and where there are no locks the export
// works as anywhere; a pipe in the lock file's place refuses it at once,
// naming the file, with the old game kept.
TEST_F(GameCommitTest, TheExportOnOtherFileSystemsAndBesideAPipe) {
  const std::string lockPath = projectLockPath("game");
  struct Case {
    const char* what;
    std::function<int(int)> call;
    bool pipe;
  } cases[] = {
      {"byte-range locks", byteRangeLock, false},
      {"no locks", lockFailingWith(ENOLCK), false},
      {"a pipe in the lock file's place", nullptr, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeFile("Projects/game/game.js", "old game");
    if (c.pipe) {
      ASSERT_EQ(mkfifo(lockPath.c_str(), 0644), 0);
    }
    LockCalls calls(c.call);
    const Files before = projectFiles();
    // In a child, whose messages and files come back as its exit status.
    const int outcome = runWithin(60, [&] {
      messages.clear();
      const bool exported = generateGameFiles();
      if (!c.pipe) return exported && messages.empty() ? 0 : 1;
      const bool refused = messages == std::vector<std::pair<std::string, std::string>>{
                                           {"Error", "The file " + lockPath + " cannot be written."}};
      return !exported && refused && projectFiles() == before ? 0 : 1;
    });
    EXPECT_EQ(outcome, 0) << CHILD_STOPPED << ": it waited";
    if (!c.pipe) {
      EXPECT_EQ(slurp("Projects/game/game.js").substr(0, 9), "new game ");
    }
    unlink(lockPath.c_str());
  }
}

}  // namespace
