#include <climits>

#include "tests/scene/scene_test_util.h"

using SceneCommands = SceneWindowTest;

namespace {

std::vector<std::string> objectNames() {
  std::vector<std::string> out;
  for (const ObjectRecord& o : objects) out.push_back(o.name);
  return out;
}
std::vector<std::string> tileNames() {
  std::vector<std::string> out;
  for (const TileRecord& t : tiles) out.push_back(t.name);
  return out;
}
// "scene:depth" of every layer, in table order.
std::vector<std::string> layerDepths() {
  std::vector<std::string> out;
  for (const LayerRecord& l : layers) out.push_back(l.scene + ":" + std::to_string(l.value));
  return out;
}
std::vector<std::string> layerItems() {
  std::vector<std::string> out;
  int list = gadgetByName(0, "layer list");
  for (int i = 0; i < countGadgetItems(list); ++i) out.push_back(getGadgetItemText(list, i));
  return out;
}

}  // namespace

TEST_F(SceneCommands, NewEmptiesThisSceneOnTheChosenTab) {
  std::string scene = newScene(), other = newScene();
  addDefinition("obj", "");
  addInstance(scene, "SceneObject20", "", 0, 0);
  addInstance(other, "SceneObject21", "", 0, 0);
  addInstance(scene, "SceneObject22", "", 0, 0);
  addTile(scene, "tile_30", 1000000);
  addTile(other, "tile_31", 1000000);
  addTile(scene, "tile_32", 5);
  chooseTab(TAB_OBJECTS);
  driverClick("new");
  driverAnswerMessage("Confirm", "Delete all objects in this scene?", MSG_RESULT_NO);
  driverCall([] { EXPECT_EQ(objects.size(), 4u); });
  driverClick("new");
  driverAnswerMessage("Confirm", "Delete all objects in this scene?", MSG_RESULT_YES);
  chooseTab(TAB_TILES);
  driverClick("new");
  driverAnswerMessage("Confirm", "Delete all tiles in this scene?", MSG_RESULT_YES);
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(objectNames(), (std::vector<std::string>{"obj", "SceneObject21"}));
  EXPECT_EQ(tileNames(), (std::vector<std::string>{"tile_31"}));
}

// The instances it deletes take their display pictures, turned or not, with them.
TEST_F(SceneCommands, NewFreesTheDisplayPicturesOfTheObjectsItDeletes) {
  std::string scene = newScene();
  addSprite("ball", 8, 8, opaque(rgb(255, 0, 0)));
  addDefinition("obj", "ball");
  addInstance(scene, "SceneObject20", "ball", 0, 0, 30);
  addInstance(scene, "SceneObject21", "ball", 40, 0);
  const int before = liveImageCount();
  int opened = 0;
  chooseTab(TAB_OBJECTS);
  driverCall([&] {
    opened = liveImageCount();
    EXPECT_GE(opened, before + 2) << "each instance has its display picture";
  });
  driverClick("new");
  driverAnswerMessage("Confirm", "Delete all objects in this scene?", MSG_RESULT_YES);
  driverCall([&] { EXPECT_EQ(liveImageCount(), opened - 2); });
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(objects.size(), 1u);
}

TEST_F(SceneCommands, ShiftMovesObjectsAndTilesOfTheChosenLayer) {
  std::string scene = newScene(), other = newScene();
  addLayer(scene, "layer_90", 500);
  addInstance(scene, "SceneObject20", "", 100, 100);
  addInstance(scene, "SceneObject21", "", INT_MIN + 5, INT_MAX - 1);
  addInstance(other, "SceneObject22", "", 100, 100);
  addTile(scene, "tile_30", 1000000, 40, 40);
  addTile(scene, "tile_31", 500, 40, 40);
  addTile(other, "tile_32", 1000000, 40, 40);
  chooseTab(TAB_OBJECTS);
  driverClick("shift");
  driverCall([] {
    EXPECT_EQ(getWindowTitle(gadgetWindow(gadgetByName(0, "horizontal"))), "Shift objects");
    EXPECT_EQ(getGadgetText(gadgetByName(0, "horizontal")), "20") << "the grid size";
    EXPECT_TRUE(windowShowsText(gadgetWindow(gadgetByName(0, "horizontal")), "OK", 200 - 74, 160 - 35));
    EXPECT_TRUE(isWindowDisabled(window()));
  });
  driverSetText("horizontal", "-20");
  driverSetText("vertical", "5");
  driverClick("OK");
  chooseTab(TAB_TILES);
  driverClick("shift");   // the layer list shows 1000000
  driverSetText("horizontal", "10");
  driverSetText("vertical", "abc");
  driverClick("OK");
  driverClick("shift");
  driverCheck("In all layer", true);
  driverSetText("horizontal", "1");
  driverSetText("vertical", "1");
  driverClick("OK");
  driverClick("shift");
  driverSetText("horizontal", "1000");
  driverClick("Cancel");
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(objects[0].x, 80);
  EXPECT_EQ(objects[0].y, 105);
  // The sums are held in the 32-bit range instead of wrapping round.
  EXPECT_EQ(objects[1].x, INT_MIN);
  EXPECT_EQ(objects[1].y, INT_MAX);
  EXPECT_EQ(objects[2].x, 100);
  EXPECT_EQ(tiles[0].x, 51);
  EXPECT_EQ(tiles[0].y, 41);
  EXPECT_EQ(tiles[1].x, 41) << "another layer moves only with In all layer";
  EXPECT_EQ(tiles[2].x, 40);
}

