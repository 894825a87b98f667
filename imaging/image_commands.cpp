#include "imaging/image_dialogs.h"

const ImageCommand imageCommands[IMAGE_COMMAND_COUNT] = {
    {211, "Shift", applyShift},
    {212, "Mirror/Flip", applyMirror},
    {213, "Rotate", applyRotate},
    {214, "Scale", applyScale},
    {215, "Resize canvas", resizeCanvas},
    {216, "Stretch", applyStretch},
    {217, "Grayscale", applyGrayscale},
    {219, "Colorize", applyColorize},
    {221, "Color balance", applyColorBalance},
    {220, "Swap RGB channel", applySwapChannels},
    {218, "Invert", applyInvert},
    {224, "Brightness", applyBrightness},
    {223, "Opacity", applyOpacity},
    {225, "Posterize", applyPosterize},
    {226, "Noise", applyNoise},
    {222, "Erase a color", applyEraseColor},
    {227, "Make opaque", applyMakeOpaque},
};

bool runImageCommand(int menuItem, int editorWindow, const std::string& sprite, int currentFrame) {
  for (const ImageCommand& c : imageCommands) {
    if (c.menuItem != menuItem) continue;
    c.run(editorWindow, sprite, currentFrame);
    return true;
  }
  return false;
}
