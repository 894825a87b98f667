#include <sys/stat.h>

#include "project/makers.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"

using Dispatch = ShellTest;

TEST_F(Dispatch, EveryControlShortcutAndItemRunsItsCommand) {
  startMainWindow();
  auto button = [](int* number) { return [number] { driverClick(*number); }; };
  // A picture of the panel is reached on its own tab.
  auto picture = [](int tab, int number) {
    return [tab, number] {
      driverChoose(RESOURCE_PANEL, tab);
      driverClick(number);
    };
  };
  auto item = [](int i) { return [i] { driverChooseMenu(i); }; };
  auto key = [](int shortcut) { return [shortcut] { driverShortcut(MAIN_WINDOW, shortcut); }; };
  struct Case {
    const char* what;
    std::function<void()> act;
    std::string title;   // "" for no window; a trailing "_" gets the next counter value
    const char* closer = "";   // ends the window
    const char* probe = "";    // a named gadget of the window
  };
  const char* props = "Done";
  std::vector<Case> cases = {
      {"add sprite button", button(&addSpriteButton), "Sprite properties - sprite_", props, "name"},
      {"add sound button", button(&addSoundButton), "Sound properties - sound_", props, "name"},
      {"add music button", button(&addMusicButton), "Music properties - music_", props, "name"},
      {"add background button", button(&addBackgroundButton), "Background properties - background_", props, "name"},
      {"add font button", button(&addFontButton), "Font properties - font_", props, "name"},
      {"add object button", button(&addObjectButton), "Object properties - object_", props, "name"},
      {"add scene button", button(&addSceneButton), "Scene properties - scene_", props, "name"},
      {"add function button", button(&addFunctionButton), "Function properties - function_", props, "name"},
      {"sprite add icon", picture(0, ADD_SPRITE_ICON), "Sprite properties - sprite_", props, "name"},
      {"sound add icon", picture(1, ADD_SOUND_ICON), "Sound properties - sound_", props, "name"},
      {"music add icon", picture(2, ADD_MUSIC_ICON), "Music properties - music_", props, "name"},
      {"background add icon", picture(3, ADD_BACKGROUND_ICON), "Background properties - background_", props, "name"},
      {"font add icon", picture(4, ADD_FONT_ICON), "Font properties - font_", props, "name"},
      {"object add icon", picture(5, ADD_OBJECT_ICON), "Object properties - object_", props, "name"},
      {"scene add icon", picture(6, ADD_SCENE_ICON), "Scene properties - scene_", props, "name"},
      {"function add icon", picture(7, ADD_FUNCTION_ICON), "Function properties - function_", props, "name"},
      {"add sprite item", item(MENU_ADD_SPRITE), "Sprite properties - sprite_", props, "name"},
      {"add sound item", item(MENU_ADD_SOUND), "Sound properties - sound_", props, "name"},
      {"add music item", item(MENU_ADD_MUSIC), "Music properties - music_", props, "name"},
      {"add background item", item(MENU_ADD_BACKGROUND), "Background properties - background_", props, "name"},
      {"add font item", item(MENU_ADD_FONT), "Font properties - font_", props, "name"},
      {"add object item", item(MENU_ADD_OBJECT), "Object properties - object_", props, "name"},
      {"add scene item", item(MENU_ADD_SCENE), "Scene properties - scene_", props, "name"},
      {"add function item", item(MENU_ADD_FUNCTION), "Function properties - function_", props, "name"},
      {"Ctrl+1", key(SC_CONTROL | '1'), "Sprite properties - sprite_", props, "name"},
      {"Ctrl+2", key(SC_CONTROL | '2'), "Sound properties - sound_", props, "name"},
      {"Ctrl+3", key(SC_CONTROL | '3'), "Music properties - music_", props, "name"},
      {"Ctrl+4", key(SC_CONTROL | '4'), "Background properties - background_", props, "name"},
      {"Ctrl+5", key(SC_CONTROL | '5'), "Font properties - font_", props, "name"},
      {"Ctrl+6", key(SC_CONTROL | '6'), "Object properties - object_", props, "name"},
      {"Ctrl+7", key(SC_CONTROL | '7'), "Scene properties - scene_", props, "name"},
      {"Ctrl+8", key(SC_CONTROL | '8'), "Function properties - function_", props, "name"},
      {"global variables picture", picture(8, GAME_GLOBALS_PICTURE), "Global variables", "Cancel", "code"},
      {"functions picture", picture(8, GAME_FUNCTIONS_PICTURE), "Not listed custom functions", "Cancel", "code"},
      {"game comments picture", picture(8, GAME_COMMENTS_PICTURE), "Game comments", "OK", "comments"},
      {"save button", button(&saveGameButton), "Enter the project name", "Cancel", "name"},
      {"save item", item(MENU_SAVE), "Enter the project name", "Cancel", "name"},
      {"Ctrl+S", key(SC_CONTROL | 'S'), "Enter the project name", "Cancel", "name"},
      {"save as item", item(MENU_SAVE_AS), "Enter the project name", "Cancel", "name"},
      {"open button", button(&openGameButton), "Open a project...", "Cancel", "projects"},
      {"open item", item(MENU_OPEN), "Open a project...", "Cancel", "projects"},
      {"Ctrl+O", key(SC_CONTROL | 'O'), "Open a project...", "Cancel", "projects"},
      {"preferences item", item(APPMENU_PREFERENCES), "Preferences", "Cancel", "image folder"},
      {"about item", item(APPMENU_ABOUT), "Zembrik Game Maker v1.3.0", "about", "about"},
      {"new button", button(&newGameButton), ""},
      {"new item", item(MENU_NEW), ""},
      {"Ctrl+N", key(SC_CONTROL | 'N'), ""},
      {"status button", [] { driverClick(STATUS_BUTTON); }, ""},
      {"help item", item(MENU_HELP), ""},
      {"F1", key(KEY_F1), ""},
      {"check version item", item(MENU_CHECK_VERSION), "Version information"},   // no server here
      {"run game button", button(&runGameButton), "Message"},
      {"run game item", item(MENU_RUN_GAME), "Message"},
      {"F5", key(KEY_F1 + 4), "Message"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string expected = c.title;
    if (!expected.empty() && expected.back() == '_') expected += std::to_string(uidCounter + 1);
    setModified(0);   // no unsaved-changes question in the way
    c.act();
    if (expected == "Message") {
      driverAnswerMessage("Message", "Please save your game.");
    } else if (expected == "Version information") {
      driverAnswerMessage(expected, "The program version could not be checked.");
    } else if (!expected.empty()) {
      driverCall([&] {
        int w = windowWith(c.probe);
        EXPECT_NE(w, MAIN_WINDOW);
        EXPECT_EQ(getWindowTitle(w), expected);
      });
      driverClick(c.closer);
    }
    runSteps();
    EXPECT_TRUE(driverCheckDone());
    EXPECT_EQ(shownWindowCount(), 1) << "only the main window is left";
    EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
  }
  // No further keys of its own: Save as and Check program version have none.
  EXPECT_EQ(windowShortcutCount(MAIN_WINDOW), 13);
}

TEST_F(Dispatch, MenusAndPopupsHoldTheirItems) {
  startMainWindow();
  using V = std::vector<std::string>;
  EXPECT_EQ(menuBarTexts(MAIN_WINDOW),
            (V{"[File]", "New\tCtrl + N", "-", "Open...\tCtrl + O", "Save\tCtrl + S", "Save as...", "-",
               "Run game\tF5", "-", "Preferences...", "Quit",
               "[Resources]", "Add new sprite\tCtrl + 1", "Add new sound\tCtrl + 2", "Add new music\tCtrl + 3",
               "Add new background\tCtrl + 4", "Add new font\tCtrl + 5", "Add new object\tCtrl + 6",
               "Add new scene\tCtrl + 7", "Add new function\tCtrl + 8",
               "[Help]", "Help\tF1", "-", "Check program version...", "-", "About Zembrik"}));
  struct Popup { int menu; std::vector<std::pair<int, std::string>> items; } popups[] = {
      {POPUP_SPRITE, {{MENU_SPRITE_EDIT, "Edit"}, {MENU_SPRITE_DELETE, "Delete"}}},
      {POPUP_BACKGROUND, {{MENU_BACKGROUND_EDIT, "Edit"}, {MENU_BACKGROUND_DELETE, "Delete"}}},
      {POPUP_FONT, {{MENU_FONT_EDIT, "Edit"}, {MENU_FONT_DELETE, "Delete"}}},
      {POPUP_SOUND, {{MENU_SOUND_EDIT, "Edit"}, {MENU_SOUND_DELETE, "Delete"}}},
      {POPUP_MUSIC, {{MENU_MUSIC_EDIT, "Edit"}, {MENU_MUSIC_DELETE, "Delete"}}},
      {POPUP_FUNCTION, {{MENU_FUNCTION_EDIT, "Edit"}, {MENU_FUNCTION_DELETE, "Delete"}}},
      {POPUP_OBJECT_EVENT, {{MENU_EVENT_EDIT, "Edit"}, {MENU_EVENT_DELETE, "Delete"}}},
      {POPUP_OBJECT, {{MENU_OBJECT_EDIT, "Edit"}, {MENU_OBJECT_DUPLICATE, "Duplicate"}, {MENU_OBJECT_DELETE, "Delete"}}},
      {POPUP_SCENE, {{MENU_SCENE_EDIT, "Edit"}, {MENU_SCENE_DELETE, "Delete"}, {MENU_SCENE_BACKWARD, "Move backward"},
                     {MENU_SCENE_FORWARD, "Move forward"}}},
  };
  for (const Popup& p : popups) {
    EXPECT_TRUE(isMenu(p.menu)) << p.menu;
    for (auto& [item, text] : p.items) EXPECT_EQ(getMenuItemText(p.menu, item), text) << p.menu;
  }
  EXPECT_EQ(getMenuItemText(POPUP_SPRITE, MENU_OBJECT_DUPLICATE), "") << "no item of another kind";
}

TEST_F(Dispatch, RightClickShowsThePopupAndDoubleClickOpensTheEditor) {
  startMainWindow();
  newSound();
  std::string sprite = newSprite();
  refreshResourcePanel();
  int icon = itemGadget("Sprites", sprite);
  ASSERT_NE(icon, 0);
  driverRightClick(icon);
  driverChoosePopupItem(MENU_SPRITE_EDIT);   // fails unless the sprite popup is on show
  driverCall([&] {
    EXPECT_EQ(getWindowTitle(windowWith("Done")), "Sprite properties - " + sprite);
    ASSERT_GE(selectedResourceItem(), 0);
    EXPECT_EQ(resourceItems[size_t(selectedResourceItem())].name, sprite);
    EXPECT_EQ(selectedResourceItem(), 0);   // the first item is a real one
  });
  driverClick("Done");
  runSteps();

  driverChoose(RESOURCE_PANEL, 1);
  driverDoubleClick(itemGadget("Sounds", "sound_2"));
  driverCall([] { EXPECT_EQ(getWindowTitle(windowWith("Done")), "Sound properties - sound_2"); });
  driverClick("Done");
  runSteps();

  // An add icon has no popup: its click runs its command, the right click
  // after it selects nothing.
  driverChoose(RESOURCE_PANEL, 2);
  driverRightClick(ADD_MUSIC_ICON);
  driverCall([] { EXPECT_EQ(getWindowTitle(windowWith("Done")), "Music properties - music_4"); });
  driverClick("Done");
  runSteps();
  EXPECT_EQ(selectedResourceItem(), -1);
}

namespace {

struct Kind {
  const char* kind;
  int tab;
  std::string (*make)();
  int popup, deleteItem;
  const char* question;
  std::function<size_t()> count;
};

const Kind kinds[] = {
    {"Sprites", 0, newSprite, POPUP_SPRITE, MENU_SPRITE_DELETE, "Do you really want to delete this sprite?",
     [] { return sprites.size(); }},
    {"Sounds", 1, newSound, POPUP_SOUND, MENU_SOUND_DELETE, "Do you really want to delete this sound?",
     [] { return sounds.size(); }},
    {"Musics", 2, newMusic, POPUP_MUSIC, MENU_MUSIC_DELETE, "Do you really want to delete this music?",
     [] { return musics.size(); }},
    {"Backgrounds", 3, newBackground, POPUP_BACKGROUND, MENU_BACKGROUND_DELETE,
     "Do you really want to delete this background?", [] { return backgrounds.size(); }},
    {"Fonts", 4, newFont, POPUP_FONT, MENU_FONT_DELETE, "Do you really want to delete this font?",
     [] { return fonts.size(); }},
    {"Objects", 5, newObject, POPUP_OBJECT, MENU_OBJECT_DELETE, "Do you really want to delete this object?",
     [] { return objects.size(); }},
    {"Scenes", 6, newScene, POPUP_SCENE, MENU_SCENE_DELETE, "Do you really want to delete this scene?",
     [] { return scenes.size(); }},
    {"Functions", 7, newFunction, POPUP_FUNCTION, MENU_FUNCTION_DELETE,
     "Do you really want to delete this function?", [] { return fns.size(); }},
};

// Right click on a resource's picture, on its own tab.
void rightClickItem(const std::string& kind, const std::string& name) {
  for (const Kind& k : kinds)
    if (kind == k.kind) driverChoose(RESOURCE_PANEL, k.tab);
  driverRightClick(itemGadget(kind, name));
}

}  // namespace

// Whichever road adds it, a new resource's picture is shown: its tab comes to
// the front once its window is done.
TEST_F(Dispatch, AnAddedResourceShowsItsTab) {
  startMainWindow();
  int* buttons[] = {&addSpriteButton, &addSoundButton, &addMusicButton, &addBackgroundButton,
                    &addFontButton, &addObjectButton, &addSceneButton, &addFunctionButton};
  const char* roads[] = {"shortcut", "toolbar", "menu"};
  for (const Kind& k : kinds)
    for (const char* road : roads) {
      SCOPED_TRACE(std::string(k.kind) + " by " + road);
      size_t before = k.count();
      driverChoose(RESOURCE_PANEL, 8);   // the Game tab, where no resource picture is
      if (road == roads[0]) driverShortcut(MAIN_WINDOW, SC_CONTROL | ('1' + k.tab));
      else if (road == roads[1]) driverClick(*buttons[k.tab]);
      else driverChooseMenu(MENU_ADD_SPRITE + k.tab);
      driverClick("Done");
      runSteps();
      EXPECT_EQ(k.count(), before + 1);
      EXPECT_EQ(getGadgetState(RESOURCE_PANEL), k.tab);
    }
}

// A new resource deleted in its own window leaves nothing new to show: the
// panel stays on its tab. A new name given on Done does not hide it.
TEST_F(Dispatch, AnAddedResourceDeletedAgainLeavesThePanelAsItWas) {
  startMainWindow();
  driverChoose(RESOURCE_PANEL, 8);
  driverShortcut(MAIN_WINDOW, SC_CONTROL | '1');
  driverClick("Delete");
  driverAnswerMessage("Confirm", "Do you really want to delete this sprite?", MSG_RESULT_YES);
  runSteps();
  EXPECT_TRUE(sprites.empty());
  EXPECT_EQ(getGadgetState(RESOURCE_PANEL), 8);

  driverShortcut(MAIN_WINDOW, SC_CONTROL | '1');
  driverSetText("name", "hero");
  driverClick("Done");
  runSteps();
  EXPECT_NE(itemGadget("Sprites", "hero"), 0);
  EXPECT_EQ(getGadgetState(RESOURCE_PANEL), 0);
}

TEST_F(Dispatch, DeleteAsksItsQuestionAndCascades) {
  startMainWindow();
  for (const Kind& k : kinds) {
    SCOPED_TRACE(k.kind);
    std::string name = k.make();
    refreshResourcePanel();
    int icon = itemGadget(k.kind, name);
    rightClickItem(k.kind, name);
    driverChoosePopupItem(k.deleteItem);
    driverAnswerMessage("Confirm", k.question, MSG_RESULT_NO);
    runSteps();
    EXPECT_EQ(k.count(), 1u);
    EXPECT_EQ(itemGadget(k.kind, name), icon) << "No rebuilds nothing";
    rightClickItem(k.kind, name);
    driverChoosePopupItem(k.deleteItem);
    driverAnswerMessage("Confirm", k.question, MSG_RESULT_YES);
    runSteps();
    EXPECT_EQ(k.count(), 0u);
    EXPECT_EQ(itemGadget(k.kind, name), 0);
  }

  // A sprite's delete reaches the objects that use it.
  std::string sprite = newSprite();
  std::string object = newObject();
  objects[0].sprite = sprite;
  FrameRecord& frame = appendFrame();
  frame.sprite = sprite;
  frame.file = "0";
  refreshResourcePanel();
  rightClickItem("Sprites", sprite);
  driverChoosePopupItem(MENU_SPRITE_DELETE);
  driverAnswerMessage("Confirm", "Do you really want to delete this sprite?", MSG_RESULT_YES);
  runSteps();
  EXPECT_TRUE(frames.empty());
  EXPECT_EQ(objects[0].sprite, "");
}

// A delete or a duplicate is work like any other: Exit, New and Open ask
// before they throw it away, and a No keeps it.
TEST_F(Dispatch, DeleteAndDuplicateAreUnsavedChanges) {
  startMainWindow();
  struct Action {
    const char* what;
    const Kind* kind;   // nullptr: the object's Duplicate
  };
  std::vector<Action> actions;
  for (const Kind& k : kinds) actions.push_back({k.kind, &k});
  actions.push_back({"Duplicate", nullptr});
  for (const Action& a : actions) {
    SCOPED_TRACE(a.what);
    setModified(0);
    newProject();
    const Kind& k = a.kind ? *a.kind : kinds[5];
    std::string name = k.make();
    refreshResourcePanel();
    setModified(0);   // as after a save
    rightClickItem(k.kind, name);
    if (a.kind) {
      driverChoosePopupItem(k.deleteItem);
      driverAnswerMessage("Confirm", k.question, MSG_RESULT_YES);
    } else {
      driverChoosePopupItem(MENU_OBJECT_DUPLICATE);
    }
    runSteps();
    size_t left = a.kind ? 0u : 2u;
    ASSERT_EQ(k.count(), left);
    EXPECT_EQ(modifiedFlag, 1);

    confirmExitFlag = 0;   // Exit asks for no other reason
    driverChooseMenu(APPMENU_QUIT);
    driverAnswerMessage("Confirm", "Unsaved changes will be lost. Exit from Zembrik Game Maker?", MSG_RESULT_NO);
    driverChooseMenu(MENU_NEW);
    driverAnswerMessage("Confirm", "Unsaved changes will be lost. New?", MSG_RESULT_NO);
    driverChooseMenu(MENU_OPEN);
    driverAnswerMessage("Confirm", "Unsaved changes will be lost. Open a new project?", MSG_RESULT_NO);
    runSteps();
    EXPECT_TRUE(driverCheckDone());
    EXPECT_FALSE(programEnding);
    EXPECT_EQ(k.count(), left) << "a No keeps the change";
    EXPECT_EQ(modifiedFlag, 1);
  }
}

TEST_F(Dispatch, PopupCommandsWithNothingSelectedDoNothing) {
  startMainWindow();
  newSprite();
  newObject();
  newScene();
  refreshResourcePanel();
  ASSERT_EQ(selectedResourceItem(), -1);
  // The popup on show without a right click on a picture: nothing is selected.
  std::pair<int, int> items[] = {{POPUP_SPRITE, MENU_SPRITE_EDIT},       {POPUP_SPRITE, MENU_SPRITE_DELETE},
                                 {POPUP_OBJECT, MENU_OBJECT_DUPLICATE},  {POPUP_OBJECT, MENU_OBJECT_EDIT},
                                 {POPUP_SCENE, MENU_SCENE_BACKWARD},     {POPUP_SCENE, MENU_SCENE_FORWARD},
                                 {POPUP_SCENE, MENU_SCENE_DELETE}};
  for (auto [popup, item] : items) {
    driverCall([popup] { displayPopupMenu(popup, MAIN_WINDOW); }, "show popup " + std::to_string(popup));
    driverChoosePopupItem(item);
  }
  runSteps();   // no window and no question, or the driver fails
  EXPECT_EQ(sprites.size(), 1u);
  EXPECT_EQ(objects.size(), 1u);
  EXPECT_EQ(scenes.size(), 1u);
}

TEST_F(Dispatch, DuplicateAndSceneMovesAct) {
  startMainWindow();
  std::string object = newObject();
  std::string first = newScene(), second = newScene();
  refreshResourcePanel();
  rightClickItem("Objects", object);
  driverChoosePopupItem(MENU_OBJECT_DUPLICATE);
  runSteps();
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[1].name, object + "_dup");
  EXPECT_NE(itemGadget("Objects", object + "_dup"), 0);

  setModified(0);
  rightClickItem("Scenes", second);
  driverChoosePopupItem(MENU_SCENE_BACKWARD);
  runSteps();
  EXPECT_EQ(scenes[0].name, second);
  EXPECT_EQ(modifiedFlag, 1);   // the scene order is part of the game
  setModified(0);
  rightClickItem("Scenes", second);
  driverChoosePopupItem(MENU_SCENE_FORWARD);
  runSteps();
  EXPECT_EQ(scenes[0].name, first);
  EXPECT_EQ(modifiedFlag, 1);
  setModified(0);
  rightClickItem("Scenes", second);   // already last: nothing moves, nothing changes
  driverChoosePopupItem(MENU_SCENE_FORWARD);
  runSteps();
  EXPECT_EQ(modifiedFlag, 0);
}

