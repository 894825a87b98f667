#include "shell/mainwindow.h"

#include "project/tables.h"
#include "shell/resource_panel.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

int newGameButton, openGameButton, saveGameButton, runGameButton;
int addSpriteButton, addSoundButton, addMusicButton, addBackgroundButton;
int addFontButton, addObjectButton, addSceneButton, addFunctionButton;

namespace {

struct ToolbarButton {
  int* number;
  int x, width, icon;
  const char* tip;
};

const ToolbarButton toolbar[] = {
    {&newGameButton, 10, 30, PIC_ICON_NEW, "New game"},
    {&openGameButton, 40, 30, PIC_ICON_OPEN, "Open game"},
    {&saveGameButton, 70, 30, PIC_ICON_SAVE, "Save game"},
    {&runGameButton, 100, 50, PIC_ICON_RUN, "Run game"},
    {&addSpriteButton, 200, 30, PIC_ICON_SPRITE, "Add a new sprite"},
    {&addSoundButton, 230, 30, PIC_ICON_SOUND, "Add a new sound"},
    {&addMusicButton, 260, 30, PIC_ICON_MUSIC, "Add a new music"},
    {&addBackgroundButton, 290, 30, PIC_ICON_BACKGROUND, "Add a new background"},
    {&addFontButton, 320, 30, PIC_ICON_FONT, "Add a new font"},
    {&addObjectButton, 350, 30, PIC_ICON_OBJECT, "Add a new object"},
    {&addSceneButton, 380, 30, PIC_ICON_SCENE, "Add a new scene"},
    {&addFunctionButton, 410, 30, PIC_ICON_FUNCTION, "Add a new function"},
};

struct Tab {
  const char* text;
  int icon;
  int scrollArea;
};

const Tab tabs[] = {
    {" Sprites ", PIC_ICON_SPRITE, SCROLL_SPRITES},
    {" Sounds ", PIC_ICON_SOUND, SCROLL_SOUNDS},
    {" Musics ", PIC_ICON_MUSIC, SCROLL_MUSICS},
    {" Backgrounds ", PIC_ICON_BACKGROUND, SCROLL_BACKGROUNDS},
    {" Fonts ", PIC_ICON_FONT, SCROLL_FONTS},
    {" Objects ", PIC_ICON_OBJECT, SCROLL_OBJECTS},
    {" Scenes ", PIC_ICON_SCENE, SCROLL_SCENES},
    {" Functions ", PIC_ICON_FUNCTION, SCROLL_FUNCTIONS},
    {" Game ", 0, SCROLL_GAME},
};

void buildMenus() {
  createMenu(MAIN_MENU, MAIN_WINDOW);
  menuTitle("File");
  menuItem(MENU_NEW, "New\tCtrl + N", PIC_ICON_NEW);
  menuBar();
  menuItem(MENU_OPEN, "Open...\tCtrl + O", PIC_ICON_OPEN);
  menuItem(MENU_SAVE, "Save\tCtrl + S", PIC_ICON_SAVE);
  menuItem(MENU_SAVE_AS, "Save as...", PIC_ICON_SAVE_AS);
  menuBar();
  menuItem(MENU_RUN_GAME, "Run game\tF5", PIC_ICON_RUN);
  menuTitle("Resources");
  menuItem(MENU_ADD_SPRITE, "Add new sprite\tCtrl + 1", PIC_ICON_SPRITE);
  menuItem(MENU_ADD_SOUND, "Add new sound\tCtrl + 2", PIC_ICON_SOUND);
  menuItem(MENU_ADD_MUSIC, "Add new music\tCtrl + 3", PIC_ICON_MUSIC);
  menuItem(MENU_ADD_BACKGROUND, "Add new background\tCtrl + 4", PIC_ICON_BACKGROUND);
  menuItem(MENU_ADD_FONT, "Add new font\tCtrl + 5", PIC_ICON_FONT);
  menuItem(MENU_ADD_OBJECT, "Add new object\tCtrl + 6", PIC_ICON_OBJECT);
  menuItem(MENU_ADD_SCENE, "Add new scene\tCtrl + 7", PIC_ICON_SCENE);
  menuItem(MENU_ADD_FUNCTION, "Add new function\tCtrl + 8", PIC_ICON_FUNCTION);
  menuTitle("Help");
  menuItem(MENU_HELP, "Help\tF1", PIC_ICON_HELP);
  // The window layer moves these three to the ends of the Help and File menus.
  menuItem(APPMENU_ABOUT, "About Zembrik");
  menuItem(APPMENU_PREFERENCES, "Preferences...");
  menuItem(APPMENU_QUIT, "Quit");   // the layer gives it Ctrl+Q
  menuBar();
  menuItem(MENU_CHECK_VERSION, "Check program version...", PIC_ICON_CHECK_VERSION);
}

void popup(int number, std::initializer_list<int> items, std::initializer_list<const char*> texts) {
  createPopupMenu(number);
  auto text = texts.begin();
  for (int item : items) {
    if (item == 0)
      menuBar();
    else
      menuItem(item, *text++);
  }
}

void buildPopupMenus() {
  popup(POPUP_SPRITE, {MENU_SPRITE_EDIT, 0, MENU_SPRITE_DELETE}, {"Edit", "Delete"});
  popup(POPUP_BACKGROUND, {MENU_BACKGROUND_EDIT, 0, MENU_BACKGROUND_DELETE}, {"Edit", "Delete"});
  popup(POPUP_FONT, {MENU_FONT_EDIT, 0, MENU_FONT_DELETE}, {"Edit", "Delete"});
  popup(POPUP_OBJECT, {MENU_OBJECT_EDIT, 0, MENU_OBJECT_DUPLICATE, 0, MENU_OBJECT_DELETE},
        {"Edit", "Duplicate", "Delete"});
  popup(POPUP_SOUND, {MENU_SOUND_EDIT, 0, MENU_SOUND_DELETE}, {"Edit", "Delete"});
  popup(POPUP_MUSIC, {MENU_MUSIC_EDIT, 0, MENU_MUSIC_DELETE}, {"Edit", "Delete"});
  popup(POPUP_SCENE, {MENU_SCENE_EDIT, 0, MENU_SCENE_DELETE, 0, MENU_SCENE_BACKWARD, MENU_SCENE_FORWARD},
        {"Edit", "Delete", "Move backward", "Move forward"});
  popup(POPUP_FUNCTION, {MENU_FUNCTION_EDIT, 0, MENU_FUNCTION_DELETE}, {"Edit", "Delete"});
  popup(POPUP_OBJECT_EVENT, {MENU_EVENT_EDIT, 0, MENU_EVENT_DELETE}, {"Edit", "Delete"});
}

void buildPanel() {
  panelGadget(RESOURCE_PANEL, 5, 45, 790, windowHeight(MAIN_WINDOW) - menuHeight() - 10);
  setGadgetFont(RESOURCE_PANEL, 87);
  for (int i = 0; i < int(std::size(tabs)); ++i) {
    addGadgetItem(RESOURCE_PANEL, -1, tabs[i].text, tabs[i].icon);
    openGadgetList(RESOURCE_PANEL, i);
    scrollAreaGadget(tabs[i].scrollArea, 0, 0, getGadgetAttribute(RESOURCE_PANEL, ATTR_PANEL_ITEMWIDTH),
                     getGadgetAttribute(RESOURCE_PANEL, ATTR_PANEL_ITEMHEIGHT), 640, 480, 16);
    if (tabs[i].scrollArea != SCROLL_GAME) setGadgetColor(tabs[i].scrollArea, COLOR_BACK, rgb(200, 200, 200));
    if (tabs[i].scrollArea == SCROLL_GAME) {
      openGadgetList(SCROLL_GAME);
      imageGadget(GAME_GLOBALS_PICTURE, 10, 10, 275, 38, PIC_GAME_GLOBALS);
      imageGadget(GAME_FUNCTIONS_PICTURE, 10, 70, 275, 38, PIC_GAME_FUNCTIONS);
      imageGadget(GAME_COMMENTS_PICTURE, 10, 130, 275, 38, PIC_GAME_COMMENTS);
      imageGadget(GAME_EXTENSIONS_PICTURE, 10, 190, 275, 38, PIC_GAME_EXTENSIONS);
      checkBoxGadget(ADVANCED_MODE_CHECKBOX, 20, 250, 200, 30, "Advanced scripting mode");
      setGadgetFont(ADVANCED_MODE_CHECKBOX, 140);
      setGadgetState(ADVANCED_MODE_CHECKBOX, projectInfo.advancedscriptmode);
      closeGadgetList();   // the scroll area
    }
    closeGadgetList();
  }
}

}  // namespace

