// The project reader: the round trip, versions and layouts, reading by
// position, the tile pictures, and files that are broken or hostile.
#include <functional>
#include <map>
#include <set>

#include "project/deletes.h"
#include "project/makers.h"
#include "project/project_file.h"
#include "project/xml_read.h"
#include "project_fixture.h"
#include "ui/image.h"

namespace {

class ReaderTest : public ProjectTest {
 protected:
  int resets = 0;

  void SetUp() override {
    ProjectTest::SetUp();
    // The shell's reset, as far as the reader sees it.
    projectHooks.newProject = [this] {
      ++resets;
      clearProjectTables();
      projectName.clear();
      deleteFolderTree(workFolder);
      workFolder = "_temp_" + std::to_string(100000 + resets);
      makeFolder(workFolder);
      imgFolder = "img";
      audFolder = "aud";
    };
  }

  // A modified, named project in memory that a refused Open must leave be.
  void buildUnsavedProject() {
    newSprite();
    projectName = "before";
    projectInfo.title = "unsaved";
  }
  void expectUnsavedProjectUntouched(const std::string& what) {
    EXPECT_EQ(sprites.size(), 1u) << what;
    EXPECT_EQ(projectName, "before") << what;
    EXPECT_EQ(projectInfo.title, "unsaved") << what;
    EXPECT_EQ(modifiedFlag, 1) << what;
    EXPECT_EQ(resets, 0) << what;
  }
};

// Every file under a folder, with its bytes.
void snapshot(const std::string& folder, const std::string& prefix,
              std::map<std::string, std::string>& out) {
  std::vector<DirEntry> entries;
  listFolder(folder, "", entries);
  for (const DirEntry& e : entries) {
    if (e.kind == FILE_FOLDER) {
      snapshot(folder + "/" + e.name, prefix + e.name + "/", out);
    } else {
      std::string bytes;
      readFile(folder + "/" + e.name, bytes);
      out[prefix + e.name] = bytes;
    }
  }
}

void buildFullProject() {
  newSprite();
  sprites[0].centerx = 3;
  sprites[0].collisionshape = "Circle";
  appendFrame() = {"0", "sprite_2", createImage(-1, 4, 3, 24, rgba(9, 8, 7, 255))};
  appendFrame() = {"1", "sprite_2", createImage(-1, 4, 3, 32, rgba(1, 2, 3, 128))};
  newSound();
  sounds[0].wav = "hit.wav";
  sounds[0].ogg = "hit.ogg";
  newMusic();
  musics[0].mp3 = "song.mp3";
  writeFile(workFolder + "/hit.wav", "WAV");
  writeFile(workFolder + "/hit.ogg", "OGG");
  writeFile(workFolder + "/song.mp3", "MP3");
  newBackground();
  backgrounds[0].file = "tiles.png";
  backgrounds[0].tile = 1;
  int sheet = createImage(-1, 8, 8, 32, rgba(0, 0, 255, 255));
  setPixel(sheet, 2, 3, rgba(255, 255, 0, 255));
  savePng(sheet, workFolder + "/tiles.png");
  newFont();
  std::string obj = newObject();
  objects[0].sprite = "sprite_2";
  objects[0].depth = 4;
  objects[0].parent = "other";
  addObjectEvent(obj, "Creation", "");
  scripts[0].code = "a = \"b\";\r\nif (a < b && c > d) {}\n";
  addObjectEvent(obj, "Collision", obj);
  std::string scene = newScene();
  scenes[0].code = "x();";
  scenes[0].background = "background_5";
  scenes[0].backgroundtilex = 1;
  ObjectRecord& inst = appendObject();
  inst = {0, obj, "SceneObject20", "sprite_2", scene, 64, 32, 0, -1, 0, 0, 0, 1, 4, 1, "", 180, 270};
  TileRecord& t = appendTile();
  t = {"tile_21", "background_5", 2, 3, 2, 2, 96, 128, 1000000, scene, -1, 0};
  newFunction();
  fns[0].params = "x";
  fns[0].description = "with\ttab";
  fns[0].code = "return x;";
  projectInfo = {"Title & more", "var v;", "function g() {}", 1, "read me"};
  uidCounter = 30;
  projectName = "g";
}

TEST_F(ReaderTest, RoundTripGivesTheSameDocumentAndSideFiles) {
  buildFullProject();
  ASSERT_TRUE(writeProject());
  const std::string first = slurp("Projects/g.xml");
  std::map<std::string, std::string> filesBefore, filesAfter;
  snapshot("Projects/g", "", filesBefore);
  EXPECT_EQ(filesBefore.size(), 6u);

  ASSERT_TRUE(openProjectNamed("g"));
  EXPECT_EQ(projectName, "g");
  EXPECT_EQ(modifiedFlag, 0);
  EXPECT_EQ(uidCounter, 30);
  EXPECT_EQ(scripts[0].code, "a = \"b\";\nif (a < b && c > d) {}\n");
  EXPECT_EQ(fns[0].description, "with tab");   // attribute normalisation
  EXPECT_EQ(imageDepth(frames[0].image), 24);
  EXPECT_EQ(imageDepth(frames[1].image), 32);
  EXPECT_EQ(getPixel(frames[1].image, 3, 2), rgba(1, 2, 3, 128));
  EXPECT_EQ(slurp(workFolder + "/hit.ogg"), "OGG");
  EXPECT_EQ(slurp(workFolder + "/song.mp3"), "MP3");
  EXPECT_EQ(scenes[0].thumbnail, 98);
  EXPECT_EQ(sprites[0].thumbnail, -1);
  EXPECT_EQ(backgrounds[0].thumbnail, -1);
  EXPECT_EQ(objects[1].image, -1);
  EXPECT_EQ(objects[1].direction, 180);
  ASSERT_TRUE(isImage(tiles[0].image));
  EXPECT_EQ(getPixel(tiles[0].image, 0, 0), rgba(255, 255, 0, 255));
  EXPECT_EQ(getPixel(tiles[0].image, 1, 1), rgba(0, 0, 255, 255));

  // CR LF in code became LF and a tab in an attribute a space when read:
  // put the texts back as they were to compare the documents.
  scripts[0].code = "a = \"b\";\r\nif (a < b && c > d) {}\n";
  fns[0].description = "with\ttab";
  projectName = "h";
  ASSERT_TRUE(writeProject());
  EXPECT_EQ(slurp("Projects/h.xml"), first);
  snapshot("Projects/h", "", filesAfter);
  EXPECT_EQ(filesAfter, filesBefore);
}

TEST_F(ReaderTest, TooNewVersionIsRefusedBeforeAnythingChanges) {
  buildFullProject();
  ASSERT_TRUE(writeProject());
  std::string doc = slurp("Projects/g.xml");
  doc.replace(doc.find("version=\"130\""), 13, "version=\"131\"");
  writeFile("Projects/new.xml", doc);
  clearProjectTables();
  buildUnsavedProject();
  EXPECT_FALSE(openProjectNamed("new"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].first, "Error");
  EXPECT_EQ(messages[0].second, "This project requires a new program version (v131).");
  expectUnsavedProjectUntouched("v131");
}

// A file of the layout before folders: every file in the project folder,
// fourteen sections, no user functions, objects without angle or direction.
const char* oldLayout =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<zembrik version=\"128\" uid=\"12\" title=\"old\" advancedscriptmode=\"0\" imgfolder=\"x\" "
    "audfolder=\"y\"><functions/><variables/><comments/>"
    "<sprites count=\"1\"><sprite name=\"s\" centerx=\"1\"/></sprites>"
    "<frames count=\"1\"><frame file=\"0\" sprite=\"s\"/></frames>"
    "<sounds count=\"1\"><sound name=\"snd\" wav=\"a.wav\" mp3=\"\" ogg=\"\"/></sounds>"
    "<musics count=\"0\"/><backgrounds count=\"0\"/><fonts count=\"0\"/>"
    "<objects count=\"1\"><object name=\"o\" prototype=\"1\" direction=\"90\" image_angle=\"45\"/>"
    "</objects><scripts count=\"0\"/><scenes count=\"0\"/><layers count=\"0\"/>"
    "<tiles count=\"0\"/><fns count=\"1\"><fn name=\"ignored\"/></fns></zembrik>";

TEST_F(ReaderTest, OldLayoutIsReadAndSavedInTheNewOne) {
  makeFolder("Projects/old");
  savePng(createImage(-1, 2, 2, 32), "Projects/old/s_0.png");
  writeFile("Projects/old/a.wav", "WAV");
  writeFile("Projects/old.xml", oldLayout);
  imgFolder = "prefimg";
  projectHooks.newProject = [] {
    clearProjectTables();
    imgFolder = "prefimg";
  };
  ASSERT_TRUE(openProjectNamed("old"));
  EXPECT_EQ(imgFolder, "prefimg");
  EXPECT_EQ(audFolder, "aud");
  EXPECT_TRUE(isImage(frames[0].image));
  EXPECT_EQ(slurp(workFolder + "/a.wav"), "WAV");
  EXPECT_EQ(objects[0].direction, 0);
  EXPECT_EQ(objects[0].image_angle, 0);
  EXPECT_TRUE(fns.empty());
  ASSERT_TRUE(writeProject());
  std::string saved = slurp("Projects/old.xml");
  EXPECT_EQ(saved.find("<zembrik version=\"130\" uid=\"12\""), 38u);
  EXPECT_NE(saved.find("imgfolder=\"prefimg\" audfolder=\"aud\""), std::string::npos);
  EXPECT_EQ(fileKind("Projects/old/prefimg/s_0.png"), FILE_REGULAR);
  EXPECT_EQ(slurp("Projects/old/aud/a.wav"), "WAV");
  EXPECT_EQ(fileKind("Projects/old/s_0.png"), FILE_REGULAR);   // the old files stay
}

TEST_F(ReaderTest, SectionsAreTakenByPosition) {
  buildFullProject();
  ASSERT_TRUE(writeProject());
  std::string doc = slurp("Projects/g.xml");
  size_t rootEnd = doc.find('>', doc.find("<zembrik")) + 1;
  doc.insert(rootEnd, "<!-- shifted -->");
  writeFile("Projects/g.xml", doc);
  ASSERT_TRUE(openProjectNamed("g"));
  EXPECT_EQ(projectInfo.functions, "");
  EXPECT_EQ(projectInfo.variables, "function g() {}");
  EXPECT_EQ(projectInfo.comments, "var v;");
  EXPECT_TRUE(sprites.empty());      // the comments element: no count
  EXPECT_EQ(frames.size(), 1u);      // read from the sprites list
  EXPECT_EQ(sounds.size(), 2u);      // from the frames list

  // Names are not looked at; a processing instruction or CDATA section in a
  // list counts as a record; character data between records does not.
  clearProjectTables();
  buildFullProject();
  ASSERT_TRUE(writeProject());
  doc = slurp("Projects/g.xml");
  doc.replace(doc.find("<sprites "), 9, "<anything ");
  doc.replace(doc.find("</sprites>"), 10, "</anything>");
  doc.replace(doc.find("<frames count=\"2\">"), 18,
              "<frames count=\"3\">\n  <?pi x?><![CDATA[a]]>\n");
  writeFile("Projects/g.xml", doc);
  ASSERT_TRUE(openProjectNamed("g"));
  ASSERT_EQ(sprites.size(), 1u);
  EXPECT_EQ(sprites[0].name, "sprite_2");
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0].sprite, "");
  EXPECT_EQ(frames[1].sprite, "");
  EXPECT_EQ(frames[2].sprite, "sprite_2");
  EXPECT_EQ(frames[0].image, -1);
}

