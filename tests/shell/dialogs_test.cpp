#include <sys/stat.h>
#include <utime.h>

#include <algorithm>

#include "shell/about.h"
#include "tests/shell/loopback_server.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"
#include "ui/image.h"
#include "ui/pictures.h"

using Dialogs = ShellTest;

namespace {

// The row of a project in the open dialog's list.
int rowOf(const std::string& name) {
  listProjects();
  return int(std::find(projectNames.begin(), projectNames.end(), name) - projectNames.begin());
}

// Steps that bring a page of the Preferences window to the front.
void preferencesPage(int tab) {
  driverCall([tab] { showPanelTab(windowWith("font family"), tab); }, "page " + std::to_string(tab));
}

std::string dateOf(const std::string& file) { return formatDate("%yyyy-%mm-%dd %HH:%ii", fileModified(file)); }

}  // namespace

TEST_F(Dialogs, OpenDialogShowsThumbnailsAndDates) {
  startMainWindow();
  for (const char* p : {"Projects/shot.xml", "Projects/plain.xml", "Projects/empty.xml", "Projects/small.xml"})
    writeFile(p, "<zembrik/>");
  int square = createImage(UI_ANY, 240, 240, 32, rgba(0, 0, 255, 255));
  savePng(square, "Projects/shot.png");
  int small = createImage(UI_ANY, 20, 20, 32, rgba(255, 0, 0, 255));
  savePng(small, "Projects/small.png");
  writeFile("Projects/empty.png", "");
  writeFile("Projects/broken.xml", "<zembrik/>");
  writeFile("Projects/broken.png", "not a picture");
  utimbuf when{1361988300, 1361988300};
  utime("Projects/shot.xml", &when);

  auto shows = [](const std::string& name, std::function<void(int picture)> check) {
    driverSelectRow("projects", rowOf(name));
    std::string date = dateOf("Projects/" + name + ".xml");
    driverCall([check, date] {
      check(getGadgetAttribute(gadgetByName(0, "thumbnail"), ATTR_IMAGE));
      EXPECT_EQ(getGadgetText(gadgetByName(0, "started")), "Project started: " + date);
    }, "shows " + name);
  };
  driverCall([] {
    EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
    EXPECT_EQ(getGadgetAttribute(gadgetByName(0, "thumbnail"), ATTR_IMAGE), 0);
    EXPECT_TRUE(gadgetShowsFont(gadgetByName(0, "projects"), 228));
    EXPECT_TRUE(gadgetHasSunkenFrame(gadgetByName(0, "thumbnail")));
  });
  EXPECT_EQ(dateOf("Projects/shot.xml"), formatDate("%yyyy-%mm-%dd %HH:%ii", 1361988300));
  shows("shot", [](int p) { EXPECT_EQ(getPixel(p, 10, 10), rgba(0, 0, 255, 255)); });
  shows("plain", [](int p) { EXPECT_EQ(p, PIC_PROJECT_PLACEHOLDER); });
  shows("empty", [](int p) { EXPECT_EQ(p, PIC_PROJECT_PLACEHOLDER); });
  shows("broken", [](int p) { EXPECT_EQ(p, 0); });
  shows("small", [](int) {   // unscaled, in the middle
    int picture = gadgetByName(0, "thumbnail");
    EXPECT_EQ(gadgetScreenPixel(picture, 120, 120), rgb(255, 0, 0));
    EXPECT_NE(gadgetScreenPixel(picture, 40, 40), rgb(255, 0, 0));
  });
  driverDoubleClickRow("projects", rowOf("plain"));
  EXPECT_EQ(chooseProject(), "plain");
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
  EXPECT_EQ(shownWindowCount(), 1);

  driverClick("Open");
  EXPECT_EQ(chooseProject(), "");   // nothing selected
  driverSelectRow("projects", rowOf("shot"));
  driverClick("Cancel");
  EXPECT_EQ(chooseProject(), "");
}

