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

