/* ---- collision masks and the spatial grid ---- */

/* The grid files each instance that can be met in the 64-pixel cells its
   mask covers; one covering more than zm_BIG cells is kept in zm_grid_big,
   which every test looks through. Once built in a step, the grid is kept
   up to date: the values that shape a mask are accessors on every object,
   over the instance's own zm_ fields, and a write marks the instance for
   filing again before the next test, whoever made it. */
var zm_CELL = 64;
var zm_BIG = 256;
var zm_grid = new zm_Map();
var zm_grid_big = [];
var zm_big_cells = [zm_grid_big];
var zm_grid_ok = false;
var zm_dirty = [];
var zm_query_stamp = 0;

function zm_touch(inst) {
  if (inst.zm_dirty === false) { inst.zm_dirty = true; zm_dirty.push(inst); }
}
var zm_shape_fields = {
  x: {enumerable: true, get: function () { return this.zm_x; },
      set: function (v) { this.zm_x = v; if (zm_grid_ok) zm_touch(this); }},
  y: {enumerable: true, get: function () { return this.zm_y; },
      set: function (v) { this.zm_y = v; if (zm_grid_ok) zm_touch(this); }},
  collision: {enumerable: true, get: function () { return this.zm_col; },
              set: function (v) { this.zm_col = v; if (zm_grid_ok) zm_touch(this); }},
  sprite_index: {enumerable: true, get: function () { return this.zm_spr; },
                 set: function (v) { this.zm_spr = v; if (zm_grid_ok) zm_touch(this); }},
  image_xscale: {enumerable: true, get: function () { return this.zm_xs; },
                 set: function (v) { this.zm_xs = v; if (zm_grid_ok) zm_touch(this); }},
  image_yscale: {enumerable: true, get: function () { return this.zm_ys; },
                 set: function (v) { this.zm_ys = v; if (zm_grid_ok) zm_touch(this); }}
};
var zm_ma = {kind: 0, x0: 0, y0: 0, x1: 0, y1: 0, cx: 0, cy: 0, rx: 0, ry: 0, k: 1};
var zm_mb = {kind: 0, x0: 0, y0: 0, x1: 0, y1: 0, cx: 0, cy: 0, rx: 0, ry: 0, k: 1};

/* The mask of an instance placed at (x, y): kind 0 none, 1 box, 2 ellipse.
   The box is the sprite's edges in frame pixels from the frame's top-left
   corner; the ellipse is the sprite's circle centred on the middle of the
   frame, its radii scaled apart. k = rx / ry stretches y so that the
   ellipse becomes a circle of radius rx; a flat ellipse is a point. */
function zm_mask(inst, x, y, m) {
  var s = inst.zm_spr;
  if (!s || s.zm_frames === undefined) { m.kind = 0; return m; }
  var xs = inst.zm_xs, ys = inst.zm_ys, a, b;
  if (s.zm_circle) {
    m.kind = 2;
    m.cx = x + (s.zm_w / 2 - s.zm_cx) * xs;
    m.cy = y + (s.zm_h / 2 - s.zm_cy) * ys;
    m.rx = s.zm_radius * zm_Math.abs(xs);
    m.ry = s.zm_radius * zm_Math.abs(ys);
    if (m.rx > 0 && m.ry > 0) { m.k = m.rx / m.ry; } else { m.rx = 0; m.ry = 0; m.k = 1; }
    m.x0 = m.cx - m.rx; m.x1 = m.cx + m.rx;
    m.y0 = m.cy - m.ry; m.y1 = m.cy + m.ry;
  } else {
    m.kind = 1;
    a = x + (s.zm_left - s.zm_cx) * xs; b = x + (s.zm_right - s.zm_cx) * xs;
    if (a <= b) { m.x0 = a; m.x1 = b; } else { m.x0 = b; m.x1 = a; }
    a = y + (s.zm_top - s.zm_cy) * ys; b = y + (s.zm_bottom - s.zm_cy) * ys;
    if (a <= b) { m.y0 = a; m.y1 = b; } else { m.y0 = b; m.y1 = a; }
  }
  return m;
}

/* Distance from (u, v) to the filled ellipse of half-axes e0, e1 about the
   origin, 0 inside: the nearest point on the edge solves a one-parameter
   equation that is monotone outside the ellipse, found by bisection. */