TEST_F(SceneCommands, AddRefusesADepthOfThisSceneAndChoosesTheNewLayer) {
  std::string scene = newScene(), other = newScene();
  addLayer(other, "layer_90", 500);
  chooseTab(TAB_TILES);
  driverClick("Add");
  driverCall([] {
    int field = gadgetByName(0, "depth");
    EXPECT_EQ(getWindowTitle(gadgetWindow(field)), "Add a new tile layer");
    EXPECT_EQ(getGadgetText(field), "1000000");
  });
  driverClick("OK");
  driverAnswerMessage("Error", "Depth already exists");
  driverSetText("depth", "500");
  driverClick("OK");
  driverCall([] { EXPECT_EQ(getGadgetText(gadgetByName(0, "layer list")), "500"); });
  // The item whose number is the typed one is chosen.
  driverClick("Add");
  driverSetText("depth", "007");
  driverClick("OK");
  driverCall([] { EXPECT_EQ(getGadgetText(gadgetByName(0, "layer list")), "7"); });
  // A cancelled depth that no layer has keeps the choice.
  driverClick("Add");
  driverSetText("depth", "+5");
  driverClick("Cancel");
  driverCall([] {
    EXPECT_EQ(getGadgetText(gadgetByName(0, "layer list")), "7");
    EXPECT_EQ(layerItems(), (std::vector<std::string>{"1000000", "500", "7"}));
  });
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(layerDepths(), (std::vector<std::string>{scene + ":1000000", other + ":1000000", other + ":500",
                                                     scene + ":500", scene + ":7"}));
  EXPECT_EQ(findLayer(layers[3].name), 3) << "a name of its own";
}

TEST_F(SceneCommands, ChangeToAnExistingDepthMergesTheLayers) {
  std::string scene = newScene(), other = newScene();
  addLayer(scene, "layer_90", 200);
  addTile(scene, "tile_30", 1000000);
  addTile(scene, "tile_31", 200);
  addTile(other, "tile_32", 1000000);
  chooseTab(TAB_TILES);
  driverClick("Change...");
  driverCall([] {
    EXPECT_EQ(getWindowTitle(gadgetWindow(gadgetByName(0, "depth"))), "Change the depth of a tile layer");
  });
  driverSetText("depth", "200");
  driverClick("OK");
  driverCall([] { EXPECT_EQ(getGadgetText(gadgetByName(0, "layer list")), "200"); });
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(layerDepths(), (std::vector<std::string>{scene + ":200", other + ":1000000"}));
  EXPECT_EQ(tiles[0].depth, 200);
  EXPECT_EQ(tiles[1].depth, 200);
  EXPECT_EQ(tiles[2].depth, 1000000);
}

// A scene without layers (as a project file may hold it): Change has no
// layer to change, and touches no tile and no other scene's layer.
TEST_F(SceneCommands, ChangeWithoutALayerOfTheChosenDepthChangesNothing) {
  std::string scene = newScene(), other = newScene();
  layers.erase(layers.begin());
  addTile(scene, "tile_30", 0);
  chooseTab(TAB_TILES);
  driverClick("Change...");
  driverSetText("depth", "50");
  driverClick("OK");
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(layerDepths(), (std::vector<std::string>{other + ":1000000"}));
  EXPECT_EQ(tiles[0].depth, 0);
}

TEST_F(SceneCommands, DeletingTheOnlyLayerLeavesANewOne) {
  std::string scene = newScene(), other = newScene();
  std::string first = layers[0].name;
  addTile(scene, "tile_30", 1000000);
  addTile(other, "tile_31", 1000000);
  chooseTab(TAB_TILES);
  driverClick("Delete");
  driverAnswerMessage("Confirm", "Delete this layer and all tiles on this layer?", MSG_RESULT_NO);
  driverCall([] { EXPECT_EQ(tiles.size(), 2u); });
  driverClick("Delete");
  driverAnswerMessage("Confirm", "Delete this layer and all tiles on this layer?", MSG_RESULT_YES);
  driverCall([] { EXPECT_EQ(layerItems(), (std::vector<std::string>{"1000000"})); });
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(layerDepths(), (std::vector<std::string>{other + ":1000000", scene + ":1000000"}));
  EXPECT_NE(layers[1].name, first);
  EXPECT_EQ(tileNames(), (std::vector<std::string>{"tile_31"}));
}

// Two layers of one depth (a project file may hold them) go together.
TEST_F(SceneCommands, DeleteRemovesEveryLayerOfTheDepth) {
  std::string scene = newScene();
  addLayer(scene, "layer_90", 300);
  addLayer(scene, "layer_91", 300);
  addTile(scene, "tile_30", 300);
  addTile(scene, "tile_31", 1000000);
  chooseTab(TAB_TILES);
  driverChooseText("layer list", "300");
  driverClick("Delete");
  driverAnswerMessage("Confirm", "Delete this layer and all tiles on this layer?", MSG_RESULT_YES);
  driverClick("Done");
  editScene(scene);
  EXPECT_EQ(layerDepths(), (std::vector<std::string>{scene + ":1000000"}));
  EXPECT_EQ(tileNames(), (std::vector<std::string>{"tile_31"}));
}
