// The tables of numbered windows and gadgets, the picking of numbers, the
// current gadget list and start-up of the application object.
#include "ui/ui_internal.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFont>
#include <QIcon>
#include <QPixmap>

#include <algorithm>
#include <unordered_map>

namespace {
std::map<int, WindowRec> windows;
std::map<int, GadgetRec> gadgets;
// The gadget of each widget, so that the gadgets inside a holder are found
// from its few descendants instead of from every gadget there is.
std::unordered_map<const QWidget*, int> gadgetOfWidget;
std::vector<int> order;
int nextPicked = UI_FIRST_PICKED;
int listWindow = 0;
// A stack of gadget lists opened inside the window's inner area.
// A freed holder drops out of it by itself.
std::vector<QPointer<QWidget>> listStack;
int defaultFont = 0;
bool haveDefaultFont = false;
// Option gadgets made one after the other share a group.
int lastKindMade = GK_NONE;
QWidget* lastKindParent = nullptr;
int optionGroupCounter = 0;
QApplication* app = nullptr;
int appArgc = 1;
char appName[] = "zembrik-gamemaker";
char* appArgv[] = {appName, nullptr};
}  // namespace

std::map<int, WindowRec>& windowTable() { return windows; }
std::map<int, GadgetRec>& gadgetTable() { return gadgets; }

WindowRec* findWindow(int window) {
  auto it = windows.find(window);
  return it == windows.end() ? nullptr : &it->second;
}

GadgetRec* findGadget(int gadget) {
  auto it = gadgets.find(gadget);
  return it == gadgets.end() ? nullptr : &it->second;
}

const std::vector<int>& windowOrder() { return order; }
void addWindowOrder(int window) { order.push_back(window); }
void removeWindowOrder(int window) {
  order.erase(std::remove(order.begin(), order.end(), window), order.end());
  if (listWindow == window) {
    listWindow = 0;
    listStack.clear();
  }
}

bool isMenu(int menu);

int pickNumber() {
  while (windows.count(nextPicked) || gadgets.count(nextPicked) || isMenu(nextPicked)) ++nextPicked;
  return nextPicked++;
}

int resolveNumber(int requested) {
  if (requested == UI_ANY) return pickNumber();
  if (requested < 1 || requested >= UI_FIRST_PICKED) return 0;
  return requested;
}

bool isApplicationReady() { return app != nullptr; }

void initUi(int argc, char** argv) {
  if (app) return;
  if (argc > 0 && argv && argv[0]) {
    // Qt keeps references to argc and argv for the life of the application.
    static std::string name = argv[0];
    appArgv[0] = name.data();
  }
  app = new QApplication(appArgc, appArgv);
  app->setQuitOnLastWindowClosed(false);
}

