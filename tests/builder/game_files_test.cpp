// Template loading and filling, the page, writing the game files, the whole
// road from a saved project to a game that node accepts, and Run game.
#include "builder/game_files.h"

#include <stdlib.h>

#include <cstdlib>
#include <functional>
#include <set>

#include "builder_fixture.h"
#include "tests/support/failing_step.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/folder_files.h"
#include "tests/support/time_limited_child.h"
#include "tests/support/unreadable_file.h"
#include "project/deletes.h"
#include "project/project_file.h"
#include "project/save_files.h"
#include "ui/image.h"

namespace {

using TemplateTest = BuilderTest;

// The page as a browser gets it, written out whole: fifteen lines, each
// ended by LF.
const std::string fixedPage =
    "<html lang='en'>\n"
    "<head>\n"
    "<meta http-equiv='X-UA-Compatible' content='IE=edge' />\n"
    "<meta http-equiv='pragma' content='no-cache' />\n"
    "<meta name='apple-mobile-web-app-capable' content='yes' />\n"
    "<meta name='viewport' content='initial-scale=1.0, maximum-scale=1.0, user-scalable=0, "
    "width=device-width, height=device-height' />\n"
    "<meta name='apple-mobile-web-app-status-bar-style' content='black-translucent' />\n"
    "<meta charset='utf-8' />\n"
    "</head>\n"
    "<body style='background: black; margin: 0; padding: 0; overflow: hidden;'>\n"
    "<div id='zembrikgame'></div>\n"
    "<a style='text-decoration:none;font-size:11px;font-family:arial;color:rgb(255,255,255);' "
    "href='https://zembrik.example/'>Made with Zembrik Game Maker</a>\n"
    "<script type='text/javascript' src='game.js'></script>\n"
    "</body>\n"
    "</html>\n";

TEST_F(TemplateTest, ReadsOneBytePerCharacterAndMakesAMissingFile) {
  EXPECT_EQ(loadRuntimeTemplate(), "");
  EXPECT_EQ(fileKind("export.js"), FILE_REGULAR);
  EXPECT_EQ(fileSize("export.js"), 0);

  // A 0 byte adds nothing; a byte above 127 is the Latin-1 character.
  writeFile("export.js", std::string("a\0b\xC3\r\n\xFF", 7));
  EXPECT_EQ(loadRuntimeTemplate(), "ab\xC3\x83\r\n\xC3\xBF");
  EXPECT_EQ(exportTemplate, "ab\xC3\x83\r\n\xC3\xBF");
}

// A template that is there but cannot be read (not a missing one) fails
// the export with its Error and keeps the old game: a game without its
// runtime does not run. Read again at the next export, one made readable
// since serves.
TEST_F(TemplateTest, AnUnreadableTemplateFailsTheExport) {
  projectName = "game";
  makeFolder("Projects/game");
  writeFile("Projects/game/index.html", "old page");
  writeFile("Projects/game/game.js", "old game");
  scene("scene_1");
  const Files before = projectFiles();
  for (int how : {UNREADABLE_FOLDER, UNREADABLE_LOOP, UNREADABLE_DISK, UNREADABLE_PIPE}) {
    SCOPED_TRACE(unreadableName(how));
    ASSERT_TRUE(makeUnreadable("export.js", how));
    // Started beside a pipe, the program must not wait for its reader.
    ASSERT_EQ(runWithin(60, [] { return loadRuntimeTemplate().empty() && exportTemplateUnread ? 0 : 1; }), 0)
        << CHILD_STOPPED << ": it waited";
    loadRuntimeTemplate();
    messages.clear();
    statusTexts.clear();
    EXPECT_FALSE(generateGameFiles());
    EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{
                            {"Error", "The file export.js cannot be read."}}));
    EXPECT_TRUE(statusTexts.empty());
    EXPECT_EQ(projectFiles(), before);
    removeWhateverIsAt("export.js");
  }
  writeFile("export.js", "runtime //ZEMBRIK_SCENES");
  messages.clear();
  EXPECT_TRUE(generateGameFiles());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(slurp("Projects/game/game.js").substr(0, 8), "runtime ");
}

