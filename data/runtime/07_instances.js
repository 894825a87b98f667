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

