// What a step does, in order: the collision tests that see what changed
// earlier in the step, the drawing order, and what a box or a round
// collision shape meets when its sprite is scaled. Played by
// runtime_test.js, which lends its helpers.
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
  const {F, TEMPLATE, play, check, near, RED, BLUE, GREEN, WHITE} = h;

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

  // ---------------------------------------------------------------------------
  // Once a collision test has run in a step, a later event of that step
  // sees the instances as they are then, whatever code changed them and
  // however large they are. In each row the first instance's Step tests for
  // a collision far away, q stands more than a grid cell from where it is
  // looked for, the change (if any) comes in a Step of its own, and the last
  // instance's Step calls place_meeting and collision_point.
  CASES.collisions_in_step = async (browser, dir, fail) => {
    F.writeGame(dir, TEMPLATE, {
      sprites: F.sprite('box', {w: 10, h: 10}),
      objects: F.object('actor', {sprite: 'box', events: {Step: ['if (this.act) this.act();']}}, 1) +
               F.object('ball', {sprite: 'box'}) +
               F.object('kicker', {sprite: 'box', events: {Collision: [['ball', 'other.x = 200;']]}}) +
               // A template literal keeps the handler inside with(this).
               F.object('shover', {sprite: 'box', events: {Collision: [['ball', 'other.y = 100; how = `shoved`;']]}}) +
               F.object('catcher', {sprite: 'box', events: {Collision: [['ball', 'caught = other;']]}}),
      scenes: F.scene('room', {w: 6000, h: 600}, 'room'),
    });
    const page = await play(browser, dir);
    // [what, q, the change, place_meeting at, collision_point at, 'q' or 'none' found]
    const rows = [
      ['another instance moved by code', 'mk(300, 0)', 'q.x = 5;', '0, 0', '7, 5', 'q'],
      ['another instance moved away by code', 'mk(5, 0)', 'q.x = 300;', '0, 0', '7, 5', 'none'],
      ['another instance moved down by code', 'mk(0, 300)', 'q.y = 5;', '0, 0', '5, 7', 'q'],
      ['another instance whose collision goes from 0 to 1', 'mk(5, 0, null, "collision", 0)', 'q.collision = 1;', '0, 0', '7, 5', 'q'],
      ['another instance that gets a sprite_index', 'mk(5, 0, null, "sprite_index", null)', 'q.sprite_index = box;', '0, 0', '7, 5', 'q'],
      ['another instance whose image_xscale grows over the querier, mirrored', 'mk(100, 0)', 'q.image_xscale = -12;', '0, 0', '7, 5', 'q'],
      ['another instance whose image_yscale grows over the querier', 'mk(0, 100)', 'q.image_yscale = -12;', '0, 0', '5, 7', 'q'],
      ['an instance that scales itself in its own Step without moving',
       'mk(100, 0, function () { this.image_xscale = -12; })', '', '0, 0', '7, 5', 'q'],
      ['an instance made 5,000 px wide and high before the step, at its far corner', 'big(mk(0, 200))', '',
       '4500, 4500', '4990, 4990', 'q'],
      ['an instance made 5,000 px wide and high by code, at its far corner', 'mk(0, 200)',
       'q.image_xscale = q.image_yscale = 500;', '4500, 4500', '4990, 4990', 'q'],
      ['an instance 5,000 px wide and high moved out of the way', 'big(mk(0, 200))', 'q.x = 5000;',
       '4500, 4500', '4990, 4990', 'none'],
    ];
    const got = await page.eval(`(function () {
      function mk(x, y, act, field, value) {
        var i = instance_create(x, y, actor); i.act = act || null; if (field) i[field] = value; return i;
      }
      function big(i) { i.image_xscale = i.image_yscale = 500; return i; }
      function who(found, q) { return found === q ? 'q' : found === null ? 'none' : 'another'; }
      return [${rows.map(([, q, change, at, pt]) => `function () {
        zm_enter_scene(room);
        mk(3000, 500, function () { this.place_meeting(this.x, this.y, actor); });
        var q = ${q};
        ${change ? `mk(1000, 500, function () { ${change} });` : ''}
        var c = mk(2000, 500, function () { this.met = this.place_meeting(${at}, actor); this.pt = collision_point(${pt}, actor); });
        zm_run_steps(1);
        return [who(c.met, q), who(c.pt, q)]; }`).join(',\n')}].map(function (f) { return f(); }); })()`);
    rows.forEach(([what, , , , , want], i) => check(fail, got[i][0] === want && got[i][1] === want,
                                                  what + ': ' + want + ' found', got[i]));
    // The same in the game's own code: Collision events move other, and
    // each later Collision event meets it where the one before left it.
    const caught = await page.eval(`(function () { zm_enter_scene(room);
      var b = instance_create(0, 0, ball); instance_create(5, 0, kicker); var s = instance_create(205, 0, shover);
      var c = instance_create(205, 100, catcher); zm_run_steps(1); return [b.x, b.y, s.how, c.caught === b]; })()`);
    check(fail, JSON.stringify(caught) === '[200,100,"shoved",true]',
          'other.x and other.y set in Collision events are seen by the next', caught);
    return page;
  };

  // ---------------------------------------------------------------------------
  // At equal depth the instance made later is drawn over the one made
  // earlier, whether the instances are already in depth order or a deeper
  // one made last has the list sorted. [what, instances made in order as
  // [object, x, y], a depth set afterwards [n, depth], point, colour there]
  CASES.draw_order = async (browser, dir, fail) => {
    F.writeGame(dir, TEMPLATE, {
      sprites: F.sprite('red_sq', {w: 10, h: 10, frames: [0]}) + F.sprite('blue_sq', {w: 10, h: 10, frames: [0]}) +
               F.sprite('green_sq', {w: 10, h: 10, frames: [0]}),
      objects: F.object('red', {sprite: 'red_sq'}) + F.object('blue', {sprite: 'blue_sq'}) +
               F.object('green', {sprite: 'green_sq', depth: 5}),
      scenes: F.scene('room', {w: 100, h: 100, rgb: [0, 0, 64]}, 'room'),
    }, {'img/red_sq_0.png': F.solid(10, 10, RED), 'img/blue_sq_0.png': F.solid(10, 10, BLUE),
        'img/green_sq_0.png': F.solid(10, 10, GREEN)});
    const page = await play(browser, dir);
    const deep = ['green', 80, 80];
    const rows = [
      ['red made before blue', [['red', 10, 10], ['blue', 15, 15]], null, [17, 17], BLUE],
      ['blue made before red', [['blue', 15, 15], ['red', 10, 10]], null, [17, 17], RED],
      ['red made before blue, then a deeper one', [['red', 10, 10], ['blue', 15, 15], deep], null, [17, 17], BLUE],
      ['blue made before red, then a deeper one', [['blue', 15, 15], ['red', 10, 10], deep], null, [17, 17], RED],
      ['three of one depth sorted after a deeper one', [['red', 10, 10], ['blue', 12, 12], ['red', 14, 14], deep],
       null, [13, 13], BLUE],
      ['a depth changed to equal: the one made first stays under', [['green', 12, 12], ['red', 10, 10], ['blue', 15, 15], deep],
       [0, 0], [13, 13], RED],
    ];
    const got = await page.eval(`${JSON.stringify(rows)}.map(function (r) {
      zm_enter_scene(room);
      var made = r[1].map(function (m) { return instance_create(m[1], m[2], window[m[0]]); });
      if (r[2]) made[r[2][0]].depth = r[2][1];
      zm_run_steps(1); return px(r[3][0], r[3][1]); })`);
    rows.forEach(([what, , , at, colour], i) => check(fail, near(got[i], colour), what + ': ' + JSON.stringify(colour) +
                                                     ' at ' + at, got[i]));
    return page;
  };

  // ---------------------------------------------------------------------------
  // A box sprite scaled is its box scaled about the origin; a negative
  // scale mirrors it there, as the picture is. The sprite's box runs from 1
  // to 9 across and 0 to 10 down, its origin at (2, 3); the instance stands
  // at (100, 100). [x scale, y scale, 'point' at (x, y) or 'box' (2 x 2)
  // with its top-left at (x, y), expected meeting]
  CASES.box_shapes = async (browser, dir, fail) => {
    F.writeGame(dir, TEMPLATE, {
      sprites: F.sprite('lop', {w: 10, h: 10, cx: 2, cy: 3, box: [1, 9, 0, 10]}) + F.sprite('dot', {w: 2, h: 2}),
      objects: F.object('plank', {sprite: 'lop'}) + F.object('grain', {sprite: 'dot'}),
      scenes: F.scene('room', {w: 200, h: 200}, 'room'),
    });
    const page = await play(browser, dir);
    const rows = [
      // 99 to 107 across, 97 to 107 down
      [1, 1, 'point', 99, 100, true], [1, 1, 'point', 98.9, 100, false],
      [1, 1, 'point', 106.9, 106.9, true], [1, 1, 'point', 107, 100, false], [1, 1, 'point', 100, 96.9, false],
      // twice as wide: 98 to 114
      [2, 1, 'point', 98, 100, true], [2, 1, 'point', 97.9, 100, false],
      [2, 1, 'point', 113.9, 100, true], [2, 1, 'point', 114, 100, false],
      [2, 1, 'box', 96.5, 100, true], [2, 1, 'box', 96, 100, false],
      [2, 1, 'box', 113.5, 100, true], [2, 1, 'box', 114, 100, false],
      // mirrored, facing left: 93 to 101
      [-1, 1, 'point', 93, 100, true], [-1, 1, 'point', 92.9, 100, false],
      [-1, 1, 'point', 100.9, 100, true], [-1, 1, 'point', 101, 100, false], [-1, 1, 'point', 104, 100, false],
      [-1, 1, 'box', 91.5, 100, true], [-1, 1, 'box', 91, 100, false],
      [-1, 1, 'box', 100.5, 100, true], [-1, 1, 'box', 101, 100, false],
      // flipped: 93 to 103 down
      [1, -1, 'point', 100, 93, true], [1, -1, 'point', 100, 92.9, false],
      [1, -1, 'point', 100, 102.9, true], [1, -1, 'point', 100, 103, false],
      [1, -1, 'box', 100, 91.5, true], [1, -1, 'box', 100, 91, false],
      // mirrored twice as wide and half as high: 86 to 102 across, 98.5 to 103.5 down
      [-2, 0.5, 'point', 86, 100, true], [-2, 0.5, 'point', 85.9, 100, false],
      [-2, 0.5, 'point', 101.9, 100, true], [-2, 0.5, 'point', 102, 100, false],
      [-2, 0.5, 'point', 100, 98.5, true], [-2, 0.5, 'point', 100, 98.4, false],
      [-2, 0.5, 'point', 100, 103.4, true], [-2, 0.5, 'point', 100, 103.5, false],
    ];
    const got = await page.eval(`(function () {
      return ${JSON.stringify(rows)}.map(function (r) {
        zm_enter_scene(room);
        var b = instance_create(100, 100, plank); b.image_xscale = r[0]; b.image_yscale = r[1];
        if (r[2] === 'point') return [collision_point(r[3], r[4], plank) === b];
        var g = instance_create(r[3], r[4], grain);
        return [b.place_meeting(100, 100, grain) === g, g.place_meeting(r[3], r[4], plank) === b];
      }); })()`);
    rows.forEach((r, i) => check(fail, got[i].every((m) => m === r[5]),
                                 r[2] + ' at (' + r[3] + ', ' + r[4] + ') with scales ' + r[0] + ', ' + r[1] +
                                 (r[5] ? ' meets' : ' misses'), got[i]));
    return page;
  };
};