function zm_ellipse_distance(e0, e1, u, v) {
  var t;
  u = zm_Math.abs(u); v = zm_Math.abs(v);
  if (e0 < e1) { t = e0; e0 = e1; e1 = t; t = u; u = v; v = t; }
  if (e1 === 0) { t = zm_Math.max(0, u - e0); return zm_Math.sqrt(t * t + v * v); }
  var z0 = u / e0, z1 = v / e1;
  if (z0 * z0 + z1 * z1 <= 1) return 0;
  var r0 = (e0 / e1) * (e0 / e1), n0 = r0 * z0;
  var s0 = z1 - 1, s1 = zm_Math.sqrt(n0 * n0 + z1 * z1) - 1, s = s0;
  for (var i = 0; i < 200; i++) {
    s = (s0 + s1) / 2;
    if (s === s0 || s === s1) break;
    var q0 = n0 / (s + r0), q1 = z1 / (s + 1), g = q0 * q0 + q1 * q1 - 1;
    if (g > 0) s0 = s; else if (g < 0) s1 = s; else break;
  }
  var dx = r0 * u / (s + r0) - u, dy = v / (s + 1) - v;
  return zm_Math.sqrt(dx * dx + dy * dy);
}

/* Measured with y stretched by a.k, a is a circle of radius a.rx: it meets
   b when b's nearest point to its centre is nearer than that. Two ellipses
   of one shape are two circles there. */
function zm_ellipses_meet(a, b) {
  var dx = b.cx - a.cx, dy, rr;
  if (a.k === b.k) {
    dy = (b.cy - a.cy) * a.k; rr = a.rx + b.rx;
    return dx * dx + dy * dy < rr * rr;
  }
  if (a.rx === 0) { var t = a; a = b; b = t; dx = -dx; }
  dy = (b.cy - a.cy) * a.k;
  return zm_ellipse_distance(b.rx, b.ry * a.k, dx, dy) < a.rx;
}

function zm_masks_meet(a, b) {
  if (a.x0 > b.x1 || b.x0 > a.x1 || a.y0 > b.y1 || b.y0 > a.y1) return false;
  if (a.kind === 1 && b.kind === 1) return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
  if (a.kind === 2 && b.kind === 2) return zm_ellipses_meet(a, b);
  var c = a.kind === 2 ? a : b, box = a.kind === 2 ? b : a;
  if (box.x1 <= box.x0 || box.y1 <= box.y0) return false;
  // The stretch keeps the box a box, and its nearest point the nearest.
  var px = c.cx < box.x0 ? box.x0 : (c.cx > box.x1 ? box.x1 : c.cx);
  var py = c.cy < box.y0 ? box.y0 : (c.cy > box.y1 ? box.y1 : c.cy);
  var ex = c.cx - px, ey = (c.cy - py) * c.k;
  return ex * ex + ey * ey < c.rx * c.rx;
}

function zm_mask_has_point(m, px, py) {
  if (m.kind === 1) return px >= m.x0 && px < m.x1 && py >= m.y0 && py < m.y1;
  if (m.kind === 2) { var dx = px - m.cx, dy = (py - m.cy) * m.k; return dx * dx + dy * dy < m.rx * m.rx; }
  return false;
}

function zm_cell_key(gx, gy) { return gx * 100003 + gy; }

function zm_grid_insert(inst) {
  inst.zm_cells = null;
  if (!inst.zm_alive || inst.zm_col == 0) return;
  var m = zm_mask(inst, inst.zm_x, inst.zm_y, zm_mb);
  if (m.kind === 0) return;
  var gx0 = zm_Math.floor(m.x0 / zm_CELL), gx1 = zm_Math.floor(m.x1 / zm_CELL);
  var gy0 = zm_Math.floor(m.y0 / zm_CELL), gy1 = zm_Math.floor(m.y1 / zm_CELL);
  // Not below: too many cells, or a place that is no number.
  if (!((gx1 - gx0 + 1) * (gy1 - gy0 + 1) <= zm_BIG)) {
    zm_grid_big.push(inst);
    inst.zm_cells = zm_big_cells;
    inst.zm_gx0 = NaN;      // never the same cells: filed again at every change
    return;
  }
  var cells = [];
  for (var gx = gx0; gx <= gx1; gx++) {
    for (var gy = gy0; gy <= gy1; gy++) {
      var key = zm_cell_key(gx, gy), list = zm_grid.get(key);
      if (list === undefined) { list = []; zm_grid.set(key, list); }
      list.push(inst);
      cells.push(list);
    }
  }
  inst.zm_cells = cells;
  inst.zm_gx0 = gx0; inst.zm_gx1 = gx1;
  inst.zm_gy0 = gy0; inst.zm_gy1 = gy1;
}

function zm_grid_remove(inst) {
  var cells = inst.zm_cells;
  if (cells === null) return;
  for (var i = 0; i < cells.length; i++) {
    var list = cells[i], j = list.indexOf(inst);
    if (j >= 0) { list[j] = list[list.length - 1]; list.pop(); }
  }
  inst.zm_cells = null;
}

