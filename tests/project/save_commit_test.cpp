// A save that fails between its renames puts back what it renamed; one cut
// off for good leaves a journal that the next Open or save puts back or
// finishes. The project is then byte for byte the old one or the new one.
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <set>

#include "project/project_file.h"
#include "project/save_journal.h"
#include "save_fixture.h"
#include "tests/support/failing_step.h"

namespace {

TEST_F(SaveCommitTest, EveryFailingStepLeavesTheOldProjectOrTheNew) {
  std::set<int> failedKinds;
  int failedRenamesAfterARename = 0, unsyncedCommits = 0;
  for (int n = 1;; ++n) {
    SCOPED_TRACE("failing step " + std::to_string(n));
    startOver();
    bool saved;
    int seen;
    {
      FailingStep fault(n);
      saved = writeProject();
      seen = fault.seen;
      failedKinds.insert(fault.failedKinds.begin(), fault.failedKinds.end());
      if (!saved && fault.failedKinds.count(STEP_RENAME) && fault.renamesBeforeFailure > 0)
        ++failedRenamesAfterARename;
    }
    if (saved) {
      EXPECT_EQ(projectFiles(), newFiles);
      EXPECT_TRUE(messages.empty());
      EXPECT_EQ(modifiedFlag, 0);
    } else if (projectFiles() != oldFiles) {
      // Only the sync after the last rename: the new project is in place
      // but may not outlast a power cut, so the journal and the old files
      // it names stay for the next Open, which finishes the save.
      ++unsyncedCommits;
      EXPECT_TRUE(journalThere());
      EXPECT_EQ(modifiedFlag, 1);
      EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{
                              {"Error", "The project file Projects/game.xml cannot be written."}}));
      EXPECT_TRUE(openProjectNamed("game"));
      EXPECT_EQ(projectFiles(), newFiles);
    } else {
      EXPECT_EQ(modifiedFlag, 1);
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_EQ(messages[0].first, "Error");
      const std::string& text = messages[0].second;
      EXPECT_TRUE(text.starts_with("The file Projects/game/") ||
                  text.starts_with("The project file Projects/game.xml"))
          << text;
      EXPECT_TRUE(text.ends_with(" cannot be written.")) << text;
    }
    if (seen < n) {
      EXPECT_TRUE(saved);
      break;
    }
  }
  EXPECT_EQ(failedKinds, (std::set<int>{STEP_WRITE, STEP_SYNC, STEP_RENAME}));
  // Renames failed when others had been made already, which were put back.
  EXPECT_GE(failedRenamesAfterARename, 6);
  EXPECT_EQ(unsyncedCommits, 1);
}

// A fault that lasts (a file made immutable, a disk gone read-only) also
// stops the putting back: the journal stays, Open refuses the project
// while the fault lasts and puts it back once it is gone.
TEST_F(SaveCommitTest, AJournalLeftBehindIsPutBackByTheNextOpen) {
  startOver();
  int renames;
  {
    FailingStep none(1 << 30);
    ASSERT_TRUE(writeProject());
    renames = none.renames;
  }
  for (int k = 1; k <= renames; ++k) {
    SCOPED_TRACE("renames fail from rename " + std::to_string(k) + " on");
    startOver();
    {
      int seenRenames = 0;
      fileStepHook = [&seenRenames, k](int step, const std::string&) {
        return step != STEP_RENAME || ++seenRenames < k;
      };
      EXPECT_FALSE(writeProject());
      ASSERT_EQ(messages.size(), 1u);
      // Only the projects themselves are listed by the Open dialog.
      std::vector<DirEntry> documents;
      listFolder("Projects", "*.xml", documents);
      ASSERT_EQ(documents.size(), 1u);
      EXPECT_EQ(documents[0].name, "game.xml");
      if (journalThere()) {
        messages.clear();
        EXPECT_FALSE(openProjectNamed("game"));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].first, "Error");
        EXPECT_TRUE(messages[0].second.ends_with(" cannot be written.")) << messages[0].second;
      }
      fileStepHook = nullptr;
    }
    messages.clear();
    EXPECT_TRUE(openProjectNamed("game"));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(projectFiles(), oldFiles);
    EXPECT_FALSE(journalThere());
  }
}

// The same left behind, and the next save instead of an Open: it puts the
// old files back first, then saves the new ones whole.
TEST_F(SaveCommitTest, AJournalLeftBehindIsPutBackByTheNextSave) {
  startOver();
  int seenRenames = 0;
  fileStepHook = [&seenRenames](int step, const std::string&) {
    return step != STEP_RENAME || ++seenRenames < 4;
  };
  EXPECT_FALSE(writeProject());
  fileStepHook = nullptr;
  ASSERT_TRUE(journalThere());
  EXPECT_NE(projectFiles(), oldFiles);
  EXPECT_TRUE(writeProject());
  EXPECT_EQ(projectFiles(), newFiles);
}

