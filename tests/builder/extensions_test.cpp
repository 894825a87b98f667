// Extension files, the project's extensions.dat and the details text.
#include "builder/extensions.h"

#include <algorithm>

#include "builder/game_files.h"
#include "builder_fixture.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/unreadable_file.h"

namespace {

using ExtensionTest = BuilderTest;

TEST_F(ExtensionTest, ParsesSectionsByHeaderLines) {
  struct Case {
    const char* what;
    const char* text;
    ExtensionRecord want;
  } cases[] = {
      {"every section, LF",
       "[EXTENSION]\nFoo\n[AUTHOR]\nBar\n[DESCRIPTION]\nd1\nd2\n[HELP]\nh\n[CODE]\nc1\nc2\n",
       {"", "Foo", "Bar", "\r\nd1\r\nd2\r\n", "\r\nh\r\n", "\r\nc1\r\nc2\r\n", 0}},
      {"CR and CR LF ends, lines before a header dropped, name over two lines",
       "junk\r\n[EXTENSION]\rFo\r\no\n[AUTHOR]\r\nA\rB",
       {"", "Foo", "AB", "", "", "", 0}},
      {"a header with a blank after it is an ordinary line",
       "[CODE]\nx\n[CODE] \ny",
       {"", "", "", "", "", "\r\nx\r\n[CODE] \r\ny\r\n", 0}},
      {"a repeated section collects again, its header adding an empty line",
       "[CODE]\na\n[HELP]\nh\n[CODE]\nb\n",
       {"", "", "", "", "\r\nh\r\n", "\r\na\r\n\r\nb\r\n", 0}},
      {"headers are case-sensitive; no section: nothing", "[code]\nx\n",
       {"", "", "", "", "", "", 0}},
      {"blanks and UTF-8 kept as they stand", "[EXTENSION]\n  Gr\xC3\xBC\xC3\x9F \n",
       {"", "  Gr\xC3\xBC\xC3\x9F ", "", "", "", "", 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ExtensionRecord got = parseExtension(c.text);
    EXPECT_EQ(got.name, c.want.name);
    EXPECT_EQ(got.author, c.want.author);
    EXPECT_EQ(got.description, c.want.description);
    EXPECT_EQ(got.help, c.want.help);
    EXPECT_EQ(got.code, c.want.code);
  }
}

TEST_F(ExtensionTest, LoadsInstalledFilesAndTheProjectChoice) {
  projectName = "game";
  makeFolder("Projects/game");
  makeFolder("Extensions");
  makeFolder("Extensions/folder.tex");   // a folder, passed over
  writeFile("Extensions/my.texture.tex", "[EXTENSION]\nTexture\n[CODE]\ntex();\n");
  writeFile("Extensions/Case.tex", "[EXTENSION]\nUpper\n");
  writeFile("Extensions/case.tex", "[EXTENSION]\nLower\n");
  writeFile("Extensions/notes.txt", "[EXTENSION]\nNot one\n");
  // Lines ended by CR LF as well as LF; an empty line gives an empty entry.
  writeFile("Projects/game/extensions.dat", "my.texture\r\ncase\n\n");

  loadExtensions();
  EXPECT_EQ(enabledExtensions, (std::vector<std::string>{"my.texture", "case", ""}));
  ASSERT_EQ(extensions.size(), 3u);
  auto find = [](const std::string& fileName) {
    return std::find_if(extensions.begin(), extensions.end(),
                        [&](const ExtensionRecord& r) { return r.fileName == fileName; });
  };
  ASSERT_NE(find("my.texture"), extensions.end());
  EXPECT_EQ(find("my.texture")->name, "Texture");
  EXPECT_EQ(find("my.texture")->code, "\r\ntex();\r\n");
  EXPECT_EQ(find("my.texture")->enabled, 1);
  EXPECT_EQ(find("case")->enabled, 1);
  EXPECT_EQ(find("Case")->enabled, 0);
  EXPECT_EQ(find("Case")->name, "Upper");
}

TEST_F(ExtensionTest, MissingFolderOrListMeansNone) {
  projectName = "game";
  makeFolder("Projects/game");
  writeFile("Projects/game/extensions.dat", "");
  loadExtensions();
  EXPECT_TRUE(extensions.empty());
  EXPECT_TRUE(enabledExtensions.empty());

  makeFolder("Extensions");
  writeFile("Extensions/a.tex", "[EXTENSION]\nA\n");
  deleteFile("Projects/game/extensions.dat");
  loadExtensions();
  ASSERT_EQ(extensions.size(), 1u);
  EXPECT_EQ(extensions[0].enabled, 0);

  // An unnamed project has no folder and no choice.
  projectName.clear();
  writeFile("Projects/extensions.dat", "a\n");
  loadExtensions();
  EXPECT_TRUE(enabledExtensions.empty());
}

// The game's extensions are read before anything is written: what is there
// but cannot be read (the folder, an extension file, enabled or not, the
// project's list) stops the export with an "Error", the old game kept.
TEST_F(ExtensionTest, WhatCannotBeReadKeepsTheOldGame) {
  projectName = "game";
  makeFolder("Projects/game");
  scene("scene_1");
  exportTemplate = "game //ZEMBRIK_EXTENSIONS";
  struct Case {
    const char* path;
    int how;
    std::string message;
  } cases[] = {
      {"Extensions", UNREADABLE_LOOP, "The folder Extensions cannot be read."},
      {"Extensions/on.tex", UNREADABLE_DISK, "The file Extensions/on.tex cannot be read."},
      {"Extensions/off.tex", UNREADABLE_DISK, "The file Extensions/off.tex cannot be read."},
      {"Projects/game/extensions.dat", UNREADABLE_DISK,
       "The file Projects/game/extensions.dat cannot be read."},
      {"Projects/game/extensions.dat", UNREADABLE_FOLDER,
       "The file Projects/game/extensions.dat cannot be read."},
      {"Projects/game/extensions.dat", UNREADABLE_LOOP,
       "The file Projects/game/extensions.dat cannot be read."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " is " + unreadableName(c.how));
    removeWhateverIsAt("Extensions");
    makeFolder("Extensions");
    writeFile("Extensions/on.tex", "[EXTENSION]\nOn\n[CODE]\non();\n");
    writeFile("Extensions/off.tex", "[EXTENSION]\nOff\n[CODE]\noff();\n");
    removeWhateverIsAt("Projects/game/extensions.dat");
    writeFile("Projects/game/extensions.dat", "on\n");
    writeFile("Projects/game/game.js", "old game");
    writeFile("Projects/game/index.html", "old page");
    ASSERT_TRUE(makeUnreadable(c.path, c.how));
    messages.clear();
    statusTexts.clear();
    EXPECT_FALSE(generateGameFiles());
    EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{{"Error", c.message}}));
    EXPECT_TRUE(statusTexts.empty());
    EXPECT_EQ(slurp("Projects/game/game.js"), "old game");
    EXPECT_EQ(slurp("Projects/game/index.html"), "old page");
    EXPECT_TRUE(extensions.empty());
  }
  // Missing, the folder and the list mean no extension, as ever.
  removeWhateverIsAt("Extensions");
  removeWhateverIsAt("Projects/game/extensions.dat");
  writeFile("Projects/game/extensions.dat", "on\n");
  messages.clear();
  EXPECT_TRUE(generateGameFiles());
  EXPECT_EQ(slurp("Projects/game/game.js"), "game ");
  removeWhateverIsAt("Projects/game/extensions.dat");
  makeFolder("Extensions");
  writeFile("Extensions/on.tex", "[CODE]\non();\n");
  EXPECT_TRUE(generateGameFiles());
  EXPECT_EQ(slurp("Projects/game/game.js"), "game \r\n");
  EXPECT_TRUE(messages.empty());
}

TEST_F(ExtensionTest, WritesTheChoiceOneNameALine) {
  projectName = "game";
  makeFolder("Projects/game");
  writeFile("Projects/game/extensions.dat", "old\nlist\n");
  writeEnabledExtensions({"b", "my.texture"});
  EXPECT_EQ(slurp("Projects/game/extensions.dat"), "b\nmy.texture\n");
  writeEnabledExtensions({});
  EXPECT_EQ(fileSize("Projects/game/extensions.dat"), 0);
  loadEnabledExtensions();
  EXPECT_TRUE(enabledExtensions.empty());
}

// A write that fails (here at a file-size limit, as on a full disk)
// keeps the old list instead of an empty or cut-off one, and says so.
TEST_F(ExtensionTest, AFailedWriteKeepsTheOldList) {
  projectName = "game";
  makeFolder("Projects/game");
  writeFile("Projects/game/extensions.dat", "old\n");
  std::vector<std::string> many(2000, "an_extension_name");
  bool written;
  {
    FileSizeLimit full(4096);
    written = writeEnabledExtensions(many);
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(slurp("Projects/game/extensions.dat"), "old\n");
  EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{
                          {"Error", "The file Projects/game/extensions.dat cannot be written."}}));
  std::vector<DirEntry> entries;
  listFolder("Projects/game", "", entries);
  EXPECT_EQ(entries.size(), 1u) << "a temporary file was left";
}

TEST_F(ExtensionTest, DetailsTextPutsSectionsUnderTheirLabels) {
  ExtensionRecord r = parseExtension(
      "[EXTENSION]\nFoo\n[AUTHOR]\nBar\n[DESCRIPTION]\nDoes it.\n[HELP]\nfoo()\n");
  EXPECT_EQ(extensionDetailsText(r),
            "NAME:Foo\rAUTHOR: Bar\r\rDESCRIPTION: \r\nDoes it.\r\nHELP:\r\nfoo()\r\n");
}

}  // namespace
