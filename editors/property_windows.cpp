// The procedures the editing windows reach through the project model's hooks.
#include "editors/editor_frame.h"
#include "editors/editors.h"
#include "project/hooks.h"

int askYesNo(const std::string& title, const std::string& text) {
  return projectHooks.confirmYesNo ? projectHooks.confirmYesNo(title, text) : 0;
}

void rebuildResourcePanel() {
  if (projectHooks.refreshResourcePanel) projectHooks.refreshResourcePanel();
}
