#include <gtest/gtest.h>

#include <algorithm>

#include "project/tables.h"
#include "shell/project_files.h"
#include "ui/panel_picture.h"
#include "tests/support/temp_folder.h"

TEST(ProjectFiles, ListTakesOneTrailingXmlOffFilesOnly) {
  TempFolder t;
  listProjects();
  EXPECT_TRUE(projectNames.empty());   // no Projects folder
  makeFolder("Projects");
  for (const char* f : {"Projects/a.xml.xml", "Projects/c.xml", "Projects/d.txt", "Projects/e.xml.png"})
    writeFile(f, "x");
  makeFolder("Projects/b.xml");
  listProjects();
  std::vector<std::string> names = projectNames;
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.xml", "c"}));
}

TEST(ProjectFiles, ListIsSortedByNameWhateverTheCase) {
  TempFolder t;
  makeFolder("Projects");
  for (const char* f : {"zeta", "Beta", "alpha", "beta", "Alpha2", "10", "9"})
    writeFile(std::string("Projects/") + f + ".xml", "x");
  listProjects();
  EXPECT_EQ(projectNames, (std::vector<std::string>{"10", "9", "alpha", "Alpha2", "Beta", "beta", "zeta"}));
}

TEST(ProjectFiles, OnlyAWorkFolderIsEverDeleted) {
  struct Case { const char* name; bool deleted; } cases[] = {
      {"_temp_093015", true}, {"", false}, {".", false}, {"_temp_09301", false},
      {"_temp_0930155", false}, {"_temp_09301a", false}, {"Projects", false}, {"_TEMP_093015", false},
  };
  TempFolder t;
  for (const Case& c : cases) {
    makeFolder("Projects");
    writeFile("Projects/keep.xml", "x");
    if (*c.name && std::string(c.name) != ".") {
      makeFolder(c.name);
      writeFile(std::string(c.name) + "/f", "x");
    }
    workFolder = c.name;
    EXPECT_EQ(isWorkFolderName(c.name), c.deleted) << c.name;
    deleteWorkFolder();
    if (*c.name && std::string(c.name) != ".") {
      EXPECT_EQ(fileKind(c.name) == FILE_NONE, c.deleted) << c.name;
    }
    EXPECT_EQ(fileKind("Projects/keep.xml"), FILE_REGULAR) << c.name;
    EXPECT_EQ(fileKind(t.path), FILE_FOLDER);
    if (std::string(c.name) != "Projects" && *c.name && std::string(c.name) != ".") deleteFolderTree(c.name);
  }
  workFolder = "";
}

TEST(Thumbnail, LongerSideBecomesSixty) {
  struct Case { int w, h, outW, outH; } cases[] = {
      {300, 30, 60, 6}, {30, 300, 6, 60}, {64, 64, 60, 60}, {1, 1, 60, 60},
      {121, 1, 60, 0}, {119, 1, 60, 1},
      {120, 1, 60, 0},                    // halves go to the even neighbour: 0.5 gives 0
      {24, 1, 60, 2}, {24, 5, 60, 12},    // 2.5 and 12.5 round down
      {40, 1, 60, 2}, {8, 1, 60, 8},      // 1.5 and 7.5 round up
      {5, 200, 2, 60},
  };
  for (const Case& c : cases) {
    int w, h;
    thumbnailSize(c.w, c.h, w, h);
    EXPECT_EQ(w, c.outW) << c.w << "x" << c.h;
    EXPECT_EQ(h, c.outH) << c.w << "x" << c.h;
  }
}
