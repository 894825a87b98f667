// The frame every resource property window shares: title, size, the name
// field, Done with the name tests, and Delete with its question.
#include "editors/editor_frame.h"
#include "editors/editors.h"
#include "editors/name_tests.h"
#include "project/deletes.h"
#include "project/hooks.h"
#include "project/tables.h"
#include "ui/ui.h"

namespace {

struct PropertyKind {
  const char* word;          // the kind in lower case, for the messages
  const char* titlePrefix;
  int width, height, nameWidth;
  const char* doneText;
  int (*find)(const std::string&);
  int (*isFree)(const std::string&, int);
  void (*rename)(int, const std::string&);
  void (*remove)(const std::string&);
  std::string (*nameAt)(int);
};

template <auto& table>
std::string nameIn(int index) {
  return table[size_t(index)].name;
}

const PropertyKind spriteKind{"sprite", "Sprite properties - ", 800, 600, 100, " Done ", findSprite,
                              isSpriteNameFree, renameSprite, deleteSprite, nameIn<sprites>};
const PropertyKind soundKind{"sound", "Sound properties - ", 480, 220, 100, "Done", findSound,
                             isSoundNameFree, renameSound, deleteSound, nameIn<sounds>};
const PropertyKind musicKind{"music", "Music properties - ", 480, 220, 100, "Done", findMusic,
                             isMusicNameFree, renameMusic, deleteMusic, nameIn<musics>};
const PropertyKind backgroundKind{"background", "Background properties - ", 800, 600, 100, "Done",
                                  findBackground, isBackgroundNameFree, renameBackground, deleteBackground,
                                  nameIn<backgrounds>};
const PropertyKind fontKind{"font", "Font properties - ", 200, 300, 120, "Done", findFont, isFontNameFree,
                            renameFont, deleteFont, nameIn<fonts>};
const PropertyKind objectKind{"object", "Object properties - ", 800, 600, 100, "Done",
                              findObject, isObjectNameFree, renameObject, deleteObject,
                              nameIn<objects>};
const PropertyKind functionKind{"function", "Function properties - ", 800, 600, 120, "Done", findFunction,
                                isFunctionNameFree, renameFunction, deleteFunction, nameIn<fns>};

// Done's checks; a free name is applied at once. Returns the error count.
int applyDone(const PropertyKind& k, int index, const std::string& typed) {
  setModified(1);
  std::string word = k.word;
  if (typed.empty()) {
    messageRequester("Error", "The " + word + " name is missing");
    return 1;
  }
  if (k.isFree(typed, index) == 1) {
    k.rename(index, typed);
    return 0;
  }
  messageRequester("Error", "The " + word + " name '" + typed + "' already exists");
  return 1;
}

void editProperties(const PropertyKind& k, const std::string& name) {
  int index = k.find(name);
  if (index < 0) {
    rebuildResourcePanel();
    return;
  }
  disableWindow(EDITOR_MAIN_WINDOW, true);
  int window = openWindow(UI_ANY, 0, 0, k.width, k.height, k.titlePrefix + name, WIN_TITLEBAR,
                          EDITOR_MAIN_WINDOW);
  centerWindow(window, EDITOR_MAIN_WINDOW);
  int done = buttonGadget(UI_ANY, k.width - 75, k.height - 35, 65, 25, k.doneText);
  int remove = buttonGadget(UI_ANY, 10, k.height - 35, 65, 25, "Delete");
  int field = stringGadget(UI_ANY, 10, 10, k.nameWidth, 25, name);
  nameGadget(field, "name");
  nameGadget(done, "Done");
  nameGadget(remove, "Delete");
  for (;;) {
    if (waitWindowEvent() != EV_GADGET || eventWindow() != window) continue;
    if (eventGadget() == done) {
      if (applyDone(k, index, getGadgetText(field)) == 0) break;
    } else if (eventGadget() == remove) {
      std::string word = k.word;
      if (askYesNo("Confirm", "Do you really want to delete this " + word + "?") == 1) {
        k.remove(k.nameAt(index));
        break;
      }
    }
  }
  disableWindow(EDITOR_MAIN_WINDOW, false);
  closeWindow(window);
  rebuildResourcePanel();
}

}  // namespace

int askYesNo(const std::string& title, const std::string& text) {
  return projectHooks.confirmYesNo ? projectHooks.confirmYesNo(title, text) : 0;
}

void rebuildResourcePanel() {
  if (projectHooks.refreshResourcePanel) projectHooks.refreshResourcePanel();
}

void editSprite(const std::string& name) { editProperties(spriteKind, name); }
void editSound(const std::string& name) { editProperties(soundKind, name); }
void editMusic(const std::string& name) { editProperties(musicKind, name); }
void editBackground(const std::string& name) { editProperties(backgroundKind, name); }
void editFont(const std::string& name) { editProperties(fontKind, name); }
void editObject(const std::string& name) { editProperties(objectKind, name); }
void editFunction(const std::string& name) { editProperties(functionKind, name); }
