#include "shell/settings.h"

#include "ui/image.h"

int checkVersionAtStart = 1;
int confirmExitFlag = 1;
int serverVersion = 0;

void initGlobals() {
  resetEditorSettings();
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
  exportTemplateUnread = false;
  showObjects = 1;
  showTiles = 1;
}
