// Golden texts: files under golden/ written with LF, compared with CR LF in
// place of every LF, since every generated line ends with CR LF.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/system.h"

struct GoldenCase {
  const char* golden;              // path under golden/
  std::function<void()> setup;     // fills the tables
};

inline std::string goldenText(const std::string& name) {
  std::string bytes, text;
  EXPECT_TRUE(readFile(std::string(ZM_BUILDER_GOLDEN) + name, bytes)) << name;
  for (char c : bytes) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

// Shows CR and LF so that a failure tells where the lines differ.
inline std::string visible(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n\n";
    else out += c;
  }
  return out;
}
