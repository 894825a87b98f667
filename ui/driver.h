// The scripted test driver. A window test queues steps and requester answers,
// then calls the window procedure. Whenever a window loop would wait with an
// empty event queue, the driver runs the next step against the real widgets,
// whose signals fill the queue as a user's input would. Requesters take the
// queued answers in order and check their title and text.
//
// Nothing can hang: a loop that waits with no step left, a requester that no
// answer expects, and steps left over at driverCheckDone report a failure at
// once, naming the waiting window and the last steps run. After a failure a
// waiting loop gets close events for the newest window; a loop that still
// does not end stops the test program.
//
// Example:
//   driverStart();
//   driverSetText("name", "mygame");
//   driverClick("OK");
//   askProjectName();
//   driverCheckDone();
//   EXPECT_EQ(projectName, "mygame");
#pragma once

#include <functional>
#include <string>

// A gadget as a step names it: its number, or a name that its window gave it
// with nameGadget, or else the text of a button, check box or option. Names
// are looked up when the step runs, in the newest window first.
struct GadgetRef {
  GadgetRef(int n) : number(n) {}
  GadgetRef(const char* s) : name(s) {}
  GadgetRef(const std::string& s) : name(s) {}
  int number = 0;
  std::string name;
};

// A window: its number or its title; 0 (or "") is the newest open window.
struct WindowRef {
  WindowRef(int n) : number(n) {}
  WindowRef(const char* s) : title(s) {}
  WindowRef(const std::string& s) : title(s) {}
  int number = 0;
  std::string title;
};

// Switches the driver on with no steps; requesters and timers go through it.
void driverStart();
// Reports steps and answers left over (a failure) and forgets them; true
// when everything queued was used. The driver stays on.
bool driverCheckDone();
// Switches the driver off; the platform's requesters and timers come back.
void driverStop();
// Closes every window, frees every menu, empties the event queue and the
// steps, and switches the driver off.
void driverReset();
bool driverActive();
// Where failures go (the test support puts a gtest failure there). Without
// one a failure is printed and the program aborts. With one, a window loop
// that waits without limit while the driver is off fails as well.
void driverOnFailure(void (*report)(const std::string& message));
// How many failures the driver reported since driverStart.
int driverFailures();

// ---------------------------------------------------------------- steps
void driverSetText(GadgetRef gadget, const std::string& text);   // types into a field
void driverClick(GadgetRef gadget);       // button, image button, picture, check box, option
void driverCheck(GadgetRef gadget, bool checked);  // clicks only when the state differs
void driverDoubleClick(GadgetRef gadget); // picture gadget
void driverRightClick(GadgetRef gadget);  // picture gadget
// Drop-down item, panel tab, track bar or spin value; for lists a row click.
void driverChoose(GadgetRef gadget, int index);
void driverChooseText(GadgetRef gadget, const std::string& itemText);  // drop-down item by text
void driverSelectRow(GadgetRef gadget, int row);       // left click on a row
void driverDoubleClickRow(GadgetRef gadget, int row);
void driverRightClickRow(GadgetRef gadget, int row);
void driverChoosePopupItem(int item);   // an item of the popup menu on show
void driverChooseMenu(int item);        // an item of a menu bar, newest window first
void driverShortcut(WindowRef window, int shortcut);   // SC_CONTROL | 'N' and so on
// Canvas pointer events in canvas pixels: ET_MOUSEENTER, ET_MOUSELEAVE,
// ET_MOUSEMOVE (buttons held), ET_LEFTBUTTONDOWN, ET_LEFTBUTTONUP, ET_LEFTCLICK
// (press and release), ET_LEFTDOUBLECLICK (two clicks), ET_RIGHTBUTTONDOWN,
// ET_RIGHTBUTTONUP, ET_RIGHTCLICK; buttons are BUTTON_ values, modifiers MOD_ values.
void driverCanvas(GadgetRef gadget, int type, int x, int y, int buttons = 0, int modifiers = 0);
void driverCanvasKey(GadgetRef gadget, int key, int modifiers = 0);   // press and release
// Turns the mouse wheel over the middle of a canvas or scroll area by whole
// notches: positive away from the user (up), negative towards the user (down).
void driverWheel(GadgetRef gadget, int notches);
void driverTick(WindowRef window, int timer);
void driverResize(WindowRef window, int innerWidth, int innerHeight);
void driverCloseBox(WindowRef window);   // the window manager's close request
void driverTimeout();                    // the next wait returns EV_NONE
// Runs `check` as a step, e.g. to look at a window between two steps.
void driverCall(std::function<void()> check, const std::string& what = "check");

// ---------------------------------------------------------------- requester answers
// result: MSG_RESULT_YES / MSG_RESULT_NO / MSG_RESULT_CANCEL (ignored for MSG_OK).
void driverAnswerMessage(const std::string& title, const std::string& text, int result = 3);
// An open-file or save-file requester with this title returns path ("" = cancelled).
void driverAnswerFile(const std::string& title, const std::string& path);
void driverAnswerPath(const std::string& title, const std::string& path);
void driverAnswerColor(int result);   // -1 = cancelled
void driverAnswerInput(const std::string& title, const std::string& text, const std::string& result);