// Records are read field by field from where the last field was found:
// any order, a missing field, a neighbour with more fields and a comment
// node must all give what a plain search gives.
TEST(XmlAttributeTest, LookupFromAHintFindsWhatAPlainSearchFinds) {
  XmlDocument doc;
  ASSERT_TRUE(parseXml("<r><a x=\"1\" y=\"2\" z=\"3\" w=\"4\"/><b z=\"9\" x=\"8\"/><!--c--><d/></r>", doc));
  const int a = doc.child(doc.root, 1), b = doc.child(doc.root, 2), c = doc.child(doc.root, 3),
            d = doc.child(doc.root, 4);
  const struct {
    int node;
    const char* name;
  } asks[] = {{a, "x"}, {a, "y"}, {a, "z"}, {a, "w"}, {a, "y"}, {a, "x"}, {a, "w"}, {a, "v"},
              {a, "w"}, {b, "x"}, {b, "z"}, {b, "q"}, {b, "z"}, {c, "x"}, {d, "x"}, {-1, "x"},
              {b, "x"}, {a, "z"}, {b, "x"}};
  uint32_t hint = 0;
  for (const auto& ask : asks)
    EXPECT_EQ(doc.attribute(ask.node, ask.name, hint), doc.attribute(ask.node, ask.name))
        << ask.node << " " << ask.name;
  // A hint left past the end by a longer element starts over.
  hint = 3;
  EXPECT_EQ(doc.attribute(b, "x", hint), "8");
  EXPECT_EQ(doc.attribute(a, "w", hint), "4");
}

