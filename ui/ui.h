// The window layer: windows, gadgets, menus, events, timers, fonts and
// requesters, all addressed by number. Only this folder (and the code editor
// gadget) sees Qt; everything above calls these procedures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Pass as a number to let the layer pick one. Picked numbers are never 0 and
// never collide with the fixed numbers the program uses (they start high).
constexpr int UI_ANY = -1;
// Pass to resizeWindow/resizeGadget to keep that coordinate.
constexpr int UI_IGNORE = -2147483647 - 1;

// ---------------------------------------------------------------- windows
enum WindowFlag : int {
  WIN_TITLEBAR = 1 << 0,      // title bar only, no close box
  WIN_CLOSEBOX = 1 << 1,
  WIN_MINIMIZEBOX = 1 << 2,
  WIN_MAXIMIZEBOX = 1 << 3,
  WIN_SIZEGADGET = 1 << 4,    // resizable frame
  WIN_BORDERLESS = 1 << 5,
  WIN_SCREENCENTERED = 1 << 6,
  WIN_STAYONTOP = 1 << 7,
  WIN_MAXIMIZE = 1 << 8,      // open maximised
  WIN_INVISIBLE = 1 << 9,
  WIN_WINDOWCENTERED = 1 << 10, // centred on the parent window
  WIN_FULLSCREEN = 1 << 11,   // may fill the screen: F11 toggles full-screen mode
};

enum WindowState : int { WINSTATE_NORMAL = 0, WINSTATE_MAXIMIZED = 1, WINSTATE_MINIMIZED = 2 };

// Opens a window with the given inner size; parent is a window number or 0.
// (x, y) here, in resizeWindow and from windowX/windowY is the top-left
// corner of the window's frame, its title bar included.
// Returns the window number (the given one, or a picked one for UI_ANY), 0 on failure.
// The new window becomes the current gadget list.
int openWindow(int number, int x, int y, int innerWidth, int innerHeight, const std::string& title,
               int flags, int parent = 0);
void closeWindow(int window);
// Waits until the window system shows the window (at most a second) and
// paints it, so that it is seen while the program works on.
void paintWindowNow(int window);
// Waits ms milliseconds while the windows keep painting; input waits.
void waitPainting(int ms);
bool isWindow(int window);
void setWindowTitle(int window, const std::string& title);
std::string getWindowTitle(int window);
void disableWindow(int window, bool disabled);
bool isWindowDisabled(int window);
void activateWindow(int window);
void setWindowStayOnTop(int window, bool onTop);
void setWindowState(int window, int state);
int getWindowState(int window);
// True while a window opened with WIN_FULLSCREEN fills the screen.
bool isWindowFullScreen(int window);
void resizeWindow(int window, int x, int y, int innerWidth, int innerHeight);
int windowX(int window);
int windowY(int window);
int windowWidth(int window);   // inner width
int windowHeight(int window);  // inner height
void setWindowColor(int window, int color);
// Centres the window on another, or (0) on the available area of the screen
// that holds the first window opened (the main window); along a side where
// the window is larger than that area, it goes to the area's start.
void centerWindow(int window, int onWindow = 0);
// Whether a window whose frame has its top-left corner at (x, y) and this
// inner width would show the middle of its title bar, top to bottom, in the
// available area of a screen.
bool isTitleBarOnScreen(int x, int y, int innerWidth);
int menuHeight();                                 // 0: the menu bar sits above the inner area
int desktopWidth();
int desktopHeight();
// Makes gadget creation go into this window again.
void useGadgetList(int window);

// ---------------------------------------------------------------- events
enum EventKind : int {
  EV_NONE = 0,
  EV_CLOSEWINDOW,
  EV_SIZEWINDOW,
  EV_MOVEWINDOW,
  EV_MINIMIZEWINDOW,
  EV_MAXIMIZEWINDOW,
  EV_RESTOREWINDOW,
  EV_GADGET,
  EV_MENU,   // a menu item, its keyboard shortcut or a popup item
  EV_TIMER,
  EV_ACTIVATEWINDOW,
};

