/* ---------------------------------------------------------------------
   Game functions for scripts
   --------------------------------------------------------------------- */

/* computations */
function random(n) { return zm_Math.random() * n; }
function irandom(n) { return zm_Math.floor(zm_Math.random() * (zm_Math.floor(n) + 1)); }
function random_range(a, b) { return a + zm_Math.random() * (b - a); }
function choose() { return arguments[zm_Math.floor(zm_Math.random() * arguments.length)]; }
function clamp(v, lo, hi) { return v < lo ? lo : (v > hi ? hi : v); }
function sign(v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }
function abs(v) { return zm_Math.abs(v); }
function floor(v) { return zm_Math.floor(v); }
function ceil(v) { return zm_Math.ceil(v); }
function round(v) { return zm_Math.round(v); }
function sqrt(v) { return zm_Math.sqrt(v); }
function sqr(v) { return v * v; }
function power(v, e) { return zm_Math.pow(v, e); }
function min() { return zm_Math.min.apply(zm_Math, arguments); }
function max() { return zm_Math.max.apply(zm_Math, arguments); }
function point_distance(x1, y1, x2, y2) { var dx = x2 - x1, dy = y2 - y1; return zm_Math.sqrt(dx * dx + dy * dy); }
function point_direction(x1, y1, x2, y2) {
  var d = zm_Math.atan2(y2 - y1, x2 - x1) * 180 / pi;
  if (d < 0) d += 360;
  return d >= 360 ? 0 : d;   // a hair short of a whole turn rounds up to 360
}
function lengthdir_x(len, dir) { return len * zm_Math.cos(dir * pi / 180); }
function lengthdir_y(len, dir) { return len * zm_Math.sin(dir * pi / 180); }
function degtorad(d) { return d * pi / 180; }
function radtodeg(r) { return r * 180 / pi; }

/* user interaction */
function keyboard_check(key) { key = key & 255; return zm_key[key] !== 0 || zm_key_pressed[key] === 1; }
function keyboard_check_pressed(key) { return zm_key_pressed[key & 255] === 1; }
function keyboard_check_released(key) { return zm_key_released[key & 255] === 1; }
function zm_mouse_test(arr, button) {
  if (button === mb_any) return arr[1] === 1 || arr[2] === 1 || arr[3] === 1;
  if (button === mb_none) return arr[1] === 0 && arr[2] === 0 && arr[3] === 0;
  return button >= 1 && button <= 3 && arr[button] === 1;
}
function mouse_check_button(button) {
  if (button === mb_none) return !mouse_check_button(mb_any);
  return zm_mouse_test(zm_mouse, button) || zm_mouse_test(zm_mouse_pressed, button);
}
function mouse_check_button_pressed(button) { return zm_mouse_test(zm_mouse_pressed, button); }
function mouse_check_button_released(button) { return zm_mouse_test(zm_mouse_released, button); }
function show_message(text) { zm_alert(zm_String(text)); }
function show_debug_message(text) { zm_console.log(text); }

/* mobile devices */
function device_is_mobile() {
  return /Android|iPhone|iPad|iPod|Mobile/i.test(zm_navigator.userAgent || '');
}

/* instances */
function instance_create(x, y, obj) {
  if (!zm_is_object(obj)) return null;
  return zm_create(obj, x, y, 0, 0);
}
function instance_destroy(inst) {
  var target = zm_is_instance(inst) ? inst : zm_self;
  if (!target || !target.zm_alive || target.zm_dying) return;
  target.zm_dying = true;   // a Destroy event that destroys again must not loop
  zm_event(target, zm_EV_DESTROY);
  target.zm_alive = false;
}
function zm_each(obj, fn) {
  if (!obj) return;
  if (obj.zm_alive !== undefined) { if (obj.zm_alive) fn(obj); return; }
  if (!zm_is_object(obj)) return;
  for (var i = 0; i < zm_instances.length; i++) {
    var c = zm_instances[i];
    if (c.zm_alive && c.object_index.zm_kin[obj.zm_oid] === true && fn(c) === false) return;
  }
}
function instance_exists(obj) { var found = false; zm_each(obj, function () { found = true; return false; }); return found; }
function instance_number(obj) { var n = 0; zm_each(obj, function () { n++; }); return n; }
function instance_find(obj, n) {
  var found = null, i = 0;
  zm_each(obj, function (c) { if (i++ === n) { found = c; return false; } });
  return found;
}
function instance_nearest(x, y, obj) {
  var best = null, bd = Infinity;
  zm_each(obj, function (c) {
    var d = (c.x - x) * (c.x - x) + (c.y - y) * (c.y - y);
    if (d < bd) { bd = d; best = c; }
  });
  return best;
}
function collision_point(x, y, obj) {
  if (!obj || (obj.zm_alive === undefined && !zm_is_object(obj))) return null;
  x = +x; y = +y;
  zm_grid_ready();
  var list = zm_grid.get(zm_cell_key(zm_Math.floor(x / zm_CELL), zm_Math.floor(y / zm_CELL)));
  var c = list === undefined ? null : zm_point_in(list, x, y, obj);
  return c === null && zm_grid_big.length > 0 ? zm_point_in(zm_grid_big, x, y, obj) : c;
}
function place_meeting(x, y, obj) {
  return zm_self ? zm_place_meeting_method.call(zm_self, x, y, obj) : null;
}
function motion_set(dir, speed) {
  if (!zm_self) return;
  zm_self.direction = dir;
  zm_self.speed = speed;
  zm_sync_motion(zm_self);
}
function move_towards_point(x, y, speed) {
  if (!zm_self) return;
  motion_set(point_direction(zm_self.x, zm_self.y, x, y), speed);
}