TEST_F(Dispatch, AdvancedModeMarksTheProjectModified) {
  startMainWindow();
  driverChoose(RESOURCE_PANEL, 8);
  driverClick(ADVANCED_MODE_CHECKBOX);
  runSteps();
  EXPECT_EQ(projectInfo.advancedscriptmode, 1);
  EXPECT_EQ(modifiedFlag, 1);
  // So New asks before the changed mode is thrown away.
  driverChooseMenu(MENU_NEW);
  driverAnswerMessage("Confirm", "Unsaved changes will be lost. New?", MSG_RESULT_NO);
  runSteps();
  EXPECT_EQ(projectInfo.advancedscriptmode, 1);
  setModified(0);
  driverClick(ADVANCED_MODE_CHECKBOX);
  runSteps();
  EXPECT_EQ(projectInfo.advancedscriptmode, 0);
  EXPECT_EQ(modifiedFlag, 1);
}

TEST_F(Dispatch, HelpStartsTheViewerWhenItIsThere) {
  startMainWindow();
  driverChooseMenu(MENU_HELP);   // missing: nothing happens
  runSteps();
  writeFile("zembrik-help", "#!/bin/sh\ntouch help-ran\n");
  chmod("zembrik-help", 0755);
  driverShortcut(MAIN_WINDOW, KEY_F1);
  runSteps();
  for (int i = 0; i < 100 && fileKind("help-ran") != FILE_REGULAR; ++i) delayMs(20);
  EXPECT_EQ(fileKind("help-ran"), FILE_REGULAR);
}
