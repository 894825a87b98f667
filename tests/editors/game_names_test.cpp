#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "editors/game_names.h"
#include "editors/picked_files.h"
#include "project/makers.h"
#include "project/tables.h"
#include "tests/support/temp_folder.h"
#include "ui/system.h"

namespace {

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TEST(GameNames, TheRuleOfAGlobalName) {
  struct Case {
    const char* name;
    int usable;
  } cases[] = {
      {"hero", 1}, {"_x", 1}, {"$bag", 1}, {"Player2", 1}, {"my_sprite", 1}, {"onion", 1},
      {"", 0}, {"my sprite", 0}, {"2x", 0}, {"a-b", 0}, {"caf\xc3\xa9", 0}, {"a.b", 0},
      // the language
      {"new", 0}, {"class", 0}, {"let", 0}, {"undefined", 0}, {"NaN", 0}, {"arguments", 0},
      // the runtime
      {"random", 0}, {"instance_create", 0}, {"c_red", 0}, {"x", 0}, {"vk_left", 0}, {"vk_anything", 0},
      {"zm_scenes", 0}, {"__sprite_init__", 0}, {"on_step_i", 0},
      // the browser's window
      {"name", 0}, {"top", 0}, {"location", 0}, {"status", 0}, {"self", 0}, {"parent", 0}, {"length", 0},
      {"document", 0}, {"Image", 0}, {"Audio", 0}, {"Math", 0}, {"onload", 0}, {"alert", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(isGlobalNameFree(c.name), c.usable) << c.name;
  EXPECT_EQ(gameNameMessage("my sprite"), "The name 'my sprite' cannot be used in a game");
}

TEST(GameNames, NamesOfOtherKindsAreTaken) {
  clearProjectTables();
  appendSprite().name = "ball";
  appendSound().name = "jump";
  ObjectRecord& definition = appendObject();
  definition.prototype = 1;
  definition.name = "wall";
  ObjectRecord& instance = appendObject();
  instance.name = "SceneObject5";   // an instance is no global
  appendScene().name = "level";
  appendFunction().name = "helper";
  struct Case {
    const char* name;
    int kind;
    int usable;
  } cases[] = {
      {"ball", GAME_SPRITE, 1},   {"ball", GAME_OBJECT, 0},       {"ball", GAME_MUSIC, 0},
      {"jump", GAME_SOUND, 1},    {"jump", GAME_MUSIC, 0},        {"wall", GAME_OBJECT, 1},
      {"wall", GAME_SPRITE, 0},   {"SceneObject5", GAME_SPRITE, 1}, {"level", GAME_BACKGROUND, 0},
      {"helper", GAME_FONT, 0},   {"helper", GAME_FUNCTION, 1},   {"fresh", GAME_SCENE, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(isGameNameUsable(c.name, c.kind), c.usable) << c.name << " " << c.kind;
  clearProjectTables();
}

// The runtime grows: every name it declares at its top level and every name
// the code editor offers must stay out of the resources' reach.
TEST(GameNames, RuntimeNamesAreRefused) {
  std::string runtime = readText(ZM_DATA_DIR "/export.js"), listed = readText(ZM_DATA_DIR "/keywords.dat");
  ASSERT_FALSE(runtime.empty());
  ASSERT_FALSE(listed.empty());
  std::vector<std::string> names;
  std::istringstream lines(runtime);
  std::regex function("^function\\s+([A-Za-z_$][\\w$]*)"), variable("^(?:var|let|const)\\s+(.*)");
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (std::regex_search(line, m, function)) names.push_back(m[1]);
    if (!std::regex_search(line, m, variable)) continue;
    // Declared names of a list, with the initialisers' brackets taken out.
    std::string list = m[1], before;
    std::regex nested("\\{[^{}]*\\}|\\[[^\\[\\]]*\\]|\\([^()]*\\)|'[^']*'|\"[^\"]*\"|`[^`]*`");
    do {
      before = list;
      list = std::regex_replace(list, nested, "");
    } while (list != before);
    list = list.substr(0, list.find(';'));
    std::istringstream parts(list);
    for (std::string part; std::getline(parts, part, ',');) {
      std::smatch n;
      if (std::regex_search(part, n, std::regex("^\\s*([A-Za-z_$][\\w$]*)"))) names.push_back(n[1]);
    }
  }
  EXPECT_GT(names.size(), 300u);
  std::istringstream records(listed);
  int row = 0;
  for (std::string line; std::getline(records, line); ++row) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (row % 3 == 0 && line.size() > 1) names.push_back(line.substr(1));
  }
  for (const std::string& name : names) EXPECT_EQ(isGlobalNameFree(name), 0) << name;
}

TEST(PickedFiles, APickedFileNeverTakesAnotherFilesPlace) {
  TempFolder folder;
  clearProjectTables();
  workFolder = "work";
  makeFolder("work");
  makeFolder("picks");
  writeFile("picks/jump.wav", "new jump");
  writeFile("picks/same.wav", "same bytes");
  writeFile("picks/a_0.png", "a background");
  writeFile("picks/free.wav", "");
  writeFile("work/jump.wav", "old jump");
  writeFile("work/same.wav", "same bytes");
  writeFile("work/jump_2.wav", "stray");
  appendSound().wav = "jump.wav";
  appendMusic().wav = "same.wav";
  appendFrame() = {"0", "a", -1};
  std::vector<std::string> taken = workFileNamesInUse();
  EXPECT_EQ(pickedFileName("picks/jump.wav", taken), "jump_3.wav") << "jump_2.wav is in the folder";
  EXPECT_EQ(pickedFileName("picks/same.wav", taken), "same.wav") << "the very same file is shared";
  EXPECT_EQ(pickedFileName("picks/a_0.png", taken), "a_0_2.png") << "a frame file's name";
  EXPECT_EQ(pickedFileName("picks/free.wav", taken), "free.wav");
  dropOneName(taken, "jump.wav");   // the field that the pick replaces
  EXPECT_EQ(pickedFileName("picks/jump.wav", taken), "jump.wav");
  EXPECT_TRUE(copyPickedFile("picks/free.wav", "free.wav"));
  EXPECT_EQ(fileSize("work/free.wav"), 0) << "a file of 0 bytes is copied like any other";
  EXPECT_EQ(filePart("/home/me/sounds/jump.wav"), "jump.wav");
  EXPECT_EQ(filePart("jump.wav"), "jump.wav");
  clearProjectTables();
}
