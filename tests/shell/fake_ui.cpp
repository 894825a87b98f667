#include "tests/shell/fake_ui.h"

#include <cstdio>
#include <cstdlib>
#include <deque>

#include "ui/ui.h"

namespace fake {
namespace {

State st;
std::deque<Step> steps;
int nextNumber = 100000;
int currentWindow = 0;
std::vector<std::pair<int, int>> listStack;   // (container gadget, tab)
int currentMenu = 0;
std::string currentTitle;
struct Event {
  int kind = 0, window = 0, gadget = 0, type = 0, menu = 0, timer = 0;
} ev;

int pick(int number) { return number == UI_ANY ? nextNumber++ : number; }

void removeGadgetTree(int gadget) {
  std::vector<int> children;
  for (auto& [n, g] : st.gadgets)
    if (g.container == gadget) children.push_back(n);
  for (int c : children) removeGadgetTree(c);
  st.gadgets.erase(gadget);
}

int makeGadget(int number, int kind, int x, int y, int w, int h, const std::string& text, int flags) {
  if (!currentWindow) return 0;
  int n = pick(number);
  if (st.gadgets.count(n)) removeGadgetTree(n);
  Gadget g;
  g.kind = kind;
  g.window = currentWindow;
  if (!listStack.empty()) {
    g.container = listStack.back().first;
    g.tab = listStack.back().second;
  }
  g.x = x, g.y = y, g.w = w, g.h = h, g.text = text, g.flags = flags, g.font = st.defaultFont;
  if (kind == GK_LISTVIEW || kind == GK_COMBOBOX || kind == GK_LISTICON) g.state = -1;
  st.gadgets[n] = g;
  return n;
}

Gadget* gad(int n) {
  auto it = st.gadgets.find(n);
  return it == st.gadgets.end() ? nullptr : &it->second;
}

}  // namespace

State& state() { return st; }

void reset() {
  std::string folder = st.programFolder;
  st = State();
  st.programFolder = folder;
  steps.clear();
  currentWindow = 0;
  listStack.clear();
  ev = Event();
}

void queue(Step step) { steps.push_back(std::move(step)); }
size_t pendingSteps() { return steps.size(); }

int topWindow() { return st.windowOrder.empty() ? 0 : st.windowOrder.back(); }

std::vector<int> gadgetsOf(int window) {
  std::vector<int> out;
  for (auto& [n, g] : st.gadgets)
    if (g.window == window) out.push_back(n);
  return out;
}

int gadgetNamed(const std::string& name, int window) {
  if (!window) window = topWindow();
  for (auto& [n, g] : st.gadgets)
    if (g.window == window && g.name == name) return n;
  return 0;
}

int gadgetWithText(const std::string& text, int window) {
  if (!window) window = topWindow();
  for (auto& [n, g] : st.gadgets)
    if (g.window == window && g.text == text && (g.kind == GK_BUTTON || g.kind == GK_CHECKBOX)) return n;
  return 0;
}

Step clickGadget(int gadget, int type) {
  return [gadget, type] {
    Gadget* g = gad(gadget);
    if (!g) {
      std::fprintf(stderr, "fake ui: no gadget %d to click\n", gadget);
      return 0;
    }
    if (g->kind == GK_CHECKBOX) g->state = !g->state;
    ev = Event{EV_GADGET, g->window, gadget, type, 0, 0};
    return int(EV_GADGET);
  };
}

Step click(const std::string& text, int type) {
  return [text, type] {
    int g = gadgetWithText(text);
    if (!g) std::fprintf(stderr, "fake ui: no \"%s\" in \"%s\"\n", text.c_str(), st.windows[topWindow()].title.c_str());
    return clickGadget(g, type)();
  };
}

Step clickNamed(const std::string& name, int type) {
  return [name, type] {
    int g = gadgetNamed(name);
    if (!g) std::fprintf(stderr, "fake ui: no gadget named \"%s\"\n", name.c_str());
    return clickGadget(g, type)();
  };
}

Step type(const std::string& name, const std::string& text) {
  return [name, text] {
    if (Gadget* g = gad(gadgetNamed(name))) g->text = text;
    return 0;
  };
}

Step menu(int item, int window) {
  return [item, window] {
    ev = Event{EV_MENU, window, 0, 0, item, 0};
    return int(EV_MENU);
  };
}

Step windowEvent(int kind, int window) {
  return [kind, window] {
    ev = Event{kind, window ? window : topWindow(), 0, 0, 0, 0};
    return kind;
  };
}

Step check(std::function<void()> f) {
  return [f] {
    f();
    return 0;
  };
}

}  // namespace fake

