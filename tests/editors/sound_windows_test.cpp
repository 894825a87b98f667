#include "editors/editors.h"
#include "project/makers.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"

using SoundWindows = ShellTest;

namespace {

std::string fileText(const char* format) { return getGadgetText(gadgetByName(0, std::string(format) + " file")); }

}  // namespace

TEST_F(SoundWindows, EachFormatAsksWithItsTitleAndStoresWhatWasPicked) {
  startMainWindow();
  makeFolder("picks");
  writeFile("picks/jump.wav", "wav bytes");
  writeFile("picks/jump.mp3", "mp3 bytes");
  writeFile("picks/jump.ogg", "ogg bytes");
  struct Case {
    std::string (*make)();
    void (*edit)(const std::string&);
    const char* titles[3];
    std::array<std::string, 3> (*fields)();
  } cases[] = {
      {newSound, editSound, {"Select a sound", "Select a sound", "Select a sound"},
       [] { return std::array<std::string, 3>{sounds[0].wav, sounds[0].mp3, sounds[0].ogg}; }},
      {newMusic, editMusic, {"Select a music (WAV)", "Select a music (MP3)", "Select a music (OGG)"},
       [] { return std::array<std::string, 3>{musics[0].wav, musics[0].mp3, musics[0].ogg}; }},
  };
  for (const Case& c : cases) {
    std::string name = c.make();
    SCOPED_TRACE(name);
    // The OGG source alone; a cancelled requester changes nothing.
    driverClick("Set WAV file...");
    driverAnswerFile(c.titles[0], "");
    driverClick("Set OGG file...");
    driverAnswerFile(c.titles[2], folder.path + "/picks/jump.ogg");
    driverCall([] {
      EXPECT_EQ(fileText("WAV"), "File: ");
      EXPECT_EQ(fileText("OGG"), "File: jump.ogg");
    });
    driverClick("Done");
    c.edit(name);
    EXPECT_TRUE(driverCheckDone());
    EXPECT_EQ(c.fields(), (std::array<std::string, 3>{"", "", "jump.ogg"}));
    EXPECT_EQ(TempFolder::read(workFolder + "/jump.ogg"), "ogg bytes");

    driverClick("Set WAV file...");
    driverAnswerFile(c.titles[0], folder.path + "/picks/jump.wav");
    driverClick("Set MP3 file...");
    driverAnswerFile(c.titles[1], folder.path + "/picks/jump.mp3");
    driverClick("Done");
    c.edit(name);
    EXPECT_EQ(c.fields(), (std::array<std::string, 3>{"jump.wav", "jump.mp3", "jump.ogg"}));

    // Unset asks; No keeps the source, Yes clears it, and no file is deleted.
    driverCall([] { EXPECT_EQ(fileText("MP3"), "File: jump.mp3"); });
    driverClick("Unset MP3");
    driverAnswerMessage("Confirm", "Remove MP3 source?", MSG_RESULT_NO);
    driverCall([] { EXPECT_EQ(fileText("MP3"), "File: jump.mp3"); });
    driverClick("Unset MP3");
    driverAnswerMessage("Confirm", "Remove MP3 source?", MSG_RESULT_YES);
    driverCall([] { EXPECT_EQ(fileText("MP3"), "File: "); });
    driverClick("Done");
    c.edit(name);
    EXPECT_EQ(c.fields(), (std::array<std::string, 3>{"jump.wav", "", "jump.ogg"}));
    EXPECT_EQ(fileKind(workFolder + "/jump.mp3"), FILE_REGULAR);
  }
}

// Done copies only what this window picked: a stray file of the same name in
// the program's folder does not replace the project's copy.
TEST_F(SoundWindows, UnchangedSourcesAreNotCopiedAgain) {
  startMainWindow();
  std::string sound = newSound();
  sounds[0].wav = "jump.wav";
  writeFile(workFolder + "/jump.wav", "the project's jump");
  writeFile("jump.wav", "a stray file");
  driverClick("Done");
  editSound(sound);
  EXPECT_EQ(sounds[0].wav, "jump.wav");
  EXPECT_EQ(TempFolder::read(workFolder + "/jump.wav"), "the project's jump");
}

// A picked file whose name another sound holds is a different file: it is
// stored under a free name and the other sound keeps its own.
TEST_F(SoundWindows, APickedFileTakesNoOtherSoundsPlace) {
  startMainWindow();
  std::string first = newSound(), second = newSound();
  sounds[0].wav = "jump.wav";
  writeFile(workFolder + "/jump.wav", "first jump");
  makeFolder("picks");
  writeFile("picks/jump.wav", "second jump");
  driverClick("Set WAV file...");
  driverAnswerFile("Select a sound", folder.path + "/picks/jump.wav");
  driverCall([] { EXPECT_EQ(fileText("WAV"), "File: jump.wav"); });
  driverClick("Done");
  editSound(second);
  EXPECT_EQ(sounds[1].wav, "jump_2.wav");
  EXPECT_EQ(TempFolder::read(workFolder + "/jump_2.wav"), "second jump");
  EXPECT_EQ(TempFolder::read(workFolder + "/jump.wav"), "first jump");
}

// Without a work folder (none could be made) a picked file cannot be kept:
// the pick says so and the source stays what it was, also on Done.
TEST_F(SoundWindows, APickThatCannotBeCopiedKeepsTheSource) {
  startMainWindow();
  std::string sound = newSound();
  sounds[0].wav = "jump.wav";
  makeFolder("picks");
  const std::string picked = folder.path + "/picks/boom.wav";
  writeFile(picked, "boom");
  driverCall([] { ASSERT_TRUE(deleteFolderTree(workFolder)); });
  driverClick("Set WAV file...");
  driverAnswerFile("Select a sound", picked);
  driverAnswerMessage("Error", "The file " + picked + " cannot be copied into the work folder.");
  driverCall([] { EXPECT_EQ(fileText("WAV"), "File: jump.wav"); });
  driverClick("Set OGG file...");
  driverAnswerFile("Select a sound", picked);
  driverAnswerMessage("Error", "The file " + picked + " cannot be copied into the work folder.");
  driverCall([] { EXPECT_EQ(fileText("OGG"), "File: "); });
  driverClick("Done");
  editSound(sound);
  EXPECT_TRUE(driverCheckDone());
  EXPECT_EQ(sounds[0].wav, "jump.wav");
  EXPECT_EQ(sounds[0].ogg, "");
}

TEST_F(SoundWindows, AMusicMayNotTakeASoundsName) {
  startMainWindow();
  std::string sound = newSound(), music = newMusic(), other = newMusic();
  driverCall([] { EXPECT_EQ(gadgetWidth(gadgetByName(0, "name")), 230); });
  driverSetText("name", other);
  driverClick("Done");
  driverAnswerMessage("Error", "The music name '" + other + "' already exists");
  driverSetText("name", sound);
  driverClick("Done");
  driverAnswerMessage("Error", "The name '" + sound + "' is already the name of the sound '" + sound + "'");
  driverSetText("name", "theme");
  driverClick("Done");
  editMusic(music);
  EXPECT_EQ(musics[0].name, "theme");
}
