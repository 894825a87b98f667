#include <sys/stat.h>

#include "project/makers.h"
#include "tests/shell/shell_fixture.h"

using Dispatch = ShellTest;

namespace {

// The steps that end the window a command opened, by its title.
std::vector<fake::Step> closer(const std::string& title) {
  if (title.find(" properties - ") != std::string::npos) return {fake::clickNamed("Done")};
  if (title == "Global variables" || title == "Not listed custom functions" || title == "Preferences" ||
      title == "Enter the project name" || title == "Open a project...")
    return {fake::click("Cancel")};
  if (title == "Game comments") return {fake::click("OK")};
  if (title.rfind("Zembrik Game Maker v", 0) == 0) return {fake::clickNamed("about")};
  return {};
}

}  // namespace

TEST_F(Dispatch, EveryControlOpensItsWindow) {
  startMainWindow();
  struct Case {
    const char* what;
    std::function<fake::Step()> event;
    std::string title;   // "" for no window; a trailing "_" gets the next counter value
    std::string told = "";
  };
  auto button = [](int* number) { return [number] { return fake::clickGadget(*number); }; };
  auto gadget = [](int number) { return [number] { return fake::clickGadget(number); }; };
  auto item = [](int i) { return [i] { return fake::menu(i); }; };
  std::vector<Case> cases = {
      {"add sprite button", button(&addSpriteButton), "Sprite properties - sprite_"},
      {"add sound button", button(&addSoundButton), "Sound properties - sound_"},
      {"add music button", button(&addMusicButton), "Music properties - music_"},
      {"add background button", button(&addBackgroundButton), "Background properties - background_"},
      {"add font button", button(&addFontButton), "Font properties - font_"},
      {"add object button", button(&addObjectButton), "Object properties - object_"},
      {"add scene button", button(&addSceneButton), "Scene properties - scene_"},
      {"add function button", button(&addFunctionButton), "Function properties - function_"},
      {"sprite add icon", gadget(ADD_SPRITE_ICON), "Sprite properties - sprite_"},
      {"sound add icon", gadget(ADD_SOUND_ICON), "Sound properties - sound_"},
      {"music add icon", gadget(ADD_MUSIC_ICON), "Music properties - music_"},
      {"background add icon", gadget(ADD_BACKGROUND_ICON), "Background properties - background_"},
      {"font add icon", gadget(ADD_FONT_ICON), "Font properties - font_"},
      {"object add icon", gadget(ADD_OBJECT_ICON), "Object properties - object_"},
      {"scene add icon", gadget(ADD_SCENE_ICON), "Scene properties - scene_"},
      {"function add icon", gadget(ADD_FUNCTION_ICON), "Function properties - function_"},
      {"add sprite item", item(MENU_ADD_SPRITE), "Sprite properties - sprite_"},
      {"add sound item", item(MENU_ADD_SOUND), "Sound properties - sound_"},
      {"add music item", item(MENU_ADD_MUSIC), "Music properties - music_"},
      {"add background item", item(MENU_ADD_BACKGROUND), "Background properties - background_"},
      {"add font item", item(MENU_ADD_FONT), "Font properties - font_"},
      {"add object item", item(MENU_ADD_OBJECT), "Object properties - object_"},
      {"add scene item", item(MENU_ADD_SCENE), "Scene properties - scene_"},
      {"add function item", item(MENU_ADD_FUNCTION), "Function properties - function_"},
      {"global variables picture", gadget(GAME_GLOBALS_PICTURE), "Global variables"},
      {"functions picture", gadget(GAME_FUNCTIONS_PICTURE), "Not listed custom functions"},
      {"game comments picture", gadget(GAME_COMMENTS_PICTURE), "Game comments"},
      {"save button", button(&saveGameButton), "Enter the project name"},
      {"save item", item(MENU_SAVE), "Enter the project name"},
      {"save as item", item(MENU_SAVE_AS), "Enter the project name"},
      {"open button", button(&openGameButton), "Open a project..."},
      {"open item", item(MENU_OPEN), "Open a project..."},
      {"preferences item", item(APPMENU_PREFERENCES), "Preferences"},
      {"about item", item(APPMENU_ABOUT), "Zembrik Game Maker v1.3.0"},
      {"new button", button(&newGameButton), ""},
      {"new item", item(MENU_NEW), ""},
      {"status button", gadget(STATUS_BUTTON), ""},
      {"help item", item(MENU_HELP), ""},
      {"check version item", item(MENU_CHECK_VERSION), ""},
      {"run game button", button(&runGameButton), "", "Please save your game."},
      {"run game item", item(MENU_RUN_GAME), "", "Please save your game."},
  };
  for (const Case& c : cases) {
    std::string expected = c.title;
    if (!expected.empty() && expected.back() == '_') expected += std::to_string(uidCounter + 1);
    setModified(0);   // no unsaved-changes question in the way
    size_t opened = fake::state().openedTitles.size();
    fake::queue(c.event());
    for (const fake::Step& s : closer(expected)) fake::queue(s);
    dispatchEvent(waitWindowEvent());
    auto& titles = fake::state().openedTitles;
    if (expected.empty()) {
      EXPECT_EQ(titles.size(), opened) << c.what;
    } else {
      ASSERT_GT(titles.size(), opened) << c.what;
      EXPECT_EQ(titles[opened], expected) << c.what;
    }
    EXPECT_EQ(fake::topWindow(), MAIN_WINDOW) << c.what;
    EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW)) << c.what;
    if (c.told.empty()) {
      EXPECT_TRUE(messages().empty()) << c.what;
    } else {
      ASSERT_EQ(messages().size(), 1u) << c.what;
      EXPECT_EQ(messages()[0].text, c.told);
    }
    fake::reset();   // keeps the records; the next case starts on a fresh main window
    buildMainWindow();
    dispatchEvent(EV_SIZEWINDOW);
  }
}