using namespace fake;

// ---------------------------------------------------------------- windows
int openWindow(int number, int x, int y, int w, int h, const std::string& title, int flags, int parent) {
  int n = pick(number);
  Window win;
  win.title = title, win.x = x, win.y = y, win.w = w, win.h = h, win.flags = flags, win.parent = parent;
  win.state = flags & WIN_MAXIMIZE ? WINSTATE_MAXIMIZED : WINSTATE_NORMAL;
  st.windows[n] = win;
  st.windowOrder.push_back(n);
  st.openedTitles.push_back(title);
  currentWindow = n;
  listStack.clear();
  return n;
}
void closeWindow(int window) {
  for (int g : gadgetsOf(window)) st.gadgets.erase(g);
  st.windows.erase(window);
  std::erase(st.windowOrder, window);
  st.shortcuts.erase(window);
  if (currentWindow == window) currentWindow = topWindow();
}
bool isWindow(int window) { return st.windows.count(window) != 0; }
void setWindowTitle(int window, const std::string& title) { st.windows[window].title = title; }
std::string getWindowTitle(int window) { return isWindow(window) ? st.windows[window].title : ""; }
void disableWindow(int window, bool disabled) {
  if (isWindow(window)) st.windows[window].disabled = disabled;
}
bool isWindowDisabled(int window) { return isWindow(window) && st.windows[window].disabled; }
void activateWindow(int) {}
void setWindowStayOnTop(int window, bool onTop) {
  if (isWindow(window)) st.windows[window].onTop = onTop;
}
void setWindowState(int window, int s) {
  if (!isWindow(window)) return;
  Window& w = st.windows[window];
  w.state = s;
  if (s == WINSTATE_MAXIMIZED) w.w = 1270, w.h = 990;
}
int getWindowState(int window) { return isWindow(window) ? st.windows[window].state : 0; }
void resizeWindow(int window, int x, int y, int w, int h) {
  if (!isWindow(window)) return;
  Window& win = st.windows[window];
  if (x != UI_IGNORE) win.x = x;
  if (y != UI_IGNORE) win.y = y;
  if (w != UI_IGNORE) win.w = w;
  if (h != UI_IGNORE) win.h = h;
}
int windowX(int window) { return isWindow(window) ? st.windows[window].x : 0; }
int windowY(int window) { return isWindow(window) ? st.windows[window].y : 0; }
int windowWidth(int window) { return isWindow(window) ? st.windows[window].w : 0; }
int windowHeight(int window) { return isWindow(window) ? st.windows[window].h : 0; }
void setWindowColor(int, int) {}
void centerWindow(int window, int onWindow) {
  if (!isWindow(window)) return;
  st.windows[window].centeredOn = true;
  st.windows[window].centerTarget = onWindow;
}
int menuHeight() { return 0; }
int desktopWidth() { return 1280; }
int desktopHeight() { return 1024; }
void useGadgetList(int window) {
  currentWindow = window;
  listStack.clear();
}

// ---------------------------------------------------------------- events
int waitWindowEvent(int) {
  while (!steps.empty()) {
    Step s = std::move(steps.front());
    steps.pop_front();
    int kind = s();
    if (kind) return kind;
  }
  std::fprintf(stderr, "fake ui: a loop waits with no step left; top window \"%s\"\n",
               getWindowTitle(topWindow()).c_str());
  std::abort();
}
int windowEvent() { return steps.empty() ? EV_NONE : waitWindowEvent(0); }
int eventWindow() { return ev.window; }
int eventGadget() { return ev.gadget; }
int eventType() { return ev.type; }
int eventMenu() { return ev.menu; }
int eventTimer() { return ev.timer; }
void postEvent(int kind, int window, int object, int type) {
  queue([=] {
    ev = Event{kind, window, kind == EV_GADGET ? object : 0, type, kind == EV_MENU ? object : 0, 0};
    return kind;
  });
}

