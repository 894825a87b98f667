#include "editors/game_names.h"

std::string gameNameMessage(const std::string& name, int kind) {
  const std::string start = "The name '" + name + "' ";
  switch (gameNameFault(name, kind)) {
    case NAME_NO_IDENTIFIER:
      return start + "is not a JavaScript name (letters, digits, _ and $, not starting with a digit)";
    case NAME_RESERVED_WORD:
      return start + "is a word of JavaScript or of the game";
    case NAME_OF_RUNTIME: {
      // A private prefix covers names the game has not made yet as well.
      std::string prefix = runtimePrefixOf(name);
      if (!prefix.empty()) return start + "begins with '" + prefix + "', which the game keeps for its own names";
      return start + "is a word of JavaScript or of the game";
    }
    case NAME_OF_BROWSER:
      return start + "is already a name of the browser's window";
    case NAME_OF_OTHER_KIND:
      return start + "is already the name of the " + gameKindWord(otherKindWithName(name, kind)) + " '" + name + "'";
    default:
      return "";
  }
}
