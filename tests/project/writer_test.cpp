// The project file writer: golden documents byte for byte, the side files,
// and the characters XML cannot hold.
#include "project/project_file.h"
#include "project/xml_read.h"
#include "project/xml_write.h"
#include "project_fixture.h"
#include "ui/image.h"

namespace {

using WriterTest = ProjectTest;

std::string golden(const char* name) {
  std::string bytes;
  EXPECT_TRUE(readFile(std::string(ZM_PROJECT_GOLDEN) + name, bytes)) << name;
  return bytes;
}

// One record of every kind, every field a value of its own so that the
// attribute order shows.
void buildEveryKind() {
  uidCounter = 77;
  projectInfo = {"My game", "var score = 0;", "function f() {}", 1, "notes"};
  sprites = {{"spr", -1, "Circle", 1, 2, 3, 4, 5, 6, 7}};
  frames = {{"0", "spr", -1}};
  sounds = {{"snd", "a.wav", "a.mp3", "a.ogg"}};
  musics = {{"mus", "m.wav", "", "m.ogg"}};
  backgrounds = {{"bg", "bg.png", -1, 1, 16, 24, 1, 2, 3, 4}};
  fonts = {{"fnt", "Courier", 14, 1, 0}};
  objects = {{1, "", "obj", "spr", "", 0, 0, 0, -1, 0, 0, 0, 0, 3, 1, "base", 0, 0},
             {0, "obj", "SceneObject9", "spr", "scn", 10, -20, 0, -1, 0, 0, 0, 1, 3, 1, "", 90, 45}};
  scripts = {{"scr_5", "obj", "Collision", "enemy", "x = 1;\ny = 2;"}};
  scenes = {{"scn", 98, 800, 600, 400, 300, 10, 20, 30, "start();", 60, "bg", 1, 0, 1, "obj", 40, 45}};
  layers = {{"layer_6", 1000000, "scn"}};
  tiles = {{"tile_8", "bg", 32, 48, 16, 24, 100, 200, 1000000, "scn", -1, 0}};
  fns = {{"fun", "a, b", "adds", "return a + b;"}};
}

TEST_F(WriterTest, GoldenDocuments) {
  struct Case {
    const char* file;
    void (*build)();
  };
  const Case cases[] = {
      {"empty.xml", [] {}},
      {"every_kind.xml", buildEveryKind},
      {"escaping.xml",
       [] {
         projectInfo.title = "Tom & Jerry <2>";
         projectInfo.comments = "it's \"quoted\" & <b>\n\tnext";
         // Line break and tab in attributes are written as they stand.
         fns = {{"f\xF0\x9F\x98\x80", "a,\"b\"", "line one\nline\ttwo 'x'", "return \"\xF0\x9F\x98\x80\";"},
                {"empty", "", "", ""}};
         scripts = {{"scr_2", "o", "Step", "", ""}};
         scenes.resize(1);
         scenes[0].name = "s";
       }},
  };
  for (const Case& c : cases) {
    clearProjectTables();
    c.build();
    projectName = "game";
    setModified(1);
    ASSERT_TRUE(writeProject()) << c.file;
    EXPECT_EQ(slurp("Projects/game.xml"), golden(c.file)) << c.file;
    EXPECT_EQ(modifiedFlag, 0);
  }
}

TEST_F(WriterTest, ForbiddenCharactersAndBrokenUtf8AreLeftOut) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\x01" "b\x08" "c\x0B\x0C" "d\x1F", "abcd"},
      {std::string("x\0y", 3), "xy"},
      {"\t\n\r", "\t\n\r"},
      {"\xEF\xBF\xBE\xEF\xBF\xBF|\xEF\xBF\xBD", "|\xEF\xBF\xBD"},    // U+FFFE, U+FFFF go; U+FFFD stays
      {"\xC3", ""},                                                  // truncated sequence
      {"\xC3(", "("},
      {"\xC0\xAF\xE0\x80\xAF", ""},                                  // overlong forms
      {"\xED\xA0\x80z", "z"},                                        // a surrogate
      {"\xF4\x90\x80\x80", ""},                                      // above U+10FFFF
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
      {"\xFF\xFE" "ok", "ok"},
  };
  for (const auto& c : cases) {
    std::string out;
    appendXmlEscaped(out, c.first, false);
    EXPECT_EQ(out, c.second) << c.first;
  }
  // Whatever a text holds, the saved file reads back.
  projectInfo.title = "t\x02\xC3";
  projectInfo.comments = std::string("\x01\x02", 2);   // nothing left: an empty element
  fns = {{"f\x1B", "", "", "a\x7F\x80" "b"}};
  projectName = "p";
  ASSERT_TRUE(writeProject());
  std::string bytes = slurp("Projects/p.xml");
  EXPECT_NE(bytes.find("<comments/>"), std::string::npos);
  XmlDocument doc;
  ASSERT_TRUE(parseXml(bytes, doc));
  EXPECT_EQ(doc.attribute(doc.root, "title"), "t");
  int fn = doc.child(doc.child(doc.root, 15), 1);
  EXPECT_EQ(doc.attribute(fn, "name"), "f");
  EXPECT_EQ(doc.text(fn), "a\x7F" "b");
}

