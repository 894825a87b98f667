#include "codeeditor/code_editor.h"
#include "codeeditor/keywords.h"
#include "editors/code_field.h"
#include "ui/ui.h"

int createCodeField(int x, int y, int w, int h) {
  int gadget = createCodeEditor(UI_ANY, x, y, w, h, nullptr, 1);
  setupEditorLexer(gadget);
  return gadget;
}

void setCodeFieldText(int gadget, const std::string& text) { setEditorText(gadget, text, 0); }
std::string getCodeFieldText(int gadget) { return getEditorText(gadget); }
void freeCodeField(int gadget) { freeCodeEditor(gadget); }
bool codeFieldHelp(int gadget, std::string& line1, std::string& line2) {
  int k = keywordAtCaret(gadget);
  bool found = k >= 0 && k < int(keywords.size());
  line1 = found ? keywords[size_t(k)].hintLine1 : "";
  line2 = found ? keywords[size_t(k)].hintLine2 : "";
  return found;
}