enum EventType : int {
  ET_NONE = 0,
  ET_LEFTCLICK,
  ET_RIGHTCLICK,
  ET_LEFTDOUBLECLICK,
  ET_RIGHTDOUBLECLICK,
  ET_CHANGE,
  ET_FOCUS,
  ET_LOSTFOCUS,
  // canvas events
  ET_MOUSEENTER,
  ET_MOUSELEAVE,
  ET_MOUSEMOVE,
  ET_LEFTBUTTONDOWN,
  ET_LEFTBUTTONUP,
  ET_RIGHTBUTTONDOWN,
  ET_RIGHTBUTTONUP,
  ET_KEYDOWN,
  ET_KEYUP,
  ET_MOUSEWHEEL,
};

// What each gadget sends (only for the user's input, never for the program's
// own setGadgetText / setGadgetState / addGadgetItem):
//   button, image button, picture, check box, option: ET_LEFTCLICK; a picture
//     also ET_LEFTDOUBLECLICK (after the click of its first press) and ET_RIGHTCLICK;
//   string field, editor: ET_CHANGE, ET_FOCUS, ET_LOSTFOCUS;
//   combo box, track bar, spin, panel (another tab): ET_CHANGE;
//   list view, list icon, tree: ET_LEFTCLICK, ET_LEFTDOUBLECLICK (after the
//     click), ET_RIGHTCLICK (the row under it is selected first), ET_CHANGE
//     (another row from the keyboard);
//   canvas: the pointer and key types below; a double click is DOWN, UP,
//     CLICK, DOWN, DOUBLECLICK, UP (its second release is no click).
// Waits for the next event of any window (one global queue). timeoutMs < 0
// waits without limit; on timeout returns EV_NONE.
int waitWindowEvent(int timeoutMs = -1);
// Takes an event if one is queued, else EV_NONE; does not wait.
int windowEvent();
int eventWindow();
int eventGadget();
int eventType();
int eventMenu();
int eventTimer();
// Puts an event of the program's own into the queue.
void postEvent(int kind, int window, int object, int type = ET_NONE);
// For a window that holds no loop of its own and stays open beside the
// others: its events no longer come out of waitWindowEvent or windowEvent,
// but whichever loop takes one hands it to the handler, which reads it with
// eventGadget and the rest. The handler may close the window; it must not
// wait for events itself. nullptr gives the events back to the loops.
void setWindowEventHandler(int window, void (*handler)(int event));

// ---------------------------------------------------------------- gadgets
enum GadgetKind : int {
  GK_NONE = 0,
  GK_BUTTON,
  GK_BUTTONIMAGE,
  GK_IMAGE,
  GK_TEXT,
  GK_STRING,
  GK_EDITOR,
  GK_CHECKBOX,
  GK_OPTION,
  GK_COMBOBOX,
  GK_LISTVIEW,
  GK_LISTICON,
  GK_TREE,
  GK_PANEL,
  GK_SCROLLAREA,
  GK_CONTAINER,
  GK_TRACKBAR,
  GK_CANVAS,
  GK_FRAME,
  GK_SPIN,
  GK_TEXTVIEW,
  GK_CUSTOM = 100,   // registered kinds, e.g. the code editor
};

enum GadgetFlag : int {
  // buttons
  BTN_TOGGLE = 1 << 0,
  BTN_DEFAULT = 1 << 1,
  // image gadget
  IMG_BORDER = 1 << 2,       // sunken frame
  IMG_CENTER = 1 << 3,       // show the picture unscaled and centred
  // text (label)
  TEXT_CENTER = 1 << 4,
  TEXT_RIGHT = 1 << 5,
  TEXT_BORDER = 1 << 6,
  // string field
  STR_NUMERIC = 1 << 7,      // digits only
  STR_READONLY = 1 << 8,
  STR_BORDERLESS = 1 << 9,
  STR_PASSWORD = 1 << 10,
  // editor
  ED_READONLY = 1 << 11,
  ED_WORDWRAP = 1 << 12,
  // combo box
  COMBO_EDITABLE = 1 << 13,
  COMBO_IMAGE = 1 << 14,     // items carry 16 x 16 pictures
  // list icon
  LI_FULLROWSELECT = 1 << 15,
  LI_GRIDLINES = 1 << 16,
  LI_CHECKBOXES = 1 << 17,
  LI_MULTISELECT = 1 << 18,
  LI_ICONVIEW = 1 << 19,     // large icons in a flow, text below
  // scroll area, container, frame
  BORDER_SINGLE = 1 << 20,
  BORDER_FLAT = 1 << 21,
  BORDER_NONE = 1 << 22,
  // track bar
  TRACK_TICKS = 1 << 23,
  // canvas
  CANVAS_KEYBOARD = 1 << 24, // takes key presses
  CANVAS_BORDER = 1 << 25,
};

