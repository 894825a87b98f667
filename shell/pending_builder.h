// Game builder and code editor procedures that the shell calls. Until those
// libraries provide them, pending_builder.cpp stands in.
#pragma once

#include <string>

// Reads export.js from the program folder into exportTemplate.
void loadRuntimeTemplate();
// Writes game.js and index.html of the named project and shows the status.
void generateGameFiles();
void runGame();
void chooseExtensions();
// Fills the identifier table: keywords.dat, then the key-code constants.
void loadKeywords();

// The function exchange dialogs of the project model.
void exportFunctions();
void importFunctions();