TEST_F(TemplateTest, ReplacesEachMarkerWhereTheTemplateHasIt) {
  projectInfo.variables = "var v;";
  // A marker inside a section put in stays as the project wrote it,
  // whether its section comes earlier or later.
  projectInfo.functions = "//ZEMBRIK_SPRITES";
  scene("scene_2").code = "//ZEMBRIK_VERSION";
  sprite("sprite_3");
  struct Case {
    const char* templateText;
    const char* want;
  } cases[] = {
      {"", ""},
      {"no markers\n", "no markers\n"},
      {"a /*x*///ZEMBRIK_VERSION; b\r\n", "a /*x*/v1.3.0; b\r\n"},
      {"//ZEMBRIK_GLOBAL_VARIABLES\n//ZEMBRIK_GLOBAL_VARIABLES", "var v;\nvar v;"},
      {"//zembrik_version //ZEMBRIK_VERSIONS", "//zembrik_version v1.3.0S"},
  };
  for (const Case& c : cases) EXPECT_EQ(fillTemplate(c.templateText), c.want) << c.templateText;

  std::string filled = fillTemplate("//ZEMBRIK_GLOBAL_FUNCTIONS\n//ZEMBRIK_SCENES");
  EXPECT_EQ(filled.find("//ZEMBRIK_SPRITES"), 0u);
  EXPECT_EQ(filled.find("function __sprite_3() { "), std::string::npos);
  EXPECT_NE(filled.find("\r\n//ZEMBRIK_VERSION\r\n};"), std::string::npos);
}

// Marker lines in a project's texts multiplied one another: each section
// holding the others gave a game.js thousands of times the project's size.
TEST_F(TemplateTest, MarkersInsideTheProjectDoNotMultiply) {
  std::string markers;
  for (const char* m : {"//ZEMBRIK_GLOBAL_FUNCTIONS", "//ZEMBRIK_GLOBAL_VARIABLES", "//ZEMBRIK_OBJECTS", "//ZEMBRIK_SCENES"})
    markers += std::string(m) + "\n";
  std::string lines;
  for (int i = 0; i < 20; ++i) lines += markers;
  projectInfo.variables = lines;
  projectInfo.functions = lines;
  scene("scene_2").code = lines;
  std::string filled = fillTemplate("//ZEMBRIK_GLOBAL_VARIABLES\n//ZEMBRIK_GLOBAL_FUNCTIONS\n//ZEMBRIK_SCENES\n");
  EXPECT_LT(filled.size(), 4 * lines.size() + 4096);
}

TEST_F(TemplateTest, PageIsFifteenFixedLines) {
  std::string page = indexHtmlText();
  EXPECT_EQ(page, fixedPage);
  EXPECT_EQ(std::count(page.begin(), page.end(), '\n'), 15);
  EXPECT_EQ(page.find('\r'), std::string::npos);
  EXPECT_EQ(page.substr(0, 24), "<html lang='en'>\n<head>\n");
  EXPECT_NE(page.find("\n<div id='zembrikgame'></div>\n<a style='text-decoration:none;"
                      "font-size:11px;font-family:arial;color:rgb(255,255,255);' href='"),
            std::string::npos);
  EXPECT_NE(page.find("'>Made with Zembrik Game Maker</a>\n<script type='text/javascript' "
                      "src='game.js'></script>\n</body>\n</html>\n"),
            std::string::npos);
  EXPECT_EQ(page.size() - page.rfind("</html>\n"), 8u);
}

class GameFilesTest : public BuilderTest {
 protected:
  void SetUp() override {
    BuilderTest::SetUp();
    projectName = "game";
    makeFolder("Projects/game");
  }
  std::string page() { return slurp("Projects/game/index.html"); }
};

