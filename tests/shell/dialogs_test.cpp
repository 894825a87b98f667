#include <sys/stat.h>
#include <utime.h>

#include "tests/shell/loopback_server.h"
#include "tests/shell/shell_fixture.h"

using Dialogs = ShellTest;

TEST_F(Dialogs, OpenDialogShowsThumbnailsAndDates) {
  startMainWindow();
  for (const char* p : {"Projects/shot.xml", "Projects/plain.xml", "Projects/empty.xml"}) writeFile(p, "<zembrik/>");
  int square = createImage(UI_ANY, 240, 240, 32, rgba(0, 0, 255, 255));
  savePng(square, "Projects/shot.png");
  writeFile("Projects/empty.png", "");
  writeFile("Projects/broken.xml", "<zembrik/>");
  writeFile("Projects/broken.png", "not a picture");
  utimbuf when{1361988300, 1361988300};
  utime("Projects/shot.xml", &when);

  auto select = [](const std::string& name, int type = ET_LEFTCLICK) {
    return fake::Step([name, type] {
      int list = fake::gadgetNamed("projects");
      auto& items = fake::state().gadgets[list].items;
      setGadgetState(list, int(std::find(items.begin(), items.end(), name) - items.begin()));
      return fake::clickGadget(list, type)();
    });
  };
  auto shows = [](std::function<void(int picture)> check, const std::string& date) {
    return fake::check([check, date] {
      check(fake::state().gadgets[fake::gadgetNamed("thumbnail")].image);
      EXPECT_EQ(getGadgetText(fake::gadgetNamed("started")), "Project started: " + date);
    });
  };
  std::string shotDate = formatDate("%yyyy-%mm-%dd %HH:%ii", 1361988300);
  std::string plainDate = formatDate("%yyyy-%mm-%dd %HH:%ii", fileModified("Projects/plain.xml"));
  fake::queue(fake::check([] {
    EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
    int picture = fake::gadgetNamed("thumbnail");
    EXPECT_EQ(fake::state().gadgets[picture].image, 0);
    EXPECT_EQ(fake::state().gadgets[picture].flags, IMG_BORDER | IMG_CENTER);
    EXPECT_EQ(fake::state().gadgets[fake::gadgetNamed("projects")].font, 228);
  }));
  fake::queue(select("shot"));
  fake::queue(shows([](int p) { EXPECT_EQ(getPixel(p, 10, 10), rgba(0, 0, 255, 255)); }, shotDate));
  fake::queue(select("plain"));
  fake::queue(shows([](int p) { EXPECT_EQ(p, PIC_PROJECT_PLACEHOLDER); }, plainDate));
  fake::queue(select("empty"));
  fake::queue(shows([](int p) { EXPECT_EQ(p, PIC_PROJECT_PLACEHOLDER); },
                    formatDate("%yyyy-%mm-%dd %HH:%ii", fileModified("Projects/empty.xml"))));
  fake::queue(select("broken"));
  fake::queue(shows([](int p) { EXPECT_EQ(p, 0); },
                    formatDate("%yyyy-%mm-%dd %HH:%ii", fileModified("Projects/broken.xml"))));
  fake::queue(select("plain", ET_LEFTDOUBLECLICK));
  EXPECT_EQ(chooseProject(), "plain");
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
  EXPECT_EQ(fake::topWindow(), MAIN_WINDOW);

  fake::queue(fake::click("Open"));
  EXPECT_EQ(chooseProject(), "");   // nothing selected
  fake::queue(select("shot"));
  fake::queue(fake::click("Cancel"));
  EXPECT_EQ(chooseProject(), "");
}

TEST_F(Dialogs, PreferencesWindowStoresOnlyOnSave) {
  startMainWindow();
  int before = sciColorSelectionBack;
  fake::state().colors = {255};
  runOne({fake::menu(APPMENU_PREFERENCES), fake::clickNamed("pick Selection background"), fake::click("Cancel")});
  EXPECT_EQ(sciColorSelectionBack, before);
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));

  fake::state().colors = {-1, 255};   // the first pick is cancelled
  runOne({fake::menu(APPMENU_PREFERENCES), fake::clickNamed("pick Text"), fake::clickNamed("pick Selection background"),
          fake::type("font size", "big"), fake::type("font family", "Mono"),
          fake::clickNamed("Confirm exit from Zembrik"), fake::type("image folder", "pictures"), fake::click("Save")});
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

TEST_F(Dialogs, PreferencesWindowRefusesUnsafeFolderNames) {
  startMainWindow();
  for (const char* name : {"", "..", "a/b"}) {
    messages().clear();
    runOne({fake::menu(APPMENU_PREFERENCES), fake::type("audio folder", name), fake::click("Save"),
            fake::check([] { EXPECT_EQ(getWindowTitle(fake::topWindow()), "Preferences"); }), fake::click("Cancel")});
    ASSERT_EQ(messages().size(), 1u) << name;
    EXPECT_EQ(messages()[0].title, "Error");
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
    messages().clear();
    LoopbackServer server(LoopbackServer::reply(c.status, c.body));
    versionHost = server.host();
    runOne({fake::menu(MENU_CHECK_VERSION)});
    ASSERT_EQ(messages().size(), c.told.empty() ? 0u : 1u) << c.body;
    if (!c.told.empty()) {
      EXPECT_EQ(messages()[0].title, "Version information");
      EXPECT_EQ(messages()[0].text, c.told);
    }
  }
  messages().clear();
  {
    LoopbackServer gone(LoopbackServer::reply("200 OK", "131"));
    versionHost = gone.host();
    shutdown(gone.fd, SHUT_RDWR);
  }
  runOne({fake::menu(MENU_CHECK_VERSION)});
  EXPECT_TRUE(messages().empty());
}

TEST_F(Dialogs, AboutEndsOnlyByAClickOnItsPicture) {
  startMainWindow();
  runOne({fake::menu(APPMENU_ABOUT), fake::check([] {
            int w = fake::topWindow();
            EXPECT_EQ(getWindowTitle(w), "Zembrik Game Maker v1.3.0");
            EXPECT_EQ(windowWidth(w), 500);
            EXPECT_EQ(windowHeight(w), 350);
            EXPECT_TRUE(fake::state().windows[w].flags & WIN_BORDERLESS);
            EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
            for (auto& [n, g] : fake::state().gadgets)
              if (g.window == w && g.kind == GK_TEXT) {
                EXPECT_EQ(g.text, "version 1.3.0");
                EXPECT_EQ(g.x, 380);
                EXPECT_EQ(g.y, 122);
              }
          }),
          fake::windowEvent(EV_CLOSEWINDOW), fake::menu(MENU_NEW),
          fake::check([] { EXPECT_NE(fake::topWindow(), MAIN_WINDOW); }), fake::clickNamed("about")});
  EXPECT_EQ(fake::topWindow(), MAIN_WINDOW);
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
}
