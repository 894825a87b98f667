#include "project/message_texts.h"

std::string firstFewOf(const std::vector<std::string>& items, size_t shown) {
  std::string text;
  for (size_t i = 0; i < items.size() && i < shown; ++i) {
    if (i > 0) text += ", ";
    text += items[i];
  }
  if (items.size() > shown) text += " and " + std::to_string(items.size() - shown) + " more";
  return text;
}

std::string shownText(const std::string& text) {
  constexpr size_t longest = 60;
  if (text.size() <= longest) return text;
  size_t cut = longest;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut) + "...";
}
