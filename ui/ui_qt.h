// The seam for gadget kinds made outside this folder (the code editor): they
// build their own QWidget and register it here, so that windows address it by
// number like any other gadget. Only ui/ and codeeditor/ include this file.
#pragma once

#include <QImage>
#include <QWidget>

#include <string>

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
// The top-level widget of a window, nullptr when there is none.
QWidget* windowWidget(int window);
// A copy of a numbered image for showing on screen (null image when none).
QImage imageToQImage(int image);
// The Qt font of a loaded font number (the default font for an unknown one).
QFont fontOf(int font);
// The font a widget draws its text in: its own, or for a label or drop-down
// whose text is a little too wide for it, that font condensed.
QFont shownFont(const QWidget* widget);

// Text access of a registered kind, so that setGadgetText, getGadgetText and
// the test driver's text steps work on it like on a built-in field. The
// setter must not post a change event itself: for the program's own changes
// there is none, and the driver posts one after it types a text.
struct CustomGadgetHooks {
  void (*setText)(int gadget, const std::string& text) = nullptr;
  std::string (*getText)(int gadget) = nullptr;
};
void registerGadgetHooks(int kind, const CustomGadgetHooks& hooks);
