// Private tables of the window layer: the numbered windows and gadgets, the
// event queue and the seams between the files of this folder.
#pragma once

#include "ui/ui.h"
#include "ui/ui_qt.h"

#include <QPointer>
#include <QString>
#include <map>
#include <string>
#include <vector>

class QIcon;
class QMenuBar;
class QShortcut;
class QTimer;

// Numbers the layer picks start here; fixed numbers of the program stay below.
constexpr int UI_FIRST_PICKED = 100000;

struct EventRec {
  int kind = EV_NONE;
  int window = 0;
  int object = 0;   // gadget, menu item or timer
  int type = ET_NONE;
  // canvas attributes of the moment the event happened
  int x = 0, y = 0, buttons = 0, modifiers = 0, key = 0, wheel = 0;
};

struct WindowRec {
  int number = 0;
  QWidget* top = nullptr;      // the frame window
  QWidget* client = nullptr;   // the inner area that holds the gadgets
  QMenuBar* menuBar = nullptr;
  int flags = 0;
  int parent = 0;
  int color = -1;
  int lastState = WINSTATE_NORMAL;
  bool opening = true;         // no size events while the window is being made
  std::string title;
  std::map<std::string, int> names;     // gadget names for tests
  std::map<int, QShortcut*> shortcuts;  // by shortcut code
  std::map<int, QTimer*> timers;        // by timer number
  void (*handler)(int event) = nullptr; // takes the window's events itself
};

struct GadgetRec {
  int number = 0;
  int kind = GK_NONE;
  int window = 0;
  QWidget* widget = nullptr;
  QWidget* inner = nullptr;   // gadget list of a scroll area or container
  int flags = 0;
  int image = 0;
  int group = 0;              // option group
  int front = -1, back = -1;
  int canvasImage = 0;
  EventRec canvasEvent;       // the last canvas event taken from the queue
  std::string text;           // the text as set, for gadgets that escape it
  void (*onFree)(int) = nullptr;
};

// ---------------------------------------------------------------- registry
WindowRec* findWindow(int window);
GadgetRec* findGadget(int gadget);
std::map<int, WindowRec>& windowTable();
std::map<int, GadgetRec>& gadgetTable();
// Windows in the order they were opened; the last is the newest.
const std::vector<int>& windowOrder();
void addWindowOrder(int window);
void removeWindowOrder(int window);
// A number the layer picks: above every fixed number, unique over windows,
// gadgets and menus, never reused.
int pickNumber();
// Resolves a requested number: UI_ANY picks; a fixed number must be 1 to
// UI_FIRST_PICKED - 1. Returns 0 when the number cannot be used.
int resolveNumber(int requested);
bool isApplicationReady();

// The gadget list new gadgets go into.
int currentListWindow();
void setCurrentListWindow(int window);
// Claims `number` for a new gadget (freeing a gadget that has it) and checks
// that there is a gadget list; returns the gadget number or 0.
int claimGadget(int number);
// Places, fonts and shows a new gadget's widget and records it.
int finishGadget(int number, int kind, QWidget* widget, int x, int y, int w, int h, int flags);
int currentOptionGroup(bool startNew);
void noteGadgetMade(int kind);
void forgetGadgetRecord(int gadget);   // drops the record and its name
// While a gadget is frozen, the widgets of picture and text gadgets freed
// inside it wait, as they are, for the next gadgets of their kind made in
// the same place, so that a rebuild of thousands makes and deletes none.
// takeSpareWidget gives one for the current gadget list, its common state
// reset, or nullptr; keepSpareWidget is true when it kept the widget.
QWidget* takeSpareWidget(int kind);
bool keepSpareWidget(int kind, QWidget* widget);
// The gadgets whose widgets lie inside `holder`, in the order of their numbers.
std::vector<int> gadgetsInside(const QWidget* holder);
QWidget* gadgetListOf(int gadget, int item);
void forgetGadgetList(QWidget* holder);   // a holder being freed stops taking gadgets   // page of a panel, inner of a scroll area