TEST_F(Dispatch, ShortcutsActAsTheirItems) {
  startMainWindow();
  std::map<int, int> expected = {
      {SC_CONTROL | 'N', MENU_NEW},        {SC_CONTROL | 'O', MENU_OPEN},
      {SC_CONTROL | 'S', MENU_SAVE},       {SC_CONTROL | '1', MENU_ADD_SPRITE},
      {SC_CONTROL | '2', MENU_ADD_SOUND},  {SC_CONTROL | '3', MENU_ADD_MUSIC},
      {SC_CONTROL | '4', MENU_ADD_BACKGROUND}, {SC_CONTROL | '5', MENU_ADD_FONT},
      {SC_CONTROL | '6', MENU_ADD_OBJECT}, {SC_CONTROL | '7', MENU_ADD_SCENE},
      {SC_CONTROL | '8', MENU_ADD_FUNCTION}, {KEY_F1, MENU_HELP},
      {KEY_F1 + 4, MENU_RUN_GAME},
  };
  EXPECT_EQ(fake::state().shortcuts[MAIN_WINDOW], expected);
  // Save as and Check program version have none.
  for (auto& [key, item] : fake::state().shortcuts[MAIN_WINDOW])
    EXPECT_TRUE(item != MENU_SAVE_AS && item != MENU_CHECK_VERSION);
}

