#include "tests/scene/scene_test_util.h"

#include "ui/draw.h"

using SceneWindow = SceneWindowTest;

TEST_F(SceneWindow, OpensWithoutObjectDefinitionsOrBackgrounds) {
  std::string scene = newScene();
  driverCall([&] {
    const SceneGadgets& g = gadgets();
    EXPECT_EQ(countGadgetItems(g.follow), 1);
    EXPECT_EQ(getGadgetItemText(g.follow, 0), "");
    EXPECT_EQ(countGadgetItems(g.objectList), 0);
    EXPECT_EQ(getGadgetAttribute(g.preview, ATTR_IMAGE), PIC_BLANK);
    EXPECT_EQ(countGadgetItems(g.tileImageList), 0);
    EXPECT_EQ(gadgetWidth(g.tileSetCanvas), 0);
    EXPECT_EQ(gadgetHeight(g.tileSetCanvas), 0);
    EXPECT_EQ(countGadgetItems(g.backgroundList), 1);
    EXPECT_EQ(getGadgetText(g.layerList), "1000000");
    EXPECT_EQ(getGadgetState(g.panel), TAB_SETTINGS);
    EXPECT_EQ(gadgetWidth(g.sceneCanvas), 640);
    EXPECT_EQ(gadgetHeight(g.sceneCanvas), 480);
    EXPECT_EQ(gadgetWidth(g.sceneArea), 1024 - 330);
    EXPECT_EQ(gadgetX(g.newButton), -5000);
    EXPECT_EQ(gadgetX(g.shiftButton), -5000);
  });
  // New and Shift belong to the Objects and Tiles tabs only.
  for (int tab : {TAB_OBJECTS, TAB_BACKGROUND, TAB_TILES}) {
    chooseTab(tab);
    driverCall([tab] {
      bool shown = tab != TAB_BACKGROUND;
      EXPECT_EQ(gadgetX(gadgets().newButton), shown ? 320 : -5000) << tab;
      EXPECT_EQ(gadgetX(gadgets().shiftButton), shown ? 355 : -5000) << tab;
    });
  }
  driverResize("", 1200, 700);
  driverCall([] {
    EXPECT_EQ(gadgetHeight(gadgets().panel), 650);
    EXPECT_EQ(gadgetWidth(gadgets().sceneArea), 870);
    EXPECT_EQ(gadgetHeight(gadgets().sceneArea), 640);
  });
  driverShortcut("", KEY_F1 + 10);
  driverCall([] { EXPECT_TRUE(isWindowFullScreen(window())); });
  driverShortcut("", KEY_F1 + 10);
  driverCall([] { EXPECT_FALSE(isWindowFullScreen(window())); });
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(openSceneState(), nullptr);
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
}

TEST_F(SceneWindow, FieldsOfTheToolbarAndTheBackgroundTakeEffectAtOnce) {
  std::string scene = newScene();
  newBackground();
  driverSetText("grid size", "3");
  driverCall([] { EXPECT_EQ(gridSize, 20); });
  driverSetText("grid size", "5");
  driverCall([] { EXPECT_EQ(gridSize, 5); });
  driverSetText("width", "800");
  driverCall([] {
    EXPECT_EQ(scenes[0].width, 800);
    EXPECT_EQ(gadgetWidth(gadgets().sceneCanvas), 800);
    EXPECT_EQ(getGadgetAttribute(gadgets().sceneArea, ATTR_SCROLL_INNERWIDTH), 800);
  });
  // A colour picked, then a second pick cancelled: the first stays.
  chooseTab(TAB_BACKGROUND);
  driverClick("...");
  driverAnswerColor(rgb(10, 20, 30));
  driverClick("...");
  driverAnswerColor(-1);
  driverCall([] {
    EXPECT_EQ(scenes[0].red, 10);
    EXPECT_EQ(scenes[0].green, 20);
    EXPECT_EQ(scenes[0].blue, 30);
    EXPECT_EQ(getGadgetColor(gadgets().swatch, COLOR_BACK), rgb(10, 20, 30));
  });
  driverClick("Tile vertically");
  driverClick("Show tiles");
  driverClick("grid");
  driverChooseText("background list", backgrounds[0].name);
  driverCall([] {
    EXPECT_EQ(scenes[0].backgroundtiley, 1);
    EXPECT_EQ(scenes[0].backgroundtilex, 0);
    EXPECT_EQ(scenes[0].background, backgrounds[0].name);
    EXPECT_EQ(showTiles, 0);
    EXPECT_EQ(showGrid, 0);
  });
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(scenes[0].width, 800);
  EXPECT_EQ(gridSize, 5);
}