std::string programFolder() {
  std::string dir = ss(QCoreApplication::applicationDirPath());
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

// ---------------------------------------------------------------- gadget lists
int currentListWindow() { return listWindow; }

void setCurrentListWindow(int window) {
  listWindow = window;
  listStack.clear();
}

void useGadgetList(int window) {
  if (findWindow(window)) setCurrentListWindow(window);
}

QWidget* currentGadgetParent() {
  WindowRec* w = findWindow(listWindow);
  if (!w) return nullptr;
  while (!listStack.empty() && !listStack.back()) listStack.pop_back();
  return listStack.empty() ? w->client : listStack.back().data();
}

void openGadgetList(int gadget, int item) {
  QWidget* list = gadgetListOf(gadget, item);
  GadgetRec* g = findGadget(gadget);
  if (!list || !g) return;
  if (listWindow != g->window) setCurrentListWindow(g->window);
  listStack.push_back(list);
}

void forgetGadgetList(QWidget* holder) {
  std::erase_if(listStack, [holder](const QPointer<QWidget>& w) {
    return !w || w == holder || holder->isAncestorOf(w);
  });
}

void closeGadgetList() {
  if (!listStack.empty()) listStack.pop_back();
}

int claimGadget(int number) {
  if (!currentGadgetParent()) return 0;
  int n = resolveNumber(number);
  if (!n) return 0;
  if (findGadget(n)) freeGadget(n);
  // Freeing may have closed the list we were filling (a gadget re-made
  // under its own number while it was open).
  return currentGadgetParent() ? n : 0;
}

int finishGadget(int number, int kind, QWidget* widget, int x, int y, int w, int h, int flags) {
  GadgetRec rec;
  rec.number = number;
  rec.kind = kind;
  rec.window = listWindow;
  rec.widget = widget;
  rec.flags = flags;
  // A registered kind keeps the font its maker gave it.
  if (haveDefaultFont && kind < GK_CUSTOM) widget->setFont(fontOf(defaultFont));
  else if (kind < GK_CUSTOM && widget->testAttribute(Qt::WA_SetFont)) widget->setFont(QFont());   // a lent widget
  widget->setGeometry(x, y, std::max(0, w), std::max(0, h));
  widget->show();
  gadgets[number] = rec;
  gadgetOfWidget[widget] = number;
  noteGadgetMade(kind);
  return number;
}

void noteGadgetMade(int kind) {
  lastKindMade = kind;
  lastKindParent = currentGadgetParent();
}

int currentOptionGroup(bool startNew) {
  if (startNew || lastKindMade != GK_OPTION || lastKindParent != currentGadgetParent())
    ++optionGroupCounter;
  return optionGroupCounter;
}

void setDefaultGadgetFont(int font) {
  defaultFont = font;
  haveDefaultFont = true;
}

void forgetGadgetRecord(int gadget) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  if (WindowRec* w = findWindow(g->window)) {
    for (auto it = w->names.begin(); it != w->names.end();) {
      if (it->second == gadget) it = w->names.erase(it);
      else ++it;
    }
  }
  gadgetOfWidget.erase(g->widget);
  gadgets.erase(gadget);
}

std::vector<int> gadgetsInside(const QWidget* holder) {
  std::vector<int> inside;
  for (const QWidget* w : holder->findChildren<QWidget*>()) {
    auto it = gadgetOfWidget.find(w);
    if (it != gadgetOfWidget.end()) inside.push_back(it->second);
  }
  std::sort(inside.begin(), inside.end());
  return inside;
}

// ---------------------------------------------------------------- names
void nameGadget(int gadget, const std::string& name) {
  GadgetRec* g = findGadget(gadget);
  if (!g) return;
  if (WindowRec* w = findWindow(g->window)) w->names[name] = gadget;
}

int gadgetByName(int window, const std::string& name) {
  if (window == 0) {
    // Any window, the newest first.
    for (auto it = order.rbegin(); it != order.rend(); ++it)
      if (int g = gadgetByName(*it, name)) return g;
    return 0;
  }
  WindowRec* w = findWindow(window);
  if (!w) return 0;
  auto it = w->names.find(name);
  return it == w->names.end() ? 0 : it->second;
}

// ---------------------------------------------------------------- text helpers
QString qs(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

std::string ss(const QString& s) {
  QByteArray b = s.toUtf8();
  return std::string(b.constData(), size_t(b.size()));
}

QString escapeMnemonic(const std::string& s) {
  QString t = qs(s);
  t.replace(QLatin1Char('&'), QLatin1String("&&"));
  return t;
}

QIcon iconOfImage(int image) {
  if (image <= 0) return QIcon();
  QImage img = imageToQImage(image);
  if (img.isNull()) return QIcon();
  return QIcon(QPixmap::fromImage(img));
}

QIcon itemIconOfImage(int image) {
  if (image <= 0) return QIcon();
  QImage img = imageToQImage(image);
  if (img.isNull()) return QIcon();
  if (img.width() != 16 || img.height() != 16)
    img = img.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  return QIcon(QPixmap::fromImage(img));
}
