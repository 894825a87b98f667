#include "editors/editor_settings.h"

int codeWindowX = -1;
int codeWindowY = -1;
int codeWindowWidth = -1;
int codeWindowHeight = -1;
int codeWindowMaximized = -1;

int previewZoom = 1;
int previewSpeed = 30;
int showCollisionShape = 1;
int currentFrame = 0;