TEST_F(ReaderTest, InstancesTakeTheirDefinitionsDepth) {
  const char* doc =
      "<?xml version=\"1.0\"?><zembrik version=\"130\"><functions/><variables/><comments/>"
      "<sprites/><frames/><sounds/><musics/><backgrounds/><fonts/><objects count=\"5\">"
      "<object name=\"i1\" template=\"a\" prototype=\"0\" depth=\"1\"/>"
      "<object name=\"a\" prototype=\"1\" depth=\"7\"/>"
      "<object name=\"i2\" template=\"b\" prototype=\"0\" depth=\"2\"/>"
      "<object name=\"i3\" template=\"gone\" prototype=\"0\" depth=\"3\"/>"
      "<object name=\"a\" prototype=\"1\" depth=\"8\"/></objects>"
      "<scripts/><scenes/><layers/><tiles/><fns/></zembrik>";
  writeFile("Projects/d.xml", doc);
  ASSERT_TRUE(openProjectNamed("d"));
  std::vector<int> depths;
  for (const ObjectRecord& o : objects) depths.push_back(o.depth);
  EXPECT_EQ(depths, (std::vector<int>{8, 7, 2, 3, 8}));
}

TEST_F(ReaderTest, ImageFolderNamedByTheFileIsUsedAndKept) {
  buildFullProject();
  imgFolder = "pics";
  audFolder = "sfx";
  ASSERT_TRUE(writeProject());
  ASSERT_TRUE(openProjectNamed("g"));
  EXPECT_EQ(imgFolder, "pics");
  EXPECT_EQ(audFolder, "sfx");
  EXPECT_TRUE(isImage(frames[0].image));
  EXPECT_EQ(slurp(workFolder + "/hit.wav"), "WAV");
  EXPECT_EQ(slurp(workFolder + "/tiles.png").substr(1, 3), "PNG");
}