/* drawing */
function draw_self() { if (zm_self) zm_draw_instance(zm_self); }
function draw_sprite(spr, subimg, x, y) {
  if (!spr || !spr.zm_frames || !zm_ctx) return;
  if (subimg < 0 && zm_self) subimg = zm_self.image_index;
  zm_draw_frame(spr, subimg, x, y, 1, 1, 0, 1);
}
function draw_sprite_ext(spr, subimg, x, y, xscale, yscale, angle, alpha) {
  if (!spr || !spr.zm_frames || !zm_ctx) return;
  if (subimg < 0 && zm_self) subimg = zm_self.image_index;
  zm_draw_frame(spr, subimg, x, y, xscale, yscale, angle, alpha === undefined ? 1 : alpha);
}
function draw_background(bg, x, y) {
  if (!bg || !zm_image_ready(bg.image) || !zm_ctx) return;
  zm_ctx.globalAlpha = zm_draw_alpha;
  zm_ctx.drawImage(bg.image, x, y);
  zm_ctx.globalAlpha = 1;
}
function draw_background_stretched(bg, x, y, w, h) {
  if (!bg || !zm_image_ready(bg.image) || !zm_ctx) return;
  zm_ctx.globalAlpha = zm_draw_alpha;
  zm_ctx.drawImage(bg.image, x, y, w, h);
  zm_ctx.globalAlpha = 1;
}
function zm_paint_prepare() {
  zm_ctx.globalAlpha = zm_draw_alpha;
  zm_ctx.fillStyle = zm_ctx.strokeStyle = zm_css_color(zm_draw_color);
  zm_ctx.lineWidth = 1;
}
function draw_rectangle(x1, y1, x2, y2, outline) {
  if (!zm_ctx) return;
  zm_paint_prepare();
  var x = zm_Math.min(x1, x2), y = zm_Math.min(y1, y2), w = zm_Math.abs(x2 - x1), h = zm_Math.abs(y2 - y1);
  if (outline) zm_ctx.strokeRect(x + 0.5, y + 0.5, w, h);
  else zm_ctx.fillRect(x, y, w, h);
  zm_ctx.globalAlpha = 1;
}
function draw_circle(x, y, r, outline) {
  if (!zm_ctx) return;
  zm_paint_prepare();
  zm_ctx.beginPath();
  zm_ctx.arc(x, y, zm_Math.abs(r), 0, 2 * pi);
  if (outline) zm_ctx.stroke(); else zm_ctx.fill();
  zm_ctx.globalAlpha = 1;
}
function draw_line(x1, y1, x2, y2) {
  if (!zm_ctx) return;
  zm_paint_prepare();
  zm_ctx.beginPath();
  zm_ctx.moveTo(x1, y1);
  zm_ctx.lineTo(x2, y2);
  zm_ctx.stroke();
  zm_ctx.globalAlpha = 1;
}
function draw_set_color(c) { zm_draw_color = c | 0; }
function draw_set_alpha(a) { zm_draw_alpha = clamp(+a, 0, 1); }
function make_color_rgb(r, g, b) { return (clamp(r | 0, 0, 255)) + (clamp(g | 0, 0, 255) << 8) + clamp(b | 0, 0, 255) * 65536; }