// ---------------------------------------------------------------- gadgets
int buttonGadget(int n, int x, int y, int w, int h, const std::string& t, int f) {
  return makeGadget(n, GK_BUTTON, x, y, w, h, t, f);
}
int buttonImageGadget(int n, int x, int y, int w, int h, int image, int f) {
  int g = makeGadget(n, GK_BUTTONIMAGE, x, y, w, h, "", f);
  if (g) st.gadgets[g].image = image;
  return g;
}
int imageGadget(int n, int x, int y, int w, int h, int image, int f) {
  int g = makeGadget(n, GK_IMAGE, x, y, w, h, "", f);
  if (g) st.gadgets[g].image = image;
  return g;
}
int textGadget(int n, int x, int y, int w, int h, const std::string& t, int f) {
  return makeGadget(n, GK_TEXT, x, y, w, h, t, f);
}
int stringGadget(int n, int x, int y, int w, int h, const std::string& t, int f) {
  return makeGadget(n, GK_STRING, x, y, w, h, t, f);
}
int editorGadget(int n, int x, int y, int w, int h, int f) { return makeGadget(n, GK_EDITOR, x, y, w, h, "", f); }
int checkBoxGadget(int n, int x, int y, int w, int h, const std::string& t, int f) {
  return makeGadget(n, GK_CHECKBOX, x, y, w, h, t, f);
}
int optionGadget(int n, int x, int y, int w, int h, const std::string& t) {
  return makeGadget(n, GK_OPTION, x, y, w, h, t, 0);
}
int comboBoxGadget(int n, int x, int y, int w, int h, int f) { return makeGadget(n, GK_COMBOBOX, x, y, w, h, "", f); }
int listViewGadget(int n, int x, int y, int w, int h, int f) { return makeGadget(n, GK_LISTVIEW, x, y, w, h, "", f); }
int listIconGadget(int n, int x, int y, int w, int h, const std::string& t, int, int f) {
  return makeGadget(n, GK_LISTICON, x, y, w, h, t, f);
}
int treeGadget(int n, int x, int y, int w, int h, int f) { return makeGadget(n, GK_TREE, x, y, w, h, "", f); }
int panelGadget(int n, int x, int y, int w, int h) { return makeGadget(n, GK_PANEL, x, y, w, h, "", 0); }
int scrollAreaGadget(int n, int x, int y, int w, int h, int iw, int ih, int step, int f) {
  int g = makeGadget(n, GK_SCROLLAREA, x, y, w, h, "", f);
  if (g) {
    st.gadgets[g].attributes[ATTR_SCROLL_INNERWIDTH] = iw;
    st.gadgets[g].attributes[ATTR_SCROLL_INNERHEIGHT] = ih;
    st.gadgets[g].attributes[ATTR_SCROLL_STEP] = step;
  }
  return g;
}
int containerGadget(int n, int x, int y, int w, int h, int f) { return makeGadget(n, GK_CONTAINER, x, y, w, h, "", f); }
int frameGadget(int n, int x, int y, int w, int h, const std::string& t, int f) {
  return makeGadget(n, GK_FRAME, x, y, w, h, t, f);
}
int trackBarGadget(int n, int x, int y, int w, int h, int, int, int f) {
  return makeGadget(n, GK_TRACKBAR, x, y, w, h, "", f);
}
int spinGadget(int n, int x, int y, int w, int h, int, int, int f) { return makeGadget(n, GK_SPIN, x, y, w, h, "", f); }
int canvasGadget(int n, int x, int y, int w, int h, int f) { return makeGadget(n, GK_CANVAS, x, y, w, h, "", f); }

