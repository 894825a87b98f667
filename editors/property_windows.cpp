// The background window, so far the common frame alone, and the
// procedures the editing windows reach through the project model's hooks.
#include "editors/editor_frame.h"
#include "editors/editors.h"
#include "editors/property_frame.h"
#include "project/hooks.h"

int askYesNo(const std::string& title, const std::string& text) {
  return projectHooks.confirmYesNo ? projectHooks.confirmYesNo(title, text) : 0;
}

void rebuildResourcePanel() {
  if (projectHooks.refreshResourcePanel) projectHooks.refreshResourcePanel();
}

namespace {

void editFrameOnly(const PropertyKind& kind, const std::string& name) {
  PropertyFrame frame;
  if (openPropertyFrame(kind, name, frame)) runPropertyWindow(frame, {});
}

}  // namespace

void editBackground(const std::string& name) { editFrameOnly(backgroundKind, name); }