TEST_F(Dispatch, MenusAndPopupsHoldTheirItems) {
  startMainWindow();
  auto texts = [](int menu) {
    std::vector<std::string> out;
    for (const fake::MenuItem& m : fake::state().menus[menu]) out.push_back(m.item ? m.text : "-");
    return out;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(texts(MAIN_MENU),
            (V{"New\tCtrl + N", "-", "Open...\tCtrl + O", "Save\tCtrl + S", "Save as...", "-", "Run game\tF5",
               "Add new sprite\tCtrl + 1", "Add new sound\tCtrl + 2", "Add new music\tCtrl + 3",
               "Add new background\tCtrl + 4", "Add new font\tCtrl + 5", "Add new object\tCtrl + 6",
               "Add new scene\tCtrl + 7", "Add new function\tCtrl + 8", "Help\tF1", "About Zembrik",
               "Preferences...", "Quit", "-", "Check program version..."}));
  V editDelete{"Edit", "-", "Delete"};
  for (int popup : {POPUP_SPRITE, POPUP_BACKGROUND, POPUP_FONT, POPUP_SOUND, POPUP_MUSIC, POPUP_FUNCTION,
                    POPUP_OBJECT_EVENT})
    EXPECT_EQ(texts(popup), editDelete) << popup;
  EXPECT_EQ(texts(POPUP_OBJECT), (V{"Edit", "-", "Duplicate", "-", "Delete"}));
  EXPECT_EQ(texts(POPUP_SCENE), (V{"Edit", "-", "Delete", "-", "Move backward", "Move forward"}));
}

TEST_F(Dispatch, RightClickShowsThePopupAndDoubleClickOpensTheEditor) {
  startMainWindow();
  newSound();
  std::string sprite = newSprite();
  refreshResourcePanel();
  int icon = itemGadget("Sprites", sprite);
  ASSERT_NE(icon, 0);
  runOne({fake::clickGadget(icon, ET_RIGHTCLICK)});
  ASSERT_EQ(fake::state().popupsShown.size(), 1u);
  EXPECT_EQ(fake::state().popupsShown[0], std::make_pair(int(POPUP_SPRITE), int(MAIN_WINDOW)));
  EXPECT_EQ(resourceItems[size_t(selectedResourceItem())].name, sprite);
  EXPECT_EQ(selectedResourceItem(), 0);   // the first item is a real one

  runOne({fake::menu(MENU_SPRITE_EDIT), fake::clickNamed("Done")});
  EXPECT_EQ(fake::state().openedTitles.back(), "Sprite properties - " + sprite);

  runOne({fake::clickGadget(itemGadget("Sounds", "sound_2"), ET_LEFTDOUBLECLICK), fake::clickNamed("Done")});
  EXPECT_EQ(fake::state().openedTitles.back(), "Sound properties - sound_2");

  // A label, or an add icon, has no popup: the add icon runs its command.
  size_t opened = fake::state().openedTitles.size();
  runOne({fake::clickGadget(ADD_MUSIC_ICON, ET_RIGHTCLICK), fake::clickNamed("Done")});
  EXPECT_EQ(fake::state().openedTitles.size(), opened + 1);
  EXPECT_EQ(fake::state().popupsShown.size(), 1u);
  EXPECT_EQ(selectedResourceItem(), -1);
}

TEST_F(Dispatch, DeleteAsksItsQuestionAndCascades) {
  startMainWindow();
  struct Case {
    const char* kind;
    std::string (*make)();
    int deleteItem;
    const char* question;
    std::function<size_t()> count;
  } cases[] = {
      {"Sprites", newSprite, MENU_SPRITE_DELETE, "Do you really want to delete this sprite?", [] { return sprites.size(); }},
      {"Sounds", newSound, MENU_SOUND_DELETE, "Do you really want to delete this sound?", [] { return sounds.size(); }},
      {"Musics", newMusic, MENU_MUSIC_DELETE, "Do you really want to delete this music?", [] { return musics.size(); }},
      {"Backgrounds", newBackground, MENU_BACKGROUND_DELETE, "Do you really want to delete this background?",
       [] { return backgrounds.size(); }},
      {"Fonts", newFont, MENU_FONT_DELETE, "Do you really want to delete this font?", [] { return fonts.size(); }},
      {"Objects", newObject, MENU_OBJECT_DELETE, "Do you really want to delete this object?", [] { return objects.size(); }},
      {"Scenes", newScene, MENU_SCENE_DELETE, "Do you really want to delete this scene?", [] { return scenes.size(); }},
      {"Functions", newFunction, MENU_FUNCTION_DELETE, "Do you really want to delete this function?",
       [] { return fns.size(); }},
  };
  for (const Case& c : cases) {
    std::string name = c.make();
    refreshResourcePanel();
    runOne({fake::clickGadget(itemGadget(c.kind, name), ET_RIGHTCLICK)});
    int icon = itemGadget(c.kind, name);
    answer({MSG_RESULT_NO});
    runOne({fake::menu(c.deleteItem)});
    EXPECT_EQ(c.count(), 1u) << c.kind;
    EXPECT_EQ(itemGadget(c.kind, name), icon) << c.kind << ": No rebuilds nothing";
    answer({MSG_RESULT_YES});
    runOne({fake::menu(c.deleteItem)});
    EXPECT_EQ(c.count(), 0u) << c.kind;
    EXPECT_EQ(itemGadget(c.kind, name), 0) << c.kind;
    ASSERT_EQ(messages().size(), 2u) << c.kind;
    for (const fake::Message& m : messages()) {
      EXPECT_EQ(m.title, "Confirm");
      EXPECT_EQ(m.text, c.question);
    }
    messages().clear();
  }

  // A sprite's delete reaches the objects that use it.
  std::string sprite = newSprite();
  std::string object = newObject();
  objects[0].sprite = sprite;
  FrameRecord& frame = appendFrame();
  frame.sprite = sprite;
  frame.file = "0";
  refreshResourcePanel();
  runOne({fake::clickGadget(itemGadget("Sprites", sprite), ET_RIGHTCLICK)});
  answer({MSG_RESULT_YES});
  runOne({fake::menu(MENU_SPRITE_DELETE)});
  EXPECT_TRUE(frames.empty());
  EXPECT_EQ(objects[0].sprite, "");
}

TEST_F(Dispatch, PopupCommandsWithNothingSelectedDoNothing) {
  startMainWindow();
  newSprite();
  newObject();
  newScene();
  refreshResourcePanel();
  size_t opened = fake::state().openedTitles.size();
  for (int item : {MENU_SPRITE_EDIT, MENU_SPRITE_DELETE, MENU_OBJECT_DUPLICATE, MENU_OBJECT_EDIT,
                   MENU_SCENE_BACKWARD, MENU_SCENE_FORWARD, MENU_SCENE_DELETE})
    runOne({fake::menu(item)});
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(fake::state().openedTitles.size(), opened);
  EXPECT_EQ(sprites.size(), 1u);
  EXPECT_EQ(objects.size(), 1u);
  EXPECT_EQ(scenes.size(), 1u);
}

TEST_F(Dispatch, DuplicateAndSceneMovesAct) {
  startMainWindow();
  std::string object = newObject();
  std::string first = newScene(), second = newScene();
  refreshResourcePanel();
  runOne({fake::clickGadget(itemGadget("Objects", object), ET_RIGHTCLICK)});
  runOne({fake::menu(MENU_OBJECT_DUPLICATE)});
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[1].name, object + "_dup");
  EXPECT_NE(itemGadget("Objects", object + "_dup"), 0);

  runOne({fake::clickGadget(itemGadget("Scenes", second), ET_RIGHTCLICK)});
  runOne({fake::menu(MENU_SCENE_BACKWARD)});
  EXPECT_EQ(scenes[0].name, second);
}

TEST_F(Dispatch, AdvancedModeLeavesTheModifiedFlag) {
  startMainWindow();
  runOne({fake::clickGadget(ADVANCED_MODE_CHECKBOX)});
  EXPECT_EQ(projectInfo.advancedscriptmode, 1);
  EXPECT_EQ(modifiedFlag, 0);
  runOne({fake::clickGadget(ADVANCED_MODE_CHECKBOX)});
  EXPECT_EQ(projectInfo.advancedscriptmode, 0);
}

TEST_F(Dispatch, HelpStartsTheViewerWhenItIsThere) {
  startMainWindow();
  runOne({fake::menu(MENU_HELP)});   // missing: nothing happens
  writeFile("zembrik-help", "#!/bin/sh\ntouch help-ran\n");
  chmod("zembrik-help", 0755);
  runOne({fake::menu(MENU_HELP)});
  for (int i = 0; i < 100 && fileKind("help-ran") != FILE_REGULAR; ++i) delayMs(20);
  EXPECT_EQ(fileKind("help-ran"), FILE_REGULAR);
  EXPECT_TRUE(messages().empty());
}
