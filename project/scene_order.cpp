#include "project/scene_order.h"

#include <utility>

#include "project/hooks.h"
#include "project/tables.h"

// With two scenes of one name, the first scene is never the one that moves
// backward, nor the last the one that moves forward: the walk skips them.
void moveSceneBackward(const std::string& name) {
  for (size_t i = 1; i < scenes.size(); ++i)
    if (scenes[i].name == name) {
      std::swap(scenes[i - 1], scenes[i]);
      setModified(1);
      projectHooks.refreshResourcePanel();
      return;
    }
}

void moveSceneForward(const std::string& name) {
  for (size_t i = 0; i + 1 < scenes.size(); ++i)
    if (scenes[i].name == name) {
      std::swap(scenes[i], scenes[i + 1]);
      setModified(1);
      projectHooks.refreshResourcePanel();
      return;
    }
}