// Only this scene's instances are drawn, so only theirs get display images,
// made from the sprite's frame as it is now, and freed when the window closes.
TEST_F(SceneWindow, DisplayImagesAreMadeForThisSceneOnlyAndFreedOnClosing) {
  std::string scene = newScene(), other = newScene();
  int stale = addSprite("ball", 30, 10, opaque(rgb(255, 0, 0)));
  int current = createImage(UI_ANY, 20, 10, 32, opaque(rgb(0, 255, 0)));
  frames[0].image = current;   // the sprite window replaced the frame
  freeImage(stale);
  addInstance(scene, "SceneObject50", "ball", 0, 0);
  addInstance(scene, "SceneObject51", "ball", 0, 0, 90);
  addInstance(scene, "SceneObject52", "", 0, 0);
  addInstance(other, "SceneObject53", "ball", 0, 0);
  objects[0].image = stale;
  std::vector<int> made;
  driverCall([&] {
    EXPECT_EQ(objects[0].image, current);
    EXPECT_EQ(imageWidth(objects[0].rotatedImage), 20);
    EXPECT_EQ(getPixel(objects[0].rotatedImage, 5, 5), opaque(rgb(0, 255, 0)));
    EXPECT_EQ(imageWidth(objects[1].rotatedImage), 10);
    EXPECT_EQ(imageHeight(objects[1].rotatedImage), 20);
    EXPECT_EQ(objects[1].imageWidth, 20);
    EXPECT_EQ(objects[2].rotatedImage, -1);
    EXPECT_EQ(objects[2].imageWidth, 15);
    EXPECT_EQ(objects[3].rotatedImage, -1) << "another scene's instance";
    made = {objects[0].rotatedImage, objects[1].rotatedImage};
  });
  driverClick("Done");
  editScene(scene);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(objects[size_t(i)].rotatedImage, -1);
  for (int image : made) EXPECT_FALSE(isImage(image));
  EXPECT_TRUE(isImage(current));
}

TEST_F(SceneWindow, ObjectListChoosesThePlacingImageAndPreview) {
  std::string scene = newScene();
  addSprite("ball", 20, 10, opaque(rgb(255, 0, 0)));
  addDefinition("obj_plain", "");
  addDefinition("obj_ball", "ball");
  driverCall([] {
    const SceneGadgets& g = gadgets();
    EXPECT_EQ(countGadgetItems(g.follow), 3);
    EXPECT_EQ(getGadgetText(g.objectList), "obj_plain");
    EXPECT_EQ(openSceneState()->placeImage, -1);
    EXPECT_EQ(getGadgetAttribute(g.preview, ATTR_IMAGE), PIC_BLANK);
  });
  chooseTab(TAB_OBJECTS);
  driverChoose("object action", ACTION_REMOVE);
  driverChooseText("object list", "obj_ball");
  driverCall([] {
    const SceneState& s = *openSceneState();
    EXPECT_EQ(getGadgetState(s.g.objectAction), ACTION_PLACE);
    EXPECT_EQ(s.placeImage, frames[0].image);
    EXPECT_EQ(s.placeSprite, 0);
    // 20 x 10 shown 100 x 50 at the top.
    EXPECT_EQ(getPixel(s.previewImage, 99, 49), opaque(rgb(255, 0, 0)));
    EXPECT_EQ(alpha(getPixel(s.previewImage, 50, 50)), 0);
  });
  driverClick("Done");
  editScene(scene);
}

