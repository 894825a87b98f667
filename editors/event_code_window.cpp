// The event code window: one event's kind, its collision partner and its
// code, in a resizable code window over the object window.
#include "editors/code_dialog.h"
#include "editors/code_field.h"
#include "editors/editors.h"
#include "editors/event_kinds.h"
#include "project/tables.h"
#include "ui/ui.h"

namespace {

struct EventCodeWindow {
  CodeDialog d;
  int kind = 0, withLabel = 0, partner = 0;
};

void showPartner(const EventCodeWindow& w) {
  bool collision = getGadgetState(w.kind) == EVENT_KIND_COLLISION;
  hideGadget(w.withLabel, !collision);
  hideGadget(w.partner, !collision);
}

// The item of the partner list whose object record is named `name`, the
// first in the list; -1 for none.
int partnerItemOf(int partner, const std::string& name) {
  for (int i = 1; i < countGadgetItems(partner); ++i)
    if (objects[size_t(getGadgetItemData(partner, i))].name == name) return i;
  return -1;
}

// Every object definition, the event's own one under the name typed for it
// in the object window. Items carry their records, so the own object picked
// is stored under its record's name, which the object window's Done renames.
void fillPartnerList(int partner, const ScriptRecord& event, const std::string& typedObjectName) {
  addObjectDefinitionItems(partner, -1);
  int own = partnerItemOf(partner, event.object);
  if (own > 0 && !typedObjectName.empty()) setGadgetItemText(partner, own, typedObjectName);
  int picked = event.parameter.empty() ? 0 : partnerItemOf(partner, event.parameter);
  setGadgetState(partner, picked);
}

// The partner as the event stores it: the picked object's record name, or
// the text of the field.
std::string partnerName(int partner) {
  if (gadgetKind(partner) == GK_COMBOBOX) {
    int item = getGadgetState(partner);
    int64_t index = item < 0 ? -1 : getGadgetItemData(partner, item);
    if (index >= 0) return objects[size_t(index)].name;
  }
  return getGadgetText(partner);
}

void makeGadgets(EventCodeWindow& w, const ScriptRecord& event, const std::string& typedObjectName) {
  w.d.cancel = buttonGadget(UI_ANY, 10, 565, 65, 25, "Cancel");
  w.d.ok = buttonGadget(UI_ANY, 725, 565, 65, 25, "OK");
  textGadget(UI_ANY, 10, 15, 60, 25, "Event type");
  w.kind = comboBoxGadget(UI_ANY, 70, 10, 100, 25, COMBO_IMAGE);
  addEventKindItems(w.kind);
  selectItemWithText(w.kind, event.event);
  w.withLabel = textGadget(UI_ANY, 180, 15, 50, 25, "with");
  // The partner control keeps the kind the event had when the window opened.
  if (event.event == eventKindTexts[EVENT_KIND_COLLISION]) {
    w.partner = comboBoxGadget(UI_ANY, 240, 10, 200, 25, COMBO_IMAGE);
    fillPartnerList(w.partner, event, typedObjectName);
  } else {
    w.partner = stringGadget(UI_ANY, 240, 10, 200, 25, event.parameter);
  }
  w.d.editor = createCodeField(10, 45, 780, 445);
  setCodeFieldText(w.d.editor, event.code);
  w.d.help1 = textGadget(UI_ANY, 10, 505, 780, 21, "");
  setGadgetFont(w.d.help1, 140);
  w.d.help2 = textGadget(UI_ANY, 10, 535, 780, 21, "");
  nameGadget(w.kind, "kind");
  nameGadget(w.partner, "partner");
  nameGadget(w.withLabel, "with");
  nameGadget(w.d.editor, "code");
  nameGadget(w.d.help1, "help1");
  nameGadget(w.d.help2, "help2");
}

}  // namespace

void editEventCode(int eventIndex, int opener, const std::string& typedObjectName) {
  if (eventIndex < 0 || eventIndex >= int(scripts.size())) return;
  const ScriptRecord& event = scripts[size_t(eventIndex)];
  EventCodeWindow w;
  // A maximised last window is not restored here: the default place is used.
  // The title names the object as its event records do until Done renames it.
  w.d.window = openCodeDialogWindow("Code editor - " + event.event + " event of " + event.object,
                                    WIN_TITLEBAR | WIN_CLOSEBOX | WIN_MINIMIZEBOX | WIN_SIZEGADGET,
                                    isWindow(opener) ? opener : 0);
  disableWindow(opener, true);
  makeGadgets(w, event, typedObjectName);
  showPartner(w);
  layoutCodeDialog(w.d, false);
  setActiveGadget(w.d.editor);
  addWindowTimer(w.d.window, CODE_HELP_TIMER, 100);
  for (;;) {
    int type = waitWindowEvent();
    if (eventWindow() != w.d.window) continue;
    if (type == EV_TIMER && eventTimer() == CODE_HELP_TIMER) {
      showCodeHelpLines(w.d, true);
    } else if (type == EV_SIZEWINDOW || type == EV_MINIMIZEWINDOW || type == EV_MAXIMIZEWINDOW ||
               type == EV_RESTOREWINDOW) {
      layoutCodeDialog(w.d, true);
    } else if (type == EV_CLOSEWINDOW) {
      break;
    } else if (type == EV_GADGET && eventGadget() == w.kind) {
      showPartner(w);
    } else if (type == EV_GADGET && eventGadget() == w.d.cancel) {
      break;
    } else if (type == EV_GADGET && eventGadget() == w.d.ok) {
      ScriptRecord& e = scripts[size_t(eventIndex)];
      e.event = getGadgetText(w.kind);
      // Shown or not: an event switched away from Collision keeps its partner.
      e.parameter = partnerName(w.partner);
      e.code = getCodeFieldText(w.d.editor);
      break;
    }
  }
  removeWindowTimer(w.d.window, CODE_HELP_TIMER);
  freeCodeField(w.d.editor);
  storeCodeDialogPlace(w.d);
  disableWindow(opener, false);
  closeWindow(w.d.window);
}
