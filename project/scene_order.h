// Moving a scene one place towards the start or the end of the scene order
// (the first scene is the one the game starts with). The modified flag stays.
#pragma once

#include <string>

// Each trades the first scene of that name that has such a neighbour with its neighbour and rebuilds
// the resource panel; at the edge of the table nothing happens at all.
void moveSceneBackward(const std::string& name);
void moveSceneForward(const std::string& name);
