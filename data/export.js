/* Zembrik Game Maker game runtime. The program copies this file into every
   game.js and replaces the marker lines below with the game's own code. */
var zm_version = `
//ZEMBRIK_VERSION
`.trim();

/* Browser built-ins, taken before any game code runs: a resource named
   Image, Math or top must not break the runtime. */
var zm_window = window;
var zm_document = document;
var zm_Math = Math;
var zm_Image = Image;
var zm_Audio = Audio;
var zm_Object = Object;
var zm_JSON = JSON;
var zm_String = String;
var zm_Number = Number;
var zm_Uint8Array = Uint8Array;
var zm_Map = Map;
var zm_console = console;
var zm_navigator = navigator;
var zm_location = location;
var zm_encode = encodeURIComponent;
var zm_fn_source = Function.prototype.toString;
var zm_Function = Function;
var zm_set_timeout = setTimeout.bind(window);
var zm_clear_timeout = clearTimeout.bind(window);
var zm_now = (function (p) { return function () { return p.now(); }; })(performance);
var zm_alert = alert.bind(window);
var zm_storage = null;
try { zm_storage = localStorage; } catch (e) { zm_storage = null; }

/* ---------------------------------------------------------------------
   Runtime core
   --------------------------------------------------------------------- */

var zm_scenes = [];
var zm_room_to_go = null;

var zm_sprites = [];
var zm_backgrounds = [];
var zm_fonts = [];
var zm_sounds = [];
var zm_objects = [];
var zm_audio_kind = 0;          // 0 while the sounds section runs, 1 for musics
var zm_loaded = false;          // set by the boot at the end of the script
var zm_started = false;

var zm_instances = [];
var zm_next_id = 100001;
var zm_order = 0;
var zm_self = null;
var zm_canvas = null;
var zm_ctx = null;
var zm_steps = 0;
var zm_error_line = '';
var zm_reported = {};
var zm_pending_scene = null;
var zm_restart_game = false;

/* Values the games read and set. */
var pi = zm_Math.PI;
var noone = null;
var fps = 0;
var scene = null;
var scene_width = 640;
var scene_height = 480;
var scene_speed = 30;
var background_color = 0;
var view_xview = 0;
var view_yview = 0;
var view_wview = 640;
var view_hview = 480;
/* The pointer is kept in canvas pixels and mouse_x and mouse_y are worked
   out when read, so that they follow a view moving under a still pointer. */
var zm_pointer_x = 0;
var zm_pointer_y = 0;
zm_Object.defineProperty(zm_window, 'mouse_x', {enumerable: true,
  get: function () { return zm_pointer_x + view_xview; },
  set: function (v) { zm_pointer_x = v - view_xview; }});
zm_Object.defineProperty(zm_window, 'mouse_y', {enumerable: true,
  get: function () { return zm_pointer_y + view_yview; },
  set: function (v) { zm_pointer_y = v - view_yview; }});
var tilt_x = 0;
var tilt_y = 0;
var tilt_z = 0;

var mb_none = 0;
var mb_left = 1;
var mb_right = 2;
var mb_middle = 3;
var mb_any = -1;

var fa_left = 0;
var fa_center = 1;
var fa_right = 2;
var fa_top = 0;
var fa_middle = 1;
var fa_bottom = 2;

/* Colours are integers red + green * 256 + blue * 65536. */
var c_black = 0;
var c_white = 16777215;
var c_gray = 8421504;
var c_dkgray = 4210752;
var c_ltgray = 12632256;
var c_silver = 12632256;
var c_red = 255;
var c_green = 32768;
var c_lime = 65280;
var c_blue = 16711680;
var c_navy = 8388608;
var c_yellow = 65535;
var c_orange = 4235519;
var c_aqua = 16776960;
var c_teal = 8421376;
var c_fuchsia = 16711935;
var c_purple = 8388736;
var c_maroon = 128;
var c_olive = 32896;

/* Key codes of the keyboard constants. */
var vk_0 = 48, vk_1 = 49, vk_2 = 50, vk_3 = 51, vk_4 = 52, vk_5 = 53, vk_6 = 54, vk_7 = 55, vk_8 = 56, vk_9 = 57;
var vk_a = 65, vk_b = 66, vk_c = 67, vk_d = 68, vk_e = 69, vk_f = 70, vk_g = 71, vk_h = 72, vk_i = 73;
var vk_j = 74, vk_k = 75, vk_l = 76, vk_m = 77, vk_n = 78, vk_o = 79, vk_p = 80, vk_q = 81, vk_r = 82;
var vk_s = 83, vk_t = 84, vk_u = 85, vk_v = 86, vk_w = 87, vk_x = 88, vk_y = 89, vk_z = 90;
var vk_add = 107, vk_alt = 18, vk_backspace = 8, vk_ctrl = 17, vk_decimal = 110, vk_delete = 46;
var vk_divide = 111, vk_down = 40, vk_end = 35, vk_enter = 13, vk_escape = 27;
var vk_f1 = 112, vk_f2 = 113, vk_f3 = 114, vk_f4 = 115, vk_f5 = 116, vk_f6 = 117;
var vk_f7 = 118, vk_f8 = 119, vk_f9 = 120, vk_f10 = 121, vk_f11 = 122, vk_f12 = 123;
var vk_home = 36, vk_insert = 45, vk_left = 37, vk_multiply = 106;
var vk_num0 = 96, vk_num1 = 97, vk_num2 = 98, vk_num3 = 99, vk_num4 = 100;
var vk_num5 = 101, vk_num6 = 102, vk_num7 = 103, vk_num8 = 104, vk_num9 = 105;
var vk_pagedown = 34, vk_pageup = 33, vk_pause = 19, vk_right = 39, vk_shift = 16;
var vk_space = 32, vk_subtract = 109, vk_tab = 9, vk_up = 38;

