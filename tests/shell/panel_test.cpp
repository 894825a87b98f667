#include "project/makers.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"
#include "ui/draw.h"

using Panel = ShellTest;

namespace {

const int scrollAreas[] = {SCROLL_SPRITES, SCROLL_SOUNDS, SCROLL_MUSICS, SCROLL_BACKGROUNDS,
                           SCROLL_FONTS, SCROLL_OBJECTS, SCROLL_SCENES, SCROLL_FUNCTIONS};

// Sets the page width of the panel to `page` through the window's size event
// and its re-layout.
void layoutForPageWidth(int page) {
  int frame = gadgetWidth(RESOURCE_PANEL) - getGadgetAttribute(RESOURCE_PANEL, ATTR_PANEL_ITEMWIDTH);
  setWindowState(MAIN_WINDOW, WINSTATE_NORMAL);
  resizeWindow(MAIN_WINDOW, UI_IGNORE, UI_IGNORE, page + frame + 10, 600);
  runSteps();
  ASSERT_EQ(getGadgetAttribute(RESOURCE_PANEL, ATTR_PANEL_ITEMWIDTH), page);
}

int solid(int w, int h, uint32_t color) { return createImage(UI_ANY, w, h, 32, color); }

}  // namespace

TEST_F(Panel, EmptyProjectShowsHeadingsAndAddPictures) {
  startMainWindow();
  ASSERT_EQ(resourceItems.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    const ResourceItemRecord& r = resourceItems[size_t(i)];
    EXPECT_EQ(r.gadget, ADD_SPRITE_ICON + i);
    EXPECT_EQ(r.popupMenu, -1);
    EXPECT_EQ(gadgetX(r.gadget), 10);
    EXPECT_EQ(gadgetY(r.gadget), 60);
    EXPECT_TRUE(gadgetInside(r.gadget, scrollAreas[i]));
    EXPECT_EQ(getGadgetAttribute(scrollAreas[i], ATTR_SCROLL_INNERHEIGHT), 190);
    EXPECT_EQ(gadgetX(scrollAreas[i]), 0);   // moved back after the rebuild
    EXPECT_EQ(getGadgetAttribute(HEADING_SPRITES + i, ATTR_IMAGE), PIC_HEADING_SPRITES + i);
  }
  EXPECT_TRUE(isGadgetDisabled(HEADING_SPRITES + 7));
  EXPECT_EQ(getGadgetText(EXPORT_FUNCTIONS_BUTTON), "Export...");
  EXPECT_EQ(getGadgetText(IMPORT_FUNCTIONS_BUTTON), "Import...");
  using K = std::vector<std::string>;
  K kinds;
  for (const ResourceItemRecord& r : resourceItems) kinds.push_back(r.kind);
  EXPECT_EQ(kinds, (K{"Sprites", "Sounds", "Musics", "Backgrounds", "Fonts", "Objects", "Scenes", "Functions"}));
}

TEST_F(Panel, GridWrapsByThePageWidth) {
  startMainWindow();
  for (int i = 0; i < 4; ++i) newSprite();
  struct Case { int page; int addX, addY, height; std::vector<int> xs; } cases[] = {
      {770, 10, 190, 370, {10, 170, 330, 490}},
      {800, 650, 60, 190, {10, 170, 330, 490}},
      {319, 10, 580, 910, {10, 10, 10, 10}},   // narrow, as when minimised: one a row
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    layoutForPageWidth(c.page);
    std::vector<int> xs;
    for (const ResourceItemRecord& r : resourceItems)
      if (r.kind == "Sprites" && r.popupMenu == POPUP_SPRITE) xs.push_back(gadgetX(r.gadget));
    EXPECT_EQ(xs, c.xs) << c.page;
    EXPECT_EQ(gadgetX(ADD_SPRITE_ICON), c.addX) << c.page;
    EXPECT_EQ(gadgetY(ADD_SPRITE_ICON), c.addY) << c.page;
    EXPECT_EQ(getGadgetAttribute(SCROLL_SPRITES, ATTR_SCROLL_INNERHEIGHT), c.height) << c.page;
    EXPECT_EQ(getGadgetAttribute(SCROLL_SPRITES, ATTR_SCROLL_INNERWIDTH), c.page);
  }
  // Every picture is followed by its label, 5 below it.
  const ResourceItemRecord& label = resourceItems[1];
  EXPECT_EQ(label.popupMenu, -1);
  EXPECT_EQ(getGadgetText(label.gadget), "sprite_2");
  EXPECT_EQ(gadgetY(label.gadget), 165);
  EXPECT_TRUE(gadgetShowsFont(label.gadget, 140));
}