TEST_F(ReaderTest, EmptyOrDotFolderNamesMeanTheProjectFolder) {
  const std::string names[] = {"", "."};
  for (const std::string& name : names) {
    SCOPED_TRACE("'" + name + "'");
    clearProjectTables();
    deleteFolderTree("Projects/g");
    buildFullProject();
    imgFolder = name;
    audFolder = name;
    ASSERT_TRUE(writeProject());
    EXPECT_EQ(fileKind("Projects/g/hit.wav"), FILE_REGULAR) << "in the project folder itself";
    imgFolder = "img";   // the preference, as the reset reads it
    audFolder = "aud";
    ASSERT_TRUE(openProjectNamed("g"));
    EXPECT_EQ(imgFolder, name) << "kept as it was";
    EXPECT_EQ(audFolder, name);
    EXPECT_TRUE(isImage(frames[0].image));
    EXPECT_EQ(slurp(workFolder + "/hit.wav"), "WAV");
    EXPECT_EQ(slurp(workFolder + "/tiles.png").substr(1, 3), "PNG");
    std::string doc = slurp("Projects/g.xml");
    EXPECT_NE(doc.find("imgfolder=\"" + name + "\" audfolder=\"" + name + "\""), std::string::npos);
  }
}

TEST_F(ReaderTest, TilePictures) {
  const char* doc =
      "<?xml version=\"1.0\"?><zembrik version=\"130\"><functions/><variables/><comments/>"
      "<sprites/><frames/><sounds/><musics/><backgrounds count=\"3\">"
      "<background name=\"sheet\" file=\"sheet.png\"/><background name=\"lost\" file=\"lost.png\"/>"
      "<background name=\"blank\" file=\"\"/></backgrounds><fonts/><objects/><scripts/><scenes/>"
      "<layers/><tiles count=\"9\">"
      "<tile name=\"in\" background=\"sheet\" left=\"1\" top=\"1\" width=\"2\" height=\"2\"/>"
      "<tile name=\"edge\" background=\"sheet\" left=\"3\" top=\"0\" width=\"2\" height=\"1\"/>"
      "<tile name=\"far\" background=\"sheet\" left=\"-2147483648\" top=\"2147483647\" "
      "width=\"1\" height=\"1\"/>"
      "<tile name=\"red\" background=\"lost\" width=\"3\" height=\"1\"/>"
      "<tile name=\"nobg\" background=\"none\" width=\"3\" height=\"1\"/>"
      "<tile name=\"nofile\" background=\"blank\" width=\"3\" height=\"1\"/>"
      "<tile name=\"zero\" background=\"sheet\" width=\"0\" height=\"5\"/>"
      "<tile name=\"negative\" background=\"lost\" width=\"4\" height=\"-1\"/>"
      "<tile name=\"huge\" background=\"sheet\" width=\"16385\" height=\"1\"/>"
      "</tiles><fns/></zembrik>";
  makeFolder("Projects/t");
  makeFolder("Projects/t/img");
  int sheet = createImage(-1, 4, 4, 32, rgba(0, 255, 0, 255));
  setPixel(sheet, 3, 0, rgba(255, 0, 255, 255));
  savePng(sheet, "Projects/t/img/sheet.png");
  writeFile("Projects/t.xml", doc);
  ASSERT_TRUE(openProjectNamed("t"));
  ASSERT_EQ(tiles.size(), 9u);
  auto size = [](int image) {
    return isImage(image) ? std::to_string(imageWidth(image)) + "x" + std::to_string(imageHeight(image))
                          : std::string("none");
  };
  std::vector<std::string> sizes;
  for (const TileRecord& t : tiles) sizes.push_back(size(t.image));
  EXPECT_EQ(sizes, (std::vector<std::string>{"2x2", "2x1", "1x1", "3x1", "none", "none", "none",
                                             "none", "none"}));
  for (const TileRecord& t : tiles) {
    if (!isImage(t.image)) {
      EXPECT_EQ(t.image, -1) << t.name;
    }
  }
  EXPECT_EQ(getPixel(tiles[0].image, 0, 0), rgba(0, 255, 0, 255));
  EXPECT_EQ(getPixel(tiles[1].image, 0, 0), rgba(255, 0, 255, 255));
  EXPECT_EQ(alpha(getPixel(tiles[1].image, 1, 0)), 0);   // beyond the sheet
  EXPECT_EQ(alpha(getPixel(tiles[2].image, 0, 0)), 0);
  EXPECT_EQ(getPixel(tiles[3].image, 2, 0), rgba(255, 0, 0, 255));
}