TEST_F(Dialogs, PreferencesWindowStoresOnlyOnSave) {
  startMainWindow();
  int before = sciColorSelectionBack;
  driverChooseMenu(APPMENU_PREFERENCES);
  driverClick("pick Selection background");
  driverAnswerColor(255);
  driverClick("Cancel");
  runSteps();
  EXPECT_EQ(sciColorSelectionBack, before);
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));

  driverChooseMenu(APPMENU_PREFERENCES);
  driverClick("pick Text");
  driverAnswerColor(-1);   // cancelled
  driverClick("pick Selection background");
  driverAnswerColor(255);
  driverSetText("font size", "big");
  driverSetText("font family", "Mono");
  preferencesPage(1);
  driverClick("Confirm exit from Zembrik");
  preferencesPage(2);
  driverSetText("image folder", "pictures");
  driverClick("Save");
  runSteps();
  EXPECT_EQ(sciColorFore, 0);
  EXPECT_EQ(sciColorSelectionBack, 255);
  EXPECT_EQ(sciFontSize, 0);
  EXPECT_EQ(sciFontFamily, "Mono");
  EXPECT_EQ(confirmExitFlag, 0);
  EXPECT_EQ(imgFolder, "pictures");
  std::string file = TempFolder::read("preferences.dat");
  EXPECT_NE(file.find("sci_color_selection_back = 255\n"), std::string::npos);
  EXPECT_NE(file.find("ImgFolder = pictures\n"), std::string::npos);
  initGlobals();
  loadPreferences();   // survives a restart
  EXPECT_EQ(sciColorSelectionBack, 255);
}

TEST_F(Dialogs, PreferencesColumnsStandInTheirPlaces) {
  startMainWindow();
  struct Case { const char* label; int labelX, swatchX, buttonX, row; } cases[] = {
      {"Text", 10, 130, 240, 0},   {"Comment", 10, 130, 240, 5},           {"String", 300, 430, 540, 0},
      {"Resource", 300, 430, 540, 3}, {"Zembrik variable", 300, 430, 540, 6},
  };
  driverChooseMenu(APPMENU_PREFERENCES);
  driverCall([&] {
    int w = windowWith("font family");
    for (const Case& c : cases) {
      SCOPED_TRACE(c.label);
      int swatch = gadgetByName(w, std::string("swatch ") + c.label);
      int button = gadgetByName(w, std::string("pick ") + c.label);
      EXPECT_EQ(gadgetX(swatch), c.swatchX);
      EXPECT_EQ(gadgetX(button), c.buttonX);
      EXPECT_EQ(gadgetY(swatch), 10 + 30 * c.row);
      EXPECT_EQ(gadgetY(button), 10 + 30 * c.row);
      EXPECT_TRUE(windowShowsText(w, c.label, c.labelX, 15 + 30 * c.row));
    }
  });
  driverClick("Cancel");
  runSteps();
}

TEST_F(Dialogs, EveryTextFitsItsBox) {
  startMainWindow();
  using V = std::vector<std::string>;
  EXPECT_EQ(clippedTexts(MAIN_WINDOW), V{});
  for (const char* status : {"PROJECT SAVED.", "OPENING PROJECT..."}) {
    setStatusText(status);
    EXPECT_EQ(clippedTexts(MAIN_WINDOW), V{}) << status;
  }
  driverChooseMenu(APPMENU_PREFERENCES);
  driverCall([] { EXPECT_EQ(clippedTexts(windowWith("font family")), V{}); });
  driverClick("Cancel");
  driverChooseMenu(APPMENU_ABOUT);
  driverCall([] { EXPECT_EQ(clippedTexts(windowWith("about")), V{}); });
  driverClick("about");
  driverChooseMenu(MENU_SAVE_AS);
  driverCall([] { EXPECT_EQ(clippedTexts(windowWith("name")), V{}); });
  driverClick("Cancel");
  runSteps();
}

TEST_F(Dialogs, PreferencesWindowRefusesUnsafeFolderNames) {
  startMainWindow();
  for (std::string name : {"", "..", "a/b"}) {
    SCOPED_TRACE(name);
    driverChooseMenu(APPMENU_PREFERENCES);
    preferencesPage(2);
    driverSetText("audio folder", name);
    driverClick("Save");
    driverAnswerMessage("Error", "The audio folder name '" + name + "' cannot be used as a folder name");
    driverCall([] { EXPECT_EQ(getWindowTitle(windowWith("audio folder")), "Preferences"); });
    driverClick("Cancel");
    runSteps();
    EXPECT_EQ(audFolder, "aud");
  }
}

