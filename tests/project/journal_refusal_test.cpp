// A journal that the program cannot trust (unreadable, another version's,
// a link, damaged or made up) is neither obeyed nor thrown away: Open and
// Save refuse the project, name the journal and move nothing, and the
// project is put back once the journal can be read again.
#include <sys/stat.h>
#include <unistd.h>

#include "project/save_journal.h"
#include "save_fixture.h"
#include "tests/support/permission_bits.h"

namespace {

class JournalRefusalTest : public SaveCommitTest {
 protected:
  std::string journal, whole;
  Files stopped;

  // The new version's save stopped for good at its fourth rename: three
  // files renamed, their old ones aside, the journal left to put them back.
  void SetUp() override {
    SaveCommitTest::SetUp();
    startOver();
    int renames = 0;
    fileStepHook = [&renames](int step, const std::string&) { return step != STEP_RENAME || ++renames < 4; };
    ASSERT_FALSE(writeProject());
    fileStepHook = nullptr;
    std::vector<DirEntry> journals;
    listFolder("Projects", ".zmjournal-*", journals);
    ASSERT_EQ(journals.size(), 1u);
    journal = "Projects/" + journals[0].name;
    whole = TempFolder::read(journal);
    stopped = projectFiles();
    ASSERT_NE(stopped, oldFiles);
    makeFolder("outside");
    messages.clear();
  }

  // Open, then Save, refuse with `text`, and nothing outside moves.
  void expectRefused(const std::string& text) {
    const std::string victim = TempFolder::read("outside/victim");
    setModified(1);
    EXPECT_FALSE(openProjectNamed("game"));
    EXPECT_FALSE(writeProject());
    EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{{"Error", text}, {"Error", text}}));
    EXPECT_EQ(modifiedFlag, 1);
    EXPECT_EQ(TempFolder::read("outside/victim"), victim);
    messages.clear();
  }

  // The files of the stopped save again, and nothing else in Projects/.
  void backToTheStoppedSave() {
    for (const auto& [path, bytes] : projectFiles())
      if (!stopped.count(path)) deleteFile(path);
    for (const auto& [path, bytes] : stopped) writeFile(path, bytes);
    ASSERT_EQ(projectFiles(), stopped);
  }
};

void removeEntry(const std::string& path) {
  if (fileKind(path) == FILE_FOLDER && !isLink(path))
    deleteFolderTree(path);
  else
    unlink(path.c_str());
}

std::string refusal(const std::string& journal, const std::string& reason) {
  return "The save journal " + journal + " " + reason + ". The project 'game' is left as it is.";
}

// A journal outside Projects/ that has the picture hero_1.png deleted when
// obeyed (a new file whose temporary file is gone).
void deletesAFrame() {
  const std::string doc = "Projects/" + documentTempPrefix("game") + "zzzzzz";
  writeFile(doc, "a document");
  std::string made = writeJournal("game", {{"Projects/game/img/.zmtmp-gone00", "Projects/game/img/hero_1.png", false},
                                           {doc, "Projects/game.xml", false}});
  renameFile(made, "outside/journal");
}