std::string versionText() {
  std::string digits = std::to_string(programVersion);
  std::string text;
  for (size_t i = 0; i < 3 && i < digits.size(); ++i) {
    if (i > 0) text += ".";
    text += digits[i];
  }
  return text;
}

void buildMainWindow() {
  openWindow(MAIN_WINDOW, 0, 0, 800, 600, "Zembrik Game Maker",
             WIN_TITLEBAR | WIN_CLOSEBOX | WIN_MINIMIZEBOX | WIN_MAXIMIZEBOX | WIN_SIZEGADGET);
  centerWindow(MAIN_WINDOW);
  for (const ToolbarButton& b : toolbar) {
    *b.number = buttonImageGadget(UI_ANY, b.x, 10, b.width, 30, b.icon);
    gadgetToolTip(*b.number, b.tip);
    nameGadget(*b.number, b.tip);
  }
  buttonGadget(STATUS_BUTTON, 450, 10, 200, 30, "STATUS: READY.");
  setGadgetFont(STATUS_BUTTON, 87);
  buildMenus();
  buildPopupMenus();
  buildPanel();
  setWindowState(MAIN_WINDOW, WINSTATE_MAXIMIZED);
}

void registerMainShortcuts() {
  addKeyboardShortcut(MAIN_WINDOW, SC_CONTROL | 'N', MENU_NEW);
  addKeyboardShortcut(MAIN_WINDOW, SC_CONTROL | 'O', MENU_OPEN);
  addKeyboardShortcut(MAIN_WINDOW, SC_CONTROL | 'S', MENU_SAVE);
  for (int i = 0; i < 8; ++i) addKeyboardShortcut(MAIN_WINDOW, SC_CONTROL | ('1' + i), MENU_ADD_SPRITE + i);
  addKeyboardShortcut(MAIN_WINDOW, KEY_F1, MENU_HELP);
  addKeyboardShortcut(MAIN_WINDOW, KEY_F1 + 4, MENU_RUN_GAME);
}

void layoutMainWindow() {
  resizeGadget(RESOURCE_PANEL, 5, 45, windowWidth(MAIN_WINDOW) - 10,
               windowHeight(MAIN_WINDOW) - menuHeight() - 50);
  int w = getGadgetAttribute(RESOURCE_PANEL, ATTR_PANEL_ITEMWIDTH);
  int h = getGadgetAttribute(RESOURCE_PANEL, ATTR_PANEL_ITEMHEIGHT);
  for (int area : {SCROLL_SPRITES, SCROLL_SOUNDS, SCROLL_MUSICS, SCROLL_BACKGROUNDS, SCROLL_FONTS,
                   SCROLL_OBJECTS, SCROLL_SCENES, SCROLL_GAME, SCROLL_FUNCTIONS})
    resizeGadget(area, 0, 0, w, h);
  refreshResourcePanel();
}

void updateWindowTitle() {
  std::string title = "Zembrik Game Maker v" + versionText();
  if (!projectName.empty()) title += " - " + projectName;
  setWindowTitle(MAIN_WINDOW, title);
}

void setStatusText(const std::string& text) {
  setGadgetText(STATUS_BUTTON, text);
  paintGadgetNow(STATUS_BUTTON);   // seen even when work follows before the next wait
}
