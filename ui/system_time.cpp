// Time, dates and the random number source of the platform layer.
#include "ui/system.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <thread>

void delayMs(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int64_t unixTime() {
  return int64_t(std::time(nullptr));
}

std::string formatDate(const std::string& mask, int64_t time) {
  std::time_t t = std::time_t(time);
  std::tm local{};
  if (!localtime_r(&t, &local)) return mask;
  struct Token {
    const char* text;
    int value;
    int digits;
  };
  // Longer tokens first so that "%yyyy" is not read as "%yy" + "yy".
  const Token tokens[] = {
      {"%yyyy", local.tm_year + 1900, 4}, {"%yy", (local.tm_year + 1900) % 100, 2},
      {"%mm", local.tm_mon + 1, 2},       {"%dd", local.tm_mday, 2},
      {"%hh", local.tm_hour, 2},          {"%HH", local.tm_hour, 2},
      {"%ii", local.tm_min, 2},           {"%ss", local.tm_sec, 2},
  };
  std::string out;
  size_t i = 0;
  while (i < mask.size()) {
    bool matched = false;
    if (mask[i] == '%') {
      for (const Token& token : tokens) {
        std::string_view text(token.text);
        if (mask.compare(i, text.size(), text) == 0) {
          char buffer[16];
          std::snprintf(buffer, sizeof buffer, "%0*d", token.digits, token.value);
          out += buffer;
          i += text.size();
          matched = true;
          break;
        }
      }
    }
    if (!matched) out += mask[i++];
  }
  return out;
}

int randomInt(int maximum) {
  if (maximum <= 0) return 0;
  static std::mt19937 engine{std::random_device{}()};
  std::uniform_int_distribution<int> pick(0, maximum);
  return pick(engine);
}
