// Settings that the editing windows read and change while the program runs.
// The code-window geometry is also a preference (group "Code editor").
#pragma once

// Remembered geometry of the code text windows; -1 = not known yet.
extern int codeWindowX;
extern int codeWindowY;
extern int codeWindowWidth;
extern int codeWindowHeight;
extern int codeWindowMaximized;   // 1 = maximised, -1 = not

// Sprite window and frame editor state, not saved.
extern int previewZoom;
extern int previewSpeed;
extern int showCollisionShape;
extern int currentFrame;