TEST_F(JournalRefusalTest, AJournalThatCannotBeTrustedRefusesTheProject) {
  const std::string other = "Projects/" + journalPrefix("game") + "zzzzzz";
  std::string oneMore = whole;
  oneMore.replace(oneMore.find("\0" "6\0"), 3, std::string("\0" "7\0", 3));
  std::string oneFewer = whole;
  oneFewer.replace(oneFewer.find("\0" "6\0"), 3, std::string("\0" "5\0", 3));
  std::string newer = whole;
  newer.replace(0, 22, "zembrik save journal 2");
  struct Case {
    const char* what;
    std::function<void()> make;
    std::string path, reason;
  } cases[] = {
      {"written by a newer version", [&] { writeFile(journal, newer); }, journal,
       "was written by another version of the program"},
      {"with bytes after its end", [&] { writeFile(journal, whole + "x"); }, journal, "is damaged"},
      {"counting one file more than it names", [&] { writeFile(journal, oneMore); }, journal, "is damaged"},
      {"counting one file fewer", [&] { writeFile(journal, oneFewer); }, journal, "is damaged"},
      {"a link to the journal, moved out",
       [&] {
         renameFile(journal, "outside/journal");
         symlink((currentFolder() + "outside/journal").c_str(), journal.c_str());
       },
       journal, "is a link or no plain file"},
      {"a link to one that deletes a frame, beside the journal",
       [&] {
         deletesAFrame();
         symlink((currentFolder() + "outside/journal").c_str(), other.c_str());
       },
       other, "is a link or no plain file"},
      {"a link to nothing", [&] { symlink("nowhere", other.c_str()); }, other, "is a link or no plain file"},
      {"a pipe", [&] { mkfifo(other.c_str(), 0600); }, other, "is a link or no plain file"},
      {"a folder", [&] { makeFolder(other); }, other, "is a link or no plain file"},
      {"another project's, under this one's name",
       [&] {
         std::string theirs = whole;
         theirs.replace(theirs.find("\0game\0"), 6, std::string("\0gamf\0", 6));
         writeFile(other, theirs);
       },
       other, "is damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeFile("outside/victim", "keep");
    c.make();
    const Files before = projectFiles();
    expectRefused(refusal(c.path, c.reason));
    EXPECT_EQ(projectFiles(), before);
    // Taken away, the journal of the stopped save puts the old project back.
    removeEntry(c.path);
    backToTheStoppedSave();
    EXPECT_TRUE(openProjectNamed("game"));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(projectFiles(), oldFiles);
    backToTheStoppedSave();
    messages.clear();
  }
}

// A journal that cannot be read, and a Projects/ that cannot be listed
// (neither stops root: the test gives up what lets it pass them).
TEST_F(JournalRefusalTest, AJournalOrAFolderThatCannotBeReadRefusesTheProject) {
  PermissionBitsApply bits;
  if (!bits.apply()) GTEST_SKIP() << "root cannot give up passing permission bits here";
  chmod(journal.c_str(), 0);
  expectRefused(refusal(journal, "cannot be read"));
  chmod(journal.c_str(), 0644);
  EXPECT_EQ(projectFiles(), stopped);
  // Entered and written, but not listed: the project file itself could be read.
  chmod("Projects", 0300);
  expectRefused("The folder Projects cannot be read. The project 'game' is left as it is.");
  chmod("Projects", 0755);
  EXPECT_EQ(projectFiles(), stopped);
  EXPECT_TRUE(openProjectNamed("game"));
  EXPECT_EQ(projectFiles(), oldFiles);
}

// The document stands in a journal only last, as a save puts it: a journal
// dropped into Projects/ with a file of its own does not put that file over
// the document, nor a document from another project's temporary file.
TEST_F(JournalRefusalTest, AJournalThatMovesTheDocumentOtherwiseThanASaveIsRefused) {
  ASSERT_TRUE(openProjectNamed("game"));   // the stopped save put back
  ASSERT_EQ(projectFiles(), oldFiles);
  const std::string dropped = "Projects/" + documentTempPrefix("game") + "droppd";
  const std::string doc = "Projects/" + documentTempPrefix("game") + "zzzzzz";
  const std::string theirs = "Projects/" + documentTempPrefix("other") + "zzzzzz";
  const std::string frame = "Projects/game/img/.zmtmp-frame0", x = "Projects/game/img/x.png";
  const std::string document = "Projects/game.xml";
  struct Case {
    const char* what;
    std::vector<StagedFile> staged;
  } cases[] = {
      {"as an old file put back", {{dropped, document, true}, {frame, x, false}}},
      {"first", {{dropped, document, false}, {frame, x, false}}},
      {"from another project's file", {{frame, x, false}, {theirs, document, false}}},
      {"from a file not a save's", {{frame, x, false}, {"Projects/x.xml", document, false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeFile(backupPath(dropped), "<zembrik>a document of anyone's</zembrik>");
    writeFile(dropped, "<zembrik>a document of anyone's</zembrik>");
    writeFile(theirs, "<zembrik>the other project's</zembrik>");
    writeFile(frame, "a picture");
    const std::string made = writeJournal("game", c.staged);
    ASSERT_FALSE(made.empty());
    const Files before = projectFiles();
    expectRefused(refusal(made, "is damaged"));
    EXPECT_EQ(projectFiles(), before);
    for (const std::string& path : {made, dropped, backupPath(dropped), theirs, frame}) deleteFile(path);
    ASSERT_EQ(projectFiles(), oldFiles);
  }
  // As a save puts it, the same journal is obeyed.
  writeFile(doc, "<zembrik>the new document</zembrik>");
  writeFile(frame, "a picture");
  writeJournal("game", {{frame, x, false}, {doc, document, false}});
  EXPECT_TRUE(openProjectNamed("game"));
  EXPECT_EQ(projectFiles(), oldFiles);   // put back: neither was renamed yet
}

}  // namespace
