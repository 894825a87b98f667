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

