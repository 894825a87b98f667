#include "imaging/pixel_rules.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <string>

namespace {

int toInt(double whole) {
  if (std::isnan(whole)) return 0;
  return int(std::clamp(whole, double(INT_MIN), double(INT_MAX)));
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int roundHalfAway(float value) { return toInt(std::round(value)); }

// The default rounding mode of the floating-point unit is to nearest even.
int roundHalfEven(float value) { return toInt(std::nearbyint(value)); }

const LuminanceTables& luminanceTables() {
  static const LuminanceTables tables = [] {
    LuminanceTables t;
    for (int v = 0; v < 256; v++) {
      t.red[v] = 0.2126f * float(v);
      t.green[v] = 0.7152f * float(v);
      t.blue[v] = 0.0722f * float(v);
    }
    return t;
  }();
  return tables;
}

int luminance(int r, int g, int b) {
  return luminanceOf(luminanceTables(), rgba(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255), 0));
}

double decimalValue(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) i++;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  size_t start = i;
  while (i < text.size() && isDigit(text[i])) i++;
  size_t wholeEnd = i;
  if (i < text.size() && text[i] == '.') {
    i++;
    while (i < text.size() && isDigit(text[i])) i++;
  }
  if (wholeEnd == start && i <= wholeEnd + 1) return 0;   // no digit on either side of "."
  // from_chars ignores the locale, which may want a comma for the point.
  std::string number(text.substr(start, i - start));
  double value = 0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::fixed);
  (void)end;
  if (error == std::errc::result_out_of_range) value = double(INT_MAX);
  value = std::min(value, double(INT_MAX));
  return negative ? -value : value;
}

bool validFrameSize(int width, int height) {
  return width >= 1 && height >= 1 && width <= IMAGE_MAX_SIDE && height <= IMAGE_MAX_SIDE;
}

int newResultImage(int width, int height) { return createImage(-1, width, height, 32, 0); }

const uint32_t* imagePixels(int image) { return reinterpret_cast<const uint32_t*>(imageBuffer(image)); }

uint32_t* imagePixelsForWriting(int image) { return reinterpret_cast<uint32_t*>(imageBuffer(image)); }

bool startPixelPass(int image, PixelPass& pass) {
  pass.source = imagePixels(image);
  if (!pass.source) return false;
  pass.width = imageWidth(image);
  pass.height = imageHeight(image);
  pass.result = newResultImage(pass.width, pass.height);
  if (!pass.result) return false;
  pass.target = imagePixelsForWriting(pass.result);
  return true;
}
