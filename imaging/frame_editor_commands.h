// The commands of the frame editor: menu item numbers (which the tool
// buttons and the shortcuts send as well) and what each command shows and runs.
#pragma once

#include <string>

enum FrameEditorItem : int {
  FE_NEW = 204,
  FE_ADD_FROM_FILE = 205,
  FE_SAVE_STRIP = 206,
  FE_DUPLICATE = 207,
  FE_MOVE_LEFT = 208,
  FE_MOVE_RIGHT = 209,
  FE_DELETE = 210,
  FE_SHIFT = 211,
  FE_MIRROR = 212,
  FE_ROTATE = 213,
  FE_SCALE = 214,
  FE_RESIZE_CANVAS = 215,
  FE_STRETCH = 216,
  FE_GRAYSCALE = 217,
  FE_INVERT = 218,
  FE_COLORIZE = 219,
  FE_SWAP_CHANNELS = 220,
  FE_COLOR_BALANCE = 221,
  FE_ERASE_COLOR = 222,
  FE_OPACITY = 223,
  FE_BRIGHTNESS = 224,
  FE_POSTERIZE = 225,
  FE_NOISE = 226,
  FE_MAKE_OPAQUE = 227,
};

// (frame editor window, sprite name, current frame index)
using FrameCommand = void (*)(int window, const std::string& sprite, int frame);

struct FrameEditorCommand {
  const char* menu;      // "File", "Edit", "Transform", "Effects"
  const char* label;
  const char* shortcut;  // "" for none
  int item;
  int buttonX;
  const char* tooltip;
  int icon;
  bool separatorAfter;
  FrameCommand run;
};

constexpr int FRAME_EDITOR_COMMANDS = 24;
// In the order of the tool buttons; menus list them in the same order.
extern FrameEditorCommand frameEditorCommands[FRAME_EDITOR_COMMANDS];
// The command of a menu item number, null for none.
FrameEditorCommand* frameEditorCommand(int item);