/* The nine events: handler property, default handler and the name errors
   are reported with. */
var zm_EV_CREATION = 0, zm_EV_DESTROY = 1, zm_EV_STEP = 2, zm_EV_END_STEP = 3, zm_EV_COLLISION = 4;
var zm_EV_ROOMSTART = 5, zm_EV_ROOMEND = 6, zm_EV_ANIMATIONEND = 7, zm_EV_DRAW = 8;
var zm_event_props = ['on_creation', 'on_destroy', 'on_step', 'on_end_step', 'on_collision',
                      'on_roomstart', 'on_roomend', 'on_animationend', 'on_draw'];
var zm_event_names = ['Creation', 'Destroy', 'Step', 'End step', 'Collision',
                      'Room start', 'Room end', 'Animation end', 'Draw'];

function on_creation_i() {}
function on_destroy_i() {}
function on_step_i() {}
function on_end_step_i() {}
function on_collision_i() {}
function on_roomstart_i() {}
function on_roomend_i() {}
function on_animationend_i() {}
function on_draw_i() { if (this.visible == 1) zm_draw_instance(this); }
var zm_defaults = [on_creation_i, on_destroy_i, on_step_i, on_end_step_i, on_collision_i,
                   on_roomstart_i, on_roomend_i, on_animationend_i, on_draw_i];

/* A resource's variable is still undefined while its constructor runs, so
   its name comes from the constructor ("__name"). */
function zm_name_of(self) {
  var n = self.constructor && self.constructor.name ? self.constructor.name : '';
  return n.indexOf('__') === 0 ? n.substring(2) : n;
}

/* Image and audio files are addressed relative to the page; each path
   segment is percent-encoded so that blanks, '#' or '%' in file names load. */
function zm_url(path) {
  var parts = zm_String(path).split('/');
  for (var i = 0; i < parts.length; i++) {
    if (parts[i] !== '..' && parts[i] !== '.') parts[i] = zm_encode(parts[i]);
  }
  return parts.join('/');
}

var zm_images_pending = 0;
var zm_images = [];
function zm_load_image(path) {
  var img = new zm_Image();
  zm_images_pending++;
  img.onload = img.onerror = function () {
    img.onload = img.onerror = null;
    zm_images_pending--;
    if (zm_images_pending === 0 && zm_boot_waiting) zm_start_game();
  };
  img.src = zm_url(path);
  zm_images.push(img);
  return img;
}
function zm_image_ready(img) {
  return img && img.complete && img.naturalWidth > 0;
}

function __sprite_init__(self, N, w, h, cx, cy, shape, radius, left, right, top, bottom, frames) {
  self.zm_name = zm_name_of(self);
  self.zm_w = w;
  self.zm_h = h;
  self.zm_cx = cx;
  self.zm_cy = cy;
  self.zm_circle = zm_String(shape).toLowerCase() === 'circle';
  self.zm_radius = radius;
  self.zm_left = left;
  self.zm_right = right;
  self.zm_top = top;
  self.zm_bottom = bottom;
  self.zm_frames = [];
  for (var i = 0; frames && i < frames.length; i++) self.zm_frames.push(zm_load_image(frames[i]));
  zm_sprites.push(self);
}

function __background_init__(self, N, url) {
  self.zm_name = zm_name_of(self);
  self.image = zm_load_image(url);
  zm_backgrounds.push(self);
}

