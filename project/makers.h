// Making records: default values and a generated name (kind prefix and the
// next counter value; resource names are not tested against existing ones,
// the names of layers, instances and tiles are, see below).
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

// The generated names of layers, placed instances and tiles: the prefix and
// the next counter value, taking further values until no record of the
// table (layers; objects, definitions and instances; tiles) has the name;
// once the counter stands at its top, "_2", "_3"... is added instead.
std::string freeLayerName();
std::string freeInstanceName();   // "SceneObject" + counter
std::string freeTileName();

// Appends a layer of the scene at depth 1000000 under freeLayerName(); the
// modified flag stays.
std::string newLayer(const std::string& sceneName);
// Appends an event record and returns its position in `scripts`; the
// modified flag stays, and an existing event of that kind is not looked for.
int addObjectEvent(const std::string& objectName, const std::string& eventKind,
                   const std::string& parameter);
