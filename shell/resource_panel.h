// The eight resource tabs: one picture and one name label per resource and
// an add picture per tab, rebuilt whole after every change.
#pragma once

#include <string>
#include <vector>

struct ResourceItemRecord {
  std::string kind;    // tab caption without its blanks: "Sprites", ...
  std::string name;    // the resource's name; "" for labels and add pictures
  int gadget = 0;
  int popupMenu = -1;  // the kind's popup menu; -1 for labels and add pictures
  int selected = 0;
};

extern std::vector<ResourceItemRecord> resourceItems;

// Add pictures of the tabs and the Functions tab's buttons.
enum PanelGadget : int {
  ADD_SPRITE_ICON = 132,
  ADD_SOUND_ICON,
  ADD_MUSIC_ICON,
  ADD_BACKGROUND_ICON,
  ADD_FONT_ICON,
  ADD_OBJECT_ICON,
  ADD_SCENE_ICON,
  ADD_FUNCTION_ICON,
  HEADING_SPRITES = 114,   // to 121, one per tab
  EXPORT_FUNCTIONS_BUTTON = 232,
  IMPORT_FUNCTIONS_BUTTON = 233,
};

void refreshResourcePanel();
void addResourceListItem(const std::string& kind, const std::string& name, int gadget, int popupMenu);
// Frees the gadgets of every item and empties the table.
void clearResourceItems();
void buildResourceIcons();
// How many resource pictures the kind's tab shows ("Sprites", ...).
int resourceCardCount(const std::string& kind);
// Brings the kind's tab to the front of the panel.
void showResourceTab(const std::string& kind);
