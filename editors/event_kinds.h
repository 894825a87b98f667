// The nine event kinds of an object, in their fixed order (the order of the
// kind choices and of the event list), with their 16 x 16 icons, and the
// drop-downs of the object and event code windows.
#pragma once

#include <string>

constexpr int EVENT_KIND_COUNT = 9;
extern const char* const eventKindTexts[EVENT_KIND_COUNT];
constexpr int EVENT_KIND_COLLISION = 4;   // "Collision", the fifth

// The kind's position in the order, -1 for a text outside the nine.
int eventKindIndex(const char* text);
int eventKindIcon(int kindIndex);
// Fills a drop-down with the nine kinds and their icons.
void addEventKindItems(int comboBox);
// Fills a drop-down with "" and then every object definition in table
// order, each with its image, or the no-image icon without one; an item
// carries its object's table index (-1 for "").
void addObjectDefinitionItems(int comboBox, int skipIndex);
// Selects the first item whose text equals `text`; none when no item has it.
void selectItemWithText(int comboBox, const std::string& text);
