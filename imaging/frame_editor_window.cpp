// The frame editor window: menus, tool buttons, shortcuts, the strip of
// frames and the loop that runs the commands.
#include <algorithm>
#include <utility>
#include <vector>

#include "imaging/frame_editor.h"
#include "imaging/frame_editor_commands.h"
#include "imaging/frame_list.h"
#include "imaging/image_dialogs.h"
#include "imaging/operation_dialog.h"
#include "project/hooks.h"
#include "project/tables.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

namespace {
void saveEditorStrip(int window, const std::string& sprite, int frame);
}

FrameEditorCommand frameEditorCommands[FRAME_EDITOR_COMMANDS] = {
    {"File", "New...", "Ctrl + N", FE_NEW, 10, "Create new sprite", PIC_ICON_NEW, true, newSpriteFrames},
    {"File", "Add new frame from file...", "Ctrl + A", FE_ADD_FROM_FILE, 40, "Add new frame from file",
     PIC_TOOL_ADD_FRAME, false, addFrameFromFile},
    {"File", "Save as PNG image...", "Ctrl + S", FE_SAVE_STRIP, 70, "Save sprite as PNG strip", PIC_ICON_SAVE, false,
     saveEditorStrip},
    {"Edit", "Duplicate frame", "Ctrl + D", FE_DUPLICATE, 110, "Duplicate current frame", PIC_TOOL_DUPLICATE, true,
     duplicateCurrentFrame},
    {"Edit", "Move frame left", "Ctrl + Left", FE_MOVE_LEFT, 140, "Move current frame to left", PIC_TOOL_MOVE_LEFT,
     false, moveFrameLeft},
    {"Edit", "Move frame right", "Ctrl + Right", FE_MOVE_RIGHT, 170, "Move current frame to right",
     PIC_TOOL_MOVE_RIGHT, true, moveFrameRight},
    {"Edit", "Delete current frame", "Delete", FE_DELETE, 200, "Delete current frame", PIC_TOOL_DELETE, false,
     deleteCurrentFrame},
    {"Transform", "Shift", "", FE_SHIFT, 240, "Shift", PIC_TOOL_SHIFT, false, applyShift},
    {"Transform", "Mirror/Flip", "", FE_MIRROR, 270, "Mirror", PIC_TOOL_MIRROR, false, applyMirror},
    {"Transform", "Rotate", "", FE_ROTATE, 300, "Rotate", PIC_TOOL_ROTATE, false, applyRotate},
    {"Transform", "Scale", "", FE_SCALE, 330, "Scale", PIC_TOOL_SCALE, true, applyScale},
    {"Transform", "Resize canvas", "", FE_RESIZE_CANVAS, 360, "Resize canvas", PIC_TOOL_RESIZE_CANVAS, false,
     resizeCanvas},
    {"Transform", "Stretch", "", FE_STRETCH, 390, "Stretch", PIC_TOOL_STRETCH, false, applyStretch},
    {"Effects", "Grayscale", "", FE_GRAYSCALE, 430, "Grayscale", PIC_TOOL_GRAYSCALE, false, applyGrayscale},
    {"Effects", "Colorize", "", FE_COLORIZE, 460, "Colorize", PIC_TOOL_COLORIZE, false, applyColorize},
    {"Effects", "Color balance", "", FE_COLOR_BALANCE, 490, "Color balance", PIC_TOOL_COLOR_BALANCE, false,
     applyColorBalance},
    {"Effects", "Swap RGB channel", "", FE_SWAP_CHANNELS, 520, "Swap RGB channels", PIC_TOOL_SWAP_CHANNELS, false,
     applySwapChannels},
    {"Effects", "Invert", "", FE_INVERT, 550, "Invert", PIC_TOOL_INVERT, false, applyInvert},
    {"Effects", "Brightness", "", FE_BRIGHTNESS, 580, "Brightness", PIC_TOOL_BRIGHTNESS, false, applyBrightness},
    {"Effects", "Opacity", "", FE_OPACITY, 610, "Opacity", PIC_TOOL_OPACITY, false, applyOpacity},
    {"Effects", "Posterize", "", FE_POSTERIZE, 640, "Posterize", PIC_TOOL_POSTERIZE, false, applyPosterize},
    {"Effects", "Noise", "", FE_NOISE, 670, "Noise", PIC_TOOL_NOISE, false, applyNoise},
    {"Effects", "Erase a color", "", FE_ERASE_COLOR, 700, "Erase a color", PIC_TOOL_ERASE_COLOR, false, applyEraseColor},
    {"Effects", "Make opaque", "", FE_MAKE_OPAQUE, 730, "Make opaque", PIC_TOOL_MAKE_OPAQUE, false, applyMakeOpaque},
};

