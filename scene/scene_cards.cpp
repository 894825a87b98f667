#include "scene/scene_cards.h"

#include "project/tables.h"
#include "scene/scene_parts.h"
#include "scene/scene_pictures.h"

void buildSceneCards() {
  for (size_t i = 0; i < scenes.size(); ++i) {
    const std::string name = scenes[i].name;
    // The images the scene window would make when it opens, for as long as
    // the picture takes.
    buildInstanceImages(name);
    int background = loadSceneBackgroundImage(scenes[i].background, false);
    int card = scenePanelPicture(int(i), background);
    releaseImage(background);
    freeInstanceImages(name);
    releaseImage(scenes[i].thumbnail);
    scenes[i].thumbnail = card;
  }
}
