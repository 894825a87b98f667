// A project file read whole by Open, its warnings and the export's name
// test made, then game.js built from it.
#include "builder/game_files.h"
#include "builder/game_names.h"
#include "fuzz_folder.h"
#include "project/hooks.h"
#include "project/project_file.h"
#include "project/tables.h"
#include "ui/image.h"

namespace {

// Every marker of the runtime template, once.
const std::string templateText =
    "//ZEMBRIK_VERSION\n//ZEMBRIK_EXTENSIONS\n//ZEMBRIK_GLOBAL_VARIABLES\n//ZEMBRIK_GLOBAL_FUNCTIONS\n"
    "//ZEMBRIK_SPRITES\n//ZEMBRIK_SOUNDS\n//ZEMBRIK_MUSICS\n//ZEMBRIK_BACKGROUNDS\n//ZEMBRIK_FONTS\n"
    "//ZEMBRIK_OBJECTS\n//ZEMBRIK_SCENES\n";

void freeProjectImages() {
  for (const FrameRecord& f : frames)
    if (f.image > 0) freeImage(f.image);
  for (const TileRecord& t : tiles)
    if (t.image > 0) freeImage(t.image);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  enterFuzzFolder();
  makeFolder("Projects");
  makeFolder("work");
  projectHooks.newProject = [] {
    freeProjectImages();
    clearProjectTables();
    projectName.clear();
    workFolder = "work";
  };
  // The search stays with the logic; a few pictures of the largest size
  // would only cost time and memory that the budget exists to allow.
  projectPixelBudget = 1 << 22;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  writeFile("Projects/f.xml", fuzzBytes(data, size));
  if (openProjectNamed("f")) {
    warnOfUnreadPictures();
    refuseUnusableGameNames();
    fillTemplate(templateText);
  }
  freeProjectImages();
  clearProjectTables();
  return 0;
}
