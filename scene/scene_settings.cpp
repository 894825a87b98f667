#include "scene/scene_settings.h"

int showGrid = 1;
int gridSize = 20;
int snapToGrid = 1;
int showObjects = 1;
int showTiles = 1;
