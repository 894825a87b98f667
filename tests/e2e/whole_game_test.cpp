// A small game made the way a person makes it: from the program's real
// start-up in a fresh program folder, only through the windows, saved, run
// with a stand-in for the browser opener, then opened again and saved a
// second time. The saved game is played in a browser by play_game.js.
//
// ZM_E2E_FOLDER names the program folder to use and leave behind for the
// browser step; without it a temporary folder is used and removed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <map>
#include <sstream>

#include "builder/settings.h"
#include "imaging/frame_list.h"
#include "project/hooks.h"
#include "project/tables.h"
#include "scene/scene_state.h"
#include "scene/scene_window.h"
#include "shell/dispatch.h"
#include "shell/mainwindow.h"
#include "shell/project_commands.h"
#include "shell/resource_panel.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "shell/version_download.h"
#include "ui/driver.h"
#include "ui/image.h"
#include "ui/system.h"
#include "ui/ui.h"

namespace {

const uint32_t RED = opaque(rgb(255, 0, 0));

// Runs the main loop over the steps queued so far, until they are used up.
void runSteps() {
  driverCall([] { programEnding = true; }, "end of the steps");
  driverTimeout();
  mainLoop();
  programEnding = false;
}

void tick() { driverTick("", SCENE_VIEW_TIMER); }

void chooseTab(int tab) {
  driverChoose("panel", tab);
  tick();
}

// Every file under `folder`, by its path below it, with its bytes.
void readTree(const std::string& folder, const std::string& below, std::map<std::string, std::string>& out) {
  std::vector<DirEntry> entries;
  listFolder(folder + below, "", entries);
  for (const DirEntry& e : entries) {
    if (e.name == "." || e.name == "..") continue;
    std::string path = below.empty() ? e.name : below + "/" + e.name;
    if (e.kind == FILE_FOLDER) {
      readTree(folder, path, out);
    } else {
      std::string bytes;
      readFile(folder + path, bytes);
      out[path] = bytes;
    }
  }
}

// The pixels of an image as text, so that two images compare by content.
std::string pixelsText(int image) {
  if (!isImage(image)) return "none";
  std::ostringstream s;
  s << imageWidth(image) << "x" << imageHeight(image) << ":";
  for (int y = 0; y < imageHeight(image); ++y)
    for (int x = 0; x < imageWidth(image); ++x) s << std::hex << getPixel(image, x, y) << ",";
  return s.str();
}

// The records of the project as text: what a person made, without the
// numbers of pictures and selections, which a reading makes anew.
std::string recordsText() {
  std::ostringstream s;
  s << "vars " << projectInfo.variables << "|fns " << projectInfo.functions << "|adv "
    << projectInfo.advancedscriptmode << "|comments " << projectInfo.comments << "\n";
  for (const SpriteRecord& r : sprites)
    s << "sprite " << r.name << " " << r.collisionshape << " " << r.collisionradius << " " << r.collisionleft << " "
      << r.collisionright << " " << r.collisiontop << " " << r.collisionbottom << " " << r.centerx << " "
      << r.centery << "\n";
  for (const FrameRecord& r : frames) s << "frame " << r.sprite << " " << r.file << " " << pixelsText(r.image) << "\n";
  for (const SoundRecord& r : sounds) s << "sound " << r.name << " " << r.wav << " " << r.mp3 << " " << r.ogg << "\n";
  for (const BackgroundRecord& r : backgrounds)
    s << "background " << r.name << " " << r.file << " " << r.tile << " " << r.tilewidth << " " << r.tileheight << " "
      << r.tilexoffset << " " << r.tileyoffset << " " << r.tilexspace << " " << r.tileyspace << "\n";
  for (const FontRecord& r : fonts)
    s << "font " << r.name << " " << r.family << " " << r.size << " " << r.bold << " " << r.italic << "\n";
  for (const ObjectRecord& r : objects)
    s << "object " << r.prototype << " " << r.template_ << " " << r.name << " " << r.sprite << " " << r.scene << " "
      << r.x << " " << r.y << " " << r.visible << " " << r.depth << " " << r.collision << " " << r.parent << " "
      << r.direction << " " << r.image_angle << "\n";
  for (const ScriptRecord& r : scripts)
    s << "script " << r.name << " " << r.object << " " << r.event << " " << r.parameter << " " << r.code << "\n";
  for (const SceneRecord& r : scenes)
    s << "scene " << r.name << " " << r.width << " " << r.height << " " << r.viewportwidth << " " << r.viewportheight
      << " " << r.red << " " << r.green << " " << r.blue << " " << r.code << " " << r.speed << " " << r.background
      << " " << r.backgroundtilex << " " << r.backgroundtiley << " " << r.backgroundstretch << " "
      << r.viewportobject << " " << r.viewportxborder << " " << r.viewportyborder << "\n";
  for (const LayerRecord& r : layers) s << "layer " << r.name << " " << r.value << " " << r.scene << "\n";
  for (const TileRecord& r : tiles)
    s << "tile " << r.name << " " << r.background << " " << r.left << " " << r.top << " " << r.width << " "
      << r.height << " " << r.x << " " << r.y << " " << r.depth << " " << r.scene << " " << pixelsText(r.image)
      << "\n";
  for (const FunctionRecord& r : fns)
    s << "function " << r.name << " " << r.params << " " << r.description << " " << r.code << "\n";
  return s.str();
}

// A mono 8-bit WAV of a few samples.
std::string smallWav() {
  auto le = [](uint32_t v, int n) {
    std::string b;
    for (int i = 0; i < n; ++i) b += char((v >> (8 * i)) & 255);
    return b;
  };
  std::string samples(64, char(128));
  return "RIFF" + le(36 + uint32_t(samples.size()), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) +
         le(8000, 4) + le(8000, 4) + le(1, 2) + le(8, 2) + "data" + le(uint32_t(samples.size()), 4) + samples;
}

class WholeGame : public testing::Test {
 protected:
  std::string previous, folder, picks;
  bool keep = false;

