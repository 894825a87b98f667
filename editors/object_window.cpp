// The object window: sprite, visibility, depth, collision flag, parent, and
// the list of the object's events with a preview of their code.
#include <unordered_map>

#include "editors/editor_frame.h"
#include "editors/editors.h"
#include "editors/event_kinds.h"
#include "editors/property_frame.h"
#include "project/file_names.h"
#include "project/makers.h"
#include "project/tables.h"
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/ui.h"

namespace {

struct ObjectWindow {
  PropertyFrame f;
  int preview = 0, spriteChoice = 0, sizeLine = 0, visible = 0, depth = 0, collision = 0, parentChoice = 0;
  int addEvent = 0, eventKind = 0, eventList = 0, codePreview = 0;
};

// "" and then every sprite with the picture of its first frame; the frames
// are visited once rather than once per sprite.
void addSpriteItems(int comboBox) {
  std::unordered_map<std::string, int> firstImage;
  firstImage.reserve(sprites.size());
  for (const FrameRecord& f : frames) firstImage.emplace(f.sprite, f.image);
  addGadgetItem(comboBox, -1, "");
  for (const SpriteRecord& s : sprites) {
    auto found = firstImage.find(s.name);
    int image = found != firstImage.end() && isImage(found->second) ? found->second : int(PIC_ICON_NO_IMAGE);
    addGadgetItem(comboBox, -1, s.name, image);
  }
}

void showSprite(const ObjectWindow& w) {
  int image = spriteFirstFrameImage(getGadgetText(w.spriteChoice));
  if (image != -1 && isImage(image)) {
    showThumbnail(w.preview, 0, image);
    setGadgetText(w.sizeLine,
                  "Size: " + std::to_string(imageWidth(image)) + " x " + std::to_string(imageHeight(image)) + " px");
  } else {
    showThumbnail(w.preview, 0, PIC_NO_SPRITE);
    setGadgetText(w.sizeLine, "Size: <no sprite>");
  }
}

// The object's events grouped by kind in the fixed order, each kind in
// table order; a row carries its record's index.
void fillEventList(const ObjectWindow& w, int objectIndex) {
  clearGadgetItems(w.eventList);
  const std::string& name = objects[size_t(objectIndex)].name;
  std::vector<int> kindOf(scripts.size(), -1);
  for (size_t i = 0; i < scripts.size(); ++i)
    if (scripts[i].object == name) kindOf[i] = eventKindIndex(scripts[i].event.c_str());
  for (int k = 0; k < EVENT_KIND_COUNT; ++k)
    for (size_t i = 0; i < scripts.size(); ++i) {
      if (kindOf[i] != k) continue;
      int row = addGadgetItem(w.eventList, -1, scripts[i].event + "\n" + scripts[i].parameter, eventKindIcon(k));
      setGadgetItemData(w.eventList, row, int64_t(i));
    }
}

// The selected row's event, -1 when no row is selected.
int selectedEvent(const ObjectWindow& w) {
  int row = getGadgetState(w.eventList);
  return row < 0 ? -1 : int(getGadgetItemData(w.eventList, row));
}

void showEventCodePreview(const ObjectWindow& w) {
  int event = selectedEvent(w);
  setGadgetText(w.codePreview, event < 0 ? "" : scripts[size_t(event)].code);
}

// A refill leaves no row selected, so the preview empties with it: code left
// standing there would be read as that of a row it does not belong to.
void refillEventList(const ObjectWindow& w) {
  fillEventList(w, w.f.index);
  showEventCodePreview(w);
}

void editSelectedEvent(const ObjectWindow& w) {
  int event = selectedEvent(w);
  if (event < 0) return;
  editEventCode(event, w.f.window, getGadgetText(w.f.name));
  refillEventList(w);
}

void deleteSelectedEvent(const ObjectWindow& w) {
  int event = selectedEvent(w);
  if (event < 0 || askYesNo("Confirm", "Delete this event?") != 1) return;
  scripts.erase(scripts.begin() + event);
  refillEventList(w);
}

void addEvent(const ObjectWindow& w) {
  int event = addObjectEvent(objects[size_t(w.f.index)].name, getGadgetText(w.eventKind), "");
  editEventCode(event, w.f.window, getGadgetText(w.f.name));
  refillEventList(w);
}

void onEvent(const ObjectWindow& w, int type) {
  if (type == EV_MENU) {
    if (eventMenu() == EVENT_POPUP_EDIT) editSelectedEvent(w);
    else if (eventMenu() == EVENT_POPUP_DELETE) deleteSelectedEvent(w);
    return;
  }
  if (type != EV_GADGET) return;
  int gadget = eventGadget();
  if (gadget == w.spriteChoice) {
    showSprite(w);
  } else if (gadget == w.addEvent) {
    addEvent(w);
  } else if (gadget == w.eventList && eventType() == ET_LEFTDOUBLECLICK) {
    editSelectedEvent(w);
  } else if (gadget == w.eventList && eventType() == ET_RIGHTCLICK) {
    showEventCodePreview(w);   // the right click selected the row under it
    if (selectedEvent(w) >= 0) displayPopupMenu(EVENT_LIST_POPUP, w.f.window);
  } else if (gadget == w.eventList) {
    showEventCodePreview(w);
  }
}

// The fields, the object's instances and the display images, on Done.
void writeObject(const ObjectWindow& w) {
  ObjectRecord& o = objects[size_t(w.f.index)];
  o.sprite = getGadgetText(w.spriteChoice);
  o.visible = getGadgetState(w.visible) ? 1 : 0;
  o.depth = textValue(getGadgetText(w.depth));
  o.collision = getGadgetState(w.collision) ? 1 : 0;
  o.parent = getGadgetText(w.parentChoice);
  int image = spriteFirstFrameImage(o.sprite);
  o.image = image;
  if (image != -1) {
    o.imageWidth = imageWidth(image);
    o.imageHeight = imageHeight(image);
  }
  noteTablesChanged();
  for (ObjectRecord& instance : objects) {
    if (instance.template_ != o.name || &instance == &o) continue;
    instance.depth = o.depth;
    instance.sprite = o.sprite;
    instance.image = o.image;
    instance.imageWidth = o.imageWidth;
    instance.imageHeight = o.imageHeight;
  }
}

void makeGadgets(ObjectWindow& w) {
  const ObjectRecord& o = objects[size_t(w.f.index)];
  const int H = 600;
  w.preview = imageGadget(UI_ANY, 10, 45, 100, 100, 0);
  w.spriteChoice = comboBoxGadget(UI_ANY, 10, 155, 100, 25, COMBO_IMAGE);
  addSpriteItems(w.spriteChoice);
  selectItemWithText(w.spriteChoice, o.sprite);
  w.sizeLine = textGadget(UI_ANY, 10, 190, 100, 25, "");
  w.visible = checkBoxGadget(UI_ANY, 10, 215, 100, 25, "Visible");
  setGadgetState(w.visible, o.visible == 1 ? 1 : 0);
  textGadget(UI_ANY, 10, 255, 55, 25, "Depth");
  w.depth = stringGadget(UI_ANY, 60, 250, 50, 25, std::to_string(o.depth));
  w.collision = checkBoxGadget(UI_ANY, 10, 280, 100, 25, "Collision check");
  setGadgetState(w.collision, o.collision == 1 ? 1 : 0);
  textGadget(UI_ANY, 10, 315, 100, 25, "Parent");
  w.parentChoice = comboBoxGadget(UI_ANY, 10, 340, 100, 25, COMBO_IMAGE);
  addObjectDefinitionItems(w.parentChoice, w.f.index);
  selectItemWithText(w.parentChoice, o.parent);
  w.addEvent = buttonGadget(UI_ANY, 120, 10, 100, 25, "Add event >>> ");
  w.eventKind = comboBoxGadget(UI_ANY, 220, 10, 100, 25, COMBO_IMAGE);
  addEventKindItems(w.eventKind);
  setGadgetState(w.eventKind, 0);
  w.eventList = listIconGadget(UI_ANY, 120, 45, 200, H - 90, "Event", 90, LI_FULLROWSELECT);
  addGadgetColumn(w.eventList, 1, "Parameter", 80);
  textGadget(UI_ANY, 480, 15, 200, 25, "Code preview of selected event");
  w.codePreview = editorGadget(UI_ANY, 330, 45, 460, H - 90, ED_READONLY);
  setGadgetFont(w.codePreview, 70);
  setGadgetColor(w.codePreview, COLOR_BACK, rgb(238, 238, 238));
  nameGadget(w.preview, "preview");
  nameGadget(w.spriteChoice, "sprite");
  nameGadget(w.sizeLine, "size");
  nameGadget(w.depth, "depth");
  nameGadget(w.parentChoice, "parent");
  nameGadget(w.eventKind, "kind");
  nameGadget(w.eventList, "events");
  nameGadget(w.codePreview, "code preview");
}

}  // namespace

void editObject(const std::string& name) {
  ObjectWindow w;
  if (!openPropertyFrame(objectKind, name, w.f)) return;
  makeGadgets(w);
  showSprite(w);
  fillEventList(w, w.f.index);
  PropertyHooks hooks;
  hooks.event = [&](int type) { onEvent(w, type); };
  hooks.write = [&] { writeObject(w); };
  runPropertyWindow(w.f, hooks);
}
