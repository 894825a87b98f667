// Zembrik Help: the scripting reference, a program of its own that the
// editor's Help command starts. It reads no file and takes no arguments.
#include "help/help_viewer.h"
#include "ui/program_copies.h"
#include "ui/ui.h"

int main(int argc, char** argv) {
  initUi(argc, argv);
  // Started again, it brings the viewer that runs already to the front.
  if (!serveAsOnlyCopy(HELP_WINDOW)) return 0;
  int result = runHelpViewer();
  endServing();
  return result;
}