// Tiles of one rectangle of one background are cut once and share their
// pixels; each still has an image of its own, which it may draw into alone.
TEST_F(ReaderTest, TilesOfOneRectangleSharePixels) {
  const char* doc =
      "<?xml version=\"1.0\"?><zembrik version=\"130\"><functions/><variables/><comments/>"
      "<sprites/><frames/><sounds/><musics/><backgrounds count=\"2\">"
      "<background name=\"sheet\" file=\"sheet.png\"/><background name=\"lost\" file=\"lost.png\"/>"
      "</backgrounds><fonts/><objects/><scripts/><scenes/><layers/><tiles count=\"5\">"
      "<tile name=\"a\" background=\"sheet\" left=\"1\" top=\"1\" width=\"2\" height=\"2\"/>"
      "<tile name=\"b\" background=\"sheet\" left=\"2\" top=\"1\" width=\"2\" height=\"2\"/>"
      "<tile name=\"c\" background=\"sheet\" left=\"1\" top=\"1\" width=\"2\" height=\"2\"/>"
      "<tile name=\"d\" background=\"lost\" width=\"3\" height=\"1\"/>"
      "<tile name=\"e\" background=\"lost\" width=\"3\" height=\"1\"/>"
      "</tiles><fns/></zembrik>";
  makeFolder("Projects/s");
  makeFolder("Projects/s/img");
  int sheet = createImage(-1, 4, 4, 32, rgba(0, 255, 0, 255));
  setPixel(sheet, 2, 2, rgba(0, 0, 255, 255));
  savePng(sheet, "Projects/s/img/sheet.png");
  freeImage(sheet);
  writeFile("Projects/s.xml", doc);
  const size_t before = imagePixelBytes();
  ASSERT_TRUE(openProjectNamed("s"));
  ASSERT_EQ(tiles.size(), 5u);
  std::set<int> numbers;
  for (const TileRecord& t : tiles) numbers.insert(t.image);
  EXPECT_EQ(numbers.size(), 5u);
  EXPECT_EQ(imagePixelBytes() - before, size_t(2 * (2 * 2 * 4) + 3 * 1 * 4));   // a and c, b, d and e
  EXPECT_EQ(getPixel(tiles[2].image, 1, 1), rgba(0, 0, 255, 255));
  EXPECT_EQ(getPixel(tiles[4].image, 2, 0), rgba(255, 0, 0, 255));
  setPixel(tiles[0].image, 1, 1, rgba(9, 9, 9, 255));
  EXPECT_EQ(getPixel(tiles[2].image, 1, 1), rgba(0, 0, 255, 255));
}

