// The code field as a plain editor gadget in fixed-width type.
#include "editors/code_field.h"
#include "ui/ui.h"

int createCodeField(int x, int y, int w, int h) {
  int gadget = editorGadget(UI_ANY, x, y, w, h);
  setGadgetFont(gadget, 70);
  return gadget;
}

void setCodeFieldText(int gadget, const std::string& text) { setGadgetText(gadget, text); }
std::string getCodeFieldText(int gadget) { return getGadgetText(gadget); }
void freeCodeField(int gadget) { freeGadget(gadget); }
void codeFieldHelp(int, std::string& line1, std::string& line2) {
  line1.clear();
  line2.clear();
}
