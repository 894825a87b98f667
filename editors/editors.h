// The property windows of the resources and the game-level text windows.
// Each runs its own event loop and returns once its window has closed.
#pragma once

#include <string>

void editSprite(const std::string& name);
void editSound(const std::string& name);
void editMusic(const std::string& name);
void editBackground(const std::string& name);
void editFont(const std::string& name);
void editObject(const std::string& name);
void editFunction(const std::string& name);

void editGlobalVariables();
void editFunctionsText();
void editGameComments();
// A scene's creation code; `opener` (the scene window) is disabled meanwhile.
void editSceneCode(int sceneIndex, int opener);
// One event of an object: its kind, collision partner and code; `opener`
// (the object window) is disabled meanwhile. The partner list shows the
// event's own object under `typedObjectName`, the name its window's field
// holds, when that is not empty.
void editEventCode(int eventIndex, int opener, const std::string& typedObjectName = "");