// Gadgets are created in the current gadget list: the last opened window, or
// the inside of a panel tab, scroll area or container opened with openGadgetList.
// Each returns the gadget number (the given one or a picked one), 0 on failure.
int buttonGadget(int number, int x, int y, int w, int h, const std::string& text, int flags = 0);
int buttonImageGadget(int number, int x, int y, int w, int h, int image, int flags = 0);
int imageGadget(int number, int x, int y, int w, int h, int image, int flags = 0);
int textGadget(int number, int x, int y, int w, int h, const std::string& text, int flags = 0);
int stringGadget(int number, int x, int y, int w, int h, const std::string& text, int flags = 0);
int editorGadget(int number, int x, int y, int w, int h, int flags = 0);
int checkBoxGadget(int number, int x, int y, int w, int h, const std::string& text, int flags = 0);
// Option gadgets made one after the other in the same list form one group.
int optionGadget(int number, int x, int y, int w, int h, const std::string& text);
int comboBoxGadget(int number, int x, int y, int w, int h, int flags = 0);
int listViewGadget(int number, int x, int y, int w, int h, int flags = 0);
int listIconGadget(int number, int x, int y, int w, int h, const std::string& firstColumnTitle,
                   int firstColumnWidth, int flags = 0);
int treeGadget(int number, int x, int y, int w, int h, int flags = 0);
int panelGadget(int number, int x, int y, int w, int h);
int scrollAreaGadget(int number, int x, int y, int w, int h, int innerWidth, int innerHeight,
                     int scrollStep = 10, int flags = 0);
int containerGadget(int number, int x, int y, int w, int h, int flags = 0);
int frameGadget(int number, int x, int y, int w, int h, const std::string& text, int flags = 0);
int trackBarGadget(int number, int x, int y, int w, int h, int minimum, int maximum, int flags = 0);
int spinGadget(int number, int x, int y, int w, int h, int minimum, int maximum, int flags = 0);
int canvasGadget(int number, int x, int y, int w, int h, int flags = 0);
// A read-only rich-text view in a scrolling frame (scroll bars when needed);
// its text can be selected, not changed. getGadgetText gives its plain text.
int textViewGadget(int number, int x, int y, int w, int h);
// flag 1: lines wrap at the view's width and follow it when the view is
// resized; 0: lines are as long as their text.
void setTextViewWordWrap(int gadget, int flag);
// Replaces the view's content with the RTF document of `length` bytes at
// `data` and shows its top. Returns 1; 0, leaving the view as it was, when
// the bytes are no readable RTF or the gadget is no text view.
int setTextViewRtf(int gadget, const char* data, size_t length);

// Gadgets made after this go inside the panel's tab `item` (a panel), or inside
// the scroll area / container (item ignored), until closeGadgetList.
void openGadgetList(int gadget, int item = -1);
void closeGadgetList();

bool isGadget(int gadget);
// The number of gadgets that exist, in every window.
int liveGadgetCount();
int gadgetKind(int gadget);
int gadgetWindow(int gadget);
void freeGadget(int gadget);
void setGadgetText(int gadget, const std::string& text);
std::string getGadgetText(int gadget);
// Paints the gadget at once, for a text shown before the program goes on working.
void paintGadgetNow(int gadget);
// After ms milliseconds, while the program waits for events, the gadget's
// text becomes `text`; nothing blocks meanwhile. A later call for the same
// gadget replaces a pending one.
void setGadgetTextLater(int gadget, int ms, const std::string& text);
// State: check box / option / toggle button (0/1), combo box / list / list
// icon (selected index, -1 none), panel (current tab), track bar / spin (value).
void setGadgetState(int gadget, int state);
int getGadgetState(int gadget);
void setGadgetFont(int gadget, int font);
void setGadgetColor(int gadget, int which, int color);
int getGadgetColor(int gadget, int which);
enum ColorWhich : int { COLOR_FRONT = 1, COLOR_BACK = 2 };
void resizeGadget(int gadget, int x, int y, int w, int h);
int gadgetX(int gadget);
int gadgetY(int gadget);
int gadgetWidth(int gadget);
int gadgetHeight(int gadget);
void disableGadget(int gadget, bool disabled);
bool isGadgetDisabled(int gadget);
void hideGadget(int gadget, bool hidden);
// While frozen, a gadget and the gadgets inside it paint nothing; unfreezing
// paints it once, whole, so that thousands of gadgets made inside a frozen
// one cost no repaint each.
void freezeGadget(int gadget, bool frozen);
void gadgetToolTip(int gadget, const std::string& text);
void setActiveGadget(int gadget);

