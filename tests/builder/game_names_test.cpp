#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "builder/game_names.h"
#include "project/tables.h"

namespace {

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The identifier at the start of a text, after blanks.
std::string leadingIdentifier(const std::string& text) {
  size_t i = text.find_first_not_of(" \t");
  std::string name;
  for (; i < text.size(); ++i) {
    char c = text[i];
    bool part = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$' ||
                (!name.empty() && c >= '0' && c <= '9');
    if (!part) break;
    name += c;
  }
  return name;
}

}  // namespace

// Each name against the rule it breaks first: an identifier only, then the
// language, the runtime, the browser, in that order ("vk_new" is the
// runtime's, "NaN" the language's although the browser has it too).
TEST(GameNames, TheRuleOfAGlobalName) {
  struct Case {
    const char* name;
    int fault;
  } cases[] = {
      {"hero", NAME_FITS}, {"_x", NAME_FITS}, {"$bag", NAME_FITS}, {"Player2", NAME_FITS},
      {"my_sprite", NAME_FITS}, {"onion", NAME_FITS}, {"zm", NAME_FITS}, {"vk", NAME_FITS},
      {"", NAME_NO_IDENTIFIER}, {"my sprite", NAME_NO_IDENTIFIER}, {"2x", NAME_NO_IDENTIFIER},
      {"a-b", NAME_NO_IDENTIFIER}, {"caf\xc3\xa9", NAME_NO_IDENTIFIER}, {"a.b", NAME_NO_IDENTIFIER},
      {"../x", NAME_NO_IDENTIFIER}, {"x\n", NAME_NO_IDENTIFIER}, {"new()", NAME_NO_IDENTIFIER},
      // the language
      {"new", NAME_RESERVED_WORD}, {"class", NAME_RESERVED_WORD}, {"let", NAME_RESERVED_WORD},
      {"undefined", NAME_RESERVED_WORD}, {"NaN", NAME_RESERVED_WORD}, {"arguments", NAME_RESERVED_WORD},
      // the runtime
      {"random", NAME_OF_RUNTIME}, {"instance_create", NAME_OF_RUNTIME}, {"c_red", NAME_OF_RUNTIME},
      {"x", NAME_OF_RUNTIME}, {"vk_left", NAME_OF_RUNTIME}, {"vk_new", NAME_OF_RUNTIME},
      {"zm_scenes", NAME_OF_RUNTIME}, {"__sprite_init__", NAME_OF_RUNTIME}, {"on_step_i", NAME_OF_RUNTIME},
      // the browser's window
      {"name", NAME_OF_BROWSER}, {"top", NAME_OF_BROWSER}, {"location", NAME_OF_BROWSER},
      {"status", NAME_OF_BROWSER}, {"self", NAME_OF_BROWSER}, {"parent", NAME_OF_BROWSER},
      {"length", NAME_OF_BROWSER}, {"document", NAME_OF_BROWSER}, {"Image", NAME_OF_BROWSER},
      {"Audio", NAME_OF_BROWSER}, {"Math", NAME_OF_BROWSER}, {"onload", NAME_OF_BROWSER},
      {"alert", NAME_OF_BROWSER},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(globalNameFault(c.name), c.fault) << c.name;
    EXPECT_EQ(isGlobalNameFree(c.name), c.fault == NAME_FITS ? 1 : 0) << c.name;
  }
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
  appendFont().name = "top";
  struct Case {
    const char* name;
    int kind;
    int fault;
  } cases[] = {
      {"ball", GAME_SPRITE, NAME_FITS},          {"ball", GAME_OBJECT, NAME_OF_OTHER_KIND},
      {"ball", GAME_MUSIC, NAME_OF_OTHER_KIND},  {"jump", GAME_SOUND, NAME_FITS},
      {"jump", GAME_MUSIC, NAME_OF_OTHER_KIND},  {"wall", GAME_OBJECT, NAME_FITS},
      {"wall", GAME_SPRITE, NAME_OF_OTHER_KIND}, {"SceneObject5", GAME_SPRITE, NAME_FITS},
      {"level", GAME_BACKGROUND, NAME_OF_OTHER_KIND}, {"helper", GAME_FONT, NAME_OF_OTHER_KIND},
      {"helper", GAME_FUNCTION, NAME_FITS},      {"fresh", GAME_SCENE, NAME_FITS},
      {"top", GAME_SPRITE, NAME_OF_BROWSER},     // the first rule broken is told
  };
  for (const Case& c : cases) {
    EXPECT_EQ(gameNameFault(c.name, c.kind), c.fault) << c.name << " " << c.kind;
    EXPECT_EQ(isGameNameUsable(c.name, c.kind), c.fault == NAME_FITS ? 1 : 0) << c.name << " " << c.kind;
  }
  clearProjectTables();
}

// The runtime grows: every name it declares at its top level and every name
// the code editor offers must stay out of the resources' reach.
TEST(GameNames, RuntimeNamesAreRefused) {
  std::string runtime = readText(ZM_RUNTIME_TEMPLATE), listed = readText(ZM_DATA_DIR "/keywords.dat");
  ASSERT_FALSE(runtime.empty());
  ASSERT_FALSE(listed.empty());
  std::vector<std::string> names;
  std::istringstream lines(runtime);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("function ", 0) == 0) {
      names.push_back(leadingIdentifier(line.substr(9)));
      continue;
    }
    size_t start = line.rfind("var ", 0) == 0 ? 4 : line.rfind("let ", 0) == 0 ? 4 : line.rfind("const ", 0) == 0 ? 6 : 0;
    if (start == 0) continue;
    // The declared names of a list: the parts between commas outside the
    // initialisers' brackets and quotes, up to the first semicolon.
    std::string part;
    int depth = 0;
    char quote = 0;
    for (size_t i = start; i <= line.size(); ++i) {
      // The end of the line ends the list, also within an initialiser that
      // goes on below.
      char c = i < line.size() ? line[i] : ';';
      if (i == line.size()) depth = 0, quote = 0;
      if (quote) {
        if (c == quote) quote = 0;
        continue;
      }
      if (c == '\'' || c == '"' || c == '`') quote = c;
      else if (c == '(' || c == '[' || c == '{') ++depth;
      else if (c == ')' || c == ']' || c == '}') --depth;
      if (depth == 0 && (c == ',' || c == ';')) {
        names.push_back(leadingIdentifier(part));
        part.clear();
        if (c == ';') break;
      } else if (depth == 0) {
        part += c;
      }
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
