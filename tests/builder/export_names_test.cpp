// A project read from a file with names the windows would refuse: the
// export writes no game, leaves the old one as it was and says which names.
#include <cstdlib>

#include "builder/game_files.h"
#include "builder_fixture.h"
#include "project/project_file.h"

namespace {

struct Replacement {
  std::string from, to;
};

class ExportNamesTest : public BuilderTest {
 protected:
  std::string everyKind;

  void SetUp() override {
    BuilderTest::SetUp();
    ASSERT_TRUE(readFile(std::string(ZM_SOURCE_DIR) + "/tests/project/golden/every_kind.xml", everyKind));
    exportTemplate = "//ZEMBRIK_SPRITES//ZEMBRIK_SCENES";
    makeFolder("Projects/g");
  }

  // The project of every kind with some of its texts replaced, read as Open
  // reads it, and the game files of an earlier export beside it.
  void openWith(const std::vector<Replacement>& replacements) {
    std::string file = everyKind;
    for (const Replacement& r : replacements) {
      size_t at = file.find(r.from);
      ASSERT_NE(at, std::string::npos) << r.from;
      file.replace(at, r.from.size(), r.to);
    }
    writeFile("Projects/g.xml", file);
    ASSERT_TRUE(openProjectNamed("g"));
    writeFile("Projects/g/game.js", "old game");
    writeFile("Projects/g/index.html", "old page");
    messages.clear();
    statusTexts.clear();
  }
};

const std::string notWritten = "The game files are not written.";

TEST_F(ExportNamesTest, NamesThatAreNoGlobalsOfTheirOwnWriteNoGame) {
  std::string longName(100, 'a');
  longName += " b";
  struct Case {
    std::vector<Replacement> replacements;
    std::string message;   // "" when the game is written
  } cases[] = {
      {{}, ""},
      {{{"<sprite name=\"spr\"", "<sprite name=\"../x\""}}, "The sprite name '../x'"},
      {{{"<sound name=\"snd\"", "<sound name=\"my sound\""}}, "The sound name 'my sound'"},
      {{{"<music name=\"mus\"", "<music name=\"if\""}}, "The music name 'if'"},
      {{{"<background name=\"bg\"", "<background name=\"top\""}}, "The background name 'top'"},
      {{{"<font name=\"fnt\"", "<font name=\"random\""}}, "The font name 'random'"},
      {{{"<object name=\"obj\"", "<object name=\"2x\""}}, "The object name '2x'"},
      {{{"<scene name=\"scn\"", "<scene name=\"new\""}}, "The scene name 'new'"},
      {{{"<fn name=\"fun\"", "<fn name=\"a-b\""}}, "The function name 'a-b'"},
      {{{"<fn name=\"fun\"", "<fn name=\"\""}}, "The function name ''"},
      {{{"<fn name=\"fun\"", "<fn name=\"a&#10;b\""}}, "The function name 'a\nb'"},
      {{{"<sprite name=\"spr\"", "<sprite name=\"" + longName + "\""}},
       "The sprite name '" + std::string(60, 'a') + "...'"},
      // An instance, a script, a layer and a tile bear no global: their
      // names never reach game.js.
      {{{"name=\"SceneObject9\"", "name=\"a b\""},
        {"name=\"scr_5\"", "name=\"a b\""},
        {"name=\"layer_6\"", "name=\"a b\""},
        {"name=\"tile_8\"", "name=\"a b\""}},
       ""},
      // One name for two kinds: both are told, in the order of the kinds.
      {{{"<scene name=\"scn\"", "<scene name=\"spr\""}},
       "2 names cannot be used in a game: sprite 'spr', scene 'spr'."},
      {{{"<sprite name=\"spr\"", "<sprite name=\"a.b\""},
        {"<fn name=\"fun\"", "<fn name=\"class\""},
        {"<object name=\"obj\"", "<object name=\"x\""}},
       "3 names cannot be used in a game: sprite 'a.b', object 'x', function 'class'."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    openWith(c.replacements);
    bool written = generateGameFiles();
    if (c.message.empty()) {
      EXPECT_TRUE(written);
      EXPECT_TRUE(messages.empty());
      EXPECT_NE(slurp("Projects/g/game.js"), "old game");
      continue;
    }
    EXPECT_FALSE(written);
    std::string want = c.message;
    if (want.back() != '.') want += " cannot be used in a game.";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, "Error");
    EXPECT_EQ(messages[0].second, want + " " + notWritten);
    EXPECT_EQ(slurp("Projects/g/game.js"), "old game");
    EXPECT_EQ(slurp("Projects/g/index.html"), "old page");
    EXPECT_TRUE(statusTexts.empty()) << "no PROJECT SAVED.";
  }
}

TEST_F(ExportNamesTest, ManyNamesAreCountedAndTheFirstFiveShown) {
  openWith({});
  for (const char* name : {"s 1", "s 2", "s 3", "s 4", "s 5", "s 6", "s 6"}) appendSprite().name = name;
  appendSound().name = "s 7";
  deleteFile("Projects/g/game.js");
  EXPECT_FALSE(generateGameFiles());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].second,
            "7 names cannot be used in a game: sprite 's 1', sprite 's 2', sprite 's 3', sprite 's 4', "
            "sprite 's 5' and 2 more. " + notWritten);
  EXPECT_EQ(fileKind("Projects/g/game.js"), FILE_NONE);
}

TEST_F(ExportNamesTest, RunGameOpensNoPageForAGameNotWritten) {
  makeFolder("bin");
  writeFile("bin/xdg-open", "#!/bin/sh\ntouch \"" + currentFolder() + "opened\"\n");
  std::system("chmod +x bin/xdg-open");
  const std::string oldPath = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", (currentFolder() + "bin:" + oldPath).c_str(), 1);
  openWith({{"<sprite name=\"spr\"", "<sprite name=\"../x\""}});
  builderHooks.saveProject = [] { return true; };
  runGame();
  delayMs(200);
  setenv("PATH", oldPath.c_str(), 1);
  EXPECT_EQ(fileKind("opened"), FILE_NONE);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].second, "The sprite name '../x' cannot be used in a game. " + notWritten);
}

}  // namespace
