// The sprite window: origin and collision shape written as they change, an
// animated preview drawn from the frames at each tick, and the buttons that
// open the frame editor and import or export an image strip.
#include <string>

#include "editors/editor_settings.h"
#include "editors/editors.h"
#include "editors/property_frame.h"
#include "imaging/frame_editor.h"
#include "imaging/frame_list.h"
#include "imaging/sprite_preview.h"
#include "project/file_names.h"
#include "project/tables.h"
#include "ui/image.h"
#include "ui/ui.h"

namespace {

constexpr int PREVIEW_TIMER = 1;

struct SpriteWindow {
  PropertyFrame frame;
  int load = 0, save = 0, edit = 0, sizeLabel = 0, area = 0, canvas = 0, showShape = 0, speed = 0, zoom = 0;
  int originX = 0, originY = 0, center = 0, shape = 0, radius = 0, left = 0, right = 0, top = 0, bottom = 0;
  int w = 0, h = 0;              // the sprite's size: its last frame's, kept when it has none
  int frameCount = 0, shown = 0; // the preview's frames and the one it shows next
};

SpriteRecord& record(const SpriteWindow& s) { return sprites[size_t(s.frame.index)]; }

int previewInterval() { return previewIntervalFor(previewSpeed); }

int numberField(int x, int y, int value, int flags, const std::string& name) {
  int field = stringGadget(UI_ANY, x, y, 50, 25, std::to_string(value), flags);
  nameGadget(field, name);
  return field;
}

void makeGadgets(SpriteWindow& s) {
  const SpriteRecord& r = record(s);
  s.load = buttonGadget(UI_ANY, 10, 40, 100, 25, "Load...");
  s.save = buttonGadget(UI_ANY, 10, 70, 100, 25, "Save as PNG...");
  s.edit = buttonGadget(UI_ANY, 10, 100, 100, 25, "Edit");
  s.sizeLabel = textGadget(UI_ANY, 10, 135, 100, 25, "");
  nameGadget(s.sizeLabel, "size");
  s.area = scrollAreaGadget(UI_ANY, 120, 10, 550, 400, 40, 40, 32);
  nameGadget(s.area, "preview area");
  openGadgetList(s.area);
  s.canvas = canvasGadget(UI_ANY, 0, 0, 0, 0);
  nameGadget(s.canvas, "preview");
  closeGadgetList();
  useGadgetList(s.frame.window);
  s.showShape = checkBoxGadget(UI_ANY, 125, 420, 150, 25, "Show collision shape");
  setGadgetState(s.showShape, showCollisionShape);
  textGadget(UI_ANY, 530, 425, 110, 25, "Preview speed");
  s.speed = numberField(610, 420, previewSpeed, STR_NUMERIC, "speed");
  textGadget(UI_ANY, 120, 455, 35, 25, "Zoom");
  s.zoom = trackBarGadget(UI_ANY, 165, 450, 515, 25, 1, 64);
  setGadgetState(s.zoom, previewZoom);
  nameGadget(s.zoom, "zoom");
  textGadget(UI_ANY, 680, 15, 55, 25, "Origin X");
  s.originX = numberField(730, 10, r.centerx, 0, "origin x");
  textGadget(UI_ANY, 680, 45, 55, 25, "Origin Y");
  s.originY = numberField(730, 40, r.centery, 0, "origin y");
  s.center = buttonGadget(UI_ANY, 680, 70, 100, 25, "Center");
  textGadget(UI_ANY, 680, 145, 100, 25, "Collision shape");
  s.shape = comboBoxGadget(UI_ANY, 680, 170, 100, 25);
  addGadgetItem(s.shape, -1, "Circle");
  addGadgetItem(s.shape, -1, "Box");
  setGadgetState(s.shape, r.collisionshape == "Circle" ? 0 : r.collisionshape == "Box" ? 1 : -1);
  nameGadget(s.shape, "shape");
  textGadget(UI_ANY, 680, 205, 50, 25, "Circle:");
  textGadget(UI_ANY, 680, 235, 50, 25, "Radius");
  s.radius = numberField(730, 230, r.collisionradius, STR_NUMERIC, "radius");
  textGadget(UI_ANY, 680, 265, 50, 25, "Box:");
  const char* edges[] = {"Left", "Right", "Top", "Bottom"};
  int* fields[] = {&s.left, &s.right, &s.top, &s.bottom};
  const int values[] = {r.collisionleft, r.collisionright, r.collisiontop, r.collisionbottom};
  for (int i = 0; i < 4; ++i) {
    textGadget(UI_ANY, 680, 295 + 30 * i, 50, 25, edges[i]);
    *fields[i] = numberField(730, 290 + 30 * i, values[i], 0, edges[i]);
  }
}

// Takes the sprite's size and frame count anew and sizes the canvas; the
// frames themselves are drawn from the table at each tick.
void buildPreview(SpriteWindow& s) {
  const std::string& name = record(s).name;
  s.frameCount = 0;
  s.shown = 0;
  bool found = false;
  for (const FrameRecord& f : frames) {
    if (f.sprite != name) continue;
    ++s.frameCount;
    if (!isImage(f.image)) continue;
    s.w = imageWidth(f.image);
    s.h = imageHeight(f.image);
    found = true;
  }
  // Without a frame the size stays as it was and the canvas as it is.
  if (!found) return;
  setGadgetText(s.sizeLabel, "Size: " + std::to_string(s.w) + " x " + std::to_string(s.h));
  int zoom = effectivePreviewZoom(s.w, s.h, previewZoom);
  resizeGadget(s.canvas, 0, 0, s.w * zoom, s.h * zoom);
  setGadgetAttribute(s.area, ATTR_SCROLL_INNERWIDTH, s.w * zoom);
  setGadgetAttribute(s.area, ATTR_SCROLL_INNERHEIGHT, s.h * zoom);
  // The whole canvas once, so that scrolling shows the sprite, not white.
  int first = firstFrameIndex(name);
  if (first >= 0)
    drawSpritePreview(canvasImage(s.canvas), frames[size_t(first)].image, record(s), s.w, s.h, zoom,
                      showCollisionShape);
  refreshCanvas(s.canvas);
}

void previewTick(SpriteWindow& s) {
  const SpriteRecord& r = record(s);
  if (s.frameCount <= 0) return;
  if (s.shown >= s.frameCount) s.shown = 0;
  int index = nthFrameIndex(r.name, s.shown);
  if (index >= 0 && isImage(canvasImage(s.canvas))) {
    // The part on show; the rest keeps the picture of the last build.
    drawSpritePreview(canvasImage(s.canvas), frames[size_t(index)].image, r, s.w, s.h,
                      effectivePreviewZoom(s.w, s.h, previewZoom), showCollisionShape,
                      getGadgetAttribute(s.area, ATTR_SCROLL_X), getGadgetAttribute(s.area, ATTR_SCROLL_Y),
                      gadgetWidth(s.area), gadgetHeight(s.area));
    refreshCanvas(s.canvas);
  }
  s.shown = s.shown + 1 < s.frameCount ? s.shown + 1 : 0;
}

void showRecordFields(const SpriteWindow& s) {
  const SpriteRecord& r = record(s);
  const std::pair<int, int> shown[] = {{s.radius, r.collisionradius}, {s.left, r.collisionleft},
                                       {s.right, r.collisionright},   {s.top, r.collisiontop},
                                       {s.bottom, r.collisionbottom}, {s.originX, r.centerx},
                                       {s.originY, r.centery}};
  for (auto [field, value] : shown) setGadgetText(field, std::to_string(value));
}

// The frame editor's Done may have fitted the box to the frames; an edge
// whose field already says its value keeps the text as typed.
void showBoxEdges(const SpriteWindow& s) {
  const SpriteRecord& r = record(s);
  const std::pair<int, int> edges[] = {{s.left, r.collisionleft}, {s.right, r.collisionright},
                                       {s.top, r.collisiontop},   {s.bottom, r.collisionbottom}};
  for (auto [field, value] : edges)
    if (textValue(getGadgetText(field)) != value) setGadgetText(field, std::to_string(value));
}

void fieldChanged(SpriteWindow& s, int gadget) {
  SpriteRecord& r = record(s);
  int value = textValue(getGadgetText(gadget));
  // An origin beyond the sprite is ignored; there is no lower bound.
  if (gadget == s.originX && value <= s.w) r.centerx = value;
  if (gadget == s.originY && value <= s.h) r.centery = value;
  if (gadget == s.radius) r.collisionradius = value;
  if (gadget == s.left) r.collisionleft = value;
  if (gadget == s.right) r.collisionright = value;
  if (gadget == s.top) r.collisiontop = value;
  if (gadget == s.bottom) r.collisionbottom = value;
  if (gadget == s.speed && value > 0) {
    removeWindowTimer(s.frame.window, PREVIEW_TIMER);
    previewSpeed = value;
    addWindowTimer(s.frame.window, PREVIEW_TIMER, previewInterval());
  }
}

void gadgetEvent(SpriteWindow& s, int gadget) {
  SpriteRecord& r = record(s);
  // The strip's file is offered under the name as typed, not yet the sprite's.
  if (gadget == s.save) {
    saveSpriteStrip(r.name, getGadgetText(s.frame.name));
  } else if (gadget == s.edit) {
    editSpriteFrames(r.name, s.frame.window, getGadgetText(s.frame.name));
    showBoxEdges(s);
    resizeGadget(s.canvas, 0, 0, 0, 0);
    setGadgetAttribute(s.area, ATTR_SCROLL_INNERWIDTH, 0);
    setGadgetAttribute(s.area, ATTR_SCROLL_INNERHEIGHT, 0);
    buildPreview(s);
  } else if (gadget == s.load) {
    if (importImageStrip(s.frame.index, s.frame.window) == 0) return;
    // The old frames' images are freed: the users take the new first frame.
    giveSpriteUsersFirstFrame(r.name);
    showRecordFields(s);
    buildPreview(s);
  } else if (gadget == s.showShape) {
    showCollisionShape = getGadgetState(s.showShape);
  } else if (gadget == s.zoom) {
    previewZoom = getGadgetState(s.zoom);
    buildPreview(s);
  } else if (gadget == s.center) {
    if (s.w <= 0 || s.h <= 0) return;
    setGadgetText(s.originX, std::to_string(s.w / 2));
    setGadgetText(s.originY, std::to_string(s.h / 2));
    r.centerx = textValue(getGadgetText(s.originX));
    r.centery = textValue(getGadgetText(s.originY));
  } else if (gadget == s.shape) {
    int item = getGadgetState(s.shape);
    if (item >= 0) r.collisionshape = getGadgetItemText(s.shape, item);
  } else if (eventType() == ET_CHANGE) {
    fieldChanged(s, gadget);
  }
}

// A frame is saved as "<sprite>_<n>.png" beside the background files, so a
// name that would give a frame a background's file is refused.
int refuseFrameFileClash(const SpriteWindow& s, const std::string& typed) {
  const SpriteRecord& r = record(s);
  if (typed == r.name) return 0;
  for (const FrameRecord& f : frames) {
    if (f.sprite != r.name) continue;
    std::string file = typed + "_" + f.file + ".png";
    for (const BackgroundRecord& b : backgrounds) {
      if (b.file != file) continue;
      messageRequester("Error", "The sprite name '" + typed + "' would save a frame as '" + file +
                                    "', the file of the background '" + b.name + "'");
      return 1;
    }
  }
  return 0;
}

}  // namespace

void editSprite(const std::string& name) {
  SpriteWindow s;
  if (!openPropertyFrame(spriteKind, name, s.frame)) return;
  makeGadgets(s);
  addWindowTimer(s.frame.window, PREVIEW_TIMER, previewInterval());
  buildPreview(s);

  PropertyHooks hooks;
  hooks.event = [&](int event) {
    if (event == EV_TIMER && eventTimer() == PREVIEW_TIMER) previewTick(s);
    if (event == EV_GADGET) gadgetEvent(s, eventGadget());
  };
  hooks.refuseName = [&](const std::string& typed) { return refuseFrameFileClash(s, typed); };
  // The objects and instances of the sprite show its first frame under its new name.
  hooks.write = [&] { giveSpriteUsersFirstFrame(record(s).name); };
  hooks.release = [&] { removeWindowTimer(s.frame.window, PREVIEW_TIMER); };
  runPropertyWindow(s.frame, hooks);
}