TEST_F(ReaderTest, OpenCommandAsksAndChooses) {
  buildFullProject();
  ASSERT_TRUE(writeProject());
  int questions = 0, chooser = 0;
  int answer = 0;
  std::string chosen;
  projectHooks.confirmYesNo = [&](const std::string& title, const std::string& text) {
    ++questions;
    EXPECT_EQ(title, "Confirm");
    EXPECT_EQ(text, "Unsaved changes will be lost. Open a new project?");
    return answer;
  };
  projectHooks.chooseProject = [&] {
    ++chooser;
    return chosen;
  };
  std::vector<std::string> status;
  projectHooks.setStatusText = [&](const std::string& s) { status.push_back(s); };
  setModified(1);
  openProject();   // No
  EXPECT_EQ(chooser, 0);
  answer = 1;
  openProject();   // Yes, then cancelled
  EXPECT_EQ(chooser, 1);
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_EQ(resets, 0);
  chosen = "g";
  openProject();
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(modifiedFlag, 0);
  EXPECT_EQ(status, (std::vector<std::string>{"OPENING PROJECT...", "STATUS: READY."}));
  openProject();   // nothing unsaved: no question
  EXPECT_EQ(questions, 3);
  EXPECT_EQ(resets, 2);
}

// Files that are broken or hostile: refused before anything changes, or
// read soundly as far as they go.
TEST_F(ReaderTest, BrokenAndHostileFiles) {
  const std::string head =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><zembrik version=\"130\" uid=\"5\">"
      "<functions/><variables/><comments/>";
  auto project = [&](const std::string& sprites, const std::string& frames,
                     const std::string& sounds, const std::string& backgrounds,
                     const std::string& tiles) {
    return head + sprites + frames + sounds + "<musics/>" + backgrounds +
           "<fonts/><objects/><scripts/><scenes/><layers/>" + tiles + "<fns/></zembrik>";
  };
  const std::string good = project("<sprites/>", "<frames/>", "<sounds/>", "<backgrounds/>", "<tiles/>");
  std::string deep;
  for (int i = 0; i < 200000; ++i) deep += "<a>";
  // Read without its declaration, this one opens: the declaration alone is
  // what refuses it (it would give the title the entity's text, the sprite
  // a declared centerx).
  std::string declared =
      project("<sprites count=\"1\"><sprite name=\"a\"/></sprites>", "<frames/>", "<sounds/>",
              "<backgrounds/>", "<tiles/>");
  declared.insert(declared.find("?>") + 2,
                  "<!DOCTYPE zembrik [<!ENTITY t \"injected\"><!ATTLIST sprite centerx CDATA \"77\">]>");
  declared.insert(declared.find(" uid="), " title=\"&t;\"");
  struct Case {
    const char* what;
    std::string file;   // "" with `missing`: no file at all
    bool refused;
    std::function<void()> check;
  };
  const std::vector<Case> cases = {
      {"missing file", "", true, nullptr},
      {"empty file", "", true, nullptr},
      {"not XML", "hello, world", true, nullptr},
      {"truncated", good.substr(0, good.size() / 2), true, nullptr},
      {"two roots", good + "<zembrik/>", true, nullptr},
      {"too few sections", head + "<sprites/></zembrik>", true, nullptr},
      {"fourteen sections from 129 on", good.substr(0, good.rfind("<fns/>")) + "</zembrik>", true,
       nullptr},
      {"deep nesting", head + deep, true, nullptr},
      {"entity expansion",
       "<?xml version=\"1.0\"?><!DOCTYPE z [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>"
       "<z>&b;</z>",
       true, nullptr},
      {"declared attribute defaults",
       "<?xml version=\"1.0\"?><!DOCTYPE zembrik [<!ATTLIST zembrik version CDATA \"130\">]>"
       "<zembrik/>",
       true, nullptr},
      {"a declaration before a complete project", declared, true, nullptr},
      {"external entity",
       "<?xml version=\"1.0\"?><!DOCTYPE z [<!ENTITY x SYSTEM \"/etc/passwd\">]><zembrik "
       "version=\"130\"><functions>&x;</functions></zembrik>",
       true, nullptr},
      {"huge count",
       project("<sprites count=\"2147483647\"><sprite name=\"a\"/></sprites>", "<frames/>",
               "<sounds/>", "<backgrounds/>", "<tiles count=\"99999999999\"/>"),
       false,
       [] {
         ASSERT_EQ(sprites.size(), 1u);
         EXPECT_EQ(sprites[0].name, "a");
         EXPECT_TRUE(tiles.empty());
       }},
      {"negative and missing counts",
       project("<sprites count=\"-3\"><sprite name=\"a\"/></sprites>",
               "<frames><frame file=\"0\"/></frames>", "<sounds/>", "<backgrounds/>", "<tiles/>"),
       false,
       [] {
         EXPECT_TRUE(sprites.empty());
         EXPECT_TRUE(frames.empty());
       }},
      {"missing attributes",
       project("<sprites count=\"1\"><sprite/></sprites>", "<frames/>", "<sounds/>",
               "<backgrounds count=\"1\"><background/></backgrounds>", "<tiles/>"),
       false,
       [] {
         ASSERT_EQ(sprites.size(), 1u);
         EXPECT_EQ(sprites[0].name, "");
         EXPECT_EQ(sprites[0].centerx, 0);
         EXPECT_EQ(backgrounds[0].tilewidth, 0);
         EXPECT_EQ(uidCounter, 5);
       }},
      {"no version: the older layout, fourteen sections",
       "<?xml version=\"1.0\"?><zembrik imgfolder=\"pics\"><functions/><variables/><comments/>"
       "<sprites/><frames/><sounds/><musics/><backgrounds/><fonts/><objects count=\"1\">"
       "<object name=\"o\" direction=\"90\"/></objects><scripts/><scenes/><layers/><tiles/>"
       "</zembrik>",
       false,
       [] {
         EXPECT_EQ(imgFolder, "img");
         EXPECT_EQ(objects[0].direction, 0);
         EXPECT_TRUE(fns.empty());
       }},
      {"counter at the top of its range",
       "<?xml version=\"1.0\"?><zembrik version=\"130\" uid=\"2147483647\"><functions/>"
       "<variables/><comments/><sprites/><frames/><sounds/><musics/><backgrounds/><fonts/>"
       "<objects/><scripts/><scenes/><layers/><tiles/><fns/></zembrik>",
       false,
       [] {
         EXPECT_EQ(newSprite(), "sprite_2147483647");
         EXPECT_EQ(newSprite(), "sprite_2147483647");
       }},
      {"names leading out of the folders",
       "<?xml version=\"1.0\"?><zembrik version=\"130\" imgfolder=\"../..\" audfolder=\"..\">"
       "<functions/><variables/><comments/><sprites/>"
       "<frames count=\"2\"><frame file=\"0\" sprite=\"../secret\"/><frame file=\"/x\" sprite=\"s\"/>"
       "</frames><sounds count=\"1\"><sound name=\"n\" wav=\"../../secret.wav\" mp3=\"..\" "
       "ogg=\"ok.ogg\"/></sounds><musics/><backgrounds count=\"1\"><background name=\"b\" "
       "file=\"../secret.png\"/></backgrounds><fonts/><objects/><scripts/><scenes/><layers/>"
       "<tiles count=\"1\"><tile name=\"t\" background=\"b\" width=\"2\" height=\"2\"/></tiles>"
       "<fns/></zembrik>",
       false,
       [this] {
         EXPECT_EQ(imgFolder, "img");
         EXPECT_EQ(audFolder, "aud");
         EXPECT_EQ(frames[0].image, -1);
         EXPECT_EQ(frames[1].image, -1);
         EXPECT_EQ(sounds[0].wav, "../../secret.wav");   // kept as text, never used as a path
         std::vector<DirEntry> copied;
         listFolder(workFolder, "", copied);
         ASSERT_EQ(copied.size(), 1u);
         EXPECT_EQ(copied[0].name, "ok.ogg");
         EXPECT_EQ(getPixel(tiles[0].image, 1, 1), rgba(255, 0, 0, 255));   // as if missing
       }},
      {"\"..\" as the image and the audio folder",
       "<?xml version=\"1.0\"?><zembrik version=\"130\" imgfolder=\"..\" audfolder=\"..\">"
       "<functions/><variables/><comments/><sprites/>"
       "<frames count=\"1\"><frame file=\"0\" sprite=\"s\"/></frames><sounds count=\"1\">"
       "<sound name=\"n\" wav=\"secret.wav\"/></sounds><musics/><backgrounds/><fonts/><objects/>"
       "<scripts/><scenes/><layers/><tiles/><fns/></zembrik>",
       false,
       [this] {
         EXPECT_EQ(imgFolder, "img");
         EXPECT_EQ(audFolder, "aud");
         EXPECT_EQ(frames[0].image, -1);
         std::vector<DirEntry> copied;
         listFolder(workFolder, "", copied);
         EXPECT_TRUE(copied.empty());
       }},
      {"hexadecimal integers, digits A to F in either case",
       "<?xml version=\"1.0\"?><zembrik version=\"$82\" uid=\"$1F\"><functions/><variables/>"
       "<comments/><sprites count=\"$1\"><sprite name=\"s\" centerx=\"$aB\" centery=\"-$Ce\" "
       "collisionright=\" $10x\" collisionbottom=\"$\"/></sprites><frames/><sounds/><musics/>"
       "<backgrounds/><fonts/><objects/><scripts/><scenes/><layers/><tiles/><fns count=\"$1\"><fn name=\"f\"/></fns></zembrik>",
       false,
       [] {
         EXPECT_EQ(uidCounter, 31);
         ASSERT_EQ(sprites.size(), 1u);
         EXPECT_EQ(sprites[0].centerx, 171);
         EXPECT_EQ(sprites[0].centery, -206);
         EXPECT_EQ(sprites[0].collisionright, 16);
         EXPECT_EQ(sprites[0].collisionbottom, 0);
         EXPECT_EQ(fns.size(), 1u);   // read only from version 129 on
       }},
  };
  // Files outside the project folder that a hostile name points at.
  writeFile("secret.wav", "S");
  writeFile("Projects/secret.png", "S");
  writeFile("Projects/secret_0.png", "S");
  savePng(createImage(-1, 2, 2, 32), "Projects/s_0.png");
  writeFile("Projects/secret.wav", "S");
  makeFolder("Projects/h");
  makeFolder("Projects/h/aud");
  writeFile("Projects/h/aud/ok.ogg", "OGG");
  for (const Case& c : cases) {
    clearProjectTables();
    resets = 0;
    messages.clear();
    deleteFile("Projects/h.xml");
    if (std::string(c.what) != "missing file") writeFile("Projects/h.xml", c.file);
    buildUnsavedProject();
    bool opened = openProjectNamed("h");
    EXPECT_EQ(opened, !c.refused) << c.what;
    if (c.refused) {
      ASSERT_EQ(messages.size(), 1u) << c.what;
      EXPECT_EQ(messages[0], std::make_pair(std::string("Error"),
                                            std::string("The project file cannot be read.")))
          << c.what;
      expectUnsavedProjectUntouched(c.what);
    } else {
      EXPECT_TRUE(messages.empty()) << c.what;
      if (opened && c.check) c.check();
    }
  }
}

