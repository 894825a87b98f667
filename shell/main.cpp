#include "shell/startup.h"
#include "ui/ui.h"

int main(int argc, char** argv) {
  initUi(argc, argv);
  return runMainProgram();
}
