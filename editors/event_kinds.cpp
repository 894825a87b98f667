#include "editors/event_kinds.h"

#include <cstring>

#include "project/tables.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

const char* const eventKindTexts[EVENT_KIND_COUNT] = {"Creation", "Destroy",  "Step",          "End step", "Collision",
                                                      "Room start", "Room end", "Animation end", "Draw"};

int eventKindIndex(const char* text) {
  for (int i = 0; i < EVENT_KIND_COUNT; ++i)
    if (std::strcmp(eventKindTexts[i], text) == 0) return i;
  return -1;
}

int eventKindIcon(int kindIndex) { return PIC_EVENT_CREATION + kindIndex; }

void addEventKindItems(int comboBox) {
  for (int i = 0; i < EVENT_KIND_COUNT; ++i) addGadgetItem(comboBox, -1, eventKindTexts[i], eventKindIcon(i));
}

void addObjectDefinitionItems(int comboBox, int skipIndex) {
  setGadgetItemData(comboBox, addGadgetItem(comboBox, -1, ""), -1);
  for (size_t i = 0; i < objects.size(); ++i) {
    const ObjectRecord& o = objects[i];
    if (o.prototype != 1 || int(i) == skipIndex) continue;
    int item = addGadgetItem(comboBox, -1, o.name, isImage(o.image) ? o.image : int(PIC_ICON_NO_IMAGE));
    setGadgetItemData(comboBox, item, int64_t(i));
  }
}

void selectItemWithText(int comboBox, const std::string& text) {
  int n = countGadgetItems(comboBox);
  for (int i = 0; i < n; ++i)
    if (getGadgetItemText(comboBox, i) == text) {
      setGadgetState(comboBox, i);
      return;
    }
  setGadgetState(comboBox, -1);
}
