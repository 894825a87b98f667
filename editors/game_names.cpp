#include "editors/game_names.h"

std::string gameNameMessage(const std::string& name) {
  return "The name '" + name + "' cannot be used in a game";
}