  void SetUp() override {
    previous = currentFolder();
    const char* given = std::getenv("ZM_E2E_FOLDER");
    keep = given && *given;
    if (keep) {
      folder = given;
      deleteFolderTree(folder);
      ASSERT_TRUE(makeFolder(folder));
    } else {
      char pattern[] = "/tmp/zm_e2e_XXXXXX";
      ASSERT_NE(mkdtemp(pattern), nullptr);
      folder = pattern;
    }
    // What an installed program folder holds beside the program.
    std::string bytes;
    ASSERT_TRUE(readFile(ZM_RUNTIME_TEMPLATE, bytes));
    ASSERT_TRUE(writeFile(folder + "/export.js", bytes));
    ASSERT_TRUE(readFile(ZM_DATA_DIR "/keywords.dat", bytes));
    ASSERT_TRUE(writeFile(folder + "/keywords.dat", bytes));

    // Files a person would pick: a tile sheet of two 32 x 32 cells, green
    // then yellow, and a sound.
    picks = folder + "-picks";
    deleteFolderTree(picks);
    ASSERT_TRUE(makeFolder(picks));
    int sheet = createImage(UI_ANY, 64, 32, 32, opaque(rgb(0, 160, 0)));
    for (int x = 32; x < 64; ++x)
      for (int y = 0; y < 32; ++y) setPixel(sheet, x, y, opaque(rgb(255, 255, 0)));
    ASSERT_TRUE(savePng(sheet, picks + "/sheet.png"));
    freeImage(sheet);
    ASSERT_TRUE(writeFile(picks + "/hit.wav", smallWav()));

    // The page opener on the path records what it was asked to open.
    ASSERT_TRUE(makeFolder(picks + "/bin"));
    ASSERT_TRUE(writeFile(picks + "/bin/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + folder + "/opened.txt'\n"));
    ASSERT_EQ(chmod((picks + "/bin/xdg-open").c_str(), 0755), 0);
    oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (picks + "/bin:" + oldPath).c_str(), 1);

    driverStart();
    versionHost = "";
    programEnding = false;
  }

  void TearDown() override {
    EXPECT_TRUE(driverCheckDone());
    setenv("PATH", oldPath.c_str(), 1);
    deleteWorkFolder();
    clearProjectTables();
    resourceItems.clear();
    resetProjectHooks();
    resetBuilderHooks();
    setCurrentFolder(previous);
    deleteFolderTree(picks);
    if (!keep) deleteFolderTree(folder);
  }

  std::string oldPath;
};

// A sprite of two red 32 x 32 frames, its origin centred; the frame
// editor's Done gives it the whole frame as its collision box, which
// nobody types.
void makeSprite() {
  driverClick(addSpriteButton);
  driverSetText("name", "spr_player");
  driverClick("Edit");
  driverClick("Create new sprite");
  driverSetText("Width", "32");
  driverSetText("Height", "32");
  driverClick("OK");
  // Transparent black made opaque, inverted to white, then green and blue taken out.
  driverClick("Make opaque");
  driverClick("OK");
  driverClick("Invert");
  driverClick("OK");
  driverClick("Color balance");
  driverSetText("Green field", "-255");
  driverSetText("Blue field", "-255");
  driverClick("OK");
  driverClick("Duplicate current frame");
  driverCall([] {
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(getPixel(frames[1].image, 31, 31), RED);
  });
  driverClick("Done");
  driverCall([] {
    EXPECT_EQ(getGadgetText(gadgetByName(0, "Right")), "32");
    EXPECT_EQ(getGadgetText(gadgetByName(0, "Bottom")), "32");
  });
  driverClick("Center");
  driverClick("Done");
}

// A background from the sheet, used as a tile set of 32 x 32 cells.
void makeTileSet(const std::string& sheet) {
  driverClick(addBackgroundButton);
  driverSetText("name", "bg_tiles");
  driverClick("Select image...");
  driverAnswerFile("Select an image", sheet);
  driverCheck("Use as tile set", true);
  driverSetText("Width", "32");
  driverSetText("Height", "32");
  driverClick("Done");
}

// Walls, and a player that moves, reads the keyboard and destroys
// the walls it meets.
void makeObjects() {
  driverClick(addObjectButton);
  driverSetText("name", "obj_wall");
  driverChooseText("sprite", "spr_player");
  driverClick("Done");

  driverClick(addObjectButton);
  driverSetText("name", "obj_player");
  driverChooseText("sprite", "spr_player");
  driverChooseText("kind", "Creation");
  driverClick("Add event >>> ");
  driverSetText("code", "hspeed = 2;");
  driverClick("OK");
  driverChooseText("kind", "Step");
  driverClick("Add event >>> ");
  driverSetText("code", "if (keyboard_check(vk_down)) y += 4;");
  driverClick("OK");
  driverChooseText("kind", "Collision");
  driverClick("Add event >>> ");
  driverChooseText("partner", "obj_wall");
  driverSetText("code", "instance_destroy(other);\ncount_hit();");
  driverClick("OK");
  driverClick("Done");
}

// The scene's settings, a tile layer painted from the tile set, the
// player and three walls placed on the grid, the scene's code.
void makeScene() {
  const char* const CANVAS = "scene canvas";
  driverClick(addSceneButton);
  driverSetText("name", "scene_main");
  driverSetText("width", "640");
  driverSetText("height", "480");
  chooseTab(TAB_BACKGROUND);
  driverClick("...");
  driverAnswerColor(rgb(0, 0, 90));

  chooseTab(TAB_TILES);
  driverClick("Add");
  driverSetText("depth", "50");
  driverClick("OK");
  driverChooseText("tile image list", "bg_tiles");
  // On a grid of the tiles' size: a row of green painted by a Shift-drag
  // over three cells, then one yellow placed by a click.
  driverSetText("grid size", "32");
  driverCanvas("tile set canvas", ET_LEFTCLICK, 10, 10, BUTTON_LEFT);
  driverCanvas(CANVAS, ET_MOUSEENTER, 195, 300);
  driverCanvas(CANVAS, ET_LEFTBUTTONDOWN, 195, 300, BUTTON_LEFT, MOD_SHIFT);
  for (int x : {210, 230, 250, 270, 280}) driverCanvas(CANVAS, ET_MOUSEMOVE, x, 300, BUTTON_LEFT, MOD_SHIFT);
  driverCanvas(CANVAS, ET_LEFTBUTTONUP, 280, 300, 0, MOD_SHIFT);
  driverCanvas("tile set canvas", ET_LEFTCLICK, 40, 10, BUTTON_LEFT);
  driverCanvas(CANVAS, ET_LEFTCLICK, 330, 300, BUTTON_LEFT);
  driverCanvas(CANVAS, ET_MOUSELEAVE, 0, 0);
  driverSetText("grid size", "20");
  tick();

  chooseTab(TAB_OBJECTS);
  driverChooseText("object list", "obj_player");
  driverCanvas(CANVAS, ET_MOUSEENTER, 63, 103);
  driverCanvas(CANVAS, ET_LEFTCLICK, 63, 103, BUTTON_LEFT);
  driverChooseText("object list", "obj_wall");
  for (auto [x, y] : {std::pair{143, 103}, std::pair{503, 403}, std::pair{583, 403}})
    driverCanvas(CANVAS, ET_LEFTCLICK, x, y, BUTTON_LEFT);
  driverCanvas(CANVAS, ET_MOUSELEAVE, 0, 0);
  tick();

  chooseTab(TAB_SETTINGS);
  driverClick("Scene code...");
  driverSetText("code", "started = 1;");
  driverClick("OK");
  driverClick("Done");
}

// A font, a sound, a user function and a global variable.
void makeTheRest(const std::string& wav) {
  driverClick(addFontButton);
  driverSetText("name", "fnt_score");
  driverSetText("size", "14");
  driverCheck("bold", true);
  driverClick("Done");

  driverClick(addSoundButton);
  driverSetText("name", "snd_hit");
  driverClick("Set WAV file...");
  driverAnswerFile("Select a sound", wav);
  driverClick("Done");

  driverClick(addFunctionButton);
  driverSetText("name", "count_hit");
  driverSetText("code", "hits += 1;");
  driverClick("Done");

  driverChoose(RESOURCE_PANEL, 8);   // the " Game " tab
  driverClick(GAME_GLOBALS_PICTURE);
  driverSetText("code", "var hits = 0;\nvar started = 0;");
  driverClick("OK");
}

}  // namespace

TEST_F(WholeGame, MadeThroughTheWindowsSavedRunAndOpenedAgain) {
  startProgram(folder);
  ASSERT_TRUE(isWindow(MAIN_WINDOW));
  runSteps();   // the first turns of the loop lay out the panel

  makeSprite();
  makeTileSet(picks + "/sheet.png");
  makeObjects();
  makeScene();
  makeTheRest(picks + "/hit.wav");
  runSteps();

  // What the windows made.
  ASSERT_EQ(sprites.size(), 1u);
  EXPECT_EQ(sprites[0].centerx, 16);
  EXPECT_EQ(sprites[0].centery, 16);
  EXPECT_EQ(sprites[0].collisionright, 32);
  EXPECT_EQ(sprites[0].collisionbottom, 32);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(pixelsText(frames[0].image), pixelsText(frames[1].image));
  EXPECT_EQ(getPixel(frames[0].image, 0, 0), RED);
  ASSERT_EQ(backgrounds.size(), 1u);
  EXPECT_EQ(backgrounds[0].tile, 1);
  EXPECT_EQ(backgrounds[0].tilewidth, 32);
  EXPECT_EQ(backgrounds[0].tileheight, 32);
  ASSERT_EQ(scenes.size(), 1u);
  EXPECT_EQ(scenes[0].width, 640);
  EXPECT_EQ(scenes[0].height, 480);
  EXPECT_EQ((std::vector<int>{scenes[0].red, scenes[0].green, scenes[0].blue}), (std::vector<int>{0, 0, 90}));
  EXPECT_EQ(scenes[0].code, "started = 1;");
  std::vector<std::string> placed;
  for (const ObjectRecord& o : objects)
    if (!o.prototype) placed.push_back(o.template_ + " " + std::to_string(o.x) + " " + std::to_string(o.y));
  EXPECT_EQ(placed, (std::vector<std::string>{"obj_player 60 100", "obj_wall 140 100", "obj_wall 500 400",
                                              "obj_wall 580 400"}));
  std::vector<std::string> painted;
  for (const TileRecord& t : tiles)
    painted.push_back(std::to_string(t.left) + " " + std::to_string(t.x) + " " + std::to_string(t.y) + " " +
                      std::to_string(t.width) + " " + std::to_string(t.depth));
  EXPECT_EQ(painted, (std::vector<std::string>{"0 192 288 32 50", "0 224 288 32 50", "0 256 288 32 50",
                                               "32 320 288 32 50"}));
  std::vector<std::string> events;
  for (const ScriptRecord& s : scripts) events.push_back(s.object + " " + s.event + " " + s.parameter);
  EXPECT_EQ(events, (std::vector<std::string>{"obj_player Creation ", "obj_player Step ",
                                              "obj_player Collision obj_wall"}));
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_NE(sounds[0].wav, "");
  ASSERT_EQ(fns.size(), 1u);
  EXPECT_EQ(fns[0].code, "hits += 1;");
  EXPECT_EQ(fonts.size(), 1u);

  // Save names the project; Run game saves and opens the page.
  driverClick(saveGameButton);
  driverSetText("name", "e2e");
  driverClick("OK");
  driverClick(runGameButton);
  runSteps();
  EXPECT_EQ(projectName, "e2e");
  EXPECT_EQ(modifiedFlag, 0);
  const std::string projects = folder + "/Projects/";
  EXPECT_GT(fileSize(projects + "e2e/index.html"), 0);
  EXPECT_GT(fileSize(projects + "e2e/game.js"), 0);
  // The opener runs detached: wait a little for its record.
  for (int i = 0; i < 100 && fileSize(folder + "/opened.txt") <= 0; ++i) waitPainting(50);
  std::string opened;
  readFile(folder + "/opened.txt", opened);
  EXPECT_NE(opened.find("Projects/e2e/index.html"), std::string::npos) << opened;
  EXPECT_EQ(opened.find('\n'), opened.size() - 1) << "opened once: " << opened;

  std::map<std::string, std::string> first;
  readTree(projects, "", first);
  const std::string made = recordsText();

  // A new project, then the saved one through the Open dialog.
  driverChooseMenu(MENU_NEW);
  driverClick(openGameButton);
  driverCall([] {
    int list = gadgetByName(0, "projects");
    ASSERT_EQ(countGadgetItems(list), 1);
    EXPECT_EQ(getGadgetItemText(list, 0), "e2e");
  });
  driverSelectRow("projects", 0);
  driverClick("Open");
  runSteps();
  EXPECT_EQ(projectName, "e2e");
  EXPECT_EQ(recordsText(), made);

  // Nothing of the first Save may stand in for the second.
  deleteFolderTree(projects + "e2e");
  deleteFile(projects + "e2e.xml");
  driverShortcut(MAIN_WINDOW, SC_CONTROL | 'S');
  runSteps();
  std::map<std::string, std::string> second;
  readTree(projects, "", second);
  ASSERT_EQ(second.size(), first.size());
  for (const auto& [path, bytes] : first) {
    ASSERT_TRUE(second.count(path)) << path;
    EXPECT_TRUE(second[path] == bytes) << path << " differs after the second Save";
  }
}