/* Most changes leave an instance in the cells it was in. */
function zm_grid_refile(inst) {
  inst.zm_dirty = false;
  if (inst.zm_cells !== null && inst.zm_alive && inst.zm_col != 0) {
    var m = zm_mask(inst, inst.zm_x, inst.zm_y, zm_mb);
    if (m.kind !== 0 && zm_Math.floor(m.x0 / zm_CELL) === inst.zm_gx0 && zm_Math.floor(m.x1 / zm_CELL) === inst.zm_gx1 &&
        zm_Math.floor(m.y0 / zm_CELL) === inst.zm_gy0 && zm_Math.floor(m.y1 / zm_CELL) === inst.zm_gy1) return;
  }
  zm_grid_remove(inst);
  zm_grid_insert(inst);
}

function zm_grid_build() {
  zm_grid.forEach(function (list) { list.length = 0; });
  zm_grid_big.length = 0;
  for (var i = 0; i < zm_instances.length; i++) zm_grid_insert(zm_instances[i]);
  zm_grid_ok = true;
}

/* Called by every collision test: the grid as the instances are now. */
function zm_grid_ready() {
  if (!zm_grid_ok) { zm_grid_build(); return; }
  var list = zm_dirty;
  if (list.length === 0) return;
  for (var i = 0; i < list.length; i++) zm_grid_refile(list[i]);
  list.length = 0;
}

function zm_grid_drop() {
  if (!zm_grid_ok) return;
  zm_grid_ok = false;
  if (zm_grid.size > 20000) zm_grid = new zm_Map();
  var i;
  for (i = 0; i < zm_instances.length; i++) zm_instances[i].zm_cells = null;
  for (i = 0; i < zm_dirty.length; i++) zm_dirty[i].zm_dirty = false;
  zm_dirty.length = 0;
}

/* Is inst (not self, alive, colliding) of obj or of one of its descendants;
   obj may also be one instance. */
function zm_matches(inst, obj) {
  if (obj.zm_alive !== undefined) return inst === obj;
  return inst.object_index.zm_kin[obj.zm_oid] === true;
}

/* The first instance of obj in the list, not seen before in this test,
   whose mask meets m; null when none. */
function zm_meeting_in(list, self, m, obj, stamp) {
  for (var i = 0; i < list.length; i++) {
    var c = list[i];
    if (c.zm_qs === stamp) continue;
    c.zm_qs = stamp;
    if (c === self || !c.zm_alive || c.zm_col == 0 || !zm_matches(c, obj)) continue;
    if (zm_masks_meet(m, zm_mask(c, c.zm_x, c.zm_y, zm_mb))) return c;
  }
  return null;
}

/* The first instance of obj (or of a descendant of obj) whose mask meets the
   mask m, other than self; null when none. */
function zm_find_meeting(self, m, obj) {
  if (!obj || (obj.zm_alive === undefined && !zm_is_object(obj))) return null;
  zm_grid_ready();
  var gx0 = zm_Math.floor(m.x0 / zm_CELL), gx1 = zm_Math.floor(m.x1 / zm_CELL);
  var gy0 = zm_Math.floor(m.y0 / zm_CELL), gy1 = zm_Math.floor(m.y1 / zm_CELL);
  if (!((gx1 - gx0 + 1) * (gy1 - gy0 + 1) <= 4096)) return zm_find_meeting_all(self, m, obj);
  var stamp = ++zm_query_stamp, c;
  for (var gx = gx0; gx <= gx1; gx++) {
    for (var gy = gy0; gy <= gy1; gy++) {
      var list = zm_grid.get(zm_cell_key(gx, gy));
      if (list !== undefined && (c = zm_meeting_in(list, self, m, obj, stamp)) !== null) return c;
    }
  }
  return zm_grid_big.length > 0 ? zm_meeting_in(zm_grid_big, self, m, obj, stamp) : null;
}
function zm_find_meeting_all(self, m, obj) {
  for (var i = 0; i < zm_instances.length; i++) {
    var c = zm_instances[i];
    if (c === self || !c.zm_alive || c.zm_col == 0 || !zm_matches(c, obj)) continue;
    if (zm_masks_meet(m, zm_mask(c, c.zm_x, c.zm_y, zm_mb))) return c;
  }
  return null;
}

function zm_point_in(list, x, y, obj) {
  for (var i = 0; i < list.length; i++) {
    var c = list[i];
    if (!c.zm_alive || c.zm_col == 0 || !zm_matches(c, obj)) continue;
    if (zm_mask_has_point(zm_mask(c, c.zm_x, c.zm_y, zm_mb), x, y)) return c;
  }
  return null;
}

function zm_place_meeting_method(x, y, obj) {
  var m = zm_mask(this, +x, +y, zm_ma);
  if (m.kind === 0) return null;
  return zm_find_meeting(this, m, obj);
}

