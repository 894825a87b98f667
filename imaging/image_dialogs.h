// The frame editor's image operations, each a dialog over the sprite's
// frames. Every procedure takes the frame editor's window (disabled while
// the dialog is open), the sprite's name and the index of the current frame
// in the frames table; a negative index opens nothing. Each ends by having
// the frame editor rebuild its strip (frameStripHook of
// imaging/operation_dialog.h). None sets the project's modified flag.
#pragma once

#include <string>

// Transform menu.
void applyShift(int editorWindow, const std::string& sprite, int currentFrame);
void applyMirror(int editorWindow, const std::string& sprite, int currentFrame);
void applyRotate(int editorWindow, const std::string& sprite, int currentFrame);
void applyScale(int editorWindow, const std::string& sprite, int currentFrame);
// Small dialogs of their own that change every frame of the sprite; the
// frame index is not used, and a sprite without frames opens nothing.
void resizeCanvas(int editorWindow, const std::string& sprite, int currentFrame);
void applyStretch(int editorWindow, const std::string& sprite, int currentFrame);

// Effects menu.
void applyGrayscale(int editorWindow, const std::string& sprite, int currentFrame);
void applyColorize(int editorWindow, const std::string& sprite, int currentFrame);
void applyColorBalance(int editorWindow, const std::string& sprite, int currentFrame);
void applySwapChannels(int editorWindow, const std::string& sprite, int currentFrame);
void applyInvert(int editorWindow, const std::string& sprite, int currentFrame);
void applyBrightness(int editorWindow, const std::string& sprite, int currentFrame);
void applyOpacity(int editorWindow, const std::string& sprite, int currentFrame);
void applyPosterize(int editorWindow, const std::string& sprite, int currentFrame);
void applyNoise(int editorWindow, const std::string& sprite, int currentFrame);
void applyEraseColor(int editorWindow, const std::string& sprite, int currentFrame);
void applyMakeOpaque(int editorWindow, const std::string& sprite, int currentFrame);

// The frame editor's commands that run an image operation, in the order of
// its tool buttons: menu item number, menu label, procedure.
using ImageCommandProcedure = void (*)(int editorWindow, const std::string& sprite, int currentFrame);
struct ImageCommand {
  int menuItem;
  const char* label;
  ImageCommandProcedure run;
};
constexpr int IMAGE_COMMAND_COUNT = 17;
extern const ImageCommand imageCommands[IMAGE_COMMAND_COUNT];
// Runs the command of that menu item; false when no image operation has it.
bool runImageCommand(int menuItem, int editorWindow, const std::string& sprite, int currentFrame);
