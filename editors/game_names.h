// The name rule of the game as the editing windows apply it: the rule
// itself lives with the game builder, which tests a project by it before
// it writes the game.
#pragma once

#include <string>

#include "builder/game_names.h"

// Why a name typed for a resource of `kind` cannot be used in a game, as
// one sentence that starts "The name '...' " and says which rule the name
// breaks and, for a clash, with which resource; "" for a usable name.
std::string gameNameMessage(const std::string& name, int kind);
