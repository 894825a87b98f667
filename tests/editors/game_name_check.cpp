// Reads names, one a line, and prints those that a resource could take as
// its name. The runtime tests feed it the names of the browser's window.
#include <iostream>
#include <string>

#include "builder/game_names.h"

int main() {
  for (std::string name; std::getline(std::cin, name);)
    if (!name.empty() && isGlobalNameFree(name) == 1) std::cout << name << "\n";
  return 0;
}