// A sync that fails is a failed save like any other: the journal and the
// old files it names stay until a sync succeeds, at the next Open.
TEST_F(SaveCommitTest, AFailedSyncKeepsTheJournalAndTheOldFiles) {
  // The third rename fails, and from then on every sync: the put-back
  // renames are made but may not last.
  startOver();
  int renames = 0;
  bool broken = false;
  fileStepHook = [&](int step, const std::string&) {
    if (step == STEP_RENAME && ++renames == 3) {
      broken = true;
      return false;
    }
    return !broken || step != STEP_SYNC;
  };
  EXPECT_FALSE(writeProject());
  fileStepHook = nullptr;
  EXPECT_TRUE(journalThere());
  messages.clear();
  EXPECT_TRUE(openProjectNamed("game"));
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(projectFiles(), oldFiles);

  // The sync after the last rename fails, then the Open's too.
  startOver();
  bool committed = false;
  fileStepHook = [&committed](int step, const std::string& path) {
    committed = committed || (step == STEP_RENAME && path == "Projects/game.xml");
    return !committed || step != STEP_SYNC;
  };
  EXPECT_FALSE(writeProject());
  EXPECT_TRUE(journalThere());
  messages.clear();
  EXPECT_FALSE(openProjectNamed("game"));
  EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{
                          {"Error", "The folder Projects cannot be written."}}));
  EXPECT_TRUE(journalThere());
  fileStepHook = nullptr;
  EXPECT_TRUE(openProjectNamed("game"));
  EXPECT_EQ(projectFiles(), newFiles);
}

// A journal cut off while it was written came before any rename: it goes,
// and nothing else is touched.
TEST_F(SaveCommitTest, ACutOffJournalMovesNothing) {
  startOver();
  SaveFiles save;
  save.project = "game";
  stageFile(save, "Projects/game/aud/a.wav", "new");
  stageDocument(save, "Projects/game.xml", documentTempPrefix("game"), "<doc/>");
  ASSERT_EQ(save.staged.size(), 2u);
  ASSERT_TRUE(save.staged[0].keepsOld);
  save.staged[1].keepsOld = false;   // as the commit has it
  std::string journal = writeJournal("game", save.staged);
  ASSERT_FALSE(journal.empty());
  const std::string whole = TempFolder::read(journal);
  // The old sound waits under its backup name, as after the first rename.
  ASSERT_TRUE(renameFile("Projects/game/aud/a.wav", backupPath(save.staged[0].temp)));
  Files moved = projectFiles();
  for (size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    writeFile(journal, whole.substr(0, length));
    std::string failed;
    EXPECT_TRUE(recoverSave("game", true, failed));
    EXPECT_EQ(fileKind(journal), FILE_NONE);
    Files now = projectFiles();
    now[journal] = moved[journal];
    EXPECT_EQ(now, moved);
  }
  // A file system may give a file its length before its bytes, which read
  // as NULs: before its sync, so before any rename, too.
  for (const std::string& padded : {std::string(whole.size(), '\0'),
                                    whole.substr(0, whole.find('\0') + 1) + std::string(40, '\0')}) {
    writeFile(journal, padded);
    std::string failed;
    EXPECT_TRUE(recoverSave("game", true, failed)) << failed;
    EXPECT_EQ(fileKind(journal), FILE_NONE);
  }
  // Whole, it puts the sound back.
  writeFile(journal, whole);
  std::string failed;
  EXPECT_TRUE(recoverSave("game", true, failed));
  EXPECT_EQ(projectFiles(), oldFiles);
}

// Names have no length limit: two projects whose names are alike in their
// first 200 bytes (67 CJK characters) keep their temporary files and
// journals apart. A save of one leaves the other's stopped save whole for
// that one's Open to put back.
TEST_F(SaveCommitTest, ProjectsOfLongNamesAlikeKeepTheirFilesApart) {
  std::string stem;
  for (int i = 0; i < 67; ++i) stem += "\u540d";
  const std::string first = stem + "\u7532", second = stem + "\u4e59";
  ASSERT_EQ(first.substr(0, 200), second.substr(0, 200));
  EXPECT_NE(documentTempPrefix(first), documentTempPrefix(second));
  EXPECT_NE(journalPrefix(first), journalPrefix(second));
  EXPECT_LE(journalPrefix(first).size() + 6, 255u);
  deleteFolderTree("Projects");
  makeFolder("Projects");
  makeOldVersion();
  projectName = first;
  ASSERT_TRUE(writeProject());
  const Files before = projectFiles();
  makeNewVersion();
  int renames = 0;
  fileStepHook = [&renames](int step, const std::string&) { return step != STEP_RENAME || ++renames < 4; };
  EXPECT_FALSE(writeProject());
  fileStepHook = nullptr;
  ASSERT_TRUE(journalThere());

  makeOldVersion();
  projectName = second;
  ASSERT_TRUE(writeProject());
  messages.clear();
  EXPECT_TRUE(openProjectNamed(first));
  EXPECT_TRUE(messages.empty());
  Files now = projectFiles();
  std::erase_if(now, [&](const auto& file) { return file.first.starts_with("Projects/" + second); });
  EXPECT_EQ(now, before);
}

