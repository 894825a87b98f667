#include "shell/resource_panel.h"

#include <unordered_map>

#include "project/file_names.h"
#include "project/tables.h"
#include "shell/mainwindow.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/panel_picture.h"
#include "ui/pictures.h"
#include "ui/ui.h"

std::vector<ResourceItemRecord> resourceItems;

namespace {

constexpr int panelGrey = 200 | (200 << 8) | (200 << 16);

struct Shown {
  std::string name;
  int picture;
};

struct TabContent {
  const char* kind;
  int scrollArea;
  int headingImage;
  int addGadget;
  int popupMenu;
};

const TabContent tabContents[] = {
    {"Sprites", SCROLL_SPRITES, PIC_HEADING_SPRITES, ADD_SPRITE_ICON, POPUP_SPRITE},
    {"Sounds", SCROLL_SOUNDS, PIC_HEADING_SOUNDS, ADD_SOUND_ICON, POPUP_SOUND},
    {"Musics", SCROLL_MUSICS, PIC_HEADING_MUSICS, ADD_MUSIC_ICON, POPUP_MUSIC},
    {"Backgrounds", SCROLL_BACKGROUNDS, PIC_HEADING_BACKGROUNDS, ADD_BACKGROUND_ICON, POPUP_BACKGROUND},
    {"Fonts", SCROLL_FONTS, PIC_HEADING_FONTS, ADD_FONT_ICON, POPUP_FONT},
    {"Objects", SCROLL_OBJECTS, PIC_HEADING_OBJECTS, ADD_OBJECT_ICON, POPUP_OBJECT},
    {"Scenes", SCROLL_SCENES, PIC_HEADING_SCENES, ADD_SCENE_ICON, POPUP_SCENE},
    {"Functions", SCROLL_FUNCTIONS, PIC_HEADING_FUNCTIONS, ADD_FUNCTION_ICON, POPUP_FUNCTION},
};

int pictureOr99(int thumbnail) { return thumbnail >= 0 ? thumbnail : PIC_NO_PICTURE_CARD; }

// The picture of each sprite name: that of the first sprite of the name
// that has one.
std::unordered_map<std::string, int> spritePictures() {
  std::unordered_map<std::string, int> pictures;
  for (const SpriteRecord& s : sprites)
    if (s.thumbnail >= 0) pictures.emplace(s.name, s.thumbnail);
  return pictures;
}

int objectPicture(const ObjectRecord& o, const std::unordered_map<std::string, int>& spritePicture) {
  if (o.sprite.empty()) return PIC_NO_PICTURE_CARD;
  auto it = spritePicture.find(o.sprite);
  return it == spritePicture.end() ? PIC_NO_PICTURE_CARD : it->second;
}

// The image of each sprite's first frame, as spriteFirstFrameImage gives it,
// for all sprites in one pass over the frames.
std::unordered_map<std::string, int> firstFrameImages() {
  std::unordered_map<std::string, int> first;
  for (const FrameRecord& f : frames) first.emplace(f.sprite, f.image);
  return first;
}

int firstFrameOf(const std::unordered_map<std::string, int>& first, const std::string& sprite) {
  auto it = first.find(sprite);
  return it == first.end() ? -1 : it->second;
}

std::vector<Shown> shownRecords(int tab) {
  std::vector<Shown> out;
  switch (tab) {
    case 0: for (auto& r : sprites) out.push_back({r.name, pictureOr99(r.thumbnail)}); break;
    case 1: for (auto& r : sounds) out.push_back({r.name, PIC_SOUND_CARD}); break;
    case 2: for (auto& r : musics) out.push_back({r.name, PIC_MUSIC_CARD}); break;
    case 3: for (auto& r : backgrounds) out.push_back({r.name, pictureOr99(r.thumbnail)}); break;
    case 4: for (auto& r : fonts) out.push_back({r.name, PIC_FONT_CARD}); break;
    case 5: {
      const auto spritePicture = spritePictures();
      for (auto& r : objects)
        if (r.prototype == 1) out.push_back({r.name, objectPicture(r, spritePicture)});
      break;
    }
    case 6: for (auto& r : scenes) out.push_back({r.name, pictureOr99(r.thumbnail)}); break;
    default: for (auto& r : fns) out.push_back({r.name, PIC_FUNCTION_CARD}); break;
  }
  return out;
}

// Out of sight, the areas are also frozen, so that the gadgets made in them
// are painted once, together, when they come back.
void moveScrollAreas(int x, int y) {
  for (const TabContent& t : tabContents) {
    if (x < 0) freezeGadget(t.scrollArea, true);
    else freezeGadget(t.scrollArea, false);
    resizeGadget(t.scrollArea, x, y, UI_IGNORE, UI_IGNORE);
  }
}

void replaceThumbnail(int& thumbnail, int picture) {
  if (thumbnail > 0) freeImage(thumbnail);   // carried pictures stay
  thumbnail = picture;
}

}  // namespace

