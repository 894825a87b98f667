// The order of the file steps of a save, put back or not, and of the
// recovery of one cut off: every step a power cut could lose is synced
// before the step that relies on it (tests/support/power_cut_rules.h), and
// every sync made is one of those.
#include "project/project_file.h"
#include "project_fixture.h"
#include "tests/support/folder_files.h"
#include "tests/support/power_cut_rules.h"
#include "two_versions.h"

namespace {

const std::string document = "Projects/game.xml";

class SaveOrderTest : public ProjectTest {
 protected:
  Files oldFiles;

  void SetUp() override {
    ProjectTest::SetUp();
    makeOldVersion();
    ASSERT_TRUE(writeProject());
    oldFiles = projectFiles();
    makeNewVersion();
  }

  void TearDown() override {
    fileStepHook = nullptr;
    ProjectTest::TearDown();
  }

  // The steps keep the rules, and leaving out any sync from `from` on
  // breaks one. Returns how many syncs there are from there.
  static int expectEverySyncNeeded(const std::vector<RecordedStep>& steps, size_t from = 0) {
    EXPECT_EQ(powerCutFaults(steps, document), std::vector<std::string>{});
    int syncs = 0;
    for (size_t i = from; i < steps.size(); ++i) {
      if (steps[i].kind != STEP_SYNC || !steps[i].done) continue;
      ++syncs;
      EXPECT_FALSE(powerCutFaults(withoutStep(steps, i), document).empty())
          << "a sync no rule needs: " << steps[i].path;
    }
    return syncs;
  }
};

// A save over the old version (a journal, side files and the document), a
// first save (new folders, whose names the document needs on the disk
// too) and a save that changes only the document (one rename, no journal).
TEST_F(SaveOrderTest, ASaveSyncsEachStepBeforeTheOneThatNeedsIt) {
  struct Case {
    const char* what;
    std::function<void()> prepare;
    int journals;
  } cases[] = {
      {"a save over the old version", [] {}, 1},
      {"a first save",
       [] {
         deleteFolderTree("Projects/game");
         deleteFile(document);
       },
       1},
      {"the document alone",
       [] {
         ASSERT_TRUE(writeProject());
         setModified(1);
       },
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.prepare();
    StepRecorder record;
    ASSERT_TRUE(writeProject());
    record.settle();
    int journals = 0, foldersMade = 0;
    for (const RecordedStep& s : record.steps) {
      journals += s.kind == STEP_WRITE && s.path.starts_with("Projects/.zmjournal-");
      foldersMade += s.kind == STEP_MAKE_FOLDER;
    }
    EXPECT_EQ(journals, c.journals);
    EXPECT_EQ(foldersMade, c.what == std::string("a first save") ? 3 : 0);
    EXPECT_GT(expectEverySyncNeeded(record.steps), 0);
  }
}

// A rename that fails puts back the renames made before it: each folder it
// renamed in again is synced before the journal goes.
TEST_F(SaveOrderTest, APutBackSyncsEachFolderBeforeTheJournalGoes) {
  int renames = 0;
  {
    StepRecorder count;
    ASSERT_TRUE(writeProject());
    for (const RecordedStep& s : count.steps) renames += s.kind == STEP_RENAME;
  }
  ASSERT_GT(renames, 8);
  int putBackSyncs = 0;
  for (int k = 1; k <= renames; ++k) {
    SCOPED_TRACE("rename " + std::to_string(k) + " fails");
    deleteFolderTree("Projects");
    makeFolder("Projects");
    makeOldVersion();
    ASSERT_TRUE(writeProject());
    makeNewVersion();
    StepRecorder record;
    int seen = 0;
    record.fault = [&seen, k](int step, const std::string&) { return step != STEP_RENAME || ++seen != k; };
    EXPECT_FALSE(writeProject());
    record.settle();
    EXPECT_EQ(projectFiles(), oldFiles);
    size_t failed = 0;
    while (record.steps[failed].done) ++failed;
    putBackSyncs += expectEverySyncNeeded(record.steps, failed);
  }
  EXPECT_GT(putBackSyncs, renames);
}

// A save stopped for good (every rename from the k-th on fails, or the
// sync after the last rename), then the Open that puts it back or
// finishes it: the steps of both together keep the rules.
TEST_F(SaveOrderTest, RecoverySyncsEachFolderBeforeTheJournalGoes) {
  auto recover = [this](const std::string& what, std::function<bool(int, const std::string&)> fault) {
    SCOPED_TRACE(what);
    deleteFolderTree("Projects");
    makeFolder("Projects");
    makeOldVersion();
    ASSERT_TRUE(writeProject());
    makeNewVersion();
    StepRecorder record;
    record.fault = fault;
    EXPECT_FALSE(writeProject());
    record.fault = nullptr;
    std::vector<DirEntry> journals;
    listFolder("Projects", ".zmjournal-*", journals);
    ASSERT_EQ(journals.size(), 1u) << "no journal left to recover";
    EXPECT_TRUE(openProjectNamed("game"));
    record.settle();
    listFolder("Projects", ".zmjournal-*", journals);
    EXPECT_TRUE(journals.empty());
    EXPECT_EQ(powerCutFaults(record.steps, document), std::vector<std::string>{});
  };
  for (int k : {2, 5, 9}) {
    int seen = 0;
    recover("renames fail from " + std::to_string(k),
            [&seen, k](int step, const std::string&) { return step != STEP_RENAME || ++seen < k; });
  }
  bool committed = false;
  recover("the sync after the last rename fails", [&committed](int step, const std::string& path) {
    committed = committed || (step == STEP_RENAME && path == document);
    return !(committed && step == STEP_SYNC);
  });
}

}  // namespace
