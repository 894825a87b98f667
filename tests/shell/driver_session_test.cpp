// The program through the real window layer (offscreen), driven by the
// scripted test driver: start-up, adding, deleting, saving, opening, quitting.
#include <gtest/gtest.h>

#include "project/hooks.h"
#include "project/tables.h"
#include "shell/dispatch.h"
#include "shell/mainwindow.h"
#include "shell/project_commands.h"
#include "shell/resource_panel.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "tests/support/temp_folder.h"
#include "ui/driver.h"
#include "ui/ui.h"

namespace {

// Runs the main loop over the steps queued so far.
void runSteps() {
  driverCall([] { programEnding = true; }, "end of the steps");
  driverTimeout();
  mainLoop();
  programEnding = false;
}

int iconOf(const std::string& kind, const std::string& name) {
  for (const ResourceItemRecord& r : resourceItems)
    if (r.kind == kind && r.name == name && r.popupMenu > -1) return r.gadget;
  return 0;
}

}  // namespace

TEST(DriverSession, StartWorkAndQuit) {
  TempFolder folder;
  writeFile("preferences.dat", "[Misc]\nCheckProgramVersion = 0\n");
  driverStart();
  startProgram(folder.path);
  EXPECT_EQ(getWindowTitle(MAIN_WINDOW), "Zembrik Game Maker v1.3.0");
  EXPECT_TRUE(resourceItems.empty());
  runSteps();   // the size event of the maximising fills the panel
  ASSERT_EQ(resourceItems.size(), 8u);
  EXPECT_EQ(gadgetHeight(RESOURCE_PANEL), windowHeight(MAIN_WINDOW) - 50);

  driverClick("Add a new sprite");
  driverCall([] {
    EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
    EXPECT_EQ(sprites.size(), 1u);
  });
  driverClick("Done");
  driverShortcut(MAIN_WINDOW, SC_CONTROL | '6');
  driverClick("Done");
  runSteps();
  ASSERT_EQ(sprites.size(), 1u);
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0].name, "object_3");
  EXPECT_NE(iconOf("Objects", "object_3"), 0);
  EXPECT_EQ(getGadgetState(RESOURCE_PANEL), 5) << "the new object's tab is in front";

  driverChoose(RESOURCE_PANEL, 0);
  driverRightClick(iconOf("Sprites", "sprite_2"));
  driverChoosePopupItem(MENU_SPRITE_DELETE);
  driverAnswerMessage("Confirm", "Do you really want to delete this sprite?", MSG_RESULT_YES);
  runSteps();
  EXPECT_TRUE(sprites.empty());
  EXPECT_EQ(iconOf("Sprites", "sprite_2"), 0);

  driverChooseMenu(MENU_SAVE);
  driverSetText("name", "game");
  driverClick("OK");
  driverAnswerMessage("Warning", "There is no scene added.");
  runSteps();
  EXPECT_EQ(projectName, "game");
  EXPECT_EQ(modifiedFlag, 0);
  EXPECT_EQ(fileKind("Projects/game.xml"), FILE_REGULAR);
  EXPECT_EQ(fileKind("Projects/game/game.js"), FILE_REGULAR);

  driverChooseMenu(MENU_NEW);
  driverChooseMenu(MENU_OPEN);
  driverSelectRow("projects", 0);
  driverCall([] { EXPECT_EQ(getGadgetText(gadgetByName(eventWindow(), "started")).rfind("Project started: 20", 0), 0u); });
  driverClick("Open");
  runSteps();
  EXPECT_EQ(projectName, "game");
  EXPECT_EQ(objects.size(), 1u);
  EXPECT_EQ(getWindowTitle(MAIN_WINDOW), "Zembrik Game Maker v1.3.0 - game");

  std::string work = workFolder;
  driverChooseMenu(APPMENU_QUIT);
  driverAnswerMessage("Confirm", "Exit from Zembrik Game Maker?", MSG_RESULT_YES);
  mainLoop();
  EXPECT_TRUE(programEnding);
  EXPECT_EQ(fileKind(work), FILE_NONE);
  EXPECT_TRUE(driverCheckDone());
  programEnding = false;
  closeWindow(MAIN_WINDOW);
  clearProjectTables();
  resourceItems.clear();
  resetProjectHooks();
}

