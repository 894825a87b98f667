// The Preferences window: editor colours and font, start-up and exit
// options, and the project's image and audio folder names.
#include "shell/mainwindow.h"
#include "shell/preferences.h"
#include "shell/prefstore.h"
#include "shell/settings.h"
#include "ui/ui.h"

namespace {

struct ColorRow {
  const char* label;
  int* value;
  int swatch = 0, button = 0;
};

// The columns' labels, swatches and buttons stand at x 10, 130, 240 and
// 300, 430, 540: the right column's label is 10 px wider.
void colorRow(ColorRow& row, int column, int k) {
  const int labelX = column == 0 ? 10 : 300, swatchX = column == 0 ? 130 : 430, buttonX = column == 0 ? 240 : 540;
  textGadget(UI_ANY, labelX, 15 + 30 * k, 120, 25, row.label);
  row.swatch = stringGadget(UI_ANY, swatchX, 10 + 30 * k, 100, 25, "", STR_READONLY | STR_BORDERLESS);
  setGadgetColor(row.swatch, COLOR_BACK, *row.value);
  row.button = buttonGadget(UI_ANY, buttonX, 10 + 30 * k, 40, 25, "...");
  nameGadget(row.swatch, std::string("swatch ") + row.label);
  nameGadget(row.button, std::string("pick ") + row.label);
}

std::string folderError(const char* what, const std::string& name) {
  if (isSafeName(name)) return "";
  return std::string("The ") + what + " folder name '" + name + "' cannot be used as a folder name";
}

}  // namespace

void editPreferences() {
  disableWindow(MAIN_WINDOW, true);
  int window = openWindow(UI_ANY, 0, 0, 640, 480, "Preferences", WIN_TITLEBAR | WIN_SCREENCENTERED,
                          MAIN_WINDOW);
  int panel = panelGadget(UI_ANY, 10, 10, 620, 425);
  addGadgetItem(panel, -1, " Code editor");
  addGadgetItem(panel, -1, "Misc");
  addGadgetItem(panel, -1, "Export");

  ColorRow left[] = {{"Text", &sciColorFore},
                     {"Caret", &sciColorCaret},
                     {"Selection background", &sciColorSelectionBack},
                     {"Selection foreground", &sciColorSelectionFore},
                     {"Command", &sciColorCommand},
                     {"Comment", &sciColorComment}};
  ColorRow right[] = {{"String", &sciColorString},
                      {"Number", &sciColorNumber},
                      {"User function", &sciColorFunction},
                      {"Resource", &sciColorResource},
                      {"Constant", &sciColorZmConstant},
                      {"Zembrik function", &sciColorZmFunction},
                      {"Zembrik variable", &sciColorZmVariable}};
  openGadgetList(panel, 0);
  for (int k = 0; k < 6; ++k) colorRow(left[k], 0, k);
  for (int k = 0; k < 7; ++k) colorRow(right[k], 1, k);
  textGadget(UI_ANY, 10, 195, 120, 25, "Font family");
  int family = stringGadget(UI_ANY, 130, 190, 100, 20, sciFontFamily);
  textGadget(UI_ANY, 10, 225, 120, 25, "Font size");
  int size = stringGadget(UI_ANY, 130, 220, 100, 20, std::to_string(sciFontSize));
  closeGadgetList();

  struct Check {
    const char* text;
    int* value;
    int gadget = 0;
  } checks[] = {{"Add file protocol (file://) when running game from IDE", &addFileProtocol},
                {"Check program version at startup", &checkVersionAtStart},
                {"Generate INDEX.HTML when saving project", &generateIndexHtml},
                {"Confirm exit from Zembrik", &confirmExitFlag}};
  openGadgetList(panel, 1);
  for (int i = 0; i < 4; ++i) {
    checks[i].gadget = checkBoxGadget(UI_ANY, 10, 10 + 30 * i, 300, 25, checks[i].text);
    setGadgetState(checks[i].gadget, *checks[i].value == 1 ? 1 : 0);
  }
  closeGadgetList();

  openGadgetList(panel, 2);
  textGadget(UI_ANY, 10, 15, 120, 25, "Image folder");
  int img = stringGadget(UI_ANY, 130, 10, 100, 20, imgFolder);
  textGadget(UI_ANY, 10, 45, 120, 25, "Audio folder");
  int aud = stringGadget(UI_ANY, 130, 40, 100, 20, audFolder);
  closeGadgetList();

  int cancel = buttonGadget(UI_ANY, 10, windowHeight(window) - 35, 65, 25, "Cancel");
  int save = buttonGadget(UI_ANY, windowWidth(window) - 75, windowHeight(window) - 35, 65, 25, "Save");
  nameGadget(family, "font family");
  nameGadget(size, "font size");
  nameGadget(img, "image folder");
  nameGadget(aud, "audio folder");
  for (const Check& c : checks) nameGadget(c.gadget, c.text);

  for (;;) {
    if (waitWindowEvent() != EV_GADGET || eventWindow() != window) continue;
    int gadget = eventGadget();
    if (gadget == cancel) break;
    for (ColorRow* rows : {left, right}) {
      for (int k = 0; k < (rows == left ? 6 : 7); ++k) {
        if (gadget != rows[k].button) continue;
        int chosen = colorRequester(getGadgetColor(rows[k].swatch, COLOR_BACK));
        if (chosen >= 0) setGadgetColor(rows[k].swatch, COLOR_BACK, chosen);
      }
    }
    if (gadget == save) {
      std::string error = folderError("image", getGadgetText(img));
      if (error.empty()) error = folderError("audio", getGadgetText(aud));
      if (!error.empty()) {
        messageRequester("Error", error);
        continue;
      }
      for (ColorRow& row : left) *row.value = getGadgetColor(row.swatch, COLOR_BACK);
      for (ColorRow& row : right) *row.value = getGadgetColor(row.swatch, COLOR_BACK);
      sciFontFamily = getGadgetText(family);
      sciFontSize = preferenceNumber(getGadgetText(size));
      for (const Check& c : checks) *c.value = getGadgetState(c.gadget) ? 1 : 0;
      imgFolder = getGadgetText(img);
      audFolder = getGadgetText(aud);
      savePreferences();
      break;
    }
  }
  disableWindow(MAIN_WINDOW, false);
  closeWindow(window);
}
