// A scripted stand-in for the window layer, so that the shell's windows run
// in plain tests: it keeps windows, gadgets and menus as records, takes its
// events from a queue of steps, answers requesters from a queue of answers
// and logs every message shown.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace fake {

struct Window {
  std::string title;
  int x = 0, y = 0, w = 0, h = 0, flags = 0, parent = 0, state = 0;
  bool disabled = false, onTop = false, centeredOn = false;
  int centerTarget = -1;
};

struct Gadget {
  int kind = 0, window = 0, container = 0, tab = -1;
  int x = 0, y = 0, w = 0, h = 0, flags = 0;
  std::string text, name, tooltip;
  int state = 0, image = 0, font = 0, front = -1, back = -1;
  bool disabled = false, hidden = false;
  std::vector<std::string> items;
  std::vector<int> itemImages;
  std::map<int, int> attributes;
};

struct MenuItem {
  int item;
  std::string text;
  int image;
  std::string title;   // the menu title it stands under; "" in a popup
};

struct Message {
  std::string title, text;
  int flags;
};

struct State {
  std::map<int, Window> windows;
  std::vector<int> windowOrder;   // open windows, oldest first
  std::map<int, Gadget> gadgets;
  std::map<int, std::vector<MenuItem>> menus;   // menu bars and popups
  std::map<int, std::map<int, int>> shortcuts;  // window -> shortcut -> item
  std::vector<std::pair<int, int>> popupsShown; // (menu, window)
  std::vector<Message> messages;
  std::vector<int> answers;                     // for yes/no requesters, in order
  std::vector<int> colors;                      // for colour requesters
  std::vector<std::string> openedTitles;        // every window opened, in order
  std::vector<std::string> statusTexts;         // every text the status button showed
  std::string programFolder;
  int defaultFont = 0;
};

State& state();
// Empties everything but the program folder.
void reset();

// A step runs when a loop waits for an event; it returns the event kind to
// deliver (with event() filled) or 0 to go on with the next step.
using Step = std::function<int()>;
void queue(Step step);
size_t pendingSteps();

// The newest open window, and gadgets found in it by name or by text.
int topWindow();
int gadgetNamed(const std::string& name, int window = 0);
int gadgetWithText(const std::string& text, int window = 0);
// Gadgets in a window (any depth), in creation order.
std::vector<int> gadgetsOf(int window);

// Steps for common actions; gadgets are found when the step runs.
Step click(const std::string& text, int type = 1 /* ET_LEFTCLICK */);
Step clickNamed(const std::string& name, int type = 1);
Step clickGadget(int gadget, int type = 1);
Step type(const std::string& name, const std::string& text);
Step menu(int item, int window = 13);
Step windowEvent(int kind, int window = 0);   // 0: the top window
Step check(std::function<void()> f);          // runs f, delivers nothing

}  // namespace fake