// What a few hundred bytes may declare: pictures of 16384 x 16384, each
// 1 GiB in memory. Past the project's pixel budget the Open is refused by
// the declared sizes, before any picture is decoded or anything changes.
TEST_F(ReaderTest, PicturesPastThePixelBudgetAreRefusedBeforeAnythingChanges) {
  std::string header = std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x40\0\0\0\x40\0\x08\x06\0\0\0", 29);
  header += "CRC!";
  // Room for the pixels as far as the header can tell (deflate packs at
  // most 1032 bytes into one): a 16384 x 16384 picture needs 33 KB or so.
  header += std::string("\0\0\x9c\x40zzzz", 8) + std::string(40004, '\0');
  makeFolder("Projects/b");
  makeFolder("Projects/b/img");
  writeFile("Projects/b/img/s_0.png", header);
  writeFile("Projects/b/img/back.png", header);
  const std::string head =
      "<?xml version=\"1.0\"?><zembrik version=\"130\"><functions/><variables/><comments/>"
      "<sprites count=\"1\"><sprite name=\"s\"/></sprites>";
  const std::string tail = "<fonts/><objects/><scripts/><scenes/><layers/>";
  const std::string bigTile = "<tile name=\"t\" background=\"bg\" width=\"16384\" height=\"16384\"/>";
  struct Case {
    const char* what;
    std::string frames, backgrounds, tiles;
  } cases[] = {
      {"one file named by two frame records",
       "<frames count=\"2\"><frame file=\"0\" sprite=\"s\"/><frame file=\"0\" sprite=\"s\"/></frames>",
       "<backgrounds/>", "<tiles/>"},
      {"two tiles of the largest size",
       "<frames/>", "<backgrounds count=\"1\"><background name=\"bg\" file=\"none.png\"/></backgrounds>",
       "<tiles count=\"2\">" + bigTile + bigTile + "</tiles>"},
      {"a tile and the background it is cut from",
       "<frames/>", "<backgrounds count=\"1\"><background name=\"bg\" file=\"back.png\"/></backgrounds>",
       "<tiles count=\"1\">" + bigTile + "</tiles>"},
  };
  for (const Case& c : cases) {
    clearProjectTables();
    resets = 0;
    messages.clear();
    writeFile("Projects/b.xml", head + c.frames + "<sounds/><musics/>" + c.backgrounds + tail + c.tiles + "<fns/></zembrik>");
    buildUnsavedProject();
    EXPECT_FALSE(openProjectNamed("b")) << c.what;
    ASSERT_EQ(messages.size(), 1u) << c.what;
    EXPECT_EQ(messages[0].second, "The project file cannot be read.") << c.what;
    expectUnsavedProjectUntouched(c.what);
  }
}

}  // namespace
