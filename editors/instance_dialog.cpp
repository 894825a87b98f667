#include "editors/instance_dialog.h"

#include "imaging/rotate_image.h"
#include "project/file_names.h"
#include "project/tables.h"
#include "ui/image.h"
#include "ui/ui.h"

namespace {

struct InstanceFields {
  int x, y, direction, angle;
};

int numberField(int labelY, const std::string& label, int value, const char* name) {
  textGadget(UI_ANY, 10, labelY, 150, 25, label);
  int field = stringGadget(UI_ANY, 170, labelY - 5, 100, 25, std::to_string(value));
  nameGadget(field, name);
  return field;
}

}  // namespace

// The display image follows the sprite as it is now: the sprite window may
// have replaced the frames (and freed the old images) since the scene
// window took them.
void rebuildDisplayImage(ObjectRecord& o) {
  noteTablesChanged();
  if (o.rotatedImage > 0 && isImage(o.rotatedImage)) freeImage(o.rotatedImage);
  o.rotatedImage = -1;
  o.image = spriteFirstFrameImage(o.sprite);
  if (!isImage(o.image)) {
    o.image = -1;
    o.imageWidth = 15;
    o.imageHeight = 15;
    return;
  }
  o.imageWidth = imageWidth(o.image);
  o.imageHeight = imageHeight(o.image);
  int turned = o.image_angle != 0
                   ? rotateImage(o.image, float(o.image_angle), ROTATE_BILINEAR, rgb(255, 255, 255))
                   : copyImage(o.image, UI_ANY);
  o.rotatedImage = turned ? turned : -1;
}

void editInstance(int instanceIndex, int parentWindow) {
  if (instanceIndex < 0 || instanceIndex >= int(objects.size())) return;
  if (parentWindow) disableWindow(parentWindow, true);
  const ObjectRecord& shown = objects[size_t(instanceIndex)];
  int window = openWindow(UI_ANY, 0, 0, 280, 220, "Instance properties - " + shown.name,
                          WIN_TITLEBAR | WIN_SCREENCENTERED, parentWindow);
  InstanceFields f;
  f.x = numberField(15, "X", shown.x, "x");
  f.y = numberField(45, "Y", shown.y, "y");
  f.direction = numberField(75, "Direction", shown.direction, "direction");
  f.angle = numberField(105, "Image angle", shown.image_angle, "image angle");
  int ok = buttonGadget(UI_ANY, 280 - 75, 220 - 35, 65, 25, "OK");
  int cancel = buttonGadget(UI_ANY, 10, 220 - 35, 65, 25, "Cancel");
  for (;;) {
    if (waitWindowEvent() != EV_GADGET || eventWindow() != window) continue;
    if (eventGadget() == cancel) break;
    if (eventGadget() != ok) continue;
    ObjectRecord& o = objects[size_t(instanceIndex)];
    o.x = textValue(getGadgetText(f.x));
    o.y = textValue(getGadgetText(f.y));
    o.direction = textValue(getGadgetText(f.direction));
    o.image_angle = textValue(getGadgetText(f.angle));
    rebuildDisplayImage(o);
    setModified(1);
    break;
  }
  if (parentWindow) disableWindow(parentWindow, false);
  closeWindow(window);
}
