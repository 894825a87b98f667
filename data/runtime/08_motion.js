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

