// The game: Projects/N/game.js (the runtime template with its markers
// replaced by the generated sections) and Projects/N/index.html (a fixed
// page that loads it), and Run game, which opens the page in the browser.
#pragma once

#include <string>

// Reads export.js of the program folder one byte per character (a missing
// file is created empty; one that cannot be read gives "" and sets
// exportTemplateUnread) and returns it as UTF-8; also keeps it in
// exportTemplate.
std::string loadRuntimeTemplate();

// The template with each of the eleven markers replaced, in their order,
// by its section; each step works on the whole text built so far. The
// pieces of code that do not compile are left in codeProblems.
std::string fillTemplate(const std::string& templateText);

// The fifteen lines of index.html, each ended by LF.
std::string indexHtmlText();

// Reloads the extensions; for a named project whose names all fit the
// game (refuseUnusableGameNames) writes index.html (when the preference
// asks for it or the page is missing) and game.js, shows "PROJECT SAVED."
// for half a second, warns of the pieces of code that do not compile, and
// warns when there is no scene. A file that cannot
// be written keeps both old files and is reported in an "Error" message
// instead, as is an export.js that could not be read (read again first);
// returns whether the game files were written.
bool generateGameFiles();

// The argument handed to the browser opener: the absolute path of the page,
// or with fileProtocol 1 a file:// URL with percent-encoded path segments.
// `folder` is the program folder, ending in "/".
std::string gamePageArgument(const std::string& folder, const std::string& name, int fileProtocol);

// Run game: refuses an unnamed project, saves, writes the game files and
// opens index.html with xdg-open; a failed save or game write opens nothing.
void runGame();
