#include "shell/settings.h"

#include "ui/image.h"

int checkVersionAtStart = 1;
int confirmExitFlag = 1;
int serverVersion = 0;

void initGlobals() {
  sciColorFore = rgb(0, 0, 0);
  sciColorSelectionBack = rgb(0, 0, 64);
  sciColorSelectionFore = rgb(255, 255, 255);
  sciColorCommand = rgb(54, 45, 227);
  sciColorComment = rgb(160, 160, 160);
  sciColorString = rgb(198, 0, 198);
  sciColorNumber = rgb(208, 64, 64);
  sciColorFunction = rgb(35, 163, 35);
  sciColorResource = rgb(49, 170, 187);
  sciColorZmFunction = rgb(32, 106, 34);
  sciColorZmVariable = rgb(81, 80, 19);
  sciColorZmConstant = rgb(60, 60, 60);
  sciColorCaret = rgb(255, 240, 240);
  sciFontFamily = "Consolas";
  sciFontSize = 11;
  codeWindowX = codeWindowY = codeWindowWidth = codeWindowHeight = codeWindowMaximized = -1;
  previewZoom = 1;
  addFileProtocol = 0;
  currentFrame = 0;
  checkVersionAtStart = 1;
  generateIndexHtml = 1;
  confirmExitFlag = 1;
  imgFolder = "img";
  audFolder = "aud";
  projectName = "";
  workFolder = "";
  modifiedFlag = 0;
  previewSpeed = 30;
  uidCounter = 1;
  showGrid = 1;
  gridSize = 20;
  snapToGrid = 1;
  showCollisionShape = 1;
  serverVersion = 0;
  exportTemplate = "";
  showObjects = 1;
  showTiles = 1;
}