// Items: list view / list icon rows, combo box items, panel tabs, tree nodes.
// position -1 appends. image 0 means none. For a tree, flags is the level.
// A list icon row takes its column texts separated by "\n".
int addGadgetItem(int gadget, int position, const std::string& text, int image = 0, int flags = 0);
void removeGadgetItem(int gadget, int position);
void clearGadgetItems(int gadget);
int countGadgetItems(int gadget);
void setGadgetItemText(int gadget, int item, const std::string& text, int column = 0);
std::string getGadgetItemText(int gadget, int item, int column = 0);
enum ItemState : int { ITEM_SELECTED = 1, ITEM_CHECKED = 2 };
void setGadgetItemState(int gadget, int item, int state);
int getGadgetItemState(int gadget, int item);
void setGadgetItemData(int gadget, int item, int64_t data);
int64_t getGadgetItemData(int gadget, int item);
void setGadgetItemImage(int gadget, int item, int image);
void addGadgetColumn(int gadget, int position, const std::string& title, int width);

enum GadgetAttribute : int {
  ATTR_IMAGE = 1,            // image gadget / image button: its image number
  ATTR_SCROLL_INNERWIDTH,
  ATTR_SCROLL_INNERHEIGHT,
  ATTR_SCROLL_X,
  ATTR_SCROLL_Y,
  ATTR_SCROLL_STEP,
  ATTR_TRACK_MINIMUM,
  ATTR_TRACK_MAXIMUM,
  ATTR_PANEL_ITEMWIDTH,      // the content width of a panel's pages
  ATTR_PANEL_ITEMHEIGHT,
  ATTR_LISTICON_ICONSIZE,
  ATTR_MAXLENGTH,            // string field
};
void setGadgetAttribute(int gadget, int attribute, int value);
int getGadgetAttribute(int gadget, int attribute);

// Registered names let window tests address gadgets without knowing numbers.
void nameGadget(int gadget, const std::string& name);
int gadgetByName(int window, const std::string& name);   // window 0: the newest window that has it

// ---------------------------------------------------------------- canvas
// A canvas shows a backing image that stays exactly as last drawn. Draw on it
// through its image number with the drawing procedures of ui/draw.h; the event attributes below are
// those of the last canvas event.
int canvasImage(int gadget);   // the backing image's number (drawing target)
void refreshCanvas(int gadget); // shows the backing image again after drawing
int canvasMouseX(int gadget);
int canvasMouseY(int gadget);
enum MouseButton : int { BUTTON_LEFT = 1, BUTTON_RIGHT = 2, BUTTON_MIDDLE = 4 };
int canvasButtons(int gadget);
enum Modifier : int { MOD_SHIFT = 1, MOD_ALT = 2, MOD_CONTROL = 4, MOD_COMMAND = 8 };
int canvasModifiers(int gadget);
int canvasKey(int gadget);     // a KEY_ code
int canvasWheelDelta(int gadget);
// Copies what the canvas shows into a new 32-bit image; 0 on failure.
int canvasSnapshot(int gadget);

enum KeyCode : int {
  KEY_NONE = 0,
  KEY_A = 'A', KEY_Z = 'Z',  // letters are their upper-case code
  KEY_0 = '0', KEY_9 = '9',
  KEY_SPACE = ' ',
  KEY_ESCAPE = 0x1000,
  KEY_RETURN,
  KEY_TAB,
  KEY_BACKSPACE,
  KEY_DELETE,
  KEY_LEFT,
  KEY_RIGHT,
  KEY_UP,
  KEY_DOWN,
  KEY_HOME,
  KEY_END,
  KEY_PAGEUP,
  KEY_PAGEDOWN,
  KEY_INSERT,
  KEY_F1 = 0x1100,  // F1..F12 are KEY_F1 + n - 1
};