TEST_F(Dialogs, MenuVersionCheckReportsEverySuccessfulDownload) {
  startMainWindow();
  struct Case { std::string status, body, told; } cases[] = {
      {"200 OK", "131\n", "A new version has been released."},
      {"200 OK", "130\n", "You are using the latest version."},
      {"200 OK", "129", "You are using the latest version."},
      {"200 OK", "garbage", ""},
      {"404 Not Found", "131", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status + " " + c.body);
    LoopbackServer server(LoopbackServer::reply(c.status, c.body));
    versionHost = server.host();
    driverChooseMenu(MENU_CHECK_VERSION);
    if (!c.told.empty()) driverAnswerMessage("Version information", c.told);
    runSteps();
    EXPECT_TRUE(server.contacted);
  }
  {
    LoopbackServer gone(LoopbackServer::reply("200 OK", "131"));
    versionHost = gone.host();
    shutdown(gone.fd, SHUT_RDWR);
  }
  driverChooseMenu(MENU_CHECK_VERSION);
  runSteps();   // says nothing, or the driver fails

  // A build without a server says so instead of leaving the user waiting.
  versionHost = "";
  driverChooseMenu(MENU_CHECK_VERSION);
  driverAnswerMessage("Version information", "The program version could not be checked.");
  runSteps();
  checkVersionAtStart = 1;
  checkProgramVersionAtStart();   // the start-up check stays silent
}

TEST_F(Dialogs, AboutEndsOnlyByAClickOnItsPicture) {
  startMainWindow();
  driverChooseMenu(APPMENU_ABOUT);
  driverCall([] {
    int w = windowWith("about");
    EXPECT_NE(w, MAIN_WINDOW);
    EXPECT_EQ(getWindowTitle(w), "Zembrik Game Maker v1.3.0");
    EXPECT_EQ(windowWidth(w), 500);
    EXPECT_EQ(windowHeight(w), 350);
    EXPECT_TRUE(windowIsBorderless(w));
    EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
    EXPECT_EQ(textBox(w, "version 1.3.0"), (std::vector<int>{380, 122, 80, 18}));
    // The version is written on the picture: round its white letters the
    // label's box shows the picture itself.
    std::vector<int> shown = holderScreenPixels(gadgetByName(w, "about"), 380, 122, 80, 18);
    ASSERT_EQ(shown.size(), size_t(80 * 18));
    int picture = 0, letters = 0;
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 80; ++x) {
        int p = shown[size_t(y * 80 + x)];
        int under = int(getPixel(PIC_ABOUT, 380 + x, 122 + y) & 0xFFFFFF);
        if (p == under) ++picture;
        else if ((p & 255) > (under & 255) && (p >> 8 & 255) > (under >> 8 & 255) && (p >> 16) > (under >> 16))
          ++letters;
      }
    EXPECT_EQ(picture + letters, 80 * 18) << "pixels of neither the picture nor the letters";
    EXPECT_GT(letters, 40);
    EXPECT_GT(picture, 80 * 18 / 2);
  });
  driverCloseBox(0);
  driverCall([] { postEvent(EV_MENU, MAIN_WINDOW, MENU_NEW); }, "a menu event of the main window");
  driverCall([] { EXPECT_NE(windowWith("about"), 0) << "still open"; });
  driverClick("about");
  runSteps();
  EXPECT_EQ(shownWindowCount(), 1);
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
}

// The shell's dialogs have a title bar alone; the About window has none.
TEST_F(Dialogs, TitleBarsAskForNoButtons) {
  startMainWindow();
  EXPECT_EQ(windowTitleButtons(MAIN_WINDOW), "menu minimise maximise close");
  const struct {
    int menu;
    const char* gadget;
    const char* end;
  } dialogs[] = {{APPMENU_PREFERENCES, "font family", "Cancel"}, {MENU_SAVE_AS, "name", "Cancel"},
                 {MENU_OPEN, "projects", "Cancel"}};
  for (const auto& d : dialogs) {
    driverChooseMenu(d.menu);
    driverCall([=] { EXPECT_EQ(windowTitleButtons(windowWith(d.gadget)), "") << d.gadget; });
    driverClick(d.end);
  }
  driverChooseMenu(APPMENU_ABOUT);
  driverCall([] { EXPECT_TRUE(windowIsBorderless(windowWith("about"))); });
  driverClick("about");
  runSteps();
}