/* text */
function zm_font_css() { return zm_draw_font ? zm_draw_font.zm_css : '12px "Arial"'; }
function zm_line_height() { return (zm_draw_font ? +zm_draw_font.zm_size || 12 : 12) * 1.2; }
function draw_set_font(font) { zm_draw_font = font && font.zm_css ? font : null; }
function draw_set_halign(a) { zm_halign = a; }
function draw_set_valign(a) { zm_valign = a; }
function draw_text(x, y, text) {
  if (!zm_ctx) return;
  zm_paint_prepare();
  var lines = zm_String(text).split('\n'), lh = zm_line_height();
  zm_ctx.font = zm_font_css();
  zm_ctx.textAlign = zm_halign === fa_center ? 'center' : (zm_halign === fa_right ? 'right' : 'left');
  zm_ctx.textBaseline = 'top';
  var top = y - (zm_valign === fa_middle ? lines.length * lh / 2 : (zm_valign === fa_bottom ? lines.length * lh : 0));
  for (var i = 0; i < lines.length; i++) zm_ctx.fillText(lines[i], x, top + i * lh);
  zm_ctx.globalAlpha = 1;
}
function string_width(text) {
  if (!zm_ctx) return 0;
  zm_ctx.font = zm_font_css();
  var lines = zm_String(text).split('\n'), w = 0;
  for (var i = 0; i < lines.length; i++) w = zm_Math.max(w, zm_ctx.measureText(lines[i]).width);
  return w;
}
function string_height(text) { return zm_String(text).split('\n').length * zm_line_height(); }

/* sprites */
function sprite_get_width(spr) { return spr && spr.zm_frames ? spr.zm_w : 0; }
function sprite_get_height(spr) { return spr && spr.zm_frames ? spr.zm_h : 0; }
function sprite_get_xoffset(spr) { return spr && spr.zm_frames ? spr.zm_cx : 0; }
function sprite_get_yoffset(spr) { return spr && spr.zm_frames ? spr.zm_cy : 0; }
function sprite_get_number(spr) { return spr && spr.zm_frames ? spr.zm_frames.length : 0; }

/* scenes */
function scene_goto(s) { if (zm_is_scene(s)) zm_pending_scene = s; }
function scene_goto_next() { var i = zm_scenes.indexOf(scene); if (i >= 0 && i + 1 < zm_scenes.length) zm_pending_scene = zm_scenes[i + 1]; }
function scene_goto_previous() { var i = zm_scenes.indexOf(scene); if (i > 0) zm_pending_scene = zm_scenes[i - 1]; }
function scene_restart() { if (scene) zm_pending_scene = scene; }
function game_restart() { zm_restart_game = true; }

/* tiles */
function tile_add(bg, left, top, width, height, x, y, depth) { return zm_add_tile(bg, left, top, width, height, x, y, depth); }
function tile_layer_hide(depth) { var l = zm_layer(depth, false); if (l) l.visible = false; }
function tile_layer_show(depth) { var l = zm_layer(depth, false); if (l) l.visible = true; }
function tile_layer_shift(depth, dx, dy) { var l = zm_layer(depth, false); if (l) { l.dx += dx; l.dy += dy; } }
function tile_layer_delete(depth) { var l = zm_layer(depth, false); if (l) zm_tile_layers.splice(zm_tile_layers.indexOf(l), 1); }

/* local storage, keyed per game by the folder of its page */
function zm_storage_key(key) {
  var path = zm_location.pathname || '';
  return 'zembrik:' + path.substring(0, path.lastIndexOf('/') + 1) + ':' + key;
}
function storage_save(key, value) {
  if (!zm_storage) return false;
  try { zm_storage.setItem(zm_storage_key(key), zm_JSON.stringify(value)); return true; } catch (e) { return false; }
}
function storage_load(key) {
  if (!zm_storage) return null;
  var v = null;
  try { v = zm_storage.getItem(zm_storage_key(key)); } catch (e) { v = null; }
  if (v === null) return null;
  try { return zm_JSON.parse(v); } catch (e) { return v; }
}
function storage_exists(key) {
  if (!zm_storage) return false;
  try { return zm_storage.getItem(zm_storage_key(key)) !== null; } catch (e) { return false; }
}
function storage_delete(key) {
  if (!zm_storage) return;
  try { zm_storage.removeItem(zm_storage_key(key)); } catch (e) {}
}
function storage_clear() {
  if (!zm_storage) return;
  var prefix = zm_storage_key(''), doomed = [];
  try {
    for (var i = 0; i < zm_storage.length; i++) {
      var k = zm_storage.key(i);
      if (k !== null && k.indexOf(prefix) === 0) doomed.push(k);
    }
    for (var j = 0; j < doomed.length; j++) zm_storage.removeItem(doomed[j]);
  } catch (e) {}
}