// The layouts were drawn for a font that the installed stand-ins match only
// roughly: a label's or a drop-down's text a few pixels too wide for its
// room is drawn condensed, down to this stretch (per cent), rather than cut.
constexpr int MIN_TEXT_STRETCH = 90;
// A label's text keeps this far from a gadget laid over its box.
constexpr int TEXT_GAP = 3;
// The font, at most as condensed as allowed, in which every line of `text`
// fits `room` pixels; the font itself when it fits or nothing would.
QFont fittedFont(const QFont& font, const QString& text, int room);
// A gadget widget that draws its text in a fitted font.
class FittedText {
 public:
  virtual ~FittedText() = default;
  virtual QFont shownFont() const = 0;
};

// ---------------------------------------------------------------- events
void pushEvent(const EventRec& event);
void pushGadgetEvent(int gadget, int type);
void purgeEvents(int window, int object, int kind);
bool queueEmpty();
size_t queueSize();
// Setters of the program run inside a QuietScope: their signals are no events.
struct QuietScope {
  QuietScope();
  ~QuietScope();
};
bool isQuiet();
void flushDeferredDeletes();

// ---------------------------------------------------------------- windows, menus, timers
// Puts the window's frame (title bar and border included) at (x, y).
void moveWindowFrame(WindowRec& window, int x, int y);
void closeWindowMenus(int window);
void freeAllMenus();
void stopWindowTimers(int window);
void timerTick(int window, int timer, bool fromDriver);
void clearTimerPending(int window, int timer);
QShortcut* findShortcut(int window, int shortcut);

// ---------------------------------------------------------------- gadget kinds
void freeGadgetWidget(GadgetRec& g);
QIcon iconOfImage(int image);
// The picture of a drop-down item, scaled to fit its 16 x 16 with its
// proportions kept: no full-size copy per item.
QIcon itemIconOfImage(int image);
QString qs(const std::string& s);
std::string ss(const QString& s);
QString escapeMnemonic(const std::string& s);
// Per-kind parts of the common gadget procedures; each returns true when it
// handled the gadget.
bool listSetText(GadgetRec& g, const std::string& text);
bool listGetText(GadgetRec& g, std::string& text);
bool listSetState(GadgetRec& g, int state);
bool listGetState(GadgetRec& g, int& state);
bool panelSetState(GadgetRec& g, int state);
bool panelGetState(GadgetRec& g, int& state);
bool panelAttribute(GadgetRec& g, int attribute, int value, bool set, int& out);
bool canvasResized(GadgetRec& g, int w, int h);
void canvasFreed(GadgetRec& g);
void canvasTakeEvent(const EventRec& e);
bool customSetText(GadgetRec& g, const std::string& text);
bool customGetText(GadgetRec& g, std::string& text);
void setImageOfPicture(GadgetRec& g, int image);
void setOptionState(GadgetRec& g, bool on);
int panelAddItem(GadgetRec& g, int position, const std::string& text, int image);
void panelRemoveItem(GadgetRec& g, int position);
int panelCount(GadgetRec& g);
void panelSetItemText(GadgetRec& g, int item, const std::string& text);
std::string panelItemText(GadgetRec& g, int item);
QRect listRowRect(GadgetRec& g, int row);

// ---------------------------------------------------------------- keys
int keyFromQt(int qtKey);
int qtKeyFromKey(int key);
int modifiersFromQt(Qt::KeyboardModifiers m);
Qt::KeyboardModifiers qtModifiers(int mods);
int buttonsFromQt(Qt::MouseButtons b);

// ---------------------------------------------------------------- menus for the driver
// The action of `item` in the menu bars (newest window first); nullptr when none.
class QAction;
QAction* findMenuBarAction(int item, int* window);
QAction* findPopupAction(int menu, int item);
int shownPopupMenu();            // the popup on show, 0 when none
int shownPopupWindow();
void clearShownPopup();

// ---------------------------------------------------------------- driver seams
bool driverActive();
bool driverGuarding();   // a failure reporter is installed: a test program
enum FeedResult : int { FEED_STEP = 0, FEED_TIMEOUT = 1, FEED_ABORT = 2 };
int driverFeed();
std::string describeWindow(int window);
std::string describeGadget(int gadget);