TEST_F(WriterTest, SideFilesGoIntoTheImageAndAudioFolders) {
  int deep = createImage(-1, 3, 2, 24, rgba(10, 20, 30, 255));
  int alpha = createImage(-1, 2, 5, 32, rgba(1, 2, 3, 4));
  sprites = {named<SpriteRecord>("hero")};
  frames = {{"0", "hero", deep}, {"1", "hero", alpha}, {"0", "nobody", deep}, {"2", "hero", -1}};
  sounds = {{"s", "", "", "only.ogg"}, {"t", "missing.wav", "../evil.mp3", ""}};
  musics = {{"m", "tune.mp3", "", ""}};
  backgrounds = {named<BackgroundRecord>("b"), named<BackgroundRecord>("c")};
  backgrounds[0].file = "back.png";
  backgrounds[1].file = "..";
  writeFile(workFolder + "/only.ogg", "OGG");
  writeFile(workFolder + "/tune.mp3", "MP3");
  writeFile(workFolder + "/back.png", "PNG");
  writeFile("evil.mp3", "outside");
  imgFolder = "pics";
  audFolder = "snd";
  projectName = "g";
  ASSERT_TRUE(writeProject());
  std::vector<DirEntry> entries;
  std::vector<std::string> names;
  listFolder("Projects/g/pics", "", entries);
  for (const auto& e : entries) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"back.png", "hero_0.png", "hero_1.png"}));
  names.clear();
  listFolder("Projects/g/snd", "", entries);
  for (const auto& e : entries) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"only.ogg", "tune.mp3"}));
  EXPECT_EQ(slurp("Projects/g/snd/only.ogg"), "OGG");
  int back = loadImage(-1, "Projects/g/pics/hero_0.png");
  EXPECT_EQ(imageDepth(back), 24);
  EXPECT_EQ(imageWidth(back), 3);
  int back32 = loadImage(-1, "Projects/g/pics/hero_1.png");
  EXPECT_EQ(imageDepth(back32), 32);
  EXPECT_EQ(getPixel(back32, 1, 4), rgba(1, 2, 3, 4));
  EXPECT_EQ(fileKind("Projects/evil.mp3"), FILE_NONE);
  EXPECT_EQ(slurp("evil.mp3"), "outside");
}

// A sprite whose name cannot be part of a file name: its frames exist only
// in memory, so the save says so and the project stays modified.
TEST_F(WriterTest, FramesWithoutAPossibleFileNameAreReported) {
  sprites = {named<SpriteRecord>("a/b"), named<SpriteRecord>("ok")};
  frames = {{"0", "a/b", createImage(-1, 2, 2, 24)}, {"0", "ok", createImage(-1, 2, 2, 24)}};
  projectName = "g";
  setModified(1);
  EXPECT_FALSE(writeProject());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].first, "Error");
  EXPECT_NE(messages[0].second.find("a/b"), std::string::npos) << messages[0].second;
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_EQ(fileKind("Projects/g/img/ok_0.png"), FILE_REGULAR);
}

TEST_F(WriterTest, AnExistingEmptyFileIsReplacedAndTheTitleRefreshed) {
  writeFile("Projects/n.xml", "");
  int titles = 0;
  projectHooks.updateWindowTitle = [&] { ++titles; };
  projectName = "n";
  ASSERT_TRUE(writeProject());
  EXPECT_EQ(slurp("Projects/n.xml"), golden("empty.xml"));
  EXPECT_EQ(titles, 1);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
