/* ---- scenes ---- */

var zm_bg_image = null;
var zm_bg_tilex = 0, zm_bg_tiley = 0, zm_bg_stretch = 0;
var zm_follow = null, zm_follow_xb = 0, zm_follow_yb = 0;
var zm_tile_layers = [];
var zm_next_tile_id = 1;

function zm_layer(depth, create) {
  for (var i = 0; i < zm_tile_layers.length; i++) if (zm_tile_layers[i].depth === depth) return zm_tile_layers[i];
  if (!create) return null;
  var layer = {depth: depth, visible: true, dx: 0, dy: 0, tiles: []};
  var j = 0;
  while (j < zm_tile_layers.length && zm_tile_layers[j].depth > depth) j++;
  zm_tile_layers.splice(j, 0, layer);
  return layer;
}

function zm_add_tile(bg, left, top, width, height, x, y, depth) {
  var layer = zm_layer(+depth || 0, true);
  var t = {id: zm_next_tile_id++, bg: bg, l: left, t: top, w: width, h: height, x: x, y: y};
  layer.tiles.push(t);
  return t.id;
}

function __room_start__(self, N, width, height, speed, red, green, blue, image, tilex, tiley, stretch,
                        vw, vh, followed, xborder, yborder) {
  scene = self;
  scene_width = +width || 0;
  scene_height = +height || 0;
  scene_speed = speed > 0 ? +speed : 30;
  background_color = make_color_rgb(red, green, blue);
  zm_bg_image = image && image.naturalWidth !== undefined ? image : null;
  zm_bg_tilex = tilex;
  zm_bg_tiley = tiley;
  zm_bg_stretch = stretch;
  view_wview = vw > 0 ? +vw : scene_width;
  view_hview = vh > 0 ? +vh : scene_height;
  view_xview = 0;
  view_yview = 0;
  zm_follow = zm_is_object(followed) ? followed : null;
  zm_follow_xb = +xborder || 0;
  zm_follow_yb = +yborder || 0;
  zm_size_canvas(view_wview, view_hview);
  var i, j, k;
  var groups = self.tiles || [];
  for (i = 0; i < groups.length; i++) {
    var g = groups[i];
    for (j = 1; j < g.length; j++) {
      var bgGroup = g[j];
      for (k = 1; k < bgGroup.length; k++) {
        var t = bgGroup[k];
        zm_add_tile(bgGroup[0], t[0], t[1], t[2], t[3], t[4], t[5], g[0]);
      }
    }
  }
  var entries = self.objects || [];
  for (i = 0; i < entries.length; i++) {
    var e = entries[i] && entries[i][0];
    if (e && zm_is_object(e.o)) zm_create(e.o, e.x, e.y, e.d || 0, e.a || 0);
  }
  zm_follow_view();
}

function zm_scene_name(s) { return s ? (s.zm_name || (s.zm_name = zm_name_of(s))) : ''; }

/* Leaves the current scene (Room end for every instance) and starts s: its
   instances get Creation, then every instance gets Room start. */
function zm_enter_scene(s) {
  if (scene) zm_event_all(zm_EV_ROOMEND);
  for (var i = 0; i < zm_instances.length; i++) zm_instances[i].zm_alive = false;
  zm_instances = [];
  zm_grid_drop();
  zm_grid = new zm_Map();
  zm_tile_layers = [];
  scene = s;
  zm_bg_image = null;
  zm_follow = null;
  view_xview = 0;
  view_yview = 0;
  if (s && typeof s.start === 'function') {
    try {
      s.start();
    } catch (e) {
      zm_report('scene ' + zm_scene_name(s), 'start', e);
    }
  }
  zm_event_all(zm_EV_ROOMSTART);
}

function zm_follow_view() {
  if (!zm_follow) return;
  var t = instance_find(zm_follow, 0);
  if (!t) return;
  var vx = view_xview, vy = view_yview;
  if (t.x - vx < zm_follow_xb) vx = t.x - zm_follow_xb;
  if (vx + view_wview - t.x < zm_follow_xb) vx = t.x + zm_follow_xb - view_wview;
  if (t.y - vy < zm_follow_yb) vy = t.y - zm_follow_yb;
  if (vy + view_hview - t.y < zm_follow_yb) vy = t.y + zm_follow_yb - view_hview;
  vx = zm_Math.max(0, zm_Math.min(vx, scene_width - view_wview));
  vy = zm_Math.max(0, zm_Math.min(vy, scene_height - view_hview));
  view_xview = vx;
  view_yview = vy;
}