void addResourceListItem(const std::string& kind, const std::string& name, int gadget, int popupMenu) {
  resourceItems.push_back({kind, name, gadget, popupMenu, 0});
}

void clearResourceItems() {
  for (const ResourceItemRecord& item : resourceItems) freeGadget(item.gadget);
  resourceItems.clear();
}

void refreshResourcePanel() {
  if (!isGadget(RESOURCE_PANEL)) return;
  moveScrollAreas(-5000, -5000);
  updateWindowTitle();
  int pageWidth = getGadgetAttribute(RESOURCE_PANEL, ATTR_PANEL_ITEMWIDTH);
  clearResourceItems();
  for (int tab = 0; tab < int(std::size(tabContents)); ++tab) {
    const TabContent& t = tabContents[tab];
    setGadgetAttribute(t.scrollArea, ATTR_SCROLL_INNERWIDTH, pageWidth);
    openGadgetList(t.scrollArea);
    int heading = HEADING_SPRITES + tab;
    if (!isGadget(heading)) {
      imageGadget(heading, 0, 0, 2880, 50, t.headingImage);
      if (t.scrollArea == SCROLL_FUNCTIONS) {
        disableGadget(heading, true);
        buttonGadget(EXPORT_FUNCTIONS_BUTTON, 300, 10, 100, 30, "Export...");
        buttonGadget(IMPORT_FUNCTIONS_BUTTON, 410, 10, 100, 30, "Import...");
      }
    }
    int column = 0, row = 0, height = 10;
    for (const Shown& r : shownRecords(tab)) {
      int picture = imageGadget(UI_ANY, 10 + 160 * column, 60 + 130 * row, 150, 100, r.picture);
      addResourceListItem(t.kind, r.name, picture, t.popupMenu);
      int label = textGadget(UI_ANY, 10 + 160 * column, 165 + 130 * row, 150, 20, r.name, TEXT_CENTER);
      setGadgetFont(label, 140);
      setGadgetColor(label, COLOR_BACK, panelGrey);
      addResourceListItem(t.kind, "", label, -1);
      ++column;
      if (160 * column > pageWidth - 160) {
        column = 0;
        ++row;
        height += 180;
      }
    }
    imageGadget(t.addGadget, 10 + 160 * column, 60 + 130 * row, 150, 100, PIC_CREATE_CARD);
    addResourceListItem(t.kind, "", t.addGadget, -1);
    height += 180;
    closeGadgetList();
    setGadgetAttribute(t.scrollArea, ATTR_SCROLL_INNERHEIGHT, height);
  }
  setGadgetState(ADVANCED_MODE_CHECKBOX, projectInfo.advancedscriptmode);
  moveScrollAreas(0, 0);
}

void buildResourceIcons() {
  const auto firstFrame = firstFrameImages();
  for (SpriteRecord& s : sprites) {
    int frame = firstFrameOf(firstFrame, s.name);
    int card = panelPicture(frame);
    if (!isImage(frame) && startDrawing(card)) {
      drawingMode(DRAW_ALPHABLEND);
      drawImage(PIC_NO_PICTURE_CARD, 0, 0);
      stopDrawing();
    }
    replaceThumbnail(s.thumbnail, card);
  }
  for (BackgroundRecord& b : backgrounds) {
    if (b.file.empty()) continue;
    // A name that could lead out of the image folder reads nothing.
    int loaded = isUsableName(b.file)
                     ? loadImage(UI_ANY, "Projects/" + projectName + "/" + imgFolder + "/" + b.file)
                     : 0;
    replaceThumbnail(b.thumbnail, panelPicture(loaded));
    if (loaded) freeImage(loaded);
  }
  noteTablesChanged();
  for (ObjectRecord& o : objects) {
    if (o.sprite.empty()) continue;
    int frame = firstFrameOf(firstFrame, o.sprite);
    if (frame < 0) {
      o.image = -1;   // the sprite lost its frames: no stale picture
      continue;
    }
    o.image = frame;
    o.imageWidth = imageWidth(frame);
    o.imageHeight = imageHeight(frame);
  }
}

int resourceCardCount(const std::string& kind) {
  int count = 0;
  for (const ResourceItemRecord& item : resourceItems)
    if (item.kind == kind && item.popupMenu > -1) ++count;
  return count;
}

void showResourceTab(const std::string& kind) {
  // The panel's first eight tabs are the resource tabs, in this table's order.
  for (int tab = 0; tab < int(std::size(tabContents)); ++tab)
    if (kind == tabContents[tab].kind) setGadgetState(RESOURCE_PANEL, tab);
}