TEST_F(SceneWindow, FollowListTakesTheSceneObjectAndDoneWritesIt) {
  std::string scene = newScene();
  addDefinition("hero", "");
  addDefinition("enemy", "");
  scenes[0].viewportobject = "enemy";
  driverCall([] { EXPECT_EQ(getGadgetText(gadgets().follow), "enemy"); });
  driverChoose("follow", 0);
  driverSetText("viewport width", "320");
  driverSetText("margin y", "7");
  driverCall([] { EXPECT_EQ(scenes[0].viewportwidth, 640) << "written by Done"; });
  driverClick("Scene code...");
  driverCall([] { EXPECT_TRUE(isWindowDisabled(window())); });
  driverSetText("code", "go();");
  driverClick("OK");
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(scenes[0].viewportobject, "");
  EXPECT_EQ(scenes[0].viewportwidth, 320);
  EXPECT_EQ(scenes[0].viewportyborder, 7);
  EXPECT_EQ(scenes[0].code, "go();");
}

// A tile set whose file is empty leaves no tile-set picture behind.
TEST_F(SceneWindow, TileImageListLoadsTheTileSetOrNone) {
  std::string scene = newScene();
  std::string sheet = newBackground(), empty = newBackground();
  backgrounds[0].file = "sheet.png";
  int picture = createImage(UI_ANY, 64, 32, 32, opaque(rgb(0, 0, 200)));
  ASSERT_TRUE(savePng(picture, workFolder + "/sheet.png"));
  freeImage(picture);
  int loaded = 0;
  chooseTab(TAB_TILES);
  driverCall([] {
    EXPECT_EQ(gadgetWidth(gadgets().tileSetCanvas), 64);
    EXPECT_EQ(getPixel(canvasImage(gadgets().tileSetCanvas), 63, 31), opaque(rgb(0, 0, 200)));
    EXPECT_EQ(openSceneState()->tileSetImage, -1) << "none until a tile set is chosen";
  });
  driverChooseText("tile image list", empty);
  driverChooseText("tile image list", sheet);
  driverCall([&] {
    loaded = openSceneState()->tileSetImage;
    EXPECT_EQ(imageWidth(loaded), 64);
    EXPECT_EQ(gadgetWidth(gadgets().tileSetCanvas), 64);
    EXPECT_EQ(getPixel(canvasImage(gadgets().tileSetCanvas), 63, 31), opaque(rgb(0, 0, 200)));
  });
  driverChooseText("tile image list", empty);
  driverCall([&] {
    EXPECT_EQ(openSceneState()->tileSetImage, -1);
    EXPECT_FALSE(isImage(loaded));
    EXPECT_EQ(gadgetWidth(gadgets().tileSetCanvas), 0);
  });
  driverClick("Done");
  editScene(scene);
}

TEST_F(SceneWindow, EditSelectedInstanceOpensTheFirstSelected) {
  std::string scene = newScene();
  addInstance(scene, "SceneObject40", "", 1, 1);
  addInstance(scene, "SceneObject41", "", 2, 2);
  addInstance(scene, "SceneObject42", "", 3, 3);
  chooseTab(TAB_OBJECTS);
  driverClick("Edit selected instance...");   // none selected: nothing opens
  driverCall([] {
    objects[1].selected = 1;
    objects[2].selected = 1;
  });
  driverClick("Edit selected instance...");
  driverCall([] { EXPECT_NE(gadgetByName(0, "x"), 0); });
  driverSetText("x", "99");
  driverClick("OK");
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(objects[1].x, 99);
  EXPECT_EQ(objects[2].x, 3);
  EXPECT_EQ(objects[1].selected, 0) << "closing clears the selection";
}

TEST_F(SceneWindow, AnUnknownSceneOpensNoWindow) {
  newScene();
  editScene("nowhere");
  EXPECT_EQ(openSceneState(), nullptr);
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
}
