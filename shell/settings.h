// The shell's own global settings, and the way to every other global value
// that start-up sets and the preferences read and write.
#pragma once

#include <string>

#include "editors/editor_settings.h"
#include "project/tables.h"
#include "scene/scene_settings.h"
#include "builder/settings.h"
#include "codeeditor/editor_settings.h"

extern int checkVersionAtStart;   // preference CheckProgramVersion
extern int confirmExitFlag;       // preference ConfirmExit
extern int serverVersion;         // last number read from the version-check server

// Sets every global setting to its start-up value, in the start-up order.
void initGlobals();