void openGadgetList(int gadget, int item) {
  if (Gadget* g = gad(gadget)) {
    currentWindow = g->window;
    listStack.push_back({gadget, g->kind == GK_PANEL ? item : -1});
  }
}
void closeGadgetList() {
  if (!listStack.empty()) listStack.pop_back();
}
bool isGadget(int gadget) { return gad(gadget) != nullptr; }
int gadgetKind(int gadget) { return gad(gadget) ? gad(gadget)->kind : 0; }
int gadgetWindow(int gadget) { return gad(gadget) ? gad(gadget)->window : 0; }
void freeGadget(int gadget) { removeGadgetTree(gadget); }
void setGadgetText(int gadget, const std::string& text) {
  if (gadget == 34) st.statusTexts.push_back(text);
  if (Gadget* g = gad(gadget)) g->text = text;
}
std::string getGadgetText(int gadget) { return gad(gadget) ? gad(gadget)->text : ""; }
void setGadgetState(int gadget, int s) {
  if (Gadget* g = gad(gadget)) g->state = s;
}
int getGadgetState(int gadget) { return gad(gadget) ? gad(gadget)->state : 0; }
void setGadgetFont(int gadget, int font) {
  if (Gadget* g = gad(gadget)) g->font = font;
}
void setGadgetColor(int gadget, int which, int color) {
  if (Gadget* g = gad(gadget)) (which == COLOR_FRONT ? g->front : g->back) = color;
}
int getGadgetColor(int gadget, int which) {
  Gadget* g = gad(gadget);
  return g ? (which == COLOR_FRONT ? g->front : g->back) : -1;
}
void resizeGadget(int gadget, int x, int y, int w, int h) {
  Gadget* g = gad(gadget);
  if (!g) return;
  if (x != UI_IGNORE) g->x = x;
  if (y != UI_IGNORE) g->y = y;
  if (w != UI_IGNORE) g->w = w;
  if (h != UI_IGNORE) g->h = h;
}
int gadgetX(int gadget) { return gad(gadget) ? gad(gadget)->x : 0; }
int gadgetY(int gadget) { return gad(gadget) ? gad(gadget)->y : 0; }
int gadgetWidth(int gadget) { return gad(gadget) ? gad(gadget)->w : 0; }
int gadgetHeight(int gadget) { return gad(gadget) ? gad(gadget)->h : 0; }
void disableGadget(int gadget, bool d) {
  if (Gadget* g = gad(gadget)) g->disabled = d;
}
bool isGadgetDisabled(int gadget) { return gad(gadget) && gad(gadget)->disabled; }
void hideGadget(int gadget, bool h) {
  if (Gadget* g = gad(gadget)) g->hidden = h;
}
void gadgetToolTip(int gadget, const std::string& text) {
  if (Gadget* g = gad(gadget)) g->tooltip = text;
}
void setActiveGadget(int) {}

int addGadgetItem(int gadget, int position, const std::string& text, int image, int) {
  Gadget* g = gad(gadget);
  if (!g) return -1;
  if (position < 0 || position > int(g->items.size())) position = int(g->items.size());
  g->items.insert(g->items.begin() + position, text);
  g->itemImages.insert(g->itemImages.begin() + position, image);
  return position;
}
void removeGadgetItem(int gadget, int position) {
  Gadget* g = gad(gadget);
  if (g && position >= 0 && position < int(g->items.size())) {
    g->items.erase(g->items.begin() + position);
    g->itemImages.erase(g->itemImages.begin() + position);
  }
}
void clearGadgetItems(int gadget) {
  if (Gadget* g = gad(gadget)) g->items.clear(), g->itemImages.clear(), g->state = -1;
}
int countGadgetItems(int gadget) { return gad(gadget) ? int(gad(gadget)->items.size()) : 0; }
void setGadgetItemText(int gadget, int item, const std::string& text, int) {
  Gadget* g = gad(gadget);
  if (g && item >= 0 && item < int(g->items.size())) g->items[size_t(item)] = text;
}
std::string getGadgetItemText(int gadget, int item, int) {
  Gadget* g = gad(gadget);
  return g && item >= 0 && item < int(g->items.size()) ? g->items[size_t(item)] : "";
}
void setGadgetItemState(int, int, int) {}
int getGadgetItemState(int, int) { return 0; }
void setGadgetItemData(int, int, int64_t) {}
int64_t getGadgetItemData(int, int) { return 0; }
void setGadgetItemImage(int, int, int) {}
void addGadgetColumn(int, int, const std::string&, int) {}

