// The names a resource may take. Every sprite, sound, music, background,
// font, object definition, scene and function becomes a global of the
// game's script, so a name that is no identifier, that the language
// reserves, that the runtime or the browser's window already owns, or that
// a resource of another kind holds, breaks the game page.
#pragma once

#include <string>

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

// 1 when the name is an ASCII identifier that neither the language, the
// runtime nor the browser's window owns; 0 otherwise.
int isGlobalNameFree(const std::string& name);
// 1 when the name is free as above and no resource of another kind than
// `kind` bears it (object instances bear no global); 0 otherwise.
int isGameNameUsable(const std::string& name, int kind);
// "The name '...' cannot be used in a game"
std::string gameNameMessage(const std::string& name);
