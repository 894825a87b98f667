// What a step does, in order, and what a round collision shape meets when
// its sprite is scaled unequally. Played by runtime_test.js, which lends its
// helpers.
'use strict';

// Where a second ellipse of radii (bx, by) stands when it touches the ellipse
// of radii (ax, ay) about the origin at that one's edge point at angle t:
// [x, y] of its centre and the unit normal of the edge there.
function touching(ax, ay, bx, by, t) {
  let nx = Math.cos(t) / ax, ny = Math.sin(t) / ay;
  const l = Math.hypot(nx, ny);
  nx /= l; ny /= l;
  const s = Math.hypot(bx * nx, by * ny);
  return [ax * Math.cos(t) + bx * bx * nx / s, ay * Math.sin(t) + by * by * ny / s, nx, ny];
}

module.exports = function addCases(CASES, h) {
  const {F, TEMPLATE, play, check, near, WHITE} = h;

  // ---------------------------------------------------------------------------
  // An instance made during an event round gets that event from the next
  // step on; collisions are judged where the motion left the instances;
  // xprevious is the place from before the Step event.
  CASES.step_order = async (browser, dir, fail) => {
    const count = (what) => ({Creation: ['seen = 0;'], [what]: ['seen += 1;']});
    F.writeGame(dir, TEMPLATE, {
      sprites: F.sprite('sq', {w: 10, h: 10}),
      objects:
        F.object('kid_step', {events: count('Step')}) +
        F.object('kid_end', {events: count('End step')}) +
        F.object('kid_start', {events: count('Room start')}) +
        F.object('maker', {events: {Creation: ['made = 0;'],
                                    Step: ['if (made++ === 0) instance_create(0, 0, kid_step);'],
                                    'End step': ['if (made === 1) instance_create(0, 0, kid_end);'],
                                    'Room start': ['instance_create(0, 0, kid_start);']}}) +
        F.object('wall', {sprite: 'sq'}) +
        F.object('mover', {sprite: 'sq', events: {Creation: ['hspeed = 10; step_no = 0; hit_at = -1;'],
                                                  Step: ['step_no += 1;'],
                                                  Collision: [['wall', 'if (hit_at < 0) hit_at = step_no;']]}}) +
        F.object('pusher', {sprite: 'sq', events: {Step: ['x += 8; y += 3;'],
                                                   Collision: [['wall', 'x = xprevious; y = yprevious;']]}}),
      scenes: F.scene('room', {objects: [{o: 'maker', x: 0, y: 0}, {o: 'mover', x: 0, y: 100}, {o: 'wall', x: 25, y: 100},
                                         {o: 'pusher', x: 40, y: 200}, {o: 'wall', x: 52, y: 200}]}, 'room'),
    });
    const page = await play(browser, dir);
    const read = `[instance_find(kid_step, 0).seen, instance_find(kid_end, 0) ? instance_find(kid_end, 0).seen : 'none',
      instance_find(kid_start, 0).seen, instance_find(mover, 0).hit_at, instance_find(pusher, 0).x, instance_find(pusher, 0).y]`;
    const one = await page.eval('zm_run_steps(1); ' + read);
    const three = await page.eval('zm_run_steps(2); ' + read);
    // [what, after one step, after three steps]
    const rows = [
      ['made during Step: no Step in that step, then one each step', 0, 2],
      ['made during End step: no End step in that step, then one each step', 0, 2],
      ['made during Room start: no Room start at all', 0, 0],
      ['a mover with hspeed 10 meets the wall 25 px on in the step it reaches it', -1, 2],
      ['x = xprevious in Collision undoes the move made in Step', 40, 40],
      ['y = yprevious in Collision undoes the move made in Step', 200, 200],
    ];
    rows.forEach(([what, a, b], i) => check(fail, one[i] === a && three[i] === b, what, [one[i], three[i]]));
    return page;
  };

  // ---------------------------------------------------------------------------
  // A 16 x 16 round sprite (radius 8, origin in the middle) scaled unequally
  // is an ellipse with the two scaled radii, as drawn: points and 2 x 2 boxes
  // just inside and just outside its edge, and other round instances
  // touching it. Equal scales keep it a circle.
  CASES.round_shapes = async (browser, dir, fail) => {
    const disc = F.png(16, 16, (x, y) => ((x - 7.5) ** 2 + (y - 7.5) ** 2 < 64 ? WHITE : [0, 0, 0, 0]));
    F.writeGame(dir, TEMPLATE, {
      sprites: F.sprite('disc', {w: 16, h: 16, cx: 8, cy: 8, shape: 'Circle', radius: 8, frames: [0]}) +
               F.sprite('dot', {w: 2, h: 2}),
      objects: F.object('ball', {sprite: 'disc'}) + F.object('grain', {sprite: 'dot'}),
      scenes: F.scene('room', {w: 200, h: 200, rgb: [0, 0, 64]}, 'room'),
    }, {'img/disc_0.png': disc});
    const page = await play(browser, dir);
    // [x scale, y scale, 'point' at (x, y) or 'box' with its top-left at
    // (x, y), expected meeting]; the ball stands at (100, 100).
    const rows = [
      [1, 0.5, 'point', 100, 103.5, true], [1, 0.5, 'point', 100, 104.5, false],
      [1, 0.5, 'point', 100, 96.5, true], [1, 0.5, 'point', 100, 95.5, false],
      [1, 0.5, 'point', 107.5, 100, true], [1, 0.5, 'point', 108.5, 100, false],
      [1, 0.5, 'point', 105.5, 102.75, true], [1, 0.5, 'point', 106, 103, false],
      [1, 0.5, 'box', 99, 103.5, true], [1, 0.5, 'box', 99, 104.5, false],
      [1, 0.5, 'box', 99, 94.5, true], [1, 0.5, 'box', 99, 93.5, false],
      [1, 0.5, 'box', 105.5, 102.75, true], [1, 0.5, 'box', 106, 103, false],
      [2, 1, 'point', 115.5, 100, true], [2, 1, 'point', 116.5, 100, false],
      [2, 1, 'point', 100, 107.5, true], [2, 1, 'point', 100, 108.5, false],
      [2, 1, 'point', 100, 92.5, true], [2, 1, 'point', 100, 91.5, false],
      [2, 1, 'point', 111, 105, true], [2, 1, 'point', 112, 106, false],
      [2, 1, 'box', 99, 107.5, true], [2, 1, 'box', 99, 108.5, false],
      [2, 1, 'box', 82.5, 99, true], [2, 1, 'box', 81.5, 99, false],
      [2, 1, 'box', 111, 105, true], [2, 1, 'box', 112, 106, false],
      [-1, 0.5, 'point', 92.5, 100, true], [-1, 0.5, 'point', 91.5, 100, false],
      [-1, 0.5, 'point', 100, 104.5, false],
      [2, 2, 'point', 100, 115.5, true], [2, 2, 'point', 100, 116.5, false],
      [2, 2, 'point', 111, 111, true], [2, 2, 'point', 112, 112, false],
      [2, 2, 'box', 99, 115.5, true], [2, 2, 'box', 99, 116.5, false],
      [1, 0, 'point', 100, 100, false], [1, 0, 'box', 99, 99, false],
    ];
    const got = await page.eval(`(function () {
      return ${JSON.stringify(rows)}.map(function (r) {
        zm_enter_scene(room); zm_grid_drop();
        var b = instance_create(100, 100, ball); b.image_xscale = r[0]; b.image_yscale = r[1];
        if (r[2] === 'point') return [collision_point(r[3], r[4], ball) === b];
        var g = instance_create(r[3], r[4], grain);
        return [b.place_meeting(100, 100, grain) === g, g.place_meeting(r[3], r[4], ball) === b];
      }); })()`);
    rows.forEach((r, i) => check(fail, got[i].every((m) => m === r[5]),
                                 r[2] + ' at (' + r[3] + ', ' + r[4] + ') with scales ' + r[0] + ', ' + r[1] +
                                 (r[5] ? ' meets' : ' misses'), got[i]));
    // The picture those edges belong to, with scales 1, 0.5.
    const drawn = await page.eval(`(function () { zm_enter_scene(room); var b = instance_create(100, 100, ball);
      b.image_yscale = 0.5; zm_run_steps(1); return [px(100, 102), px(100, 106), px(106, 100), px(100, 94)]; })()`);
    check(fail, near(drawn[0], WHITE) && near(drawn[2], WHITE) && near(drawn[1], [0, 0, 64]) && near(drawn[3], [0, 0, 64]),
          'the ball with y scale 0.5 is drawn 16 wide and 8 high', drawn);
    // Two round instances: the second stands half a pixel inside, then half
    // a pixel outside, the place where it touches the first at the given
    // angle of the first's edge.
    const pairs = [[2, 1, 1, 0.5], [1, 0.5, 2, 1], [2, 1, 2, 1], [2, 1, 1, 1], [1, 1, 0.5, 2], [1, 1, 1, 1]];
    const touches = [];
    for (const [axs, ays, bxs, bys] of pairs) {
      for (const deg of [0, 35, 90, 160, 250]) {
        const [x, y, nx, ny] = touching(8 * axs, 8 * ays, 8 * bxs, 8 * bys, deg * Math.PI / 180);
        for (const [d, meets] of [[-0.5, true], [0.5, false]]) {
          touches.push({a: [axs, ays], b: [bxs, bys], deg, x: 100 + x + d * nx, y: 100 + y + d * ny, meets});
        }
      }
    }
    const met = await page.eval(`(function () {
      return ${JSON.stringify(touches)}.map(function (t) {
        zm_enter_scene(room); zm_grid_drop();
        var a = instance_create(100, 100, ball), b = instance_create(t.x, t.y, ball);
        a.image_xscale = t.a[0]; a.image_yscale = t.a[1]; b.image_xscale = t.b[0]; b.image_yscale = t.b[1];
        return [a.place_meeting(a.x, a.y, ball) === b, b.place_meeting(b.x, b.y, ball) === a];
      }); })()`);
    touches.forEach((t, i) => check(fail, met[i].every((m) => m === t.meets),
                                    'scales ' + t.b + ' ' + (t.meets ? 'inside' : 'outside') + ' scales ' + t.a +
                                    ' at ' + t.deg + ' degrees', met[i]));
    return page;
  };
};
