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

