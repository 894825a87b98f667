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