TEST_F(Panel, ObjectsShowTheirSpritesPictureAndNoInstances) {
  startMainWindow();
  std::string sprite = newSprite();
  int picture = solid(10, 10, rgba(1, 2, 3, 255));
  sprites[0].thumbnail = picture;
  struct Case { std::string sprite; int shown; } cases[] = {
      {"", PIC_NO_PICTURE_CARD}, {sprite, picture}, {"nobody", PIC_NO_PICTURE_CARD}};
  for (const Case& c : cases) {
    std::string object = newObject();
    objects.back().sprite = c.sprite;
  }
  ObjectRecord& instance = appendObject();
  instance.prototype = 0;
  instance.name = "SceneObject9";
  refreshResourcePanel();
  std::vector<int> shown;
  for (const ResourceItemRecord& r : resourceItems)
    if (r.kind == "Objects" && r.popupMenu == POPUP_OBJECT) shown.push_back(getGadgetAttribute(r.gadget, ATTR_IMAGE));
  EXPECT_EQ(shown, (std::vector<int>{PIC_NO_PICTURE_CARD, picture, PIC_NO_PICTURE_CARD}));
  EXPECT_EQ(itemGadget("Objects", "SceneObject9"), 0);
  EXPECT_EQ(gadgetX(ADD_OBJECT_ICON), 10 + 160 * 3);
}

TEST_F(Panel, ResourceIconsScaleTheFirstFrame) {
  startMainWindow();
  const uint32_t red = rgba(255, 0, 0, 255);
  std::string wide = newSprite(), none = newSprite();
  FrameRecord& f = appendFrame();
  f.sprite = wide;
  f.file = "0";
  f.image = solid(300, 30, red);
  std::string user = newObject();
  objects[0].sprite = none;
  objects[0].image = 12345;   // a frame image freed since
  std::string wideUser = newObject();
  objects[1].sprite = wide;
  buildResourceIcons();

  int t = sprites[0].thumbnail;
  ASSERT_TRUE(isImage(t));
  EXPECT_EQ(imageWidth(t), 150);
  EXPECT_EQ(getPixel(t, 45, 20), red);
  EXPECT_EQ(getPixel(t, 104, 25), red);
  EXPECT_NE(getPixel(t, 105, 20), red);
  EXPECT_NE(getPixel(t, 45, 26), red);
  EXPECT_EQ(getPixel(t, 0, 0), getPixel(PIC_RESOURCE_CARD, 0, 0));

  int q = sprites[1].thumbnail;
  for (auto [x, y] : {std::pair{75, 50}, std::pair{10, 10}}) EXPECT_EQ(getPixel(q, x, y), getPixel(PIC_NO_PICTURE_CARD, x, y));
  EXPECT_EQ(objects[0].image, -1);
  EXPECT_EQ(objects[1].image, f.image);
  EXPECT_EQ(objects[1].imageWidth, 300);

  // Backgrounds: the copy in the project's image folder, else the bare card.
  projectName = "p";
  makeFolder("Projects/p");
  makeFolder("Projects/p/img");
  int square = solid(20, 20, red);
  savePng(square, "Projects/p/img/ground.png");
  savePng(square, "outside.png");   // a name from a project must not reach it
  for (const char* file : {"ground.png", "missing.png", "../../../outside.png"}) {
    newBackground();
    backgrounds.back().file = file;
  }
  newBackground();   // without a file: keeps its picture
  buildResourceIcons();
  EXPECT_EQ(getPixel(backgrounds[0].thumbnail, 104, 79), red);
  EXPECT_EQ(getPixel(backgrounds[1].thumbnail, 75, 50), getPixel(PIC_RESOURCE_CARD, 75, 50));
  EXPECT_EQ(getPixel(backgrounds[2].thumbnail, 75, 50), getPixel(PIC_RESOURCE_CARD, 75, 50));
  EXPECT_EQ(getPixel(backgrounds[2].thumbnail, 104, 79), getPixel(PIC_RESOURCE_CARD, 104, 79));
  EXPECT_EQ(backgrounds[3].thumbnail, -1);
  projectName = "";
}
