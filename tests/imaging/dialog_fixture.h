// A stand-in frame editor window and a frames table for the image
// operation dialogs.
#pragma once

#include "imaging/image_dialogs.h"
#include "imaging/operation_dialog.h"
#include "imaging_test_util.h"
#include "project/tables.h"
#include "ui/driver.h"
#include "ui/pictures.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline std::vector<std::string> stripRebuilds;
inline void recordStripRebuild(const std::string& sprite) { stripRebuilds.push_back(sprite); }

class DialogTest : public testing::Test {
 protected:
  void SetUp() override {
    clearProjectTables();
    loadCarriedPictures();
    driverStart();
    editor = openWindow(UI_ANY, 0, 0, 800, 600, "Edit sprite frames", WIN_TITLEBAR);
    stripRebuilds.clear();
    frameStripHook = recordStripRebuild;
  }
  void TearDown() override {
    frameStripHook = nullptr;
    for (const FrameRecord& f : frames) freeImage(f.image);
    for (int i : originals) freeImage(i);
    closeWindow(editor);
    clearProjectTables();
  }

  // Appends a frame of one colour (no image for a width of 0); keeps a copy
  // of its picture in originals[index] and its number in numbers[index].
  int addFrame(const std::string& sprite, int w, int h, uint32_t color, int depth = 32) {
    return addFrameOf(sprite, w, h, std::vector<uint32_t>(size_t(w * h), color), depth);
  }
  int addFrameOf(const std::string& sprite, int w, int h, const std::vector<uint32_t>& pixels, int depth = 32) {
    FrameRecord& f = appendFrame();
    f.sprite = sprite;
    f.file = std::to_string(frames.size() - 1);
    f.image = w > 0 ? imageOf(w, h, pixels, depth) : 0;
    numbers.push_back(f.image);
    originals.push_back(f.image ? copyImage(f.image, -1) : 0);
    return int(frames.size()) - 1;
  }
  std::vector<uint32_t> framePixels(int index) { return pixelsOf(frames[size_t(index)].image); }
  bool unchanged(int index) {
    return frames[size_t(index)].image == numbers[size_t(index)] &&
           pixelsOf(frames[size_t(index)].image) == pixelsOf(originals[size_t(index)]);
  }
  // The pure operation's result on the frame's original picture.
  template <class Operation>
  std::vector<uint32_t> expected(int index, Operation operation) {
    return take(operation(originals[size_t(index)]));
  }
  static uint32_t canvasPixel(const char* canvas, int x, int y) {
    return getPixel(canvasImage(gadgetByName(0, canvas)), x, y) | 0xFF000000u;
  }

  int editor = 0;
  std::vector<int> numbers;
  std::vector<int> originals;
};
