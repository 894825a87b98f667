// The seam for gadget kinds made outside this folder (the code editor): they
// build their own QWidget and register it here, so that windows address it by
// number like any other gadget. Only ui/ and codeeditor/ include this file.
#pragma once

#include <QImage>
#include <QWidget>

// The widget that gadgets made now go into (window inner area, panel page,
// scroll area or container); nullptr when there is no current gadget list.
QWidget* currentGadgetParent();
// Registers a widget made in currentGadgetParent() as gadget `number`
// (UI_ANY picks one) of kind `kind` (GK_CUSTOM or above), places it at
// (x, y, w, h) and shows it. `onFree` runs before the widget is deleted by
// freeGadget or closeWindow. Returns the gadget number, 0 on failure.
int registerGadget(int number, QWidget* widget, int kind, int x, int y, int w, int h,
                   void (*onFree)(int gadget) = nullptr);
// The widget of a gadget, nullptr when there is none.
QWidget* gadgetWidget(int gadget);
// A copy of a numbered image for showing on screen (null image when none).
QImage imageToQImage(int image);
// The Qt font of a loaded font number (the default font for an unknown one).
QFont fontOf(int font);
