// The scene grid: snapping a point to it and the cell a point lies in.
// Division rounds toward minus infinity, so points left of or above the
// scene fall into cells of their own instead of sharing cell 0.
#pragma once

#include <cstdint>

// a / b rounded down; b must be positive.
inline int64_t floorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

// A 64-bit value held in the range of int.
inline int clampToInt(int64_t v) {
  return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : int(v);
}

struct GridPoint {
  int x = 0;
  int y = 0;
  bool operator==(const GridPoint&) const = default;
};

// The cell (column, row) of a point; a grid size below 1 counts as 1.
inline GridPoint gridCell(int m, int n, int gridSize) {
  int64_t g = gridSize < 1 ? 1 : gridSize;
  return {int(floorDiv(m, g)), int(floorDiv(n, g))};
}

// The point itself, or with snapping on the top left corner of its cell.
inline GridPoint snappedPoint(int m, int n, int gridSize, int snapToGrid) {
  if (snapToGrid != 1) return {m, n};
  int64_t g = gridSize < 1 ? 1 : gridSize;
  return {clampToInt(floorDiv(m, g) * g), clampToInt(floorDiv(n, g) * g)};
}
