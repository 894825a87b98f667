// The program of save_kill.sh, run in a folder of its own:
//   old   saves the old version of the project and its game,
//   save  saves the new version over it (project, then game files), as the
//         Save command does; with ZM_KILL_AT_STEP=n it ends itself by
//         SIGKILL just before the n-th write, sync, rename or delete,
//   open  opens the project (which puts back or finishes a cut-off save).
// Exits 0 when what it did succeeded.
#include <csignal>
#include <cstdlib>
#include <string>

#include "builder/game_files.h"
#include "builder/settings.h"
#include "project/project_file.h"
#include "tests/project/two_versions.h"

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  workFolder = "_temp_000000";
  makeFolder(workFolder);
  makeFolder("Projects");
  imgFolder = "img";
  audFolder = "aud";
  exportTemplate = "game //ZEMBRIK_SCENES\n";
  if (mode == "open") return openProjectNamed("game") ? 0 : 1;

  makeOldVersion();
  if (mode == "old") {
    // The user's own page, which the new save replaces.
    generateIndexHtml = 0;
    makeFolder("Projects/game");
    writeFile("Projects/game/index.html", "<p>old page</p>");
    return writeProject() && generateGameFiles() ? 0 : 1;
  }
  if (mode != "save") return 2;
  makeNewVersion();
  generateIndexHtml = 1;
  if (const char* at = std::getenv("ZM_KILL_AT_STEP")) {
    static int steps = 0;
    static const int killAt = std::atoi(at);
    fileStepHook = [](int, const std::string&) {
      if (++steps == killAt) std::raise(SIGKILL);
      return true;
    };
  }
  return writeProject() && generateGameFiles() ? 0 : 1;
}
