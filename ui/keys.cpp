// Translation between Qt's keys, buttons and modifiers and the layer's codes.
#include "ui/ui_internal.h"

namespace {
struct KeyPair {
  int key;
  int qt;
};
constexpr KeyPair named[] = {
    {KEY_ESCAPE, Qt::Key_Escape}, {KEY_RETURN, Qt::Key_Return}, {KEY_TAB, Qt::Key_Tab},
    {KEY_BACKSPACE, Qt::Key_Backspace}, {KEY_DELETE, Qt::Key_Delete}, {KEY_LEFT, Qt::Key_Left},
    {KEY_RIGHT, Qt::Key_Right}, {KEY_UP, Qt::Key_Up}, {KEY_DOWN, Qt::Key_Down},
    {KEY_HOME, Qt::Key_Home}, {KEY_END, Qt::Key_End}, {KEY_PAGEUP, Qt::Key_PageUp},
    {KEY_PAGEDOWN, Qt::Key_PageDown}, {KEY_INSERT, Qt::Key_Insert},
};
}  // namespace

int keyFromQt(int qtKey) {
  if (qtKey == Qt::Key_Enter) return KEY_RETURN;
  for (const KeyPair& p : named)
    if (p.qt == qtKey) return p.key;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return KEY_F1 + (qtKey - Qt::Key_F1);
  // Letters come as their upper-case code, like the rest of printable ASCII.
  if (qtKey >= 0x20 && qtKey <= 0x7e) return qtKey;
  return KEY_NONE;
}

int qtKeyFromKey(int key) {
  for (const KeyPair& p : named)
    if (p.key == key) return p.qt;
  if (key >= KEY_F1 && key < KEY_F1 + 12) return Qt::Key_F1 + (key - KEY_F1);
  if (key >= 'a' && key <= 'z') return key - 'a' + 'A';
  if (key >= 0x20 && key <= 0x7e) return key;
  return 0;
}

int modifiersFromQt(Qt::KeyboardModifiers m) {
  int r = 0;
  if (m & Qt::ShiftModifier) r |= MOD_SHIFT;
  if (m & Qt::AltModifier) r |= MOD_ALT;
  if (m & Qt::ControlModifier) r |= MOD_CONTROL;
  if (m & Qt::MetaModifier) r |= MOD_COMMAND;
  return r;
}

Qt::KeyboardModifiers qtModifiers(int mods) {
  Qt::KeyboardModifiers m;
  if (mods & MOD_SHIFT) m |= Qt::ShiftModifier;
  if (mods & MOD_ALT) m |= Qt::AltModifier;
  if (mods & MOD_CONTROL) m |= Qt::ControlModifier;
  if (mods & MOD_COMMAND) m |= Qt::MetaModifier;
  return m;
}

int buttonsFromQt(Qt::MouseButtons b) {
  int r = 0;
  if (b & Qt::LeftButton) r |= BUTTON_LEFT;
  if (b & Qt::RightButton) r |= BUTTON_RIGHT;
  if (b & Qt::MiddleButton) r |= BUTTON_MIDDLE;
  return r;
}