FrameEditorCommand* frameEditorCommand(int item) {
  for (FrameEditorCommand& c : frameEditorCommands)
    if (c.item == item) return &c;
  return nullptr;
}

namespace {

// The open frame editor. The strip's canvases each show the frame at a table index.
struct FrameEditor {
  int window = 0;
  int strip = 0;
  std::vector<std::pair<int, int>> canvases;   // (canvas gadget, frame index)
  int buttons[FRAME_EDITOR_COMMANDS] = {};     // in the order of the commands
  std::string shownName;                       // the sprite window's name field
};
FrameEditor editor;

void saveEditorStrip(int, const std::string& sprite, int) { saveSpriteStrip(sprite, editor.shownName); }

void makeMenus(int window) {
  createMenu(UI_ANY, window);
  std::string open;
  for (const FrameEditorCommand& c : frameEditorCommands) {
    if (open != c.menu) {
      open = c.menu;
      menuTitle(open);
    }
    std::string text = c.label;
    if (*c.shortcut) text += std::string("\t") + c.shortcut;
    menuItem(c.item, text, c.icon);
    if (c.separatorAfter) menuBar();
  }
}

void makeToolButtons() {
  for (int i = 0; i < FRAME_EDITOR_COMMANDS; ++i) {
    const FrameEditorCommand& c = frameEditorCommands[i];
    int button = buttonImageGadget(UI_ANY, c.buttonX, 10, 30, 30, c.icon);
    gadgetToolTip(button, c.tooltip);
    nameGadget(button, c.tooltip);
    editor.buttons[i] = button;
  }
}

void runCommand(const FrameEditorCommand& c, const std::string& sprite) {
  if (c.run) c.run(editor.window, sprite, currentFrame);
}

// One frame on its canvas: the backdrop, the frame blended over it, and the
// current-frame mark over the current one.
void drawFrameCanvas(int canvas, int image, bool current) {
  if (!startDrawing(canvasImage(canvas))) return;
  drawingMode(DRAW_DEFAULT);
  drawImage(PIC_CHECKERBOARD, 0, 0);
  drawingMode(DRAW_ALPHABLEND);
  drawImage(image, 0, 0);
  if (current) drawImage(PIC_CURRENT_FRAME_MARK, 0, 0);
  stopDrawing();
  refreshCanvas(canvas);
}

}  // namespace

void drawFrameStrip(const std::string& sprite, int rebuild) {
  if (rebuild == 1)
    for (auto [canvas, index] : editor.canvases)
      if (isGadget(canvas)) freeGadget(canvas);
  editor.canvases.clear();
  if (!isGadget(editor.strip)) return;
  openGadgetList(editor.strip);
  int x = 10, tallest = 0;
  for (size_t i = 0; i < frames.size(); ++i) {
    if (frames[i].sprite != sprite) continue;
    int image = frames[i].image;
    int w = isImage(image) ? imageWidth(image) : 0, h = isImage(image) ? imageHeight(image) : 0;
    int canvas = canvasGadget(UI_ANY, x, 10, w, h);
    nameGadget(canvas, "frame " + std::to_string(editor.canvases.size()));
    drawFrameCanvas(canvas, image, int(i) == currentFrame);
    editor.canvases.push_back({canvas, int(i)});
    x += w + 10;
    tallest = std::max(tallest, h);
  }
  closeGadgetList();
  setGadgetAttribute(editor.strip, ATTR_SCROLL_INNERWIDTH, x);
  setGadgetAttribute(editor.strip, ATTR_SCROLL_INNERHEIGHT, tallest + 10);
}

