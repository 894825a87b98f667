#include <gtest/gtest.h>

#include "editors/game_names.h"
#include "project/tables.h"

// Each rule of the name check tells itself apart, and a clash names the
// resource that holds the name.
TEST(GameNameMessage, SaysWhichRuleANameBreaks) {
  clearProjectTables();
  appendSprite().name = "hero";
  appendSound().name = "jump";
  ObjectRecord& wall = appendObject();
  wall.prototype = 1;
  wall.name = "wall";
  appendObject().name = "SceneObject5";   // an instance is no global
  appendFunction().name = "both";
  appendBackground().name = "both";
  const std::string noJs = "is not a JavaScript name (letters, digits, _ and $, not starting with a digit)";
  const std::string word = "is a word of JavaScript or of the game";
  struct Case {
    const char* name;
    int kind;
    std::string why;   // after "The name '<name>' "; "" for a usable name
  } cases[] = {
      {"", GAME_SPRITE, noJs},
      {"level 1", GAME_SCENE, noJs},
      {"2x", GAME_OBJECT, noJs},
      {"a-b", GAME_FONT, noJs},
      {"caf\xc3\xa9", GAME_SOUND, noJs},
      {"class", GAME_FUNCTION, word},
      {"NaN", GAME_SCENE, word},
      {"random", GAME_MUSIC, word},
      {"instance_create", GAME_OBJECT, word},
      {"zm_scenes", GAME_SPRITE, "begins with 'zm_', which the game keeps for its own names"},
      {"vk_left", GAME_SPRITE, "begins with 'vk_', which the game keeps for its own names"},
      {"__mine", GAME_FONT, "begins with '__', which the game keeps for its own names"},
      {"top", GAME_SCENE, "is already a name of the browser's window"},
      {"jump", GAME_MUSIC, "is already the name of the sound 'jump'"},
      {"hero", GAME_SCENE, "is already the name of the sprite 'hero'"},
      {"wall", GAME_SPRITE, "is already the name of the object 'wall'"},
      {"both", GAME_SCENE, "is already the name of the background 'both'"},   // the first kind in order
      {"both", GAME_BACKGROUND, "is already the name of the function 'both'"},
      // Taken within the kind is the window's own test; no global clash here.
      {"jump", GAME_SOUND, ""},
      {"SceneObject5", GAME_SPRITE, ""},
      {"level_1", GAME_SCENE, ""},
      {"$bag", GAME_OBJECT, ""},
  };
  for (const Case& c : cases) {
    std::string want = c.why.empty() ? "" : "The name '" + std::string(c.name) + "' " + c.why;
    EXPECT_EQ(gameNameMessage(c.name, c.kind), want) << c.name << " " << c.kind;
  }
  clearProjectTables();
}