function __font_init__(self, N, family, size, bold, italic) {
  self.zm_name = zm_name_of(self);
  self.zm_size = size;
  self.zm_css = (italic == 1 ? 'italic ' : '') + (bold == 1 ? 'bold ' : '') + size + 'px "' +
                zm_String(family).replace(/["\\]/g, '') + '"';
  zm_fonts.push(self);
}

/* ---- audio ---- */

var zm_audio_probe = null;
function zm_can_play(type) {
  if (!zm_audio_probe) zm_audio_probe = new zm_Audio();
  return zm_audio_probe.canPlayType && zm_audio_probe.canPlayType(type) !== '';
}
function zm_pick_audio(wav, mp3, ogg) {
  var order = [[ogg, 'audio/ogg; codecs="vorbis"'], [mp3, 'audio/mpeg'], [wav, 'audio/wav']];
  var i;
  for (i = 0; i < order.length; i++) {
    if (order[i][0] && zm_can_play(order[i][1])) return order[i][0];
  }
  for (i = 0; i < order.length; i++) if (order[i][0]) return order[i][0];
  return '';
}

function __audio_init__(self, N, wav, mp3, ogg) {
  self.zm_name = zm_name_of(self);
  self.zm_music = zm_audio_kind === 1;
  self.zm_file = zm_pick_audio(wav, mp3, ogg);
  self.zm_pool = [];
  self.zm_volume = 1;
  zm_sounds.push(self);
}

/* Plays refused before the first user gesture wait for the first key or
   pointer press. */
var zm_audio_waiting = [];
function zm_audio_start(el) {
  el.zm_want = true;
  var p;
  try { p = el.play(); } catch (e) { p = null; }
  if (p && p.catch) {
    p.catch(function (e) {
      if (e && e.name === 'NotAllowedError' && el.zm_want) zm_audio_waiting.push(el);
    });
  }
}
function zm_audio_gesture() {
  var list = zm_audio_waiting;
  zm_audio_waiting = [];
  for (var i = 0; i < list.length; i++) {
    if (list[i].zm_want) { try { list[i].play().catch(function () {}); } catch (e) {} }
  }
}
function zm_audio_halt(el) {
  el.zm_want = false;
  try { el.pause(); el.currentTime = 0; } catch (e) {}
}
function zm_sound_element(snd) {
  for (var i = 0; i < snd.zm_pool.length; i++) {
    var el = snd.zm_pool[i];
    if (el.ended || (el.paused && !el.zm_want)) { el.currentTime = 0; return el; }
  }
  var fresh = new zm_Audio();
  fresh.preload = 'auto';
  fresh.src = zm_url(snd.zm_file);
  fresh.addEventListener('ended', function () { fresh.zm_want = false; });
  snd.zm_pool.push(fresh);
  return fresh;
}
function zm_is_sound(snd) { return snd && snd.zm_pool && snd.zm_file; }

function sound_play(snd) {
  if (!zm_is_sound(snd)) return;
  var el = zm_sound_element(snd);
  el.loop = false;
  el.volume = snd.zm_volume;
  zm_audio_start(el);
}
function sound_loop(snd) {
  if (!zm_is_sound(snd)) return;
  var el = zm_sound_element(snd);
  el.loop = true;
  el.volume = snd.zm_volume;
  zm_audio_start(el);
}
function sound_stop(snd) {
  if (!zm_is_sound(snd)) return;
  for (var i = 0; i < snd.zm_pool.length; i++) zm_audio_halt(snd.zm_pool[i]);
}
function sound_stop_all() {
  for (var i = 0; i < zm_sounds.length; i++) if (!zm_sounds[i].zm_music) sound_stop(zm_sounds[i]);
}
function sound_volume(snd, volume) {
  if (!zm_is_sound(snd)) return;
  snd.zm_volume = clamp(+volume, 0, 1);
  for (var i = 0; i < snd.zm_pool.length; i++) snd.zm_pool[i].volume = snd.zm_volume;
}
function sound_is_playing(snd) {
  if (!zm_is_sound(snd)) return false;
  for (var i = 0; i < snd.zm_pool.length; i++) {
    var el = snd.zm_pool[i];
    if (el.zm_want && !el.ended) return true;
  }
  return false;
}

var zm_music = null;
var zm_music_volume = 1;
function music_play(mus) {
  music_stop();
  if (!zm_is_sound(mus)) return;
  var el = zm_sound_element(mus);
  el.loop = true;
  el.volume = zm_music_volume;
  zm_music = el;
  zm_audio_start(el);
}
function music_stop() {
  if (zm_music) zm_audio_halt(zm_music);
  zm_music = null;
}
function music_pause() {
  if (zm_music) { zm_music.zm_want = false; try { zm_music.pause(); } catch (e) {} }
}
function music_resume() {
  if (zm_music) zm_audio_start(zm_music);
}
function music_volume(volume) {
  zm_music_volume = clamp(+volume, 0, 1);
  if (zm_music) zm_music.volume = zm_music_volume;
}

/* ---- objects ---- */

function __instance_init__(self, OBJ, PARENT, visible, depth, SPRITE, collision, index) {
  if (zm_probe) {           // a second run of the constructor, after every section ran
    zm_probe.parent = PARENT;
    return;
  }
  self.zm_name = zm_name_of(self);
  self.zm_parent = PARENT || null;
  self.zm_visible = visible;
  self.zm_depth = depth;
  self.zm_sprite = SPRITE || null;
  self.zm_collision = collision;
  self.zm_index = index;
  self.zm_oid = zm_objects.length;
  self.zm_h = null;
  self.zm_kin = null;
  self.zm_vars = [];
  self.place_meeting = zm_place_meeting_method;
  zm_Object.defineProperties(self, zm_shape_fields);
  zm_objects.push(self);
}
var zm_probe = null;

/* Parents that were defined after their child were still undefined when the
   child's constructor ran; running the constructor again now sees them. */
function zm_resolve_parents() {
  var i, def;
  for (i = 0; i < zm_objects.length; i++) {
    def = zm_objects[i];
    if (def.zm_parent === null && typeof def.constructor === 'function') {
      zm_probe = {parent: null};
      try { new def.constructor(); } catch (e) { zm_probe.parent = null; }
      var p = zm_probe.parent;
      zm_probe = null;
      if (p && p.zm_oid !== undefined && zm_objects[p.zm_oid] === p) def.zm_parent = p;
    }
  }
  // Break cycles: walking up from any object must end.
  for (i = 0; i < zm_objects.length; i++) {
    var seen = {};
    def = zm_objects[i];
    seen[def.zm_oid] = true;
    while (def.zm_parent) {
      if (seen[def.zm_parent.zm_oid]) {
        zm_console.warn('Zembrik: object ' + def.zm_name + ' has a parent cycle; its parent is ignored');
        def.zm_parent = null;
        break;
      }
      seen[def.zm_parent.zm_oid] = true;
      def = def.zm_parent;
    }
  }
  // zm_kin[k] is true when object k is this object or one of its ancestors.
  for (i = 0; i < zm_objects.length; i++) {
    def = zm_objects[i];
    def.zm_kin = [];
    for (var a = def; a; a = a.zm_parent) def.zm_kin[a.zm_oid] = true;
  }
  // An event the object does not define runs its nearest ancestor's handler.
  for (i = 0; i < zm_objects.length; i++) {
    def = zm_objects[i];
    def.zm_h = [];
    for (var k = 0; k < 9; k++) {
      var h = null;
      for (var d = def; d; d = d.zm_parent) {
        var f = d[zm_event_props[k]];
        if (typeof f === 'function' && f !== zm_defaults[k]) { h = f; break; }
      }
      def.zm_h[k] = h;
    }
  }
}

/* ---- bare names in wrapped event code ----
   Inside with(this), "hp = 3" would create a global shared by every
   instance. The handlers are read once; every bare name they assign that is
   not a global of the game becomes a property of each instance, so the
   assignment lands on the instance. */

var zm_js_words = {};
('break case catch class const continue debugger default delete do else export extends finally for ' +
 'function if import in instanceof let new return super switch this throw try typeof var void while ' +
 'with yield true false null undefined arguments eval of async await static get set').split(' ')
  .forEach(function (w) { zm_js_words[w] = true; });

var zm_puncts = ['>>>=', '...', '===', '!==', '**=', '<<=', '>>=', '>>>', '&&=', '||=', '??=',
                 '=>', '==', '!=', '<=', '>=', '&&', '||', '??', '?.', '++', '--', '+=', '-=',
                 '*=', '/=', '%=', '&=', '|=', '^=', '**', '<<', '>>'];
var zm_assign_ops = {'=': 1, '+=': 1, '-=': 1, '*=': 1, '/=': 1, '%=': 1, '**=': 1, '<<=': 1,
                     '>>=': 1, '>>>=': 1, '&=': 1, '|=': 1, '^=': 1, '&&=': 1, '||=': 1, '??=': 1};

function zm_tokens(src) {
  var toks = [], i = 0, n = src.length, c, j, last = null;
  var idStart = /[A-Za-z_$\u00a0-\uffff]/, idPart = /[A-Za-z0-9_$\u00a0-\uffff]/;
  while (i < n) {
    c = src[i];
    if (c === ' ' || c === '\t' || c === '\r' || c === '\n') { i++; continue; }
    if (c === '/' && src[i + 1] === '/') { while (i < n && src[i] !== '\n') i++; continue; }
    if (c === '/' && src[i + 1] === '*') { j = src.indexOf('*/', i + 2); i = j < 0 ? n : j + 2; continue; }
    if (c === '"' || c === "'" || c === '`') {
      for (j = i + 1; j < n && src[j] !== c; j++) if (src[j] === '\\') j++;
      i = j + 1;
      toks.push(last = {t: 's', v: ''});
      continue;
    }
    if (idStart.test(c)) {
      for (j = i + 1; j < n && idPart.test(src[j]); j++) {}
      toks.push(last = {t: 'i', v: src.substring(i, j), s: i, e: j});
      i = j;
      continue;
    }
    if (c >= '0' && c <= '9' || (c === '.' && src[i + 1] >= '0' && src[i + 1] <= '9')) {
      for (j = i + 1; j < n && /[0-9A-Za-z_.]/.test(src[j]); j++) {}
      toks.push(last = {t: 'n', v: ''});
      i = j;
      continue;
    }
    if (c === '/') {
      var value = last && (last.t === 'n' || last.t === 's' || (last.t === 'i' && !zm_js_words[last.v]) ||
                           last.v === ')' || last.v === ']' || last.v === '}');
      if (!value) {        // a regular expression literal
        var inClass = false;
        for (j = i + 1; j < n && src[j] !== '\n'; j++) {
          if (src[j] === '\\') { j++; continue; }
          if (src[j] === '[') inClass = true;
          else if (src[j] === ']') inClass = false;
          else if (src[j] === '/' && !inClass) break;
        }
        for (j++; j < n && /[a-z]/.test(src[j]); j++) {}
        toks.push(last = {t: 's', v: ''});
        i = j;
        continue;
      }
    }
    var p = c;
    for (var k = 0; k < zm_puncts.length; k++) {
      if (src.substr(i, zm_puncts[k].length) === zm_puncts[k]) { p = zm_puncts[k]; break; }
    }
    toks.push(last = {t: 'p', v: p});
    i += p.length;
  }
  return toks;
}

function zm_scan_assigned(src, assigned, declared, props) {
  var toks = zm_tokens(src), n = toks.length, i, t, depth;
  for (i = 0; i < n; i++) {
    t = toks[i];
    if (t.t !== 'i') continue;
    if (t.v === 'var' || t.v === 'let' || t.v === 'const') {
      // declarators: name [= expression] {, name [= expression]}
      var expectName = true;
      depth = 0;
      for (i = i + 1; i < n; i++) {
        var u = toks[i];
        if (expectName && u.t === 'i') { declared[u.v] = true; expectName = false; continue; }
        if (u.v === '(' || u.v === '[' || u.v === '{') depth++;
        else if (u.v === ')' || u.v === ']' || u.v === '}') { if (--depth < 0) break; }
        else if (depth === 0 && u.v === ',') expectName = true;
        else if (depth === 0 && (u.v === ';' || u.v === 'in' || u.v === 'of')) break;
      }
      continue;
    }
    if (t.v === 'function' || t.v === 'catch') {
      var j = i + 1;
      if (j < n && toks[j].t === 'i') { declared[toks[j].v] = true; j++; }
      if (j < n && toks[j].v === '(') {
        for (j++, depth = 1; j < n && depth > 0; j++) {
          if (toks[j].v === '(') depth++;
          else if (toks[j].v === ')') depth--;
          else if (toks[j].t === 'i' && depth === 1) declared[toks[j].v] = true;
        }
      }
      continue;
    }
    if (zm_js_words[t.v]) continue;
    var prev = i > 0 ? toks[i - 1].v : '';
    var next = i + 1 < n ? toks[i + 1].v : '';
    if (prev === '.' || prev === '?.') {
      if (props && (zm_assign_ops[next] === 1 || next === '++' || next === '--')) props[t.v] = true;
      continue;
    }
    var prefixed = (prev === '++' || prev === '--') &&
                   !(i > 1 && (toks[i - 2].t === 'i' || toks[i - 2].t === 'n' ||
                               toks[i - 2].v === ')' || toks[i - 2].v === ']'));
    if (zm_assign_ops[next] === 1 || next === '++' || next === '--' || prefixed) assigned[t.v] = true;
  }
}

/* Names the page has before any game code: the browser's own. A game's
   global that shares such a name (declared with var) is still a global. */
var zm_browser_names = null;
function zm_collect_browser_names() {
  zm_browser_names = {};
  try {
    var frame = zm_document.createElement('iframe');
    frame.style.display = 'none';
    (zm_document.body || zm_document.documentElement).appendChild(frame);
    for (var o = frame.contentWindow; o; o = zm_Object.getPrototypeOf(o)) {
      var names = zm_Object.getOwnPropertyNames(o);
      for (var i = 0; i < names.length; i++) zm_browser_names[names[i]] = true;
    }
    frame.parentNode.removeChild(frame);
  } catch (e) {
    zm_browser_names = {};
  }
}
function zm_is_game_global(name) {
  if (!(name in zm_window)) return false;
  if (!zm_browser_names[name]) return true;
  var d = zm_Object.getOwnPropertyDescriptor(zm_window, name);
  return !!(d && 'value' in d && d.configurable === false);
}

function zm_collect_instance_vars() {
  var props = {};
  zm_find_instance_vars(props);
  zm_unwrap_handlers(props);
  // Handlers compiled without with create their variables on the instance
  // themselves; those that kept it need them there beforehand.
  zm_find_instance_vars(null);
}

function zm_find_instance_vars(props) {
  for (var i = 0; i < zm_objects.length; i++) {
    var def = zm_objects[i], assigned = {}, declared = {};
    for (var k = 0; k < 9; k++) {
      var h = def.zm_h[k];
      if (!h) continue;
      var src = '';
      try { src = zm_fn_source.call(h); } catch (e) { src = ''; }
      if (src.indexOf('with(this)') >= 0) zm_scan_assigned(src, assigned, declared, props);
    }
    def.zm_vars = [];
    for (var name in assigned) {
      if (!declared[name] && !zm_is_game_global(name) && !(name in zm_instance_fields))
        def.zm_vars.push(name);
    }
  }
}

/* with(this) makes every name in the block a slow dynamic lookup. Where the
   outcome is sure to be the same, a handler is compiled again without it:
   each bare name that an instance can hold becomes a property of the
   instance the handler runs for. Handlers that declare such a name, hold a
   template literal or a with of their own keep their with. */
function zm_unwrap_handlers(props) {
  var own = {}, name, i, k;
  // Names assigned as properties somewhere are taken for instance variables
  // unless the game has a global of that name; names every instance holds
  // win over globals, as they do inside with.
  for (name in props) if (!zm_is_game_global(name)) own[name] = true;
  for (name in zm_instance_fields) own[name] = true;
  for (i = 0; i < zm_objects.length; i++) {
    var def = zm_objects[i];
    for (k = 0; k < def.zm_vars.length; k++) own[def.zm_vars[k]] = true;
    for (var o = def; o; o = zm_Object.getPrototypeOf(o)) {
      var names = zm_Object.getOwnPropertyNames(o);
      for (k = 0; k < names.length; k++) own[names[k]] = true;
    }
  }
  var done = new zm_Map();
  for (i = 0; i < zm_objects.length; i++) {
    var h = zm_objects[i].zm_h;
    for (k = 0; k < 9; k++) {
      if (!h[k]) continue;
      if (!done.has(h[k])) done.set(h[k], zm_unwrap(h[k], own));
      h[k] = done.get(h[k]);
    }
  }
}

function zm_unwrap(h, own) {
  var src;
  try { src = zm_fn_source.call(h); } catch (e) { return h; }
  var at = src.indexOf('with(this) {');
  if (at < 0 || src.indexOf('`') >= 0) return h;
  var toks = zm_tokens(src), i, withs = 0;
  for (i = 0; i < toks.length; i++) if (toks[i].t === 'i' && toks[i].v === 'with') withs++;
  if (withs !== 1) return h;
  var declared = {};
  zm_scan_assigned(src, {}, declared, null);
  for (var d in declared) if (own[d] === true) return h;
  var out = '', last = 0;
  for (i = 0; i < toks.length; i++) {
    var t = toks[i];
    if (t.t !== 'i' || t.s < at || own[t.v] !== true) continue;
    var prev = i > 0 ? toks[i - 1].v : '', next = i + 1 < toks.length ? toks[i + 1].v : '';
    if (prev === '.' || prev === '?.') continue;
    if (next === ':' && (prev === '{' || prev === ',')) continue;   // a key or a label
    out += src.substring(last, t.s) + 'zm_me.' + t.v;
    last = t.e;
  }
  out += src.substring(last);
  out = out.substring(0, at) + '{' + out.substring(at + 'with(this) {'.length);
  var open = out.indexOf('{');
  if (open < 0 || open > at) return h;
  out = out.substring(0, open + 1) + 'var zm_me = this;' + out.substring(open + 1);
  try {
    return zm_Function('return (' + out + ');')();
  } catch (e) {
    return h;
  }
}

/* ---- instances ---- */

var zm_instance_fields = {
  id: 1, object_index: 1, x: 1, y: 1, xprevious: 1, yprevious: 1, xstart: 1, ystart: 1,
  hspeed: 1, vspeed: 1, speed: 1, direction: 1, friction: 1, gravity: 1, gravity_direction: 1,
  depth: 1, visible: 1, collision: 1, sprite_index: 1, image_index: 1, image_speed: 1,
  image_number: 1, image_xscale: 1, image_yscale: 1, image_alpha: 1, image_angle: 1, other: 1
};

function zm_is_object(obj) {
  return obj && obj.zm_oid !== undefined && zm_objects[obj.zm_oid] === obj;
}
function zm_is_instance(v) {
  return v && v.zm_alive !== undefined && zm_is_object(v.object_index);
}

function zm_make_instance(def, x, y) {
  var inst = zm_Object.create(def);
  inst.id = zm_next_id++;
  inst.object_index = def;
  inst.zm_alive = true;
  inst.zm_dying = false;
  inst.zm_x = x;
  inst.zm_y = y;
  inst.xprevious = x;
  inst.yprevious = y;
  inst.xstart = x;
  inst.ystart = y;
  inst.hspeed = 0;
  inst.vspeed = 0;
  inst.speed = 0;
  inst.direction = 0;
  inst.friction = 0;
  inst.gravity = 0;
  inst.gravity_direction = 90;
  inst.depth = def.zm_depth;
  inst.visible = def.zm_visible;
  inst.zm_col = def.zm_collision;
  inst.zm_spr = def.zm_sprite;
  inst.image_index = 0;
  inst.image_speed = 1;
  inst.image_number = def.zm_sprite ? def.zm_sprite.zm_frames.length : 0;
  inst.zm_xs = 1;
  inst.zm_ys = 1;
  inst.image_alpha = 1;
  inst.image_angle = 0;
  inst.other = null;
  inst.zm_hs = 0;
  inst.zm_vs = 0;
  inst.zm_sp = 0;
  inst.zm_dr = 0;
  inst.zm_order = zm_order++;
  inst.zm_cells = null;
  inst.zm_gx0 = 0;
  inst.zm_gx1 = 0;
  inst.zm_gy0 = 0;
  inst.zm_gy1 = 0;
  inst.zm_dirty = false;
  inst.zm_qs = 0;
  for (var i = 0; i < def.zm_vars.length; i++) {
    if (!(def.zm_vars[i] in inst)) inst[def.zm_vars[i]] = undefined;
  }
  zm_instances.push(inst);
  if (zm_grid_ok) zm_grid_insert(inst);
  return inst;
}

function zm_report(where, what, e) {
  var text = 'Error in ' + where + ', ' + what + ': ' + (e && e.message ? e.message : zm_String(e));
  zm_error_line = text;
  if (!zm_reported[text]) {
    zm_reported[text] = true;
    zm_console.error(text);
  }
}

/* Code that the program found not to compile comes as text, compiled here
   when its section runs: what the browser takes runs as it would have
   inline, and a piece it refuses is reported and left out, so it cannot stop
   the rest of the game. parts: texts, and pieces [where, line, code]. A
   piece is compiled alone first, after an empty statement (its own
   "use strict" is no directive inline either), then with the rest: one that
   breaks the body, as a second declaration of a name does, is left out too,
   the pieces put back one at a time as the program did. */
function zm_late_body(parts, use) {
  var body = '';
  for (var i = 0; i < parts.length; i++) {
    if (use[i]) body += typeof parts[i] === 'string' ? parts[i] : parts[i][2] + '\r\n';
  }
  return body;
}

function zm_late_function(params, parts) {
  var alone = [], use = [], where = '', i, p;
  for (i = 0; i < parts.length; i++) {
    p = parts[i];
    use[i] = typeof p === 'string';
    if (use[i]) continue;
    where = where || p[0];
    try {
      zm_Function(params, ';\n' + p[2]);
      alone[i] = true;
    } catch (e) {
      zm_report(p[0], p[1] ? 'line ' + p[1] : 'parameters', e.name + ': ' + e.message);
    }
  }
  for (i = 0; i < parts.length; i++) {
    if (!alone[i]) continue;
    use[i] = true;
    try {
      zm_Function(params, zm_late_body(parts, use));
    } catch (e) {
      use[i] = false;
      zm_report(parts[i][0], parts[i][1] ? 'line ' + parts[i][1] : 'parameters', e.name + ': ' + e.message);
    }
  }
  try {
    return zm_Function(params, zm_late_body(parts, use));
  } catch (e) {
    zm_report(where, params ? 'parameters' : 'code', e.name + ': ' + e.message);
    return function () {};
  }
}

/* A top-level piece as a script of its own: its declarations are the page's
   globals, as they would have been inline. A syntax error is shown at the
   line the program found, as its Warning said. */
function zm_late_script(where, line, text) {
  var failed = null;
  var listen = function (ev) { failed = failed || ev; ev.preventDefault(); };
  var holder = zm_document.head || zm_document.documentElement;
  var script = zm_document.createElement('script');
  script.text = text;
  zm_window.addEventListener('error', listen);
  holder.appendChild(script);
  zm_window.removeEventListener('error', listen);
  holder.removeChild(script);
  if (!failed) return;
  var e = failed.error, syntax = e && e.name === 'SyntaxError';
  zm_report(where, 'line ' + (syntax ? line : failed.lineno), e && e.name ? e.name + ': ' +
            zm_String(e.message).replace(/^Failed to execute '[^']*' on '[^']*': /, '') : failed.message);
}

/* Runs one event of one instance; an error is reported and the game goes on. */
function zm_event(inst, k) {
  var h = inst.object_index.zm_h[k];
  if (h === null) return;
  var saved = zm_self;
  zm_self = inst;
  try {
    h.call(inst);
  } catch (e) {
    zm_report('object ' + inst.object_index.zm_name, 'event ' + zm_event_names[k], e);
  }
  zm_self = saved;
}

/* One event for every instance that lives when the round starts. */
function zm_event_all(k) {
  var list = zm_instances, n = list.length;
  for (var i = 0; i < n; i++) {
    var inst = list[i];
    if (inst.zm_alive && inst.object_index.zm_h[k] !== null) zm_event(inst, k);
  }
}

function zm_create(def, x, y, dir, angle) {
  var inst = zm_make_instance(def, +x || 0, +y || 0);
  if (dir) { inst.direction = dir; inst.zm_dr = dir; }
  if (angle) inst.image_angle = angle;
  zm_event(inst, zm_EV_CREATION);
  return inst;
}

/* ---- motion ---- */

function zm_sync_motion(inst) {
  if (inst.speed !== inst.zm_sp || inst.direction !== inst.zm_dr) {
    var r = inst.direction * pi / 180;
    inst.hspeed = inst.speed * zm_Math.cos(r);
    inst.vspeed = inst.speed * zm_Math.sin(r);
  } else if (inst.hspeed !== inst.zm_hs || inst.vspeed !== inst.zm_vs) {
    inst.speed = zm_Math.sqrt(inst.hspeed * inst.hspeed + inst.vspeed * inst.vspeed);
    if (inst.hspeed !== 0 || inst.vspeed !== 0) inst.direction = point_direction(0, 0, inst.hspeed, inst.vspeed);
  }
  inst.zm_hs = inst.hspeed;
  inst.zm_vs = inst.vspeed;
  inst.zm_sp = inst.speed;
  inst.zm_dr = inst.direction;
}

function zm_move(inst) {
  zm_sync_motion(inst);
  if (inst.friction !== 0 && inst.speed !== 0) {
    var s = inst.speed > 0 ? zm_Math.max(0, inst.speed - inst.friction) : zm_Math.min(0, inst.speed + inst.friction);
    inst.speed = s;
    zm_sync_motion(inst);
  }
  if (inst.gravity !== 0) {
    var g = inst.gravity_direction * pi / 180;
    inst.hspeed += inst.gravity * zm_Math.cos(g);
    inst.vspeed += inst.gravity * zm_Math.sin(g);
    zm_sync_motion(inst);
  }
  if (inst.hspeed !== 0 || inst.vspeed !== 0) {
    inst.zm_x += inst.hspeed;
    inst.zm_y += inst.vspeed;
    if (zm_grid_ok) zm_touch(inst);
  }
}

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

/* ---- the step ---- */

var zm_key = new zm_Uint8Array(256);
var zm_key_pressed = new zm_Uint8Array(256);
var zm_key_released = new zm_Uint8Array(256);
var zm_key_pend_press = new zm_Uint8Array(256);
var zm_key_pend_release = new zm_Uint8Array(256);
var zm_mouse = new zm_Uint8Array(4);
var zm_mouse_pressed = new zm_Uint8Array(4);
var zm_mouse_released = new zm_Uint8Array(4);
var zm_mouse_pend_press = new zm_Uint8Array(4);
var zm_mouse_pend_release = new zm_Uint8Array(4);

function zm_input_edges() {
  zm_key_pressed.set(zm_key_pend_press);
  zm_key_released.set(zm_key_pend_release);
  zm_key_pend_press.fill(0);
  zm_key_pend_release.fill(0);
  zm_mouse_pressed.set(zm_mouse_pend_press);
  zm_mouse_released.set(zm_mouse_pend_release);
  zm_mouse_pend_press.fill(0);
  zm_mouse_pend_release.fill(0);
}

function zm_step() {
  var list, n, i, inst;
  zm_steps++;
  zm_grid_drop();
  zm_input_edges();
  list = zm_instances;
  n = list.length;
  for (i = 0; i < n; i++) { inst = list[i]; inst.xprevious = inst.zm_x; inst.yprevious = inst.zm_y; }
  zm_event_all(zm_EV_STEP);
  zm_grid_drop();
  list = zm_instances;
  n = list.length;
  for (i = 0; i < n; i++) { inst = list[i]; if (inst.zm_alive) zm_move(inst); }
  zm_event_all(zm_EV_COLLISION);
  zm_animate();
  zm_event_all(zm_EV_END_STEP);
  zm_remove_dead();
  if (zm_restart_game) {
    zm_restart_game = false;
    zm_pending_scene = null;
    zm_enter_scene(zm_scenes.length > 0 ? zm_scenes[0] : null);
  } else if (zm_pending_scene) {
    var s = zm_pending_scene;
    zm_pending_scene = null;
    zm_enter_scene(s);
  }
  zm_follow_view();
}

/* Animation end fires once each time the picture passes its last frame,
   with image_index still past the end, so the handler's guard holds. */
function zm_animate() {
  var list = zm_instances, n = list.length;
  for (var i = 0; i < n; i++) {
    var inst = list[i];
    if (!inst.zm_alive) continue;
    var s = inst.zm_spr;
    var count = s && s.zm_frames ? s.zm_frames.length : 0;
    inst.image_number = count;
    if (count === 0 || inst.image_speed === 0) continue;
    var next = inst.image_index + inst.image_speed;
    if (next >= count || next < 0) {
      inst.image_index = next;
      if (inst.object_index.zm_h[zm_EV_ANIMATIONEND] !== null) zm_event(inst, zm_EV_ANIMATIONEND);
      if (inst.image_index === next) {
        next = next % count;
        if (next < 0) next += count;
        inst.image_index = next;
      }
    } else {
      inst.image_index = next;
    }
  }
}

function zm_remove_dead() {
  var list = zm_instances, n = list.length, j = 0;
  for (var i = 0; i < n; i++) {
    if (list[i].zm_alive) list[j++] = list[i];
    else zm_grid_remove(list[i]);
  }
  list.length = j;
}

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

/* ---- the loop ---- */

var zm_timer = 0;
var zm_next_time = 0;
var zm_fps_time = 0;
var zm_fps_steps = 0;

/* Timers drive the fixed step: requestAnimationFrame barely runs in hidden
   or headless pages. A late loop catches up a few steps and draws once. */
function zm_tick() {
  zm_timer = 0;
  var now = zm_now(), period = 1000 / (scene_speed > 0 ? scene_speed : 30), n = 0;
  if (zm_next_time === 0) { zm_next_time = now; zm_fps_time = now; }
  while (now >= zm_next_time && n < 4) {
    zm_step();
    zm_next_time += period;
    n++;
    zm_fps_steps++;
  }
  if (now - zm_next_time > 250) zm_next_time = now + period;
  if (n > 0) zm_draw();
  if (now - zm_fps_time >= 1000) {
    fps = zm_Math.round(zm_fps_steps * 1000 / (now - zm_fps_time));
    zm_fps_steps = 0;
    zm_fps_time = now;
  }
  var delay = zm_next_time - zm_now();
  zm_timer = zm_set_timeout(zm_tick, delay > 0 ? delay : 0);
}

/* Steps a held game by hand (the page set zm_test_hold before game.js). */
function zm_run_steps(count) {
  for (var i = 0; i < count; i++) { zm_step(); zm_draw(); }
}

/* ---- input ---- */

/* One key code can stand for two keys (left and right Shift, the two Enter
   keys): zm_key holds a bit for each place on the keyboard, and the code is
   held while any of its keys is. A repeated keydown of a held key is no
   press. */
function zm_on_key(e, down) {
  var k = e.keyCode & 255, bit = 1 << ((e.location | 0) & 3);
  if (down) {
    if (zm_key[k] === 0) zm_key_pend_press[k] = 1;
    zm_key[k] |= bit;
    zm_audio_gesture();
  } else if (zm_key[k] !== 0) {
    // A release from a place never seen pressed lets go of the code.
    zm_key[k] = (zm_key[k] & bit) !== 0 ? zm_key[k] & ~bit : 0;
    if (zm_key[k] === 0) zm_key_pend_release[k] = 1;
  }
  if (k === 37 || k === 38 || k === 39 || k === 40 || k === 32 || k === 9 || k === 8) e.preventDefault();
}

/* Keys and buttons let go while the page has no focus never send their
   release; the next step sees them released as if they had. */
function zm_let_go_all() {
  var i;
  for (i = 0; i < zm_key.length; i++) if (zm_key[i]) { zm_key[i] = 0; zm_key_pend_release[i] = 1; }
  for (i = 0; i < zm_mouse.length; i++) if (zm_mouse[i]) { zm_mouse[i] = 0; zm_mouse_pend_release[i] = 1; }
}

function zm_on_pointer(e, what) {
  if (zm_canvas) {
    var r = zm_canvas.getBoundingClientRect();
    var sx = r.width > 0 ? zm_canvas.width / r.width : 1, sy = r.height > 0 ? zm_canvas.height / r.height : 1;
    zm_pointer_x = (e.clientX - r.left) * sx;
    zm_pointer_y = (e.clientY - r.top) * sy;
  }
  var b = e.button === 0 ? 1 : e.button === 2 ? 2 : e.button === 1 ? 3 : 0;
  // A button pressed or let go while another is held comes as a move that
  // names it; without this a button let go that way would stay held.
  if (what === 0 && b) what = (e.buttons & [0, 1, 2, 4][b]) ? 1 : 2;
  if (what === 1 && b) {
    if (!zm_mouse[b]) zm_mouse_pend_press[b] = 1;
    zm_mouse[b] = 1;
    zm_audio_gesture();
  } else if (what === 2 && b) {
    zm_mouse[b] = 0;
    zm_mouse_pend_release[b] = 1;
  }
}

function zm_listen() {
  zm_document.addEventListener('keydown', function (e) { zm_on_key(e, true); });
  zm_document.addEventListener('keyup', function (e) { zm_on_key(e, false); });
  zm_window.addEventListener('blur', zm_let_go_all);
  zm_canvas.addEventListener('pointerdown', function (e) { zm_on_pointer(e, 1); e.preventDefault(); });
  zm_window.addEventListener('pointerup', function (e) { zm_on_pointer(e, 2); });
  zm_window.addEventListener('pointermove', function (e) { zm_on_pointer(e, 0); });
  zm_canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
  zm_window.addEventListener('deviceorientation', function (e) {
    tilt_x = e.gamma || 0;
    tilt_y = e.beta || 0;
    tilt_z = e.alpha || 0;
  });
}

/* ---- boot ---- */

var zm_boot_waiting = false;

function zm_boot() {
  if (zm_started || zm_boot_waiting) return;
  zm_resolve_parents();
  zm_collect_browser_names();
  zm_collect_instance_vars();
  zm_boot_waiting = true;
  if (zm_images_pending === 0) zm_start_game();
}

function zm_start_game() {
  if (zm_started) return;
  zm_started = true;
  zm_boot_waiting = false;
  var holder = zm_document.getElementById('zembrikgame') || zm_document.body || zm_document.documentElement;
  zm_canvas = zm_document.createElement('canvas');
  zm_canvas.width = 640;
  zm_canvas.height = 480;
  zm_canvas.style.display = 'block';
  zm_canvas.style.touchAction = 'none';
  holder.appendChild(zm_canvas);
  zm_ctx = zm_canvas.getContext('2d');
  zm_listen();
  zm_enter_scene(zm_is_scene(zm_room_to_go) ? zm_room_to_go : null);
  zm_draw();
  if (!zm_window.zm_test_hold) zm_timer = zm_set_timeout(zm_tick, 0);
}

function zm_is_scene(s) {
  return !!s && zm_scenes.indexOf(s) >= 0;
}

/* When a section stops the script with an error, the boot below is never
   reached; this timer starts whatever was defined. */
zm_set_timeout(function () {
  if (!zm_loaded) {
    zm_console.error('Zembrik: the game script stopped before its end; starting what was defined');
    zm_boot();
  }
}, 0);

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

/* ---------------------------------------------------------------------
   Extensions
   --------------------------------------------------------------------- */
//ZEMBRIK_EXTENSIONS

/* ---------------------------------------------------------------------
   Global functions
   --------------------------------------------------------------------- */
//ZEMBRIK_GLOBAL_FUNCTIONS

/* Sprites */
//ZEMBRIK_SPRITES

/* Sounds */
zm_audio_kind = 0;
//ZEMBRIK_SOUNDS

/* Musics */
zm_audio_kind = 1;
//ZEMBRIK_MUSICS
zm_audio_kind = 0;

/* Backgrounds */
//ZEMBRIK_BACKGROUNDS

/* Fonts */
//ZEMBRIK_FONTS

/* Objects */
//ZEMBRIK_OBJECTS

/* Scenes */
//ZEMBRIK_SCENES

/* Global variables */
//ZEMBRIK_GLOBAL_VARIABLES

/* Boot: wait for the pictures, then start the first scene. */
zm_loaded = true;
if (zm_document.readyState === 'loading') {
  zm_document.addEventListener('DOMContentLoaded', zm_boot);
} else {
  zm_boot();
}