void setGadgetAttribute(int gadget, int attribute, int value) {
  Gadget* g = gad(gadget);
  if (!g) return;
  if (attribute == ATTR_IMAGE) g->image = value;
  g->attributes[attribute] = value;
}
int getGadgetAttribute(int gadget, int attribute) {
  Gadget* g = gad(gadget);
  if (!g) return 0;
  // A panel's pages: its size less a frame and the tab row.
  if (g->kind == GK_PANEL && attribute == ATTR_PANEL_ITEMWIDTH) return g->w - 10;
  if (g->kind == GK_PANEL && attribute == ATTR_PANEL_ITEMHEIGHT) return g->h - 30;
  if (attribute == ATTR_IMAGE) return g->image;
  return g->attributes.count(attribute) ? g->attributes[attribute] : 0;
}
void nameGadget(int gadget, const std::string& name) {
  if (Gadget* g = gad(gadget)) g->name = name;
}
int gadgetByName(int window, const std::string& name) { return gadgetNamed(name, window); }

int canvasImage(int) { return 0; }
void refreshCanvas(int) {}
int canvasMouseX(int) { return 0; }
int canvasMouseY(int) { return 0; }
int canvasButtons(int) { return 0; }
int canvasModifiers(int) { return 0; }
int canvasKey(int) { return 0; }
int canvasWheelDelta(int) { return 0; }
int canvasSnapshot(int) { return 0; }

// ---------------------------------------------------------------- menus
int createMenu(int number, int) {
  currentMenu = pick(number);
  st.menus[currentMenu].clear();
  return currentMenu;
}
void menuTitle(const std::string& title) { currentTitle = title; }
void menuItem(int item, const std::string& text, int image) {
  st.menus[currentMenu].push_back({item, text, image, currentTitle});
}
void menuBar() { st.menus[currentMenu].push_back({0, "", 0, currentTitle}); }
void openSubMenu(const std::string&, int) {}
void closeSubMenu() {}
int createPopupMenu(int number) {
  currentTitle = "";
  return createMenu(number, 0);
}
void displayPopupMenu(int menu, int window) { st.popupsShown.push_back({menu, window}); }
bool isMenu(int menu) { return st.menus.count(menu) != 0; }
void freeMenu(int menu) { st.menus.erase(menu); }
void disableMenuItem(int, int, bool) {}
void setMenuItemState(int, int, int) {}
int getMenuItemState(int, int) { return 0; }
std::string getMenuItemText(int menu, int item) {
  for (const MenuItem& m : st.menus[menu])
    if (m.item == item) return m.text;
  return "";
}
void addKeyboardShortcut(int window, int shortcut, int item) { st.shortcuts[window][shortcut] = item; }
void removeKeyboardShortcut(int window, int shortcut) { st.shortcuts[window].erase(shortcut); }

void addWindowTimer(int, int, int) {}
void removeWindowTimer(int, int) {}
void setDefaultGadgetFont(int font) { st.defaultFont = font; }

// ---------------------------------------------------------------- requesters
int messageRequester(const std::string& title, const std::string& text, int flags) {
  st.messages.push_back({title, text, flags});
  if (flags == MSG_OK) return MSG_RESULT_OK;
  if (st.answers.empty()) {
    std::fprintf(stderr, "fake ui: unanswered question \"%s\"\n", text.c_str());
    return MSG_RESULT_NO;
  }
  int answer = st.answers.front();
  st.answers.erase(st.answers.begin());
  return answer;
}
std::string openFileRequester(const std::string&, const std::string&, const std::string&, int) { return ""; }
std::string saveFileRequester(const std::string&, const std::string&, const std::string&, int) { return ""; }
std::string pathRequester(const std::string&, const std::string&) { return ""; }
int colorRequester(int) {
  if (st.colors.empty()) return -1;
  int c = st.colors.front();
  st.colors.erase(st.colors.begin());
  return c;
}
std::string inputRequester(const std::string&, const std::string&, const std::string&) { return ""; }

void initUi(int, char**) {}
std::string programFolder() { return st.programFolder; }
