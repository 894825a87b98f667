// What Open tells after it has read a project: the pictures it could not
// read, once, before the game comments.
#include "tests/shell/shell_fixture.h"

using OpenWarnings = ShellTest;

TEST_F(OpenWarnings, PicturesThatCannotBeReadAreToldOnceBeforeTheComments) {
  startMainWindow();
  makeFolder("Projects/w");
  makeFolder("Projects/w/img");
  writeFile("Projects/w/img/s_1.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));   // cut off
  writeFile("Projects/w.xml",
            "<?xml version=\"1.0\"?><zembrik version=\"130\" imgfolder=\"img\"><functions/><variables/>"
            "<comments>read me</comments><sprites count=\"1\"><sprite name=\"s\"/></sprites><frames count=\"2\">"
            "<frame file=\"0\" sprite=\"s\"/><frame file=\"1\" sprite=\"s\"/></frames><sounds/><musics/>"
            "<backgrounds/><fonts/><objects/><scripts/><scenes/><layers/><tiles/><fns/></zembrik>");
  driverChooseMenu(MENU_OPEN);
  driverSelectRow("projects", 0);
  driverClick("Open");
  driverAnswerMessage("Warning",
                      "2 pictures cannot be read: img/s_0.png, img/s_1.png. They stay empty in the project; "
                      "their files are left as they are.");
  driverCall([] {
    EXPECT_EQ(getGadgetText(gadgetByName(0, "comments")), "read me");
    EXPECT_NE(itemGadget("Sprites", "s"), 0) << "the panel shows the project read";
  });
  driverClick("OK");
  // A cancelled Open tells nothing again.
  driverChooseMenu(MENU_OPEN);
  driverClick("Cancel");
  driverClick("OK");
  runSteps();
  EXPECT_EQ(sprites.size(), 1u);
  EXPECT_EQ(frames.size(), 2u);
  EXPECT_EQ(fileSize("Projects/w/img/s_1.png"), 16);
}
