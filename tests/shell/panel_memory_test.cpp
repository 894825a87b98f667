// Rebuilding the resource panel again and again, as every Done of a
// property window does, frees whatever each rebuild made: gadgets, their
// widgets, panel pictures and the memory behind them.
#include <unistd.h>

#include <fstream>

#include "project/makers.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"
#include "ui/draw.h"

using PanelMemory = ShellTest;

namespace {

double residentMB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// A project of a few hundred resources of every kind, sprites with frames
// and objects placed in scenes.
void makeMidSizeProject() {
  for (int i = 0; i < 300; ++i) {
    std::string sprite = newSprite();
    FrameRecord& f = appendFrame();
    f.sprite = sprite;
    f.file = "0";
    f.image = createImage(UI_ANY, 16 + i % 40, 16, 32, rgba(i & 255, 90, 40, 255));
  }
  for (int i = 0; i < 150; ++i) {
    newObject();
    objects.back().sprite = sprites[size_t(i) * 2].name;
  }
  for (int s = 0; s < 20; ++s) {
    std::string scene = newScene();
    for (int k = 0; k < 50; ++k) {
      ObjectRecord& o = appendObject();
      o.prototype = 0;
      o.template_ = objects[size_t(k)].name;
      o.name = "SceneObject" + std::to_string(nextUid());
      o.sprite = objects[size_t(k)].sprite;
      o.scene = scene;
    }
  }
  for (int i = 0; i < 30; ++i) newSound();
  for (int i = 0; i < 30; ++i) newFunction();
}

}  // namespace

TEST_F(PanelMemory, HundredRebuildsLeaveNothingBehind) {
  startMainWindow();
  makeMidSizeProject();
  // What a Done does, then the loop turn that deletes the widgets given up.
  auto rebuild = [] {
    buildResourceIcons();
    refreshResourcePanel();
    windowEvent();
  };
  for (int i = 0; i < 5; ++i) rebuild();   // the heap settles
  const int gadgets = liveGadgetCount(), widgets = liveWidgetCount(), images = liveImageCount();
  const size_t pixels = imagePixelBytes();
  [[maybe_unused]] const double resident = residentMB();
  ASSERT_GT(gadgets, 2 * 500);

  for (int i = 0; i < 100; ++i) rebuild();

  EXPECT_EQ(liveGadgetCount(), gadgets);
  EXPECT_EQ(liveWidgetCount(), widgets);
  EXPECT_EQ(liveImageCount(), images);
  EXPECT_EQ(imagePixelBytes(), pixels);
#if !defined(__SANITIZE_ADDRESS__)
  // The address sanitizer holds freed memory back on purpose.
  EXPECT_LT(residentMB() - resident, 8.0);
#endif
}

// The cards share the pixels of the panel pictures they show: a rebuild
// costs no picture memory of its own, and the pictures stay as they were
// drawn when their images are drawn into or freed afterwards.
TEST_F(PanelMemory, CardsSharePicturesWithoutSeeingLaterChanges) {
  startMainWindow();
  makeMidSizeProject();
  buildResourceIcons();
  refreshResourcePanel();
  windowEvent();
  const size_t pixels = imagePixelBytes();
  refreshResourcePanel();
  windowEvent();
  EXPECT_EQ(imagePixelBytes(), pixels);

  const int card = itemGadget("Sprites", sprites[0].name);
  const int picture = sprites[0].thumbnail;
  ASSERT_EQ(getGadgetAttribute(card, ATTR_IMAGE), picture);
  const int before = gadgetScreenPixel(card, 75, 95);
  ASSERT_NE(before, rgb(0, 255, 0));
  startDrawing(picture);
  box(0, 0, 150, 100, rgba(0, 255, 0, 255));
  stopDrawing();
  EXPECT_EQ(gadgetScreenPixel(card, 75, 95), before);
  freeImage(picture);
  EXPECT_EQ(gadgetScreenPixel(card, 75, 95), before);
}