TEST_F(GameFilesTest, WritesBothFilesThenShowsTheStatus) {
  exportTemplate = "start\n//ZEMBRIK_SCENES\nend\n";
  writeFile("Projects/game/game.js", "old game");
  scene("scene_2");
  generateGameFiles();
  EXPECT_EQ(page(), fixedPage);
  std::string game = slurp("Projects/game/game.js");
  EXPECT_EQ(game.substr(0, 29), "start\nfunction __scene_2() { ");
  const std::string tail = "zm_room_to_go = scene_2;\r\n\nend\n";
  EXPECT_EQ(game.substr(game.size() - tail.size()), tail);
  EXPECT_EQ(statusTexts,
            (std::vector<std::string>{"PROJECT SAVED.", "ready after 500"}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(GameFilesTest, WarnsAfterTheStatusWhenThereIsNoScene) {
  projectHooks.setStatusText = [this](const std::string& text) {
    messages.emplace_back("status", text);
  };
  builderHooks.readyAfter = [this](int) { messages.emplace_back("status", "ready later"); };
  generateGameFiles();
  EXPECT_EQ(fileSize("Projects/game/game.js"), 0);   // an empty template
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1], (std::pair<std::string, std::string>{"status", "ready later"}));
  EXPECT_EQ(messages[2],
            (std::pair<std::string, std::string>{"Warning", "There is no scene added."}));
}

TEST_F(GameFilesTest, UnnamedProjectWritesNothing) {
  projectName.clear();
  generateGameFiles();
  EXPECT_EQ(fileKind("Projects/index.html"), FILE_NONE);
  EXPECT_EQ(fileKind("Projects/game.js"), FILE_NONE);
  EXPECT_TRUE(statusTexts.empty());
  EXPECT_TRUE(messages.empty());
}

TEST_F(GameFilesTest, PageFollowsThePreference) {
  struct Case {
    int preference;
    const char* before;   // nullptr: no page
    std::string after;
  } cases[] = {
      {0, "<p>mine</p>", "<p>mine</p>"},
      {0, "", ""},
      {0, nullptr, fixedPage},
      {1, "<p>mine</p>", fixedPage},
      {1, nullptr, fixedPage},
  };
  scene("scene_2");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.preference);
    generateIndexHtml = c.preference;
    deleteFile("Projects/game/index.html");
    if (c.before) writeFile("Projects/game/index.html", c.before);
    generateGameFiles();
    EXPECT_EQ(page(), c.after);
  }
}

TEST_F(GameFilesTest, EnabledExtensionReachesTheGameAtTheNextWrite) {
  exportTemplate = "//ZEMBRIK_EXTENSIONS";
  makeFolder("Extensions");
  writeFile("Extensions/lib.tex", "[EXTENSION]\nLib\n[AUTHOR]\nMe\n[CODE]\nlib();\n");
  scene("scene_2");
  generateGameFiles();
  EXPECT_EQ(slurp("Projects/game/game.js"), "\r\n");
  writeFile("Projects/game/extensions.dat", "lib\n");
  generateGameFiles();
  EXPECT_EQ(slurp("Projects/game/game.js"), "/* Lib by Me */\r\n\r\nlib();\r\n\r\n");
}

// --- The whole road: game.js checked by node -------------------------------

bool validUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    unsigned char c = s[i];
    size_t n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 9;
    if (n == 9 || i + n >= s.size() + (n ? 0 : 1)) return false;
    for (size_t k = 1; k <= n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    i += n + 1;
  }
  return true;
}

// Runs node on the file; "" when it passes, else what node said.
std::string nodeSays(const std::string& args) {
  int rc = std::system(("node " + args + " > node.out 2>&1").c_str());
  std::string out;
  readFile("node.out", out);
  return rc == 0 ? "" : out.empty() ? "failed" : out;
}

void everyKind() {
  SpriteRecord& s = sprite("sprite_2");
  s.collisionshape = "Circle";
  FrameRecord& f = appendFrame();
  f.sprite = "sprite_2";
  f.file = "0";
  f.image = createImage(-1, 16, 24);
  newSound();
  sounds.back() = {"sound_3", "", "", "s.ogg"};
  newMusic();
  musics.back() = {"music_4", "m.wav", "m.mp3", ""};
  background("background_5", "b.png").tile = 1;
  font("font_6").bold = 1;
  ObjectRecord& o = object("object_7");
  o.sprite = "sprite_2";
  object("object_8").parent = "object_7";
  for (const char* kind : {"Creation", "Destroy", "Step", "End step", "Room start", "Room end",
                           "Animation end", "Draw"})
    script("object_7", kind, "score += 1;");
  script("object_7", "Collision", "score = 0;", "object_8");
  SceneRecord& sc = scene("scene_9");
  sc.background = "background_5";
  sc.viewportobject = "object_7";
  sc.code = "score = 10;";
  instance("SceneObject10", "object_7", "scene_9", 32, 48).direction = 90;
  tile("scene_9", "background_5", 1000000, {0, 0, 16, 16, 0, 0});
  newFunction();
  fns.back() = {"add", "a, b", "", "return a + b;"};
  projectInfo.variables = "var score = 0;";
  projectInfo.functions = "function twice(x) { return add(x, x); }";
  makeFolder("Extensions");
  writeFile("Extensions/lib.tex", "[EXTENSION]\nLib\n[AUTHOR]\nMe\n[CODE]\nvar lib = 1;\n");
}

