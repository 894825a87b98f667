// The names a resource may take. Every sprite, sound, music, background,
// font, object definition, scene and function becomes a global of the
// game's script, so a name that is no identifier, that the language
// reserves, that the runtime or the browser's window already owns, or that
// a resource of another kind holds, breaks the game page. The windows
// refuse such a name when it is typed; a project read from a file may hold
// one all the same, and the game is then not written.
#pragma once

#include <string>
#include <vector>

enum GameNameKind : int {
  GAME_SPRITE,
  GAME_SOUND,
  GAME_MUSIC,
  GAME_BACKGROUND,
  GAME_FONT,
  GAME_OBJECT,
  GAME_SCENE,
  GAME_FUNCTION,
};

// The rule a name breaks; when it breaks several, the first in this order.
enum GameNameFault : int {
  NAME_FITS = 0,
  NAME_NO_IDENTIFIER,   // empty, a digit first, or a character other than A-Z, a-z, 0-9, "_" and "$"
  NAME_RESERVED_WORD,   // the language's, in strict code too, and its globals that cannot be assigned
  NAME_OF_RUNTIME,      // a global of the runtime, or one of its private prefixes
  NAME_OF_BROWSER,      // a name of the browser's window
  NAME_OF_OTHER_KIND,   // a resource of another kind bears it (object instances bear no global)
};

// The first four rules, which need no project.
int globalNameFault(const std::string& name);
// All five, against the record tables as they stand.
int gameNameFault(const std::string& name, int kind);

// What a refusal tells: the kind of the first record, in the order of the
// kinds, of a kind other than `kind` that bears the name (-1 when none
// does); the kind as messages name it ("sprite", "sound", ...); the
// runtime's private prefix that the name begins with ("" for none).
int otherKindWithName(const std::string& name, int kind);
const char* gameKindWord(int kind);
std::string runtimePrefixOf(const std::string& name);

// 1 when globalNameFault gives NAME_FITS; 0 otherwise.
int isGlobalNameFree(const std::string& name);
// 1 when gameNameFault gives NAME_FITS; 0 otherwise.
int isGameNameUsable(const std::string& name, int kind);

struct UnusableName {
  int kind;   // GameNameKind
  std::string name;
  int fault;   // GameNameFault
};
// The resources whose names break a rule, kind by kind in the order above
// and in table order within a kind; a name that several records of one
// kind bear comes once.
std::vector<UnusableName> unusableGameNames();
// The export's test before it writes anything: when a name breaks a rule,
// one "Error" message names the first few and their count, and 1 comes
// back; 0 when every name fits.
int refuseUnusableGameNames();
