// The code editor as a gadget kind of the window layer: windows create it
// by number, getGadgetText and setGadgetText reach its text, and closing the
// window frees its record.
#include "codeeditor/code_editor.h"
#include "codeeditor/editor_host.h"
#include "ui/ui.h"
#include "ui/ui_qt.h"

namespace {

constexpr int GK_CODEEDITOR = GK_CUSTOM + 1;

int uiAdd(int number, QWidget* widget, int x, int y, int width, int height) {
  static bool hooked = false;
  if (!hooked) {
    CustomGadgetHooks hooks;
    hooks.setText = [](int gadget, const std::string& text) { setEditorText(gadget, text, 1); };
    hooks.getText = [](int gadget) { return getEditorText(gadget); };
    registerGadgetHooks(GK_CODEEDITOR, hooks);
    hooked = true;
  }
  return registerGadget(number == -1 ? UI_ANY : number, widget, GK_CODEEDITOR, x, y, width,
                        height, forgetCodeEditor);
}

}  // namespace

void useUiEditorHost() { setEditorHost({currentGadgetParent, uiAdd, freeGadget}); }
