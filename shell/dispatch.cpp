#include "shell/dispatch.h"

#include "editors/editors.h"
#include "project/deletes.h"
#include "project/exchange_dialog.h"
#include "project/makers.h"
#include "project/project_file.h"
#include "project/scene_order.h"
#include "project/tables.h"
#include "scene/scene_cards.h"
#include "scene/scene_window.h"
#include "shell/about.h"
#include "shell/mainwindow.h"
#include "builder/extensions_dialog.h"
#include "builder/game_files.h"
#include "shell/preferences.h"
#include "shell/project_commands.h"
#include "shell/resource_panel.h"
#include "ui/program_copies.h"
#include "ui/system.h"
#include "ui/ui.h"

bool programEnding = false;

namespace {

using Editor = void (*)(const std::string&);
using Maker = std::string (*)();
using Delete = void (*)(const std::string&);

struct Kind {
  const char* kind;   // resource item kind
  Maker make;
  Editor edit;
  Delete remove;
  const char* question;
  int editItem, deleteItem, addItem, addIcon;
};

const Kind kinds[] = {
    {"Sprites", newSprite, editSprite, deleteSprite, "Do you really want to delete this sprite?",
     MENU_SPRITE_EDIT, MENU_SPRITE_DELETE, MENU_ADD_SPRITE, ADD_SPRITE_ICON},
    {"Sounds", newSound, editSound, deleteSound, "Do you really want to delete this sound?",
     MENU_SOUND_EDIT, MENU_SOUND_DELETE, MENU_ADD_SOUND, ADD_SOUND_ICON},
    {"Musics", newMusic, editMusic, deleteMusic, "Do you really want to delete this music?",
     MENU_MUSIC_EDIT, MENU_MUSIC_DELETE, MENU_ADD_MUSIC, ADD_MUSIC_ICON},
    {"Backgrounds", newBackground, editBackground, deleteBackground,
     "Do you really want to delete this background?", MENU_BACKGROUND_EDIT, MENU_BACKGROUND_DELETE,
     MENU_ADD_BACKGROUND, ADD_BACKGROUND_ICON},
    {"Fonts", newFont, editFont, deleteFont, "Do you really want to delete this font?",
     MENU_FONT_EDIT, MENU_FONT_DELETE, MENU_ADD_FONT, ADD_FONT_ICON},
    {"Objects", newObject, editObject, deleteObject, "Do you really want to delete this object?",
     MENU_OBJECT_EDIT, MENU_OBJECT_DELETE, MENU_ADD_OBJECT, ADD_OBJECT_ICON},
    {"Scenes", newScene, editScene, deleteScene, "Do you really want to delete this scene?",
     MENU_SCENE_EDIT, MENU_SCENE_DELETE, MENU_ADD_SCENE, ADD_SCENE_ICON},
    {"Functions", newFunction, editFunction, deleteFunction, "Do you really want to delete this function?",
     MENU_FUNCTION_EDIT, MENU_FUNCTION_DELETE, MENU_ADD_FUNCTION, ADD_FUNCTION_ICON},
};

// The property window rebuilds the panel when it ends. The new resource's
// picture is then on its kind's tab, which is brought forward so the user
// sees it wherever the add came from; when the window's Delete took the
// resource away again, nothing new is there and the panel stays as it was.
void addResource(const Kind& k) {
  int cards = resourceCardCount(k.kind);
  k.edit(k.make());
  if (resourceCardCount(k.kind) > cards) showResourceTab(k.kind);
}

std::string selectedName() {
  int i = selectedResourceItem();
  return i < 0 ? std::string() : resourceItems[size_t(i)].name;
}

void newCommand() {
  newProject();
  refreshResourcePanel();
}

void openCommand() {
  // The reader leaves every scene the empty card; the scenes are drawn
  // once all their records are read.
  if (openProject()) buildSceneCards();
  refreshResourcePanel();
  releaseFreeMemory();   // what the reading of the file used
  warnOfUnreadPictures();
  if (!projectInfo.comments.empty()) showGameComments();
}

void saveCommand(bool askName) {
  bool written = askName ? saveProjectAs() : saveProject();
  if (written && !projectName.empty()) generateGameFiles();
}

void startHelp() {
  std::string viewer = currentFolder() + "zembrik-help";
  if (fileKind(viewer) == FILE_REGULAR) startOrBringForward(viewer);
}

bool gadgetCommand(int gadget) {
  if (gadget == newGameButton) return newCommand(), true;
  if (gadget == openGameButton) return openCommand(), true;
  if (gadget == saveGameButton) return saveCommand(false), true;
  if (gadget == GAME_GLOBALS_PICTURE) return editGlobalVariables(), true;
  if (gadget == GAME_FUNCTIONS_PICTURE) return editFunctionsText(), true;
  if (gadget == ADVANCED_MODE_CHECKBOX) {
    int state = getGadgetState(ADVANCED_MODE_CHECKBOX) ? 1 : 0;
    // A changed mode changes the game; New and Open must not drop it unasked.
    if (state != projectInfo.advancedscriptmode) setModified(1);
    projectInfo.advancedscriptmode = state;
    return true;
  }
  if (gadget == GAME_COMMENTS_PICTURE) {
    closeGameComments();   // the read-only copy would show the text as it was before the edit
    editGameComments();
    return true;
  }
  if (gadget == GAME_EXTENSIONS_PICTURE) return chooseExtensions(), true;
  const int addButtons[] = {addSpriteButton, addSoundButton, addMusicButton, addBackgroundButton,
                            addFontButton, addObjectButton, addSceneButton, addFunctionButton};
  for (int i = 0; i < 8; ++i)
    if (gadget == addButtons[i]) return addResource(kinds[i]), true;
  if (gadget == EXPORT_FUNCTIONS_BUTTON) return exportFunctions(), true;
  if (gadget == IMPORT_FUNCTIONS_BUTTON) return importFunctions(), true;
  for (const Kind& k : kinds)
    if (gadget == k.addIcon) return addResource(k), true;
  if (gadget == runGameButton) return runGame(), true;
  return false;
}

void menuCommand(int item) {
  switch (item) {
    case MENU_NEW: newCommand(); return;
    case MENU_OPEN: openCommand(); return;
    case MENU_SAVE: saveCommand(false); return;
    case MENU_SAVE_AS: saveCommand(true); return;
    case APPMENU_PREFERENCES: editPreferences(); return;
    case APPMENU_QUIT: exitProgram(); return;
    case APPMENU_ABOUT: showAboutWindow(); return;
    case MENU_HELP: startHelp(); return;
    case MENU_RUN_GAME: runGame(); return;
    case MENU_CHECK_VERSION: checkProgramVersion(); return;
    case MENU_OBJECT_DUPLICATE:
      if (selectedResourceItem() >= 0) {
        duplicateObject(selectedName());
        setModified(1);   // Exit, New and Open must not drop the copy unasked
        refreshResourcePanel();
      }
      return;
    case MENU_SCENE_BACKWARD:
      if (selectedResourceItem() >= 0) moveSceneBackward(selectedName());
      return;
    case MENU_SCENE_FORWARD:
      if (selectedResourceItem() >= 0) moveSceneForward(selectedName());
      return;
    default: break;
  }
  for (const Kind& k : kinds) {
    if (item == k.addItem) return addResource(k);
    if (item == k.editItem) {
      if (selectedResourceItem() >= 0) k.edit(selectedName());
      return;
    }
    if (item == k.deleteItem) {
      if (selectedResourceItem() < 0) return;   // nothing chosen: nothing asked, nothing goes
      if (confirmYesNo("Confirm", k.question) != 1) return;
      k.remove(selectedName());
      setModified(1);   // Exit, New and Open must not bring it back unasked
      refreshResourcePanel();
      return;
    }
  }
}

}  // namespace

