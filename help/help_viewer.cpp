#include "help/help_viewer.h"

#include "help/help_documents.h"
#include "ui/ui.h"

const char* const helpTopicTitles[HELP_TOPIC_COUNT] = {
    "Zembrik", "Reference", "Computations", "User Interaction", "Mobile Devices",
    "Instances", "Drawing", "Text", "Sprites", "Audio",
    "Scenes", "Tiles", "Local Storage", "Functions & Variables"};

bool showHelpTopic(int n) {
  if (n < 0 || n >= HELP_TOPIC_COUNT || n >= helpDocumentCount) return false;
  const HelpDocument& d = helpDocuments[n];
  return setTextViewRtf(HELP_TEXT_VIEW, d.bytes, d.length) == 1;
}

int runHelpViewer() {
  if (!openWindow(HELP_WINDOW, 0, 0, 850, 550, "Zembrik Game Maker - Help",
                  WIN_TITLEBAR | WIN_CLOSEBOX | WIN_MINIMIZEBOX | WIN_SCREENCENTERED))
    return 1;
  textViewGadget(HELP_TEXT_VIEW, 165, 10, 675, 530);
  nameGadget(HELP_TEXT_VIEW, "text");
  setTextViewWordWrap(HELP_TEXT_VIEW, 1);
  showHelpTopic(0);
  listViewGadget(HELP_TOPIC_LIST, 10, 10, 150, 530);
  nameGadget(HELP_TOPIC_LIST, "topics");
  for (const char* title : helpTopicTitles) addGadgetItem(HELP_TOPIC_LIST, -1, title);
  setGadgetState(HELP_TOPIC_LIST, 0);

  for (;;) {
    int event = waitWindowEvent();
    if (event == EV_CLOSEWINDOW && eventWindow() == HELP_WINDOW) break;
    // Any event of the list, a click or a double click, shows the selected
    // topic again, even the one already shown.
    if (event == EV_GADGET && eventGadget() == HELP_TOPIC_LIST) {
      int n = getGadgetState(HELP_TOPIC_LIST);
      if (n >= 0) showHelpTopic(n);
    }
  }
  closeWindow(HELP_WINDOW);
  return 0;
}
