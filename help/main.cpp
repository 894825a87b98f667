// Zembrik Help: the scripting reference, a program of its own that the
// editor's Help command starts. It reads no file and takes no arguments.
#include "help/help_viewer.h"
#include "ui/ui.h"

int main(int argc, char** argv) {
  initUi(argc, argv);
  return runHelpViewer();
}