// A journal is read from a folder that anyone may write in: one that names
// files outside the project's folders, or reaches them through a link, is
// refused and moves nothing; it stays for the user to look at.
TEST_F(SaveCommitTest, AJournalMovesNoFileOutsideTheProject) {
  makeFolder("outside");
  makeFolder("Projects/other");
  ASSERT_EQ(symlink((currentFolder() + "outside").c_str(), "Projects/game/lnk"), 0);
  const std::string doc = "Projects/" + documentTempPrefix("game") + "zzzzzz";
  struct Case {
    const char* temp;
    const char* path;
    bool obeyed;
  } cases[] = {
      {"Projects/game/img/.zmtmp-aaaaaa", "Projects/game/img/victim", true},   // the project's own
      {"outside/.zmtmp-aaaaaa", "outside/victim", false},
      {"Projects/game/../../outside/.zmtmp-aaaaaa", "Projects/game/../../outside/victim", false},
      {"Projects/other/.zmtmp-aaaaaa", "Projects/other/victim", false},
      {"Projects/.zmtmp-aaaaaa", "Projects/other.xml", false},
      {"Projects/game/lnk/.zmtmp-aaaaaa", "Projects/game/lnk/victim", false},
      {"Projects/game/img/victim2", "Projects/game/img/victim", false},
      {"Projects/game/aud/.zmtmp-aaaaaa", "Projects/game/img/victim", false},
  };
  const char* victims[] = {"outside/victim", "Projects/other/victim", "Projects/other.xml",
                           "Projects/game/img/victim"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    for (const char* victim : victims) writeFile(victim, "keep");
    writeFile(doc, "new document");   // not renamed yet: the commit is put back
    // Put back, a file new to its folder whose temporary file is gone is deleted.
    std::vector<StagedFile> staged = {{c.temp, c.path, false}, {doc, "Projects/game.xml", false}};
    std::string journal = writeJournal("game", staged);
    ASSERT_FALSE(journal.empty());
    std::string error;
    EXPECT_EQ(recoverSave("game", true, error), c.obeyed);
    EXPECT_EQ(fileKind(journal), c.obeyed ? FILE_NONE : FILE_REGULAR);
    if (!c.obeyed) {
      EXPECT_EQ(error, "The save journal " + journal + " is damaged. The project 'game' is left as it is.");
    }
    for (const char* victim : victims) {
      bool gone = c.obeyed && std::string(victim) == c.path;
      EXPECT_EQ(TempFolder::read(victim), gone ? "" : "keep") << victim;
    }
    deleteFile(journal);
  }
  // Nor one of a project whose folder is a link.
  ASSERT_EQ(symlink((currentFolder() + "outside").c_str(), "Projects/linked"), 0);
  writeFile("outside/victim", "keep");
  const std::string linkedDoc = "Projects/" + documentTempPrefix("linked") + "zzzzzz";
  writeFile(linkedDoc, "new document");
  std::vector<StagedFile> linked = {{"Projects/linked/.zmtmp-aaaaaa", "Projects/linked/victim", false},
                                    {linkedDoc, "Projects/linked.xml", false}};
  ASSERT_FALSE(writeJournal("linked", linked).empty());
  std::string error;
  EXPECT_FALSE(recoverSave("linked", true, error));
  EXPECT_EQ(TempFolder::read("outside/victim"), "keep");

  // Nor does the journal of a project put its last file back from a copy.
  std::vector<StagedFile> staged = {{"Projects/game/img/.zmtmp-aaaaaa", "Projects/game/img/victim", false},
                                    {doc, "Projects/game.xml", true}};
  std::vector<StagedFile> read;
  std::string reason;
  EXPECT_EQ(readJournal(writeJournal("game", staged), "game", read, reason), JOURNAL_REFUSED);
  EXPECT_EQ(readJournal(writeJournal("game", staged), "game2", read, reason), JOURNAL_OTHER);
}

}  // namespace
