#include "editors/property_frame.h"

#include <cmath>

#include "editors/editor_frame.h"
#include "editors/game_names.h"
#include "editors/name_tests.h"
#include "project/deletes.h"
#include "project/tables.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/ui.h"

namespace {

template <auto& table>
std::string nameIn(int index) {
  return table[size_t(index)].name;
}

}  // namespace

const PropertyKind spriteKind{"sprite", "Sprite properties - ", 800, 600, 100, " Done ", GAME_SPRITE,
                              findSprite, isSpriteNameFree, renameSprite, deleteSprite, nameIn<sprites>};
const PropertyKind soundKind{"sound", "Sound properties - ", 480, 220, 230, "Done", GAME_SOUND,
                             findSound, isSoundNameFree, renameSound, deleteSound, nameIn<sounds>};
const PropertyKind musicKind{"music", "Music properties - ", 480, 220, 230, "Done", GAME_MUSIC,
                             findMusic, isMusicNameFree, renameMusic, deleteMusic, nameIn<musics>};
const PropertyKind backgroundKind{"background", "Background properties - ", 800, 600, 100, "Done",
                                  GAME_BACKGROUND, findBackground, isBackgroundNameFree, renameBackground,
                                  deleteBackground, nameIn<backgrounds>};
const PropertyKind fontKind{"font", "Font properties - ", 200, 300, 120, "Done", GAME_FONT,
                            findFont, isFontNameFree, renameFont, deleteFont, nameIn<fonts>};
const PropertyKind objectKind{"object", "Object properties - ", 800, 600, 100, "Done", GAME_OBJECT,
                              findObject, isObjectNameFree, renameObject, deleteObject, nameIn<objects>};
const PropertyKind functionKind{"function", "Function properties - ", 800, 600, 120, "Done", GAME_FUNCTION,
                                findFunction, isFunctionNameFree, renameFunction, deleteFunction, nameIn<fns>};

bool openPropertyFrame(const PropertyKind& k, const std::string& name, PropertyFrame& f) {
  f.kind = &k;
  f.index = k.find(name);
  if (f.index < 0) {
    rebuildResourcePanel();
    return false;
  }
  disableWindow(EDITOR_MAIN_WINDOW, true);
  f.window = openWindow(UI_ANY, 0, 0, k.width, k.height, k.titlePrefix + name, WIN_TITLEBAR | WIN_SCREENCENTERED,
                        EDITOR_MAIN_WINDOW);
  f.done = buttonGadget(UI_ANY, k.width - 75, k.height - 35, 65, 25, k.doneText);
  f.remove = buttonGadget(UI_ANY, 10, k.height - 35, 65, 25, "Delete");
  f.name = stringGadget(UI_ANY, 10, 10, k.nameWidth, 25, name);
  nameGadget(f.name, "name");
  nameGadget(f.done, "Done");
  nameGadget(f.remove, "Delete");
  return true;
}

int refuseUnusableName(const std::string& typed, const std::string& currentName, int gameKind) {
  if (typed == currentName) return 0;
  std::string why = gameNameMessage(typed, gameKind);
  if (why.empty()) return 0;
  messageRequester("Error", why);
  return 1;
}

int checkPropertyName(const PropertyFrame& f, const std::function<int(const std::string&)>& refuseName) {
  const PropertyKind& k = *f.kind;
  setModified(1);
  std::string word = k.word, typed = getGadgetText(f.name);
  if (typed.empty()) {
    messageRequester("Error", "The " + word + " name is missing");
    return NAME_MISSING;
  }
  if (refuseUnusableName(typed, k.nameAt(f.index), k.gameKind) != 0) return NAME_REFUSED;
  if (refuseName && refuseName(typed) != 0) return NAME_REFUSED;
  if (k.isFree(typed, f.index) == 1) {
    k.rename(f.index, typed);
    return NAME_APPLIED;
  }
  messageRequester("Error", "The " + word + " name '" + typed + "' already exists");
  return NAME_REFUSED;
}

void runPropertyWindow(PropertyFrame& f, const PropertyHooks& hooks) {
  const PropertyKind& k = *f.kind;
  for (;;) {
    int event = waitWindowEvent();
    if (eventWindow() != f.window) continue;
    if (event == EV_GADGET && eventGadget() == f.done) {
      int name = checkPropertyName(f, hooks.refuseName);
      int errors = name == NAME_APPLIED ? 0 : 1;
      if (name != NAME_MISSING && hooks.checks) errors += hooks.checks();
      if (errors != 0) continue;
      if (hooks.write) hooks.write();
      break;
    }
    if (event == EV_GADGET && eventGadget() == f.remove) {
      std::string word = k.word;
      if (askYesNo("Confirm", "Do you really want to delete this " + word + "?") != 1) continue;
      // The record's current name: a refused Done may already have renamed it.
      k.remove(k.nameAt(f.index));
      setModified(1);   // Exit, New and Open must not bring it back unasked
      break;
    }
    if (event != EV_CLOSEWINDOW && hooks.event) hooks.event(event);
  }
  if (hooks.release) hooks.release();
  disableWindow(EDITOR_MAIN_WINDOW, false);
  closeWindow(f.window);
  rebuildResourcePanel();
}

void showThumbnail(int imageGadget, int, int image) {
  float fx = 1.0f, fy = 1.0f;
  bool valid = isImage(image);
  if (valid) {
    float w = float(imageWidth(image)), h = float(imageHeight(image));
    if (w >= h) fy = h / w;
    else fx = w / h;
  }
  int shown = createImage(UI_ANY, 100, 100, 32, 0);
  if (valid && startDrawing(shown)) {
    drawingMode(DRAW_ALPHABLEND);
    drawImageScaled(image, 0, 0, int(std::lround(fx * 100)), int(std::lround(fy * 100)));
    stopDrawing();
  }
  // The gadget keeps its own copy of the pixels.
  setGadgetAttribute(imageGadget, ATTR_IMAGE, shown);
  freeImage(shown);
}
