/* ---- drawing ---- */

var zm_draw_color = 0;
var zm_draw_alpha = 1;
var zm_draw_font = null;
var zm_halign = 0;
var zm_valign = 0;
var zm_draw_list = [];

function zm_css_color(c) {
  c = c | 0;
  return 'rgb(' + (c & 255) + ',' + ((c >> 8) & 255) + ',' + ((c >> 16) & 255) + ')';
}

function zm_size_canvas(w, h) {
  if (!zm_canvas) return;
  w = zm_Math.max(1, zm_Math.round(w));
  h = zm_Math.max(1, zm_Math.round(h));
  if (zm_canvas.width !== w) zm_canvas.width = w;
  if (zm_canvas.height !== h) zm_canvas.height = h;
}

/* A loaded picture is copied once into a canvas of its own: the browser
   draws from a canvas faster than from an image element (about a tenth off
   a frame of thousands of sprites in a software canvas). */
function zm_frame_source(s, f, img) {
  var cache = s.zm_sources || (s.zm_sources = []);
  var c = cache[f];
  if (c && c.zm_img === img) return c;
  c = zm_document.createElement('canvas');
  c.width = img.naturalWidth;
  c.height = img.naturalHeight;
  c.getContext('2d').drawImage(img, 0, 0);
  c.zm_img = img;
  cache[f] = c;
  return c;
}

/* A sprite is drawn with its origin at (x, y) and turns clockwise about the
   middle of its picture. */
function zm_draw_frame(s, index, x, y, xs, ys, angle, alpha) {
  var frames = s.zm_frames, count = frames.length;
  if (count === 0) return;
  var f = zm_Math.floor(index) % count;
  if (f < 0) f += count;
  var img = frames[f];
  if (!img.complete || img.naturalWidth === 0) return;
  var ctx = zm_ctx, w = img.naturalWidth, h = img.naturalHeight;
  img = zm_frame_source(s, f, img);
  if (angle === 0 && xs === 1 && ys === 1) {
    if (alpha !== 1) ctx.globalAlpha = alpha;
    // Whole pixels: a picture at a fraction of a pixel is resampled, which
    // costs far more and blurs it.
    ctx.drawImage(img, zm_Math.round(x - s.zm_cx), zm_Math.round(y - s.zm_cy));
    if (alpha !== 1) ctx.globalAlpha = 1;
    return;
  }
  ctx.save();
  ctx.globalAlpha = alpha;
  ctx.translate(x + (w / 2 - s.zm_cx) * xs, y + (h / 2 - s.zm_cy) * ys);
  if (angle !== 0) ctx.rotate(angle * pi / 180);
  ctx.scale(xs, ys);
  ctx.drawImage(img, -w / 2, -h / 2);
  ctx.restore();
}

function zm_draw_instance(inst) {
  var s = inst.zm_spr;
  if (!s || !s.zm_frames) return;
  zm_draw_frame(s, inst.image_index, inst.zm_x, inst.zm_y, inst.zm_xs, inst.zm_ys,
                inst.image_angle, inst.image_alpha);
}

function __handle_sprite__(self) { zm_draw_instance(self); }

function zm_draw_tiles(layer) {
  if (!layer.visible) return;
  var ctx = zm_ctx, tiles = layer.tiles;
  for (var i = 0; i < tiles.length; i++) {
    var t = tiles[i], img = t.bg && t.bg.image;
    if (img && img.complete && img.naturalWidth > 0)
      ctx.drawImage(img, t.l, t.t, t.w, t.h, t.x + layer.dx, t.y + layer.dy, t.w, t.h);
  }
}

function zm_draw_scene_background() {
  var img = zm_bg_image, ctx = zm_ctx;
  if (!zm_image_ready(img)) return;
  var w = img.naturalWidth, h = img.naturalHeight;
  if (zm_bg_stretch == 1) { ctx.drawImage(img, 0, 0, scene_width, scene_height); return; }
  if (zm_bg_tilex != 1 && zm_bg_tiley != 1) { ctx.drawImage(img, 0, 0); return; }
  var x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  if (zm_bg_tilex == 1) { x0 = zm_Math.max(0, zm_Math.floor(view_xview / w)) * w; x1 = zm_Math.min(scene_width, view_xview + view_wview); }
  if (zm_bg_tiley == 1) { y0 = zm_Math.max(0, zm_Math.floor(view_yview / h)) * h; y1 = zm_Math.min(scene_height, view_yview + view_hview); }
  for (var y = y0; y <= y1; y += h) for (var x = x0; x <= x1; x += w) ctx.drawImage(img, x, y);
}

function zm_draw() {
  if (!zm_ctx) return;
  var ctx = zm_ctx;
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.globalAlpha = 1;
  ctx.fillStyle = scene ? zm_css_color(background_color) : '#000';
  ctx.fillRect(0, 0, zm_canvas.width, zm_canvas.height);
  if (!scene) return;
  ctx.setTransform(1, 0, 0, 1, -zm_Math.round(view_xview), -zm_Math.round(view_yview));
  zm_draw_scene_background();
  // Larger depth first; at equal depth instances in creation order, then tiles.
  var list = zm_draw_list, n = zm_instances.length, i, sorted = true;
  list.length = n;
  for (i = 0; i < n; i++) {
    list[i] = zm_instances[i];
    if (i > 0 && list[i].depth > list[i - 1].depth) sorted = false;
  }
  if (!sorted) list.sort(function (a, b) { return (b.depth - a.depth) || (a.zm_order - b.zm_order); });
  var layers = zm_tile_layers, li = 0;
  for (i = 0; i < n; i++) {
    var inst = list[i];
    while (li < layers.length && layers[li].depth > inst.depth) zm_draw_tiles(layers[li++]);
    if (!inst.zm_alive) continue;
    var h = inst.object_index.zm_h[zm_EV_DRAW];
    if (h === null) { if (inst.visible == 1) zm_draw_instance(inst); }
    else zm_event(inst, zm_EV_DRAW);
  }
  while (li < layers.length) zm_draw_tiles(layers[li++]);
  list.length = 0;
  if (zm_error_line) {
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.globalAlpha = 1;
    ctx.font = '12px sans-serif';
    ctx.textAlign = 'left';
    ctx.textBaseline = 'bottom';
    ctx.fillStyle = '#000';
    ctx.fillRect(0, zm_canvas.height - 16, zm_canvas.width, 16);
    ctx.fillStyle = '#f44';
    ctx.fillText(zm_error_line, 4, zm_canvas.height - 2);
  }
}

