// What a user sees of a window or gadget that the window layer's own
// procedures do not tell: its font and its frame.
#pragma once

#include <string>

bool gadgetShowsFont(int gadget, int font);
bool windowStaysOnTop(int window);
bool windowIsBorderless(int window);
bool windowHasCloseBox(int window);
bool windowIsResizable(int window);
// The buttons the window asks the window manager for in its title bar, in
// the order "menu minimise maximise close" ("" for a title bar alone);
// "system" when it leaves them to the window manager's defaults.
std::string windowTitleButtons(int window);
// The size of the window with its frame, as the window system draws it.
void windowFrameSize(int window, int& width, int& height);
// Top-level windows on show.
int shownWindowCount();
// The menu bar of a window as shown: "[Title]" before each menu's items,
// "-" for a separator.
#include <string>
#include <vector>
std::vector<std::string> menuBarTexts(int window);
// Keyboard shortcuts of a window of its own (not those of menu items).
int windowShortcutCount(int window);
// Whether a gadget lies inside a scroll area, container or panel gadget.
bool gadgetInside(int gadget, int container);
// Whether a window shows a label or button with this text at (x, y) of its
// inner area.
bool windowShowsText(int window, const std::string& text, int x, int y);
// Brings tab `tab` of the first tabbed panel of a window to the front, as a
// click on the tab does (for windows whose panel has no name to step on).
void showPanelTab(int window, int tab);
// Whether a gadget is drawn in a sunken frame.
bool gadgetHasSunkenFrame(int gadget);
// A pixel of what a gadget shows on screen, as r + g*256 + b*65536.
int gadgetScreenPixel(int gadget, int x, int y);
// The largest picture that a drop-down item holds (0 x 0 for none).
void comboItemPictureSize(int gadget, int item, int& width, int& height);
// Widgets that exist, shown or not, in every window.
int liveWidgetCount();
// The texts of the window's labels, check boxes, options and buttons that do
// not fit their boxes in the font they are shown in.
std::vector<std::string> clippedTexts(int window);
// The texts of the window's left-aligned labels that run into, or end
// within 2 pixels of, a gadget that stands beside them.
std::vector<std::string> crowdedTexts(int window);
// The items of a drop-down, or the cells of a list's rows, whose text is not
// shown whole in the font it is drawn in (a drop-down's item as the chosen
// one).
std::vector<std::string> clippedItems(int gadget);
// The width of a column of a list with columns (0 when there is none).
int listColumnWidth(int gadget, int column);
// The box {x, y, width, height} of the window's label or button with this
// text, inside the area that holds it; empty when there is none.
std::vector<int> textBox(int window, const std::string& text);
// What the window shows over a rectangle of the area that holds the gadget,
// every gadget there drawn: r + g*256 + b*65536, row by row.
std::vector<int> holderScreenPixels(int gadget, int x, int y, int w, int h);
// Whether the gadget (or a part of it) has its window's keyboard focus.
bool gadgetHasFocus(int gadget);
// Whether a button is its window's default button (Return presses it).
bool buttonIsDefault(int gadget);
