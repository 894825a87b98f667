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

