#include "project/file_names.h"

#include <climits>
#include <cstdint>

bool isUsableName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

bool isMediaFolderName(std::string_view name) {
  return name.empty() || name == "." || isUsableName(name);
}

std::string mediaFolderPath(const std::string& projectFolder, std::string_view name) {
  if (name.empty() || name == ".") return projectFolder;
  if (!isUsableName(name)) return "";
  return projectFolder + std::string(name) + "/";
}

int textValue(std::string_view text) {
  size_t i = 0, n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < n && text[i] == '$') { base = 16; ++i; }
  else if (i < n && text[i] == '%') { base = 2; ++i; }
  int64_t value = 0;
  for (; i < n; ++i) {
    char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else break;
    if (digit >= base) break;
    if (value <= int64_t(INT_MAX) + 1) value = value * base + digit;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return int(value);
}
