// Making records: default values and a generated name (kind prefix and the
// next counter value, never tested against existing names).
#pragma once

#include <string>

// Each sets the modified flag, appends one record and returns its name.
std::string newSprite();
std::string newSound();
std::string newMusic();
std::string newBackground();
std::string newFont();
std::string newObject();      // an object definition, never an instance
std::string newScene();       // also makes the scene's first layer
std::string newFunction();

// Appends a layer of the scene at depth 1000000; the modified flag stays.
std::string newLayer(const std::string& sceneName);
// Appends an event record and returns its position in `scripts`; the
// modified flag stays, and an existing event of that kind is not looked for.
int addObjectEvent(const std::string& objectName, const std::string& eventKind,
                   const std::string& parameter);
