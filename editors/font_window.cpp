// The font window: family, size, bold and italic, written back on Done.
#include "editors/editors.h"
#include "editors/property_frame.h"
#include "project/file_names.h"
#include "project/tables.h"
#include "ui/ui.h"

void editFont(const std::string& name) {
  PropertyFrame frame;
  if (!openPropertyFrame(fontKind, name, frame)) return;
  const FontRecord& font = fonts[size_t(frame.index)];
  textGadget(UI_ANY, 10, 50, 40, 25, "Family");
  int family = stringGadget(UI_ANY, 50, 45, 80, 25, font.family);
  textGadget(UI_ANY, 10, 85, 40, 25, "Size");
  int size = stringGadget(UI_ANY, 50, 80, 80, 25, std::to_string(font.size), STR_NUMERIC);
  textGadget(UI_ANY, 10, 115, 40, 25, "Bold");
  int bold = checkBoxGadget(UI_ANY, 50, 110, 50, 25, "");
  setGadgetState(bold, font.bold == 1 ? 1 : 0);
  textGadget(UI_ANY, 10, 145, 40, 25, "Italic");
  int italic = checkBoxGadget(UI_ANY, 50, 140, 50, 25, "");
  setGadgetState(italic, font.italic == 1 ? 1 : 0);
  nameGadget(family, "family");
  nameGadget(size, "size");
  nameGadget(bold, "bold");
  nameGadget(italic, "italic");

  PropertyHooks hooks;
  hooks.checks = [&] {
    if (textValue(getGadgetText(size)) >= 1) return 0;
    messageRequester("Error", "The font size '" + getGadgetText(size) + "' is invalid");
    return 1;
  };
  hooks.write = [&] {
    FontRecord& f = fonts[size_t(frame.index)];
    f.family = getGadgetText(family);
    f.size = textValue(getGadgetText(size));
    f.bold = getGadgetState(bold) ? 1 : 0;
    f.italic = getGadgetState(italic) ? 1 : 0;
  };
  runPropertyWindow(frame, hooks);
}
