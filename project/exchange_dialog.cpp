#include "project/exchange_dialog.h"

#include <vector>

#include "project/exchange.h"
#include "project/hooks.h"
#include "project/tables.h"
#include "ui/system.h"
#include "ui/ui.h"

namespace {

struct ExportChoiceRecord {
  int gadget;
  std::string name;
};

// The check boxes of the open export dialog, one per function in table order.
std::vector<ExportChoiceRecord> exportChoices;

// Asks for the path and writes the file; true when the dialog may end.
bool exportChosen(int authorField, int descriptionEditor) {
  std::string chosen =
      saveFileRequester("Exporting functions...", "", "XML files | *.xml", 0);
  if (chosen.empty()) return false;
  std::string path = exchangeFilePath(chosen);
  if (fileSize(path) > 0 &&
      messageRequester("Message", "File exists. Overwrite?", MSG_YESNO) != MSG_RESULT_YES)
    return false;
  // The i-th box stands for the i-th function, whatever the names.
  std::vector<bool> ticked;
  for (const ExportChoiceRecord& c : exportChoices) ticked.push_back(getGadgetState(c.gadget) == 1);
  if (!writeFunctionExchange(path, getGadgetText(authorField), getGadgetText(descriptionEditor),
                             ticked)) {
    messageRequester("Error", "The file " + path + " cannot be written.");
    return false;
  }
  return true;
}

}  // namespace

void exportFunctions() {
  if (fns.empty()) {
    messageRequester("Message", "There nothing to export.");
    return;
  }
  const int main = projectHooks.mainWindow;
  disableWindow(main, true);
  const int width = 450, height = 600;
  int window = openWindow(UI_ANY, 0, 0, width, height, "Select functions to export",
                          WIN_TITLEBAR | WIN_SCREENCENTERED, main);
  int exportButton = buttonGadget(UI_ANY, width - 105, height - 35, 95, 25, "Export");
  int cancelButton = buttonGadget(UI_ANY, 10, height - 35, 65, 25, "Cancel");
  int list = scrollAreaGadget(UI_ANY, 10, 10, 230, 540, 210, 30 * int(fns.size()) + 10);
  exportChoices.clear();
  openGadgetList(list);
  for (size_t i = 0; i < fns.size(); ++i) {
    int box = checkBoxGadget(UI_ANY, 10, 10 + 30 * int(i), 300, 25, fns[i].name);
    setGadgetState(box, 1);
    nameGadget(box, "function" + std::to_string(i));
    exportChoices.push_back({box, fns[i].name});
  }
  closeGadgetList();
  textGadget(UI_ANY, 250, 15, 190, 25, "Author");
  int author = stringGadget(UI_ANY, 250, 40, 190, 25, "");
  nameGadget(author, "author");
  textGadget(UI_ANY, 250, 75, 190, 25, "Description");
  int description = editorGadget(UI_ANY, 250, 100, 190, 450);
  nameGadget(description, "description");

  bool done = false;
  while (!done) {
    if (waitWindowEvent() != EV_GADGET || eventWindow() != window) continue;
    if (eventGadget() == cancelButton)
      done = true;
    else if (eventGadget() == exportButton)
      done = exportChosen(author, description);
  }
  disableWindow(main, false);
  closeWindow(window);
  exportChoices.clear();
}

void importFunctions() {
  std::string path = openFileRequester("Select functions to import", "", "XML files|*.xml", 0);
  if (path.empty()) return;
  if (!importFunctionsFrom(path)) {
    messageRequester("Error", "The file " + path + " cannot be read.");
    return;
  }
  projectHooks.refreshResourcePanel();
}
