#include "codeeditor/editor_host.h"

#include <QWidget>

#include <map>

namespace {

EditorHost host;
QWidget* standaloneParent = nullptr;
std::map<int, QWidget*> standaloneViews;

QWidget* standaloneParentOf() { return standaloneParent; }

int standaloneAdd(int number, QWidget* widget, int x, int y, int width, int height) {
  if (number == -1) {
    number = 1;
    while (standaloneViews.count(number)) number++;
  }
  if (number <= 0 || standaloneViews.count(number)) return 0;
  standaloneViews[number] = widget;
  widget->setGeometry(x, y, width, height);
  widget->show();
  return number;
}

void standaloneRemove(int gadget) {
  auto it = standaloneViews.find(gadget);
  if (it == standaloneViews.end()) return;
  QWidget* widget = it->second;
  standaloneViews.erase(it);
  delete widget;
}

}  // namespace

void setEditorHost(const EditorHost& h) { host = h; }

const EditorHost& editorHost() {
  if (!host.add) {
#ifdef ZM_CODEEDITOR_UI
    useUiEditorHost();
#else
    useStandaloneEditorHost(nullptr);
#endif
  }
  return host;
}

void useStandaloneEditorHost(QWidget* parent) {
  standaloneParent = parent;
  setEditorHost({standaloneParentOf, standaloneAdd, standaloneRemove});
}
