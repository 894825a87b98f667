// The main window: toolbar row, status button, menus, popup menus and the
// tabbed resource panel, with its fixed numbers.
#pragma once

#include <string>

#include "editors/editor_frame.h"

enum MainWindowNumber : int {
  MAIN_WINDOW = 13,
  MAIN_MENU = 14,
  RESOURCE_PANEL = 12,
  STATUS_BUTTON = 34,
  SCROLL_SPRITES = 89,
  SCROLL_SOUNDS = 90,
  SCROLL_MUSICS = 91,
  SCROLL_BACKGROUNDS = 92,
  SCROLL_FONTS = 93,
  SCROLL_OBJECTS = 94,
  SCROLL_SCENES = 95,
  SCROLL_FUNCTIONS = 96,
  SCROLL_GAME = 88,
  GAME_GLOBALS_PICTURE = 80,
  GAME_FUNCTIONS_PICTURE = 81,
  GAME_COMMENTS_PICTURE = 82,
  GAME_EXTENSIONS_PICTURE = 83,
  ADVANCED_MODE_CHECKBOX = 153,
  POPUP_SPRITE = 39,
  POPUP_BACKGROUND = 42,
  POPUP_FONT = 45,
  POPUP_OBJECT = 48,
  POPUP_SOUND = 52,
  POPUP_MUSIC = 55,
  POPUP_SCENE = 58,
  POPUP_FUNCTION = 63,
  POPUP_OBJECT_EVENT = EVENT_LIST_POPUP,
};

// Menu items of the menu bar and the popup menus. The application-menu items
// (About, Preferences, Quit) are APPMENU_ABOUT, APPMENU_PREFERENCES, APPMENU_QUIT.
enum MainMenuItem : int {
  MENU_NEW = 1,
  MENU_OPEN,
  MENU_SAVE,
  MENU_SAVE_AS,
  MENU_RUN_GAME,
  MENU_ADD_SPRITE,
  MENU_ADD_SOUND,
  MENU_ADD_MUSIC,
  MENU_ADD_BACKGROUND,
  MENU_ADD_FONT,
  MENU_ADD_OBJECT,
  MENU_ADD_SCENE,
  MENU_ADD_FUNCTION,
  MENU_HELP,
  MENU_CHECK_VERSION,
  // popup items: edit and delete per kind, then the extra ones
  MENU_SPRITE_EDIT = 40,
  MENU_SPRITE_DELETE,
  MENU_BACKGROUND_EDIT = 43,
  MENU_BACKGROUND_DELETE,
  MENU_FONT_EDIT = 46,
  MENU_FONT_DELETE,
  MENU_OBJECT_EDIT = 49,
  MENU_OBJECT_DUPLICATE,
  MENU_OBJECT_DELETE,
  MENU_SOUND_EDIT = 53,
  MENU_SOUND_DELETE,
  MENU_MUSIC_EDIT = 56,
  MENU_MUSIC_DELETE,
  MENU_SCENE_EDIT = 59,
  MENU_SCENE_DELETE,
  MENU_SCENE_BACKWARD,
  MENU_SCENE_FORWARD,
  MENU_FUNCTION_EDIT = 64,
  MENU_FUNCTION_DELETE,
  MENU_EVENT_EDIT = EVENT_POPUP_EDIT,
  MENU_EVENT_DELETE = EVENT_POPUP_DELETE,
};

// The toolbar buttons' numbers, picked by the window layer.
extern int newGameButton, openGameButton, saveGameButton, runGameButton;
extern int addSpriteButton, addSoundButton, addMusicButton, addBackgroundButton;
extern int addFontButton, addObjectButton, addSceneButton, addFunctionButton;

// Builds the window, its menus, popups and panel, and maximises it.
void buildMainWindow();
void registerMainShortcuts();
// Re-lays the window out from its inner size and rebuilds the panel.
void layoutMainWindow();
void updateWindowTitle();
void setStatusText(const std::string& text);
// "1.3.0" for 130.
std::string versionText();
