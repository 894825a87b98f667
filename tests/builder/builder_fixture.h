// Each test runs in a fresh temporary folder as the program folder, with
// empty tables, default folder names and hooks that record the status texts
// and messages instead of showing them.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <utility>
#include <vector>

#include "builder/extensions.h"
#include "builder/settings.h"
#include "project/hooks.h"
#include "project/makers.h"
#include "project/tables.h"
#include "tests/support/temp_folder.h"
#include "ui/system.h"

class BuilderTest : public ::testing::Test {
 protected:
  std::vector<std::pair<std::string, std::string>> messages;
  std::vector<std::string> statusTexts;   // "ready after" marks the timed return
  TempFolder folder;   // made current before SetUp, removed after TearDown
  const std::string& tempFolder = folder.path;

  void SetUp() override {
    clearProjectTables();
    resetProjectHooks();
    resetBuilderHooks();
    projectHooks.message = [this](const std::string& title, const std::string& text) {
      messages.emplace_back(title, text);
    };
    projectHooks.setStatusText = [this](const std::string& text) { statusTexts.push_back(text); };
    builderHooks.readyAfter = [this](int ms) { statusTexts.push_back("ready after " + std::to_string(ms)); };
    projectName.clear();
    imgFolder = "img";
    audFolder = "aud";
    workFolder = "_temp_000000";
    generateIndexHtml = 1;
    addFileProtocol = 0;
    exportTemplate.clear();
    exportTemplateUnread = false;
    extensions.clear();
    enabledExtensions.clear();
    makeFolder(workFolder);
    makeFolder("Projects");
  }

  void TearDown() override {
    clearProjectTables();
    resetProjectHooks();
    resetBuilderHooks();
    extensions.clear();
    enabledExtensions.clear();
    projectName.clear();
  }

  static std::string slurp(const std::string& path) {
    std::string bytes;
    readFile(path, bytes);
    return bytes;
  }
};

// Records with the makers' defaults under a chosen name.
inline SpriteRecord& sprite(const std::string& name) {
  newSprite();
  sprites.back().name = name;
  return sprites.back();
}
inline BackgroundRecord& background(const std::string& name, const std::string& file) {
  newBackground();
  backgrounds.back().name = name;
  backgrounds.back().file = file;
  return backgrounds.back();
}
inline FontRecord& font(const std::string& name) {
  newFont();
  fonts.back().name = name;
  return fonts.back();
}
inline ObjectRecord& object(const std::string& name) {
  newObject();
  objects.back().name = name;
  return objects.back();
}
inline ObjectRecord& instance(const std::string& name, const std::string& of,
                              const std::string& scene, int x, int y) {
  ObjectRecord& r = appendObject();
  r.prototype = 0;
  r.name = name;
  r.template_ = of;
  r.scene = scene;
  r.x = x;
  r.y = y;
  return r;
}
inline ScriptRecord& script(const std::string& object, const std::string& event,
                            const std::string& code, const std::string& parameter = "") {
  ScriptRecord& r = appendScript();
  r.name = "scr_" + std::to_string(scripts.size());
  r.object = object;
  r.event = event;
  r.parameter = parameter;
  r.code = code;
  return r;
}
inline SceneRecord& scene(const std::string& name) {
  newScene();
  scenes.back().name = name;
  return scenes.back();
}
inline TileRecord& tile(const std::string& scene, const std::string& background, int depth,
                        std::vector<int> v) {
  TileRecord& t = appendTile();
  t.name = "tile_" + std::to_string(tiles.size());
  t.scene = scene;
  t.background = background;
  t.depth = depth;
  t.left = v[0];
  t.top = v[1];
  t.width = v[2];
  t.height = v[3];
  t.x = v[4];
  t.y = v[5];
  return t;
}
