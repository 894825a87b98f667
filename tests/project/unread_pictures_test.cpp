// Frame and background pictures that Open cannot read: one warning names
// them, and a save leaves their files as they are on disk.
#include <map>

#include "project/project_file.h"
#include "project_fixture.h"
#include "ui/image.h"

namespace {

class UnreadPicturesTest : public ProjectTest {
 protected:
  std::string good, cutOff, damaged;

  void SetUp() override {
    ProjectTest::SetUp();
    projectHooks.newProject = [] {
      clearProjectTables();
      projectName.clear();
      imgFolder = "img";
      audFolder = "aud";
    };
    unreadPictures.clear();
    int image = createImage(-1, 40, 30, 32, rgba(10, 20, 30, 255));
    for (int i = 0; i < 40; ++i) setPixel(image, i, i % 30, rgba(i, 2 * i, 3 * i, 200));
    ASSERT_TRUE(encodePng(image, good));
    freeImage(image);
    cutOff = good.substr(0, good.size() / 2);
    // The same length, its pixel data garbled: the checksums no longer hold.
    damaged = good;
    for (size_t i = 60; i < damaged.size() - 20; ++i) damaged[i] = char(damaged[i] ^ 0x5A);
    makeFolder("Projects/p");
    makeFolder("Projects/p/img");
  }

  // Writes the project file with these frames of the sprite "s" and these
  // background files, each background with one tile.
  void writeProjectFile(const std::string& version, const std::vector<std::string>& frameFiles,
                        const std::vector<std::string>& backgroundFiles) {
    std::string xml = "<?xml version=\"1.0\"?><zembrik" + version +
                      "><functions/><variables/><comments/><sprites count=\"1\"><sprite name=\"s\"/></sprites>";
    xml += "<frames count=\"" + std::to_string(frameFiles.size()) + "\">";
    for (const std::string& f : frameFiles) xml += "<frame file=\"" + f + "\" sprite=\"s\"/>";
    xml += "</frames><sounds/><musics/><backgrounds count=\"" + std::to_string(backgroundFiles.size()) + "\">";
    for (size_t i = 0; i < backgroundFiles.size(); ++i)
      xml += "<background name=\"b" + std::to_string(i) + "\" file=\"" + backgroundFiles[i] + "\"/>";
    xml += "</backgrounds><fonts/><objects/><scripts/><scenes/><layers/><tiles count=\"" +
           std::to_string(backgroundFiles.size()) + "\">";
    for (size_t i = 0; i < backgroundFiles.size(); ++i)
      xml += "<tile name=\"t" + std::to_string(i) + "\" background=\"b" + std::to_string(i) +
             "\" width=\"4\" height=\"4\" scene=\"sc\"/>";
    xml += "</tiles>";
    if (version.empty()) xml += "</zembrik>";
    else xml += "<fns/></zembrik>";
    writeFile("Projects/p.xml", xml);
  }