class RoadTest : public GameFilesTest {
 protected:
  void SetUp() override {
    GameFilesTest::SetUp();
    std::string stub;
    ASSERT_TRUE(readFile(std::string(ZM_BUILDER_TEMPLATES) + "runtime_stub.js", stub));
    writeFile("export.js", stub);
    loadRuntimeTemplate();
    std::string node;
    if (!findOnPath("node", node)) GTEST_SKIP() << "node is not installed";
  }

  void expectPlayableGame() {
    std::string game = slurp("Projects/game/game.js");
    EXPECT_EQ(game.find("//ZEMBRIK_"), std::string::npos);
    EXPECT_NE(game.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_TRUE(validUtf8(game));
    EXPECT_EQ(nodeSays("--check Projects/game/game.js"), "");
    EXPECT_EQ(nodeSays("Projects/game/game.js"), "");
    EXPECT_EQ(slurp("node.out"), "ran v1.3.0\n");
    EXPECT_EQ(page(), fixedPage);
  }
};

TEST_F(RoadTest, SavedProjectOfEveryKindGivesAGameThatRuns) {
  everyKind();
  writeFile(workFolder + "/s.ogg", "ogg");
  writeFile(workFolder + "/m.wav", "wav");
  writeFile(workFolder + "/m.mp3", "mp3");
  writeFile(workFolder + "/b.png", "png");
  writeFile("Projects/game/extensions.dat", "lib\n");
  ASSERT_TRUE(writeProject());
  generateGameFiles();
  expectPlayableGame();
  EXPECT_NE(slurp("Projects/game/game.js").find("var lib = 1;"), std::string::npos);
}

TEST_F(RoadTest, BrokenReferencesAndOddTextsStillGiveAGameThatRuns) {
  struct Case {
    const char* what;
    std::function<void()> setup;
  } cases[] = {
      {"quotes, backslashes and line ends in file, folder and family names",
       [] {
         imgFolder = "im'g\\";
         audFolder = "a\nud";
         sounds.back().ogg = "it's\r.ogg";
         backgrounds.back().file = "b\\'.png";
         fonts.back().family = "O'Neil\xE2\x80\xA8";
         frames.back().file = "0'";
       }},
      {"a scene background without an image",
       [] {
         backgrounds.back().file.clear();
         tiles.clear();
       }},
      {"a scene background that is no background", [] { scenes.back().background = "gone"; }},
      {"deleted parent, followed object and collision partner",
       [] {
         // object_8 first, so that its instances and scripts go with it
         deleteObject("object_8");
         instance("SceneObject11", "object_7", "scene_9", 0, 0);
         objects[0].parent = "object_8";
         scenes.back().viewportobject = "object_8";
       }},
      {"mistyped names", [] {
         objects[1].parent = "Object_7";
         scripts.back().parameter = "objec_8";
         scenes.back().viewportobject = "object 7";
       }},
      {"a comment end in the extension's name and author",
       [] {
         writeFile("Extensions/my.lib.tex", "[EXTENSION]\nA*/B\n[AUTHOR]\n*/\n[CODE]\nvar b;\n");
         writeFile("Projects/game/extensions.dat", "lib\r\nmy.lib\r\n");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clearProjectTables();
    imgFolder = "img";
    audFolder = "aud";
    deleteFile("Projects/game/extensions.dat");
    everyKind();
    c.setup();
    generateGameFiles();
    expectPlayableGame();
  }
}

TEST_F(GameFilesTest, RealRuntimeTemplateTakesTheGame) {
  std::string runtime = ZM_RUNTIME_TEMPLATE;
  if (fileSize(runtime) <= 0) GTEST_SKIP() << runtime << " is not there yet";
  std::string node;
  if (!findOnPath("node", node)) GTEST_SKIP() << "node is not installed";
  ASSERT_TRUE(copyFile(runtime, "export.js"));
  loadRuntimeTemplate();
  everyKind();
  writeFile("Projects/game/extensions.dat", "lib\n");
  generateGameFiles();
  std::string game = slurp("Projects/game/game.js");
  EXPECT_EQ(game.find("//ZEMBRIK_"), std::string::npos);
  EXPECT_TRUE(validUtf8(game));
  EXPECT_NE(game.find("zm_room_to_go = scene_9;"), std::string::npos);
  EXPECT_EQ(nodeSays("--check Projects/game/game.js"), "");
}

// --- Run game ---------------------------------------------------------------

TEST(GamePageArgument, AbsolutePathOrFileUrl) {
  struct Case {
    const char* folder;
    const char* name;
    int protocol;
    const char* want;
  } cases[] = {
      {"/home/u/zm/", "game", 0, "/home/u/zm/Projects/game/index.html"},
      {"/home/u/my zm/", "a#1", 0, "/home/u/my zm/Projects/a#1/index.html"},
      {"/home/u/zm/", "game", 1, "file:///home/u/zm/Projects/game/index.html"},
      {"/home/u/my zm/", "a#1", 1, "file:///home/u/my%20zm/Projects/a%231/index.html"},
      {"/h/100%/", "caf\xC3\xA9?x=1&y", 1, "file:///h/100%25/Projects/caf%C3%A9%3Fx%3D1%26y/index.html"},
      {"/h/a-b_c.d~e/", "g", 1, "file:///h/a-b_c.d~e/Projects/g/index.html"},
      {"/h/", "g", 2, "/h/Projects/g/index.html"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(gamePageArgument(c.folder, c.name, c.protocol), c.want) << c.folder << c.name;
}

class RunGameTest : public GameFilesTest {
 protected:
  std::vector<std::string> calls;
  std::string oldPath;
  bool saveSucceeds = true;

  void SetUp() override {
    GameFilesTest::SetUp();
    builderHooks.saveProject = [this] {
      calls.push_back("save");
      return saveSucceeds;
    };
    projectHooks.setStatusText = [this](const std::string& t) { calls.push_back(t); };
    // A recording opener first on PATH.
    makeFolder("bin");
    writeFile("bin/xdg-open", "#!/bin/sh\nprintf '%s|' \"$@\" >> \"" + currentFolder() +
                                  "opened.part\"\nmv \"" + currentFolder() + "opened.part\" \"" +
                                  currentFolder() + "opened\"\n");
    std::system("chmod +x bin/xdg-open");
    oldPath = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", (currentFolder() + "bin:" + oldPath).c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", oldPath.c_str(), 1);
    GameFilesTest::TearDown();
  }
  std::string opened() {
    for (int i = 0; i < 200 && fileKind("opened") == FILE_NONE; ++i) delayMs(25);
    return slurp("opened");
  }
};

TEST_F(RunGameTest, UnnamedProjectIsRefused) {
  projectName.clear();
  runGame();
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{
                          {"Message", "Please save your game."}}));
}

TEST_F(RunGameTest, SavesWritesAndOpensThePage) {
  // A folder with a blank and "#" still opens.
  projectName = "my game#1";
  makeFolder("Projects/my game#1");
  scene("scene_2");
  for (int protocol : {0, 1}) {
    SCOPED_TRACE(protocol);
    calls.clear();
    deleteFile("opened");
    addFileProtocol = protocol;
    runGame();
    EXPECT_EQ(calls, (std::vector<std::string>{"save", "PROJECT SAVED."}));
    EXPECT_EQ(opened(), gamePageArgument(currentFolder(), projectName, protocol) + "|");
    EXPECT_EQ(fileKind(currentFolder() + "Projects/my game#1/index.html"), FILE_REGULAR);
    EXPECT_TRUE(messages.empty());
  }
}

TEST_F(RunGameTest, CodeThatDoesNotCompileIsNamedInAWarningAndTheGameStillOpens) {
  exportTemplate = "//ZEMBRIK_SCENES";
  scene("scene_2").code = "a = 1;\r\nif (a > 100 {";
  runGame();
  EXPECT_EQ(calls, (std::vector<std::string>{"save", "PROJECT SAVED."}));
  EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{
                          {"Warning", "Zembrik could not compile this code. If the browser refuses it too, the "
                                      "game runs without it:\n"
                                      "scene scene_2, line 2: missing ) after condition"}}));
  EXPECT_NE(slurp("Projects/game/game.js").find("this.start = zm_late_function("), std::string::npos);
  EXPECT_EQ(opened(), gamePageArgument(currentFolder(), projectName, 0) + "|");
}