int confirmYesNo(const std::string& title, const std::string& text) {
  return messageRequester(title, text, MSG_YESNO) == MSG_RESULT_YES ? 1 : 0;
}

int selectedResourceItem() {
  for (size_t i = 0; i < resourceItems.size(); ++i)
    if (resourceItems[i].selected > 0) return int(i);
  return -1;
}

void openResourceEditor(int gadget) {
  for (ResourceItemRecord& item : resourceItems) item.selected = 0;
  for (ResourceItemRecord& item : resourceItems) {
    if (item.gadget != gadget || item.popupMenu <= -1) continue;
    item.selected = 1;
    std::string kind = item.kind, name = item.name;   // the editor rebuilds the table
    for (const Kind& k : kinds)
      if (kind == k.kind) k.edit(name);
    return;
  }
}

void showResourcePopupMenu(int gadget) {
  for (ResourceItemRecord& item : resourceItems) {
    item.selected = 0;
    if (item.gadget == gadget && item.popupMenu > -1) {
      displayPopupMenu(item.popupMenu, MAIN_WINDOW);
      item.selected = 1;
    }
  }
}

void dispatchEvent(int event) {
  switch (event) {
    case EV_CLOSEWINDOW: exitProgram(); break;
    case EV_SIZEWINDOW:
    case EV_MINIMIZEWINDOW:
    case EV_MAXIMIZEWINDOW: layoutMainWindow(); break;
    case EV_GADGET: {
      int gadget = eventGadget(), type = eventType();
      gadgetCommand(gadget);
      if (type == ET_RIGHTCLICK)
        showResourcePopupMenu(gadget);
      else if (type == ET_LEFTDOUBLECLICK)
        openResourceEditor(gadget);
      break;
    }
    case EV_MENU: menuCommand(eventMenu()); break;
    default: break;
  }
}

void mainLoop() {
  while (!programEnding) dispatchEvent(waitWindowEvent());
}