TEST(DriverSession, EveryAddCommandReachesItsWindow) {
  TempFolder folder;
  writeFile("preferences.dat", "[Misc]\nCheckProgramVersion = 0\n");
  driverStart();
  startProgram(folder.path);
  runSteps();
  struct Kind { const char* button; int item; char key; std::function<size_t()> count; } kinds[] = {
      {"Add a new sprite", MENU_ADD_SPRITE, '1', [] { return sprites.size(); }},
      {"Add a new sound", MENU_ADD_SOUND, '2', [] { return sounds.size(); }},
      {"Add a new music", MENU_ADD_MUSIC, '3', [] { return musics.size(); }},
      {"Add a new background", MENU_ADD_BACKGROUND, '4', [] { return backgrounds.size(); }},
      {"Add a new font", MENU_ADD_FONT, '5', [] { return fonts.size(); }},
      {"Add a new object", MENU_ADD_OBJECT, '6', [] { return objects.size(); }},
      {"Add a new scene", MENU_ADD_SCENE, '7', [] { return scenes.size(); }},
      {"Add a new function", MENU_ADD_FUNCTION, '8', [] { return fns.size(); }},
  };
  for (const Kind& k : kinds) {
    driverClick(k.button);
    driverCall([] { EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW)); }, k.button);
    driverClick("Done");
    driverChooseMenu(k.item);
    driverClick("Done");
    driverShortcut(MAIN_WINDOW, SC_CONTROL | k.key);
    driverClick("Done");
    driverChoose(RESOURCE_PANEL, k.key - '1');   // the add picture's tab
    driverClick(ADD_SPRITE_ICON + (k.key - '1'));
    driverClick("Done");
    runSteps();
    EXPECT_EQ(k.count(), 4u) << k.button;
    EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
  }
  EXPECT_EQ(uidCounter, 1 + 4 * 8 + 4);   // every new scene also numbers its first layer
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_TRUE(driverCheckDone());
  closeWindow(MAIN_WINDOW);
  deleteWorkFolder();
  clearProjectTables();
  resourceItems.clear();
  resetProjectHooks();
}

TEST(DriverSession, CodeWindowsKeepTheirTextInACodeEditor) {
  TempFolder folder;
  writeFile("preferences.dat", "[Misc]\nCheckProgramVersion = 0\n");
  driverStart();
  startProgram(folder.path);
  runSteps();
  projectInfo.variables = "var lives = 3;\nvar score = 0;";
  projectInfo.functions = "function f() {}";
  driverChoose(RESOURCE_PANEL, 8);   // the Game tab
  driverClick(GAME_GLOBALS_PICTURE);
  driverClick("OK");
  driverClick(GAME_FUNCTIONS_PICTURE);
  driverClick("Cancel");
  driverClick(GAME_EXTENSIONS_PICTURE);
  driverAnswerMessage("Message", "Please save your project.");
  driverChoose(RESOURCE_PANEL, 7);   // the Functions tab
  driverClick(EXPORT_FUNCTIONS_BUTTON);
  driverAnswerMessage("Message", "There nothing to export.");
  driverClick(IMPORT_FUNCTIONS_BUTTON);
  driverAnswerFile("Select functions to import", "");
  runSteps();
  EXPECT_EQ(projectInfo.variables, "var lives = 3;\nvar score = 0;");
  EXPECT_EQ(projectInfo.functions, "function f() {}");
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
  EXPECT_TRUE(driverCheckDone());
  closeWindow(MAIN_WINDOW);
  deleteWorkFolder();
  clearProjectTables();
  resourceItems.clear();
  resetProjectHooks();
}

TEST(DriverSession, QuitByItsKeyAndTheCloseBox) {
  TempFolder folder;
  writeFile("preferences.dat", "[Misc]\nCheckProgramVersion = 0\n");
  driverStart();
  startProgram(folder.path);
  runSteps();
  driverCloseBox(MAIN_WINDOW);
  driverAnswerMessage("Confirm", "Exit from Zembrik Game Maker?", MSG_RESULT_NO);
  runSteps();
  EXPECT_TRUE(isWindow(MAIN_WINDOW));
  EXPECT_EQ(fileKind(workFolder), FILE_FOLDER);
  driverShortcut(MAIN_WINDOW, SC_CONTROL | 'Q');
  driverAnswerMessage("Confirm", "Exit from Zembrik Game Maker?", MSG_RESULT_YES);
  mainLoop();
  EXPECT_TRUE(programEnding);
  EXPECT_EQ(fileKind(workFolder), FILE_NONE);
  EXPECT_TRUE(driverCheckDone());
  programEnding = false;
  closeWindow(MAIN_WINDOW);
  clearProjectTables();
  resourceItems.clear();
  resetProjectHooks();
}
