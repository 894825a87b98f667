// Two versions of one small project "game", for the tests of a save cut off
// midway. The new version, made over the old tables, changes two frames,
// the document and the file of a sound, and adds a frame and a sound file:
// its save renames files that replace old ones and files new to the folder.
#pragma once

#include <string>

#include "project/tables.h"
#include "ui/image.h"
#include "ui/system.h"

inline int filledImage(uint32_t colour) { return createImage(-1, 8, 8, 32, colour); }

// The tables of the old version, its sound and background files in the
// work folder (which must exist).
inline void makeOldVersion() {
  clearProjectTables();
  projectName = "game";
  SpriteRecord hero, aa;
  hero.name = "hero";
  aa.name = "aa";
  sprites = {hero, aa};
  for (int i = 0; i < 3; ++i)
    frames.push_back({std::to_string(i), "hero", filledImage(rgba(10 * i, 20, 30, 255))});
  frames.push_back({"0", "aa", filledImage(rgba(1, 2, 3, 255))});
  SoundRecord snd;
  snd.name = "snd";
  snd.wav = "a.wav";
  sounds = {snd};
  BackgroundRecord sky;
  sky.name = "sky";
  sky.file = "b.png";
  backgrounds = {sky};
  SceneRecord scene;
  scene.name = "scene_1";
  scenes = {scene};
  writeFile(workFolder + "/a.wav", "old wav");
  writeFile(workFolder + "/b.png", "background");
}

inline void makeNewVersion() {
  setPixel(frames[0].image, 1, 1, rgba(200, 0, 0, 255));
  setPixel(frames[2].image, 2, 2, rgba(0, 200, 0, 255));
  frames.push_back({"1", "aa", filledImage(rgba(4, 5, 6, 255))});
  SoundRecord boom;
  boom.name = "boom";
  boom.wav = "c.wav";
  sounds.push_back(boom);
  SceneRecord scene;
  scene.name = "scene_2";
  scenes.push_back(scene);
  projectInfo.comments = "the new version";
  writeFile(workFolder + "/a.wav", "new wav, longer than the old");
  writeFile(workFolder + "/c.wav", "another sound");
  setModified(1);
}
