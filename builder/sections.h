// The generated texts that take the places of the template's markers in
// game.js. Each reads the record tables as they stand, changes nothing and
// returns its text; every line it makes ends with CR LF. Resources become
// global variables of their own names, made by constructors named "__" and
// the name; user functions become global functions.
#pragma once

#include <string>

std::string formatVersion();                    // "v1.3.0" for version 130
std::string generateSpritesSection();
std::string generateSoundsSection();
std::string generateMusicsSection();
std::string generateBackgroundsSection();
std::string generateFontsSection();
std::string generateGlobalVariablesSection();
std::string generateGlobalFunctionsSection();
std::string generateObjectsSection();
std::string generateScenesSection();

// 1 when a tile of the scene cuts from the background at the depth, else 0.
int sceneHasTiles(const std::string& sceneName, const std::string& backgroundName, int depth);
