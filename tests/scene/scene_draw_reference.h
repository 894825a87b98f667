// The scene view's picture as it was drawn before the drawing order was kept
// from tick to tick: every record of the project walked and every instance
// and tile of the scene looked up in the store on every tick. Kept as the
// reference that the tests compare the kept order's pictures with, and that
// the benchmarks time beside it.
#pragma once

#include <string>
#include <vector>

#include "scene/scene_draw.h"

// The scene's instances (table order), then its tiles, stably by depth,
// largest first, walked from the whole tables.
std::vector<SceneDrawEntry> referenceDrawOrder(const std::string& sceneName);

// What drawSceneView draws and returns, the old way.
std::string referenceDrawSceneView(int target, int originX, int originY, const SceneViewInput& in);