  std::vector<std::string> warnings() {
    std::vector<std::string> out;
    for (const auto& [title, text] : messages) {
      EXPECT_EQ(title, "Warning");
      out.push_back(text);
    }
    messages.clear();
    return out;
  }
};

using Texts = std::vector<std::string>;

TEST_F(UnreadPicturesTest, MissingCutOffAndDamagedPicturesAreNamedOnce) {
  writeFile("Projects/p/img/s_0.png", good);
  writeFile("Projects/p/img/s_2.png", cutOff);
  writeFile("Projects/p/img/s_3.png", damaged);
  writeFile("Projects/p/img/ok.png", good);
  writeFile("Projects/p/img/cut.png", cutOff);
  writeFile("Projects/p/img/bad.png", damaged);
  writeFile("Projects/p/img/text.png", "not a picture at all");
  writeProjectFile(" version=\"130\" imgfolder=\"img\"", {"0", "1", "2", "3", "1"},
                   {"ok.png", "gone.png", "cut.png", "bad.png", "cut.png", "text.png"});
  ASSERT_TRUE(openProjectNamed("p"));
  EXPECT_TRUE(messages.empty()) << "Open itself says nothing: its caller warns";
  EXPECT_EQ(unreadPictures, (Texts{"img/s_1.png", "img/s_2.png", "img/s_3.png", "img/gone.png", "img/cut.png",
                                   "img/bad.png", "img/text.png"}));
  EXPECT_TRUE(isImage(frames[0].image));
  for (size_t i = 1; i < frames.size(); ++i) EXPECT_EQ(frames[i].image, -1) << i;
  EXPECT_EQ(getPixel(tiles[0].image, 1, 0), rgba(10, 20, 30, 255));
  for (size_t i = 1; i < tiles.size(); ++i) EXPECT_EQ(getPixel(tiles[i].image, 1, 1), rgba(255, 0, 0, 255)) << i;

  warnOfUnreadPictures();
  EXPECT_EQ(warnings(), Texts{"7 pictures cannot be read: img/s_1.png, img/s_2.png, img/s_3.png, img/gone.png, "
                              "img/cut.png and 2 more. They stay empty in the project; their files are left as "
                              "they are."});
  warnOfUnreadPictures();
  EXPECT_TRUE(messages.empty()) << "told once";

  // A save writes no picture in the place of one it could not read.
  std::map<std::string, std::string> before;
  for (const char* f : {"s_2.png", "s_3.png", "cut.png", "bad.png", "text.png"}) before[f] = slurp("Projects/p/img/" + std::string(f));
  ASSERT_TRUE(writeProject());
  for (const auto& [file, bytes] : before) EXPECT_EQ(slurp("Projects/p/img/" + file), bytes) << file;
  EXPECT_EQ(fileKind("Projects/p/img/s_1.png"), FILE_NONE);
  EXPECT_EQ(fileKind("Projects/p/img/gone.png"), FILE_NONE);
  EXPECT_EQ(slurp("Projects/p/img/ok.png"), good);
  ASSERT_TRUE(openProjectNamed("p"));
  EXPECT_EQ(unreadPictures.size(), 7u) << "the saved project reads as before";
}

TEST_F(UnreadPicturesTest, OnePictureOrNoneAndTheOlderLayout) {
  struct Case {
    const char* what;
    std::string version;
    std::vector<std::string> frames, backgrounds;
    Texts warned;
  } cases[] = {
      {"all read", " version=\"130\" imgfolder=\"img\"", {"0"}, {"ok.png"}, {}},
      {"no pictures", " version=\"130\"", {}, {""}, {}},
      {"one frame", " version=\"130\" imgfolder=\"img\"", {"0", "9"}, {"ok.png"},
       {"The picture img/s_9.png cannot be read. It stays empty in the project; its file is left as it is."}},
      {"a name that leads out", " version=\"130\" imgfolder=\"img\"", {"0"}, {"../ok.png"},
       {"The picture img/../ok.png cannot be read. It stays empty in the project; its file is left as it is."}},
      {"files of the older layout lie in the project folder", "", {"0", "5"}, {"ok.png", "no.png"},
       {"2 pictures cannot be read: s_5.png, no.png. They stay empty in the project; their files are left as "
        "they are."}},
  };
  writeFile("Projects/p/img/s_0.png", good);
  writeFile("Projects/p/img/ok.png", good);
  writeFile("Projects/p/s_0.png", good);
  writeFile("Projects/p/ok.png", good);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeProjectFile(c.version, c.frames, c.backgrounds);
    ASSERT_TRUE(openProjectNamed("p"));
    warnOfUnreadPictures();
    EXPECT_EQ(warnings(), c.warned);
  }
}

// A long name read from a file is cut in the message.
TEST_F(UnreadPicturesTest, LongNamesAreCut) {
  writeProjectFile(" version=\"130\" imgfolder=\"img\"", {std::string(300, 'f')}, {});
  ASSERT_TRUE(openProjectNamed("p"));
  ASSERT_EQ(unreadPictures.size(), 1u);
  EXPECT_EQ(unreadPictures[0], "img/s_" + std::string(54, 'f') + "...");
}

}  // namespace