TEST_F(RunGameTest, EmptyPageIsReportedAfterSaving) {
  generateIndexHtml = 0;
  writeFile("Projects/game/index.html", "");
  scene("scene_2");
  runGame();
  EXPECT_EQ(calls, (std::vector<std::string>{"save", "PROJECT SAVED."}));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].first, "Message");
  EXPECT_EQ(messages[0].second,
            "The INDEX.HTML file is missing. You can allow Zembrik to create it (enable it in "
            "the Preferences) or you can copy your file in the project folder.");
  delayMs(100);
  EXPECT_EQ(fileKind("opened"), FILE_NONE);
}

// The game files are replaced whole or not at all: a write, sync or rename
// that fails keeps both old files byte for byte (or, past the last rename,
// keeps the journal that finishes them), says which file in an "Error"
// message, shows no "PROJECT SAVED." and opens no browser.
TEST_F(RunGameTest, AFailedGameWriteKeepsTheOldGameAndOpensNothing) {
  scene("scene_2");
  exportTemplate = "new game //ZEMBRIK_SCENES";
  std::set<int> failedKinds;
  int unsyncedCommits = 0;
  for (int n = 1;; ++n) {
    SCOPED_TRACE("failing step " + std::to_string(n));
    writeFile("Projects/game/index.html", "<p>old page</p>");
    writeFile("Projects/game/game.js", "old game");
    calls.clear();
    messages.clear();
    deleteFile("opened");
    int seen;
    {
      FailingStep fault(n);
      runGame();
      seen = fault.seen;
      failedKinds.insert(fault.failedKinds.begin(), fault.failedKinds.end());
    }
    if (calls.size() > 1) {
      EXPECT_EQ(calls, (std::vector<std::string>{"save", "PROJECT SAVED."}));
      EXPECT_EQ(page(), fixedPage);
      EXPECT_FALSE(opened().empty());
      EXPECT_TRUE(messages.empty());
      if (seen < n) break;
      continue;
    }
    // A sync that fails after the last rename: the new game is in place but
    // may not outlast a power cut, so the old page waits beside it under the
    // journal, which the next Open or export finishes.
    if (slurp("Projects/game/game.js") != "old game") {
      ++unsyncedCommits;
      EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{
                              {"Error", "The file Projects/game/game.js cannot be written."}}));
      std::vector<DirEntry> journals;
      listFolder("Projects", ".zmjournal-game-*", journals);
      EXPECT_EQ(journals.size(), 1u);
      std::string error;
      EXPECT_TRUE(recoverSave("game", true, error)) << error;
      listFolder("Projects", ".zmjournal-game-*", journals);
      EXPECT_TRUE(journals.empty());
      EXPECT_EQ(page(), fixedPage);
      std::vector<DirEntry> entries;
      listFolder("Projects/game", "", entries);
      EXPECT_EQ(entries.size(), 2u) << "a backup was left";
      continue;
    }
    EXPECT_EQ(slurp("Projects/game/index.html"), "<p>old page</p>");
    EXPECT_EQ(slurp("Projects/game/game.js"), "old game");
    EXPECT_EQ(calls, std::vector<std::string>{"save"});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, "Error");
    EXPECT_TRUE(messages[0].second == "The file Projects/game/game.js cannot be written." ||
                messages[0].second == "The file Projects/game/index.html cannot be written.")
        << messages[0].second;
    std::vector<DirEntry> entries;
    listFolder("Projects/game", "", entries);
    EXPECT_EQ(entries.size(), 2u) << "a temporary file was left";
    delayMs(50);
    EXPECT_EQ(fileKind("opened"), FILE_NONE);
  }
  EXPECT_EQ(failedKinds, (std::set<int>{STEP_WRITE, STEP_SYNC, STEP_RENAME}));
  EXPECT_EQ(unsyncedCommits, 1);
}

// A full disk, here a file-size limit: the game was left cut off and the
// status said it was saved.
TEST_F(GameFilesTest, AGameThatDoesNotFitKeepsTheOldOne) {
  scene("scene_2");
  exportTemplate = std::string(100000, 'x');
  writeFile("Projects/game/game.js", "old game");
  bool written;
  {
    FileSizeLimit limit(65536);
    written = generateGameFiles();
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(slurp("Projects/game/game.js"), "old game");
  EXPECT_TRUE(statusTexts.empty());
  EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{
                          {"Error", "The file Projects/game/game.js cannot be written."}}));
}

}  // namespace

TEST_F(RunGameTest, FailedSaveStopsBeforeTheGameFiles) {
  saveSucceeds = false;
  writeFile("Projects/game/index.html", "<p>old page</p>");
  scene("scene_2");
  runGame();
  EXPECT_EQ(calls, std::vector<std::string>{"save"});
  EXPECT_EQ(slurp("Projects/game/index.html"), "<p>old page</p>");
  EXPECT_EQ(fileKind("Projects/game/game.js"), FILE_NONE);
  EXPECT_TRUE(messages.empty());   // the writer has reported its own error
  delayMs(100);
  EXPECT_EQ(fileKind("opened"), FILE_NONE);
}
