// The name rule of the game as the editing windows apply it: the rule
// itself lives with the game builder, which tests a project by it before
// it writes the game.
#pragma once

#include <string>

#include "builder/game_names.h"

// "The name '...' cannot be used in a game"
std::string gameNameMessage(const std::string& name);