void editSpriteFrames(const std::string& sprite, int opener, const std::string& shownName) {
  currentFrame = firstFrameIndex(sprite);
  editor = {};
  editor.shownName = shownName;
  // The image operation dialogs end by having the strip rebuilt.
  frameStripHook = [](const std::string& edited) { drawFrameStrip(edited, 1); };
  editor.window = openWindow(UI_ANY, 0, 0, 800, 600, "Edit sprite frames", WIN_TITLEBAR | WIN_SCREENCENTERED,
                             isWindow(opener) ? opener : 0);
  if (opener) disableWindow(opener, true);
  makeMenus(editor.window);
  useGadgetList(editor.window);
  makeToolButtons();
  int m = menuHeight();
  int done = buttonGadget(UI_ANY, 800 - 75, 600 - m - 35, 65, 25, "Done");
  nameGadget(done, "Done");
  editor.strip = scrollAreaGadget(UI_ANY, 10, 45, 780, 490 - m, 100, 100, 16);
  nameGadget(editor.strip, "strip");
  drawFrameStrip(sprite, 0);
  addKeyboardShortcut(editor.window, SC_CONTROL | 'N', FE_NEW);
  addKeyboardShortcut(editor.window, SC_CONTROL | 'A', FE_ADD_FROM_FILE);
  addKeyboardShortcut(editor.window, SC_CONTROL | 'S', FE_SAVE_STRIP);
  addKeyboardShortcut(editor.window, SC_CONTROL | 'D', FE_DUPLICATE);
  addKeyboardShortcut(editor.window, SC_CONTROL | int(KEY_LEFT), FE_MOVE_LEFT);
  addKeyboardShortcut(editor.window, SC_CONTROL | int(KEY_RIGHT), FE_MOVE_RIGHT);
  addKeyboardShortcut(editor.window, KEY_DELETE, FE_DELETE);

  bool end = false;
  while (!end) {
    int event = waitWindowEvent();
    if (eventWindow() != editor.window) continue;
    if (event == EV_MENU) {
      if (const FrameEditorCommand* c = frameEditorCommand(eventMenu())) runCommand(*c, sprite);
      continue;
    }
    if (event != EV_GADGET) continue;
    int gadget = eventGadget();
    for (int i = 0; i < FRAME_EDITOR_COMMANDS; ++i)
      if (gadget == editor.buttons[i]) runCommand(frameEditorCommands[i], sprite);
    if (gadget == done) {
      end = true;
      setModified(1);
      // Frames drawn here would otherwise keep a new sprite's box, which
      // meets nothing in the game.
      int index = findSprite(sprite);
      if (index >= 0) fitUnsetCollisionBox(sprites[size_t(index)]);
    }
    // A click on a frame moves the mark at once; the commands redraw the
    // strip themselves.
    if (end || eventType() != ET_LEFTCLICK) continue;
    int clicked = -1;
    for (auto [canvas, index] : editor.canvases)
      if (gadget == canvas) clicked = index;
    if (clicked < 0) continue;
    currentFrame = clicked;
    drawFrameStrip(sprite, 1);
  }

  if (projectHooks.buildResourceIcons) projectHooks.buildResourceIcons();
  if (projectHooks.refreshResourcePanel) projectHooks.refreshResourcePanel();
  if (opener) disableWindow(opener, false);
  editor.canvases.clear();
  closeWindow(editor.window);
  frameStripHook = nullptr;
  editor = {};
}
