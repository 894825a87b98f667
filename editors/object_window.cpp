// The object window.
#include "editors/editors.h"
#include "editors/property_frame.h"

void editObject(const std::string& name) {
  PropertyFrame frame;
  if (openPropertyFrame(objectKind, name, frame)) runPropertyWindow(frame, {});
}
