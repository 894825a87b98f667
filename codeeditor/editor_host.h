// Where code editor views live: the window layer's gadget list in the
// program, or a plain parent widget of the caller's own (tests, benchmarks).
#pragma once

class QWidget;

struct EditorHost {
  QWidget* (*parent)() = nullptr;
  // Places the widget as gadget `number` (-1: any); the number or 0.
  int (*add)(int number, QWidget* widget, int x, int y, int width, int height) = nullptr;
  // Frees the gadget and its widget.
  void (*remove)(int gadget) = nullptr;
};

void setEditorHost(const EditorHost& host);
const EditorHost& editorHost();
// Code editors go into `parent` and get numbers of their own.
void useStandaloneEditorHost(QWidget* parent);
// Code editors are gadgets of the window layer (editor_ui_gadget.cpp).
void useUiEditorHost();
// Drops the record of a gadget whose widget is going away without
// freeCodeEditor (its window closed).
void forgetCodeEditor(int gadget);