// ---------------------------------------------------------------- menus
// A menu bar for a window; items go to the menu opened last with menuTitle.
int createMenu(int number, int window);
void menuTitle(const std::string& title);
// text may hold a tab: the part after it is shown as the shortcut text.
void menuItem(int item, const std::string& text, int image = 0);
void menuBar();   // a separator
void openSubMenu(const std::string& text, int image = 0);
void closeSubMenu();
int createPopupMenu(int number);
void displayPopupMenu(int menu, int window);
bool isMenu(int menu);
void freeMenu(int menu);
void disableMenuItem(int menu, int item, bool disabled);
void setMenuItemState(int menu, int item, int state);
int getMenuItemState(int menu, int item);
std::string getMenuItemText(int menu, int item);
// The items of the program's application menu: on Linux About goes to the end
// of the Help menu, Preferences and Quit to the end of the File menu.
enum AppMenuItem : int { APPMENU_ABOUT = -1, APPMENU_PREFERENCES = -2, APPMENU_QUIT = -3 };

enum Shortcut : int {
  SC_CONTROL = 1 << 16,
  SC_SHIFT = 1 << 17,
  SC_ALT = 1 << 18,
  // base keys: 'A'..'Z', '0'..'9' and the KEY_ codes
};
// A window shortcut produces the same EV_MENU event as the item `item`.
void addKeyboardShortcut(int window, int shortcut, int item);
void removeKeyboardShortcut(int window, int shortcut);

// ---------------------------------------------------------------- timers
// At most one pending tick per timer: ticks do not pile up.
void addWindowTimer(int window, int timer, int intervalMs);
void removeWindowTimer(int window, int timer);

// ---------------------------------------------------------------- fonts
enum FontStyle : int { FONT_BOLD = 1, FONT_ITALIC = 2, FONT_UNDERLINE = 4 };
// Arial and Consolas map to installed metric-compatible families.
int loadFont(int number, const std::string& family, int size, int style = 0);
bool isFont(int font);
void freeFont(int font);
void setDefaultGadgetFont(int font);  // the font of gadgets made afterwards
std::string fontFamilyName(int font); // the family actually used
// The installed family that stands in for a family name such as Arial or
// Consolas (metrics kept), or the name itself.
std::string installedFamily(const std::string& family);

// ---------------------------------------------------------------- requesters
enum MessageFlag : int { MSG_OK = 0, MSG_YESNO = 1, MSG_YESNOCANCEL = 2 };
enum MessageResult : int { MSG_RESULT_NO = 0, MSG_RESULT_YES = 1, MSG_RESULT_CANCEL = 2, MSG_RESULT_OK = 3 };
int messageRequester(const std::string& title, const std::string& text, int flags = MSG_OK);
// pattern: "desc|pattern|desc|pattern"; "" when cancelled; no overwrite question.
std::string openFileRequester(const std::string& title, const std::string& defaultFile,
                              const std::string& pattern, int patternIndex);
std::string saveFileRequester(const std::string& title, const std::string& defaultFile,
                              const std::string& pattern, int patternIndex);
std::string pathRequester(const std::string& title, const std::string& initialPath);
// Returns the chosen colour (r + g*256 + b*65536), -1 when cancelled.
int colorRequester(int initialColor);
// Returns the typed text, "" when cancelled.
std::string inputRequester(const std::string& title, const std::string& text,
                           const std::string& defaultText);

// Every requester goes through this table, so that tests (and anything else)
// can put their own in place of the platform's dialogs.
struct Requesters {
  int (*message)(const std::string& title, const std::string& text, int flags);
  std::string (*openFile)(const std::string& title, const std::string& defaultFile,
                          const std::string& pattern, int patternIndex);
  std::string (*saveFile)(const std::string& title, const std::string& defaultFile,
                          const std::string& pattern, int patternIndex);
  std::string (*path)(const std::string& title, const std::string& initialPath);
  int (*color)(int initialColor);
  std::string (*input)(const std::string& title, const std::string& text,
                       const std::string& defaultText);
};
// Installs a table (nullptr: the platform's dialogs); returns the one it replaces.
const Requesters* setRequesters(const Requesters* requesters);

// ---------------------------------------------------------------- start-up
// Makes the application object. Call once before anything else.
void initUi(int argc, char** argv);
// The folder that holds the executable, with a trailing "/".
std::string programFolder();
