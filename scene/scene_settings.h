// Scene window state that lives until the program ends; not saved.
#pragma once

extern int showGrid;
extern int gridSize;
extern int snapToGrid;
extern int showObjects;
extern int showTiles;
