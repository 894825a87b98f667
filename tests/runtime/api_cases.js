// Behaviour of the runtime's functions and values, theme by theme, each a
// table of cases; drawing ones read the pixels back. Played by
// runtime_test.js, which lends its helpers.
'use strict';

module.exports = function addCases(CASES, h) {
  const {F, TEMPLATE, play, check, near, RED, BLUE, GREEN, WHITE} = h;

  // ---------------------------------------------------------------------------
  // Computations: each row an expression and its value.
  CASES.computations = async (browser, dir, fail) => {
    F.writeGame(dir, TEMPLATE, {scenes: F.scene('room', {}, 'room')});
    const page = await play(browser, dir);
    const rows = [
      ['clamp(5, 0, 3)', 3], ['clamp(-1, 0, 3)', 0], ['clamp(2.5, 0, 3)', 2.5],
      ['sign(-0.5)', -1], ['sign(0)', 0], ['sign(7)', 1],
      ['abs(-3.5)', 3.5], ['abs(2)', 2],
      ['floor(-1.5)', -2], ['floor(1.9)', 1], ['ceil(-1.5)', -1], ['ceil(1.2)', 2],
      ['round(2.5)', 3], ['round(-1.4)', -1], ['round(1.6)', 2],
      ['sqrt(16)', 4], ['sqr(-3)', 9], ['power(2, 10)', 1024], ['power(9, 0.5)', 3], ['power(2, -1)', 0.5],
      ['min(3, -1, 2)', -1], ['max(3, -1, 2)', 3], ['min(4)', 4],
      ['point_distance(1, 1, 4, 5)', 5], ['point_distance(4, 5, 1, 1)', 5],
      ['point_direction(0, 0, 5, 0)', 0], ['point_direction(0, 0, 0, 5)', 90],
      ['point_direction(3, 3, -2, 3)', 180], ['point_direction(0, 0, 0, -5)', 270], ['point_direction(0, 0, 1, 1)', 45],
      ['point_direction(0, 0, 1, -1e-17)', 0], ['point_direction(0, 0, 1, -1e-9)', 360 - 180e-9 / Math.PI],
      ['lengthdir_x(10, 0)', 10], ['lengthdir_y(10, 0)', 0], ['lengthdir_y(10, 90)', 10],
      ['lengthdir_x(10, 180)', -10], ['lengthdir_y(10, 270)', -10], ['lengthdir_x(2, 60)', 1],
      ['degtorad(180)', Math.PI], ['degtorad(-90)', -Math.PI / 2], ['radtodeg(pi / 2)', 90], ['radtodeg(-pi)', -180],
      ['pi', Math.PI],
    ];
    const got = await page.eval('[' + rows.map((r) => r[0]).join(', ') + ']');
    rows.forEach((r, i) => check(fail, typeof got[i] === 'number' && Math.abs(got[i] - r[1]) < 1e-9, r[0] + ' is ' + r[1], got[i]));
    // Random values: their range, both ends of irandom reached, every choice made.
    const rnd = await page.eval(`(function () {
      var r = {random: [], irandom: {}, irandomReal: {}, range: [], choose: {}, fraction: false};
      for (var i = 0; i < 3000; i++) {
        var a = random(3), b = random_range(-2, 2);
        r.random.push(a >= 0 && a < 3); r.range.push(b >= -2 && b < 2);
        if (a !== floor(a)) r.fraction = true;
        r.irandom[irandom(2)] = true; r.irandomReal[irandom(2.7)] = true; r.choose[choose('a', 'b', 'c')] = true;
      }
      r.random = r.random.every(Boolean); r.range = r.range.every(Boolean);
      r.irandom = Object.keys(r.irandom).sort().join(); r.irandomReal = Object.keys(r.irandomReal).sort().join();
      r.choose = Object.keys(r.choose).sort().join(); r.narrow = random_range(5, 5); return r; })()`);
    check(fail, rnd.random && rnd.fraction, 'random(n): real numbers from 0 up to n', rnd);
    check(fail, rnd.range && rnd.narrow === 5, 'random_range(low, high) from low up to high', rnd);
    check(fail, rnd.irandom === '0,1,2' && rnd.irandomReal === '0,1,2', 'irandom(n): whole numbers 0 to n, both ends', rnd);
    check(fail, rnd.choose === 'a,b,c', 'choose picks each given value and nothing else', rnd.choose);
    return page;
  };

  // ---------------------------------------------------------------------------
  // Finding instances, their own values, place_meeting for the running
  // instance and other in a Collision event.
  CASES.instances = async (browser, dir, fail) => {
    F.writeGame(dir, TEMPLATE, {
      sprites: F.sprite('sq', {w: 16, h: 16, frames: [0]}),
      objects: F.object('base', {}) + F.object('kid', {parent: 'base'}) + F.object('lone', {sprite: 'sq'}) +
               // Plain JavaScript: inside with(this) the instance's own method would answer.
               F.object('seeker', {sprite: 'sq', events: {Step: ['this.found = place_meeting(this.x, this.y, lone); this.ahead = place_meeting(this.x + 40, this.y, lone);']}}, 1) +
               F.object('walker', {events: {Creation: ['hspeed = 3;']}}) +
               F.object('hitter', {sprite: 'sq', events: {Collision: [['lone', 'other.hit_by = id;']]}}),
      scenes: F.scene('room', {}, 'room'),
    }, {'img/sq_0.png': F.solid(16, 16, RED)});
    const page = await play(browser, dir);
    const rows = [
      ['instance_exists: a child counts, another object or a destroyed instance does not',
       'var none = instance_exists(base), k = instance_create(0,0,kid); var yes = instance_exists(base) && instance_exists(kid) && instance_exists(k);' +
       'var another = instance_exists(lone); instance_destroy(k); return none === false && yes && another === false && instance_exists(k) === false && instance_exists(base) === false;'],
      ['instance_number counts the children, not the parents',
       'instance_create(0,0,base); instance_create(0,0,base); instance_create(0,0,kid); return instance_number(base) === 3 && instance_number(kid) === 1 && instance_number(lone) === 0;'],
      ['instance_find in creation order, noone past the end',
       'var a = instance_create(0,0,base), b = instance_create(0,0,kid); return noone === null && instance_find(base,0) === a && instance_find(base,1) === b && instance_find(base,2) === noone && instance_find(kid,0) === b;'],
      ['instance_nearest is the nearest, wherever it stands in the list',
       'var a = instance_create(100,0,base), b = instance_create(12,14,kid), c = instance_create(-50,-50,base); instance_create(60,60,base);' +
       'return instance_nearest(10,10,base) === b && instance_nearest(90,5,base) === a && instance_nearest(-40,-40,base) === c && instance_nearest(0,0,kid) === b && instance_nearest(0,0,lone) === noone;'],
      ['id is unique and rising; object_index is the object made from',
       'var a = instance_create(0,0,kid), b = instance_create(0,0,kid); return b.id > a.id && a.object_index === kid && b.object_index === kid;'],
      ['xstart and ystart stay; xprevious and yprevious hold the place at the start of the step',
       'var w = instance_create(10,20,walker); zm_run_steps(2); w.y = 7; zm_run_steps(1);' +
       'return w.x === 19 && w.xprevious === 16 && w.y === 7 && w.yprevious === 7 && w.xstart === 10 && w.ystart === 20;'],
      ['place_meeting looks from the running instance; outside an event it finds nothing',
       'var l = instance_create(100,100,lone), s = instance_create(90,95,seeker); zm_run_steps(1);' +
       'return s.found === l && s.ahead === noone && place_meeting(100,100,lone) === noone;'],
      ['other is the instance collided with',
       'var l = instance_create(0,0,lone), h = instance_create(8,8,hitter); zm_run_steps(1); return l.hit_by === h.id;'],
    ];
    for (const [what, code] of rows) {
      const ok = await page.eval(`(function () { zm_enter_scene(room); ${code} })()`);
      check(fail, ok === true, what, ok);
    }
    return page;
  };

  // ---------------------------------------------------------------------------
  // Shapes, opacity, the colour constants and draw_self, read back from the
  // canvas.
  const COLOURS = [['c_black', [0, 0, 0]], ['c_white', [255, 255, 255]], ['c_gray', [128, 128, 128]],
    ['c_dkgray', [64, 64, 64]], ['c_ltgray', [192, 192, 192]], ['c_silver', [192, 192, 192]], ['c_red', [255, 0, 0]],
    ['c_green', [0, 128, 0]], ['c_lime', [0, 255, 0]], ['c_blue', [0, 0, 255]], ['c_navy', [0, 0, 128]],
    ['c_yellow', [255, 255, 0]], ['c_orange', [255, 160, 64]], ['c_aqua', [0, 255, 255]], ['c_teal', [0, 128, 128]],
    ['c_fuchsia', [255, 0, 255]], ['c_purple', [128, 0, 128]], ['c_maroon', [128, 0, 0]], ['c_olive', [128, 128, 0]]];
  CASES.shapes = async (browser, dir, fail) => {
    F.writeGame(dir, TEMPLATE, {
      sprites: F.sprite('sq', {w: 8, h: 8, frames: [0]}),
      backgrounds: F.background('bg_green', 'green.png'),
      objects: F.object('twice', {sprite: 'sq', events: {Draw: ['x += 30; draw_self(); x -= 30;']}}),
      scenes: F.scene('room', {w: 200, h: 100, rgb: [0, 0, 64], objects: [{o: 'twice', x: 150, y: 60}]}, 'room'),
    }, {'img/sq_0.png': F.solid(8, 8, WHITE), 'img/green.png': F.solid(4, 4, [0, 160, 0, 255])});
    const page = await play(browser, dir);
    await page.eval('zm_run_steps(1)');
    // Each row draws on the scene colour (0, 0, 64) and reads pixels back.
    const BG = [0, 0, 64];
    const rows = [
      ['draw_self draws the sprite where the instance stands now', '', [[151, 61, WHITE], [181, 61, WHITE], [171, 61, BG]]],
      ['a filled rectangle covers its corners', 'draw_set_color(c_red); draw_rectangle(30, 10, 10, 30, false);',
       [[10, 10, RED], [29, 29, RED], [20, 20, RED], [31, 20, BG], [20, 9, BG]]],
      ['an outlined rectangle is only its border', 'draw_set_color(c_red); draw_rectangle(10, 10, 30, 30, true);',
       [[10, 20, RED], [30, 20, RED], [20, 10, RED], [20, 30, RED], [20, 20, BG], [12, 12, BG]]],
      ['a filled circle', 'draw_set_color(c_lime); draw_circle(50, 20, 10, false);',
       [[50, 20, [0, 255, 0]], [50, 12, [0, 255, 0]], [59, 29, BG], [62, 20, BG]]],
      ['an outlined circle is only its ring', 'draw_set_color(c_lime); draw_circle(50, 20, 10.5, true);',
       [[50, 20, BG], [45, 20, BG], [39, 20, 'lit'], [60, 20, 'lit'], [50, 9, 'lit'], [50, 30, 'lit']]],
      ['a line from one point to the other', 'draw_set_color(c_white); draw_line(70.5, 10.5, 90.5, 10.5); draw_line(100.5, 5.5, 100.5, 25.5);',
       [[71, 10, WHITE], [89, 10, WHITE], [80, 12, BG], [95, 10, BG], [100, 15, WHITE], [100, 28, BG]]],
      ['draw_set_alpha: shapes at half opacity', 'draw_set_color(c_white); draw_set_alpha(0.5); draw_rectangle(10, 40, 20, 50, false); draw_set_alpha(1);',
       [[15, 45, [128, 128, 160]]]],
      ['draw_set_alpha: backgrounds too', 'draw_set_alpha(0.5); draw_background(bg_green, 30, 40); draw_background_stretched(bg_green, 40, 40, 8, 8); draw_set_alpha(1);',
       [[31, 41, [0, 80, 32]], [46, 46, [0, 80, 32]]]],
      ['draw_set_alpha is kept between 0 and 1', 'draw_set_color(c_white); draw_set_alpha(5); draw_rectangle(10, 40, 20, 50, false); draw_set_alpha(-1); draw_rectangle(30, 40, 40, 50, false); draw_set_alpha(1);',
       [[15, 45, WHITE], [35, 45, BG]]],
      ['make_color_rgb: red, green and blue parts', 'draw_set_color(make_color_rgb(10, 200, 30)); draw_rectangle(10, 70, 20, 80, false);',
       [[15, 75, [10, 200, 30]]]],
    ];
    for (const [what, code, points] of rows) {
      const got = await page.eval(`(function () { zm_draw(); ${code}
        return ${JSON.stringify(points.map((p) => [p[0], p[1]]))}.map(function (p) { return px(p[0], p[1]); }); })()`);
      points.forEach((p, i) => {
        const ok = p[2] === 'lit' ? got[i][1] > 100 : near(got[i], p[2]);
        check(fail, ok, what + ' at ' + p[0] + ',' + p[1] + ' is ' + JSON.stringify(p[2]), got[i]);
      });
    }
    const text = await page.eval(`(function () { var out = [];
      [0.5, 1].forEach(function (a) { zm_draw(); draw_set_color(c_white); draw_set_alpha(a); draw_text(60, 40, "MMMM");
        draw_set_alpha(1); var d = zm_ctx.getImageData(55, 35, 60, 25).data, top = 0;
        for (var k = 0; k < d.length; k += 4) top = Math.max(top, d[k]); out.push(top); });
      return out; })()`);
    check(fail, text[1] > 240 && text[0] > 100 && text[0] < 140, 'draw_set_alpha: text too', text);
    const colours = await page.eval(`(function () { zm_draw(); var out = [];
      ${JSON.stringify(COLOURS.map((c) => c[0]))}.forEach(function (name, i) {
        draw_set_color(window[name]); draw_rectangle(i * 10, 0, i * 10 + 8, 8, false); out.push(px(i * 10 + 4, 4)); });
      return out; })()`);
    COLOURS.forEach(([name, rgb], i) => check(fail, near(colours[i], rgb), name + ' is ' + JSON.stringify(rgb), colours[i]));
    const clamped = await page.eval('[make_color_rgb(300, -5, 128), make_color_rgb(1, 2, 3)]');
    check(fail, clamped[0] === 255 + 128 * 65536 && clamped[1] === 1 + 2 * 256 + 3 * 65536, 'make_color_rgb keeps each part in 0 to 255', clamped);
    return page;
  };

  // ---------------------------------------------------------------------------
  // Text: alignment against x and y, line feeds, measured sizes.
  CASES.text = async (browser, dir, fail) => {
    F.writeGame(dir, TEMPLATE, {
      fonts: F.font('fnt', 'DejaVu Sans', 20, 0, 0),
      scenes: F.scene('room', {w: 300, h: 200, rgb: [0, 0, 0]}, 'room'),
    });
    const page = await play(browser, dir);
    // The lit box of text drawn at (150, 100) in white: [left, right, top, bottom].
    await page.eval(`function box(setup, text) { zm_draw(); draw_set_font(fnt); draw_set_color(c_white);
      draw_set_halign(fa_left); draw_set_valign(fa_top); setup(); draw_text(150, 100, text);
      draw_set_halign(fa_left); draw_set_valign(fa_top);
      var d = zm_ctx.getImageData(0, 0, 300, 200).data, b = [999, -1, 999, -1];
      for (var y = 0; y < 200; y++) for (var x = 0; x < 300; x++) if (d[(y * 300 + x) * 4] > 128) {
        b[0] = Math.min(b[0], x); b[1] = Math.max(b[1], x); b[2] = Math.min(b[2], y); b[3] = Math.max(b[3], y); }
      return b; }`);
    const m = await page.eval('draw_set_font(fnt); [string_width("H"), string_width("HHHH"), string_width("H\\nHHHH"), string_height("H"), string_height("H\\nH\\nH")]');
    const [w1, w4, wLines, h1, h3] = m;
    check(fail, w1 > 8 && w1 < 20 && Math.abs(w4 - 4 * w1) < 1, 'string_width grows with the text', m);
    check(fail, wLines === w4, 'string_width of lines is the widest line', m);
    check(fail, h1 >= 20 && h1 <= 30 && Math.abs(h3 - 3 * h1) < 0.01, 'string_height: the font size and line spacing, per line', m);
    const small = await page.eval('draw_set_font(null); [string_width("HHHH"), string_height("H")]');
    check(fail, small[0] < w4 && small[1] < h1, 'without a font the text is smaller', small);
    const rows = [
      ['fa_left and fa_top: the text starts at x and hangs below y', 'fa_left', 'fa_top',
       (b) => b[0] >= 150 && b[0] <= 154 && b[2] >= 100 && b[2] <= 100 + h1 / 2],
      ['fa_center: centred on x', 'fa_center', 'fa_top', (b) => Math.abs((b[0] + b[1]) / 2 - 150) <= 2],
      ['fa_right: ends at x', 'fa_right', 'fa_top', (b) => b[1] <= 150 && b[1] >= 146],
      ['fa_middle: centred on y', 'fa_left', 'fa_middle', (b) => b[2] < 100 && b[3] > 100 && b[2] >= 100 - h1 / 2],
      ['fa_bottom: stands on y', 'fa_left', 'fa_bottom', (b) => b[3] <= 100 && b[3] >= 100 - h1 / 2],
    ];
    for (const [what, h, v, ok] of rows) {
      const b = await page.eval(`box(function () { draw_set_halign(${h}); draw_set_valign(${v}); }, "HHHH")`);
      check(fail, ok(b), what, b);
    }
    const lines = await page.eval('[box(function () {}, "H"), box(function () {}, "H\\nH"), box(function () { draw_set_valign(fa_bottom); }, "H\\nH")]');
    check(fail, Math.abs((lines[1][3] - lines[1][2]) - (lines[0][3] - lines[0][2]) - h1) <= 1,
          'a line feed starts a new line one line height lower', lines);
    check(fail, lines[2][3] <= 100 && lines[2][2] < 100 - h1, 'fa_bottom lifts every line', lines[2]);
    return page;
  };

  // ---------------------------------------------------------------------------
  // Sprite facts and the instance values that choose what is drawn.
  CASES.sprites = async (browser, dir, fail) => {
    const tall = F.png(4, 8, (x, y) => (y < 4 ? [255, 0, 0, 255] : [0, 0, 255, 255]));
    F.writeGame(dir, TEMPLATE, {
      sprites: F.sprite('duo', {w: 10, h: 10, cx: 3, cy: 4, frames: [0, 1]}) +
               F.sprite('tall', {w: 4, h: 8, frames: [0]}) + F.sprite('none', {w: 6, h: 5, cx: 1, cy: 2, frames: []}),
      objects: F.object('show', {sprite: 'duo'}) +
               F.object('echo', {sprite: 'duo', events: {Draw: ['draw_sprite(duo, -1, x + 30, y); draw_sprite_ext(tall, 0, x + 50, y, 1, 1, 90, 0.5);']}}),
      scenes: F.scene('room', {w: 100, h: 100, rgb: [0, 0, 64]}, 'room'),
    }, {'img/duo_0.png': F.solid(10, 10, RED), 'img/duo_1.png': F.solid(10, 10, GREEN), 'img/tall_0.png': tall});
    const page = await play(browser, dir);
    const facts = await page.eval(`[duo, tall, none, null, show].map(function (s) {
      return [sprite_get_width(s), sprite_get_height(s), sprite_get_xoffset(s), sprite_get_yoffset(s), sprite_get_number(s)]; })`);
    const want = [[10, 10, 3, 4, 2], [4, 8, 0, 0, 1], [6, 5, 1, 2, 0], [0, 0, 0, 0, 0], [0, 0, 0, 0, 0]];
    ['duo', 'tall', 'a sprite without frames', 'null', 'an object'].forEach((n, i) =>
      check(fail, JSON.stringify(facts[i]) === JSON.stringify(want[i]), 'sprite_get_width, height, offsets and number of ' + n, facts[i]));
    const BG = [0, 0, 64];
    // [what, code run on a fresh instance i at (20, 20), then one step; points]
    const rows = [
      ['sprite_index and image_number start from the object', 'return [i.sprite_index === duo, i.image_number];', [true, 2]],
      ['image_index advances by image_speed and wraps', 'i.image_speed = 0.75; zm_run_steps(2); var a = i.image_index; zm_run_steps(1); return [a, i.image_index];', [1.5, 0.25]],
      ['a negative image_speed runs backwards from the first frame to the last', 'i.image_speed = -1; zm_run_steps(1); var a = i.image_index; zm_run_steps(1); return [a, i.image_index];', [1, 0]],
      ['image_speed 0 stops the frame; image_index chooses it', 'i.image_speed = 0; i.image_index = 1; zm_run_steps(1); return [i.image_index, px(18, 17)];', [1, GREEN]],
      ['a new sprite_index is drawn and counted', 'i.sprite_index = tall; zm_run_steps(1); return [i.image_number, px(21, 21), px(21, 26), px(25, 21)];', [1, RED, BLUE, BG]],
      ['image_yscale -1 flips about the origin', 'i.sprite_index = tall; i.image_yscale = -1; zm_run_steps(1); return [px(21, 18), px(21, 14), px(21, 22)];', [RED, BLUE, BG]],
      ['image_yscale 2 stretches downwards', 'i.sprite_index = tall; i.image_yscale = 2; zm_run_steps(1); return [px(21, 26), px(21, 34), px(21, 37)];', [RED, BLUE, BG]],
      ['draw_sprite with frame -1 shows the instance\'s frame; draw_sprite_ext turns clockwise about the picture middle, with its alpha',
       'var e = instance_create(20, 20, echo); e.image_speed = 0; zm_run_steps(1); return [px(48, 17), px(73, 23), px(69, 23), px(73, 28)];',
       [RED, [128, 0, 32], [0, 0, 160], BG]],
      ['image_alpha 0.5 draws at half opacity', 'i.image_speed = 0; i.image_alpha = 0.5; zm_run_steps(1); return [px(20, 20)];', [[128, 0, 32]]],
    ];
    for (const [what, code, expected] of rows) {
      const got = await page.eval(`(function () { zm_enter_scene(room); var i = instance_create(20, 20, show); ${code} })()`);
      const ok = got.length === expected.length && expected.every((e, k) => (Array.isArray(e) ? near(got[k], e) : got[k] === e));
      check(fail, ok, what, got);
    }
    return page;
  };

  // ---------------------------------------------------------------------------
  // Scene values, the view that follows an instance, and the default speed.
  CASES.scenes_and_views = async (browser, dir, fail) => {
    F.writeGame(dir, TEMPLATE, {
      objects: F.object('target', {}),
      scenes: F.scene('big', {w: 400, h: 300, speed: 0, rgb: [1, 2, 3], view: [100, 80, 'target', 20, 10],
                              objects: [{o: 'target', x: 200, y: 150}]}, null) +
              F.scene('plain', {w: 120, h: 90, speed: 45, rgb: [200, 100, 50], view: [0, 0, null, 50, 50]}, 'big'),
    });
    const page = await play(browser, dir);
    const values = 'JSON.stringify([scene_width, scene_height, scene_speed, background_color, view_wview, view_hview, zm_canvas.width, zm_canvas.height])';
    const big = await page.eval(values);
    check(fail, big === JSON.stringify([400, 300, 30, 1 + 2 * 256 + 3 * 65536, 100, 80, 100, 80]),
          'scene values; a speed of 0 plays at 30 steps a second', big);
    const plain = await page.eval('scene_goto(plain); zm_run_steps(1); ' + values);
    check(fail, plain === JSON.stringify([120, 90, 45, 200 + 100 * 256 + 50 * 65536, 120, 90, 120, 90]),
          'scene values; without a view size the view is the scene', plain);
    const fill = await page.eval('px(60, 45)');
    check(fail, near(fill, [200, 100, 50]), 'the scene filled with background_color', fill);
    // The view keeps the followed instance its borders (20, 10) inside, and
    // stays inside the scene. [x, y, view_xview, view_yview]
    const moves = [[200, 150, 120, 80], [135, 150, 115, 80], [135, 85, 115, 75], [135, 160, 115, 90],
                   [395, 295, 300, 220], [3, 4, 0, 0]];
    const views = await page.eval(`(function () { scene_goto(big); zm_run_steps(1); var t = instance_find(target, 0), out = [];
      ${JSON.stringify(moves)}.forEach(function (m) { t.x = m[0]; t.y = m[1]; zm_run_steps(1); out.push([view_xview, view_yview]); });
      return out; })()`);
    moves.forEach((m, i) => check(fail, views[i][0] === m[2] && views[i][1] === m[3],
                                  'view with the followed instance at ' + m[0] + ',' + m[1], views[i]));
    return page;
  };

  // ---------------------------------------------------------------------------
  // The device: message box, console, mobile, tilt, and every mouse button.
  CASES.devices = async (browser, dir, fail) => {
    F.writeGame(dir, TEMPLATE, {
      objects: F.object('pad', {events: {Step: [
        'log.push([mb_left, mb_right, mb_middle, mb_any, mb_none].map(function (b) { return Number(mouse_check_button(b)); }).join("") + " " +' +
        '[mb_right, mb_middle, mb_any].map(function (b) { return Number(mouse_check_button_pressed(b)) + "" + Number(mouse_check_button_released(b)); }).join(" "));']}}),
      scenes: F.scene('room', {w: 200, h: 150, objects: [{o: 'pad', x: 0, y: 0}]}, 'room'),
      global_variables: 'var log = [];',
    });
    const page = await play(browser, dir);
    const dialogs = [];
    const listener = (msg) => {
      if (msg.sessionId === page.sessionId && msg.method === 'Page.javascriptDialogOpening') {
        dialogs.push(msg.params.message);
        browser.send('Page.handleJavaScriptDialog', {accept: true}, page.sessionId).catch(() => {});
      }
    };
    browser.listeners.push(listener);
    const after = await page.eval('show_message(42); show_message("a\\nb"); "after"');
    browser.listeners.splice(browser.listeners.indexOf(listener), 1);
    check(fail, JSON.stringify(dialogs) === '["42","a\\nb"]' && after === 'after', 'show_message shows the text and waits', dialogs);
    await page.eval('show_debug_message("note " + 7)');
    check(fail, page.logs.indexOf('note 7') >= 0, 'show_debug_message writes to the console', page.logs);
    const mobile = [];
    for (const ua of ['Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 Chrome/120.0 Safari/537.36',
                      'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 Chrome/120.0 Mobile Safari/537.36',
                      'Mozilla/5.0 (iPad; CPU OS 17_0 like Mac OS X) AppleWebKit/605.1.15']) {
      await browser.send('Emulation.setUserAgentOverride', {userAgent: ua}, page.sessionId);
      mobile.push(await page.eval('device_is_mobile()'));
    }
    check(fail, JSON.stringify(mobile) === '[false,true,true]', 'device_is_mobile: desktop, phone, tablet', mobile);
    const tilt = await page.eval(`[tilt_x, tilt_y, tilt_z].concat((function () {
      window.dispatchEvent(new DeviceOrientationEvent('deviceorientation', {alpha: 30, beta: -20, gamma: 10}));
      return [tilt_x, tilt_y, tilt_z]; })())`);
    check(fail, JSON.stringify(tilt) === '[0,0,0,10,-20,30]', 'tilt_x left-right, tilt_y front-back, tilt_z compass', tilt);
    // One step after each pointer action: held per button; pressed and
    // released of right, middle and any.
    const actions = [null, ['mousePressed', 'right'], null, ['mouseReleased', 'right'], ['mousePressed', 'middle'],
                     ['mouseReleased', 'middle'], ['mousePressed', 'left'], ['mouseReleased', 'left']];
    for (const a of actions) {
      if (a) await page.mouse(a[0], 20, 20, a[1]);
      await page.eval('zm_run_steps(1)');
    }
    const log = await page.eval('log.slice(-' + actions.length + ')');
    const want = ['00001 00 00 00', '01010 10 00 10', '01010 00 00 00', '00001 01 00 01', '00110 00 10 10',
                  '00001 00 01 01', '10010 00 00 10', '00001 00 00 01'];
    actions.forEach((a, i) => check(fail, log[i] === want[i], 'mouse buttons after ' + (a ? a.join(' ') : 'nothing'), log[i]));
    // A second button pressed or let go while one is held is told by a move
    // that names it. [event, button, buttons, log after the next step]
    const chords = [['pointerdown', 0, 1, '10010 00 00 10'], ['pointermove', 2, 3, '11010 10 00 10'],
                    ['pointermove', 0, 2, '01010 00 00 01'], ['pointerup', 2, 0, '00001 01 00 01'],
                    ['pointermove', -1, 0, '00001 00 00 00']];
    for (const [type, button, buttons, expected] of chords) {
      const got = await page.eval(`zm_canvas.dispatchEvent(new PointerEvent('${type}', {button: ${button}, buttons: ${buttons},
        clientX: 20, clientY: 20, bubbles: true})); zm_run_steps(1); log[log.length - 1]`);
      check(fail, got === expected, 'mouse buttons after ' + type + ' of button ' + button + ' with buttons ' + buttons, got);
    }
    return page;
  };

  // ---------------------------------------------------------------------------
  // Keys held through steps: the two keys of a modifier, a key the browser
  // repeats, a click between two steps, and the pointer under a moving view.
  CASES.held_input = async (browser, dir, fail) => {
    F.writeGame(dir, TEMPLATE, {
      objects: F.object('pad', {events: {Step: [
        'log.push([vk_shift, vk_ctrl, vk_alt, vk_a].map(function (k) { return [keyboard_check(k), keyboard_check_pressed(k), ' +
        'keyboard_check_released(k)].map(Number).join(""); }).join(" ") + " " + ' +
        '[mb_left, mb_any, mb_none].map(function (b) { return Number(mouse_check_button(b)); }).join(""));']}}) +
        F.object('runner', {events: {Creation: ['hspeed = 4; vspeed = 2;']}}),
      scenes: F.scene('room', {w: 2000, h: 2000, view: [200, 150, 'runner', 60, 40],
                               objects: [{o: 'pad', x: 0, y: 0}]}, 'room'),
      global_variables: 'var log = [];',
    });
    const page = await play(browser, dir);
    // A modifier's key events carry its flag while one of its keys is down,
    // as the keyboard's do (without it an Alt key takes the focus away).
    const side = (name, code, loc, held) =>
      [name, {code, location: loc, modifiers: held ? {Alt: 1, Control: 2, Shift: 8}[name] : 0}];
    // [what is done before the step, the keys sent, the log of that step:
    // shift, ctrl, alt, A as held, pressed, released; then mb_left, mb_any, mb_none]
    const rows = [
      ['left Shift down', [['rawKeyDown', 16, ...side('Shift', 'ShiftLeft', 1, true)]], '110 000 000 000 001'],
      ['right Shift down too', [['rawKeyDown', 16, ...side('Shift', 'ShiftRight', 2, true)]], '100 000 000 000 001'],
      ['left Shift up, right still down', [['keyUp', 16, ...side('Shift', 'ShiftLeft', 1, true)]], '100 000 000 000 001'],
      ['right Shift up', [['keyUp', 16, ...side('Shift', 'ShiftRight', 2, false)]], '001 000 000 000 001'],
      ['right Ctrl, then left Ctrl down', [['rawKeyDown', 17, ...side('Control', 'ControlRight', 2, true)],
                                           ['rawKeyDown', 17, ...side('Control', 'ControlLeft', 1, true)]], '000 110 000 000 001'],
      ['right Ctrl up, left still down', [['keyUp', 17, ...side('Control', 'ControlRight', 2, true)]], '000 100 000 000 001'],
      ['left Ctrl up; both Alt keys down and the left one up',
       [['keyUp', 17, ...side('Control', 'ControlLeft', 1, false)], ['rawKeyDown', 18, ...side('Alt', 'AltLeft', 1, true)],
        ['rawKeyDown', 18, ...side('Alt', 'AltRight', 2, true)], ['keyUp', 18, ...side('Alt', 'AltLeft', 1, true)]],
       '000 001 110 000 001'],
      ['right Alt up', [['keyUp', 18, ...side('Alt', 'AltRight', 2, false)]], '000 000 001 000 001'],
      ['A down', [['rawKeyDown', 65, 'a', {}]], '000 000 000 110 001'],
      ['A repeated by the browser', [['rawKeyDown', 65, 'a', {autoRepeat: true}], ['rawKeyDown', 65, 'a', {autoRepeat: true}]],
       '000 000 000 100 001'],
      ['A repeated again', [['rawKeyDown', 65, 'a', {autoRepeat: true}]], '000 000 000 100 001'],
      ['A up', [['keyUp', 65, 'a', {}]], '000 000 000 001 001'],
      ['A let go once more, not held', [['keyUp', 65, 'a', {}]], '000 000 000 000 001'],
      ['a click down and up between two steps', ['click'], '000 000 000 000 110'],
      ['nothing', [], '000 000 000 000 001'],
    ];
    for (const [what, sent, want] of rows) {
      for (const k of sent) {
        if (k === 'click') {
          await page.mouse('mousePressed', 30, 40);
          await page.mouse('mouseReleased', 30, 40);
        } else {
          await page.key(k[0], k[1], k[2], k[3]);
        }
      }
      const got = await page.eval('zm_run_steps(1); log[log.length - 1]');
      check(fail, got === want, what + ': ' + want, got);
    }
    // The pointer stays at (30, 40) of the view while the view follows the
    // runner away; mouse_x and mouse_y are still the place under it.
    await page.mouse('mouseMoved', 30, 40);
    const start = await page.eval('[mouse_x, mouse_y, view_xview, view_yview]');
    const moved = await page.eval(`instance_create(100, 130, runner); zm_run_steps(55);
      [mouse_x, mouse_y, view_xview, view_yview]`);
    check(fail, JSON.stringify(start) === '[30,40,0,0]' && moved[2] === 180 && moved[3] === 130 &&
          moved[0] === 210 && moved[1] === 170, 'mouse_x and mouse_y follow the view under a still pointer', [start, moved]);
    return page;
  };

  // ---------------------------------------------------------------------------
  // Sound and music controls.
  CASES.audio_controls = async (browser, dir, fail) => {
    F.writeGame(dir, TEMPLATE, {
      sounds: F.audio('snd_a', 'a.wav', '', ''),
      musics: F.audio('mus_a', 'a.wav', '', '') + F.audio('mus_b', 'a.wav', '', ''),
      scenes: F.scene('room', {}, 'room'),
    }, {'aud/a.wav': F.wav()});
    const page = await play(browser, dir);
    // [what, code, expected JSON]
    const rows = [
      ['sound_loop plays over and over', 'sound_loop(snd_a); return [sound_is_playing(snd_a), snd_a.zm_pool[0].loop];', [true, true]],
      ['sound_stop stops a looping sound', 'sound_loop(snd_a); sound_stop(snd_a); return [sound_is_playing(snd_a)];', [false]],
      ['sound_volume sets the playing and the next sound, kept in 0 to 1',
       'sound_play(snd_a); sound_volume(snd_a, 0.25); var a = snd_a.zm_pool[0].volume; sound_play(snd_a); var b = snd_a.zm_pool[1].volume;' +
       'sound_volume(snd_a, 7); var c = snd_a.zm_pool[1].volume; sound_volume(snd_a, -1); return [a, b, c, snd_a.zm_pool[0].volume];', [0.25, 0.25, 1, 0]],
      ['sound_stop_all leaves the music', 'music_play(mus_a); sound_play(snd_a); sound_stop_all(); return [sound_is_playing(snd_a), sound_is_playing(mus_a)];', [false, true]],
      ['music_pause, then music_resume', 'music_play(mus_a); music_pause(); var a = [sound_is_playing(mus_a), zm_music.paused]; music_resume(); return a.concat([sound_is_playing(mus_a), zm_music.paused]);',
       [false, true, true, false]],
      ['music_volume for the music playing and the next, kept in 0 to 1',
       'music_play(mus_a); music_volume(0.5); var a = zm_music.volume; music_play(mus_b); var b = zm_music.volume; music_volume(3); var c = zm_music.volume; music_volume(-2); return [a, b, c, zm_music.volume];', [0.5, 0.5, 1, 0]],
      ['music_resume after music_stop plays nothing', 'music_play(mus_a); music_stop(); music_resume(); return [sound_is_playing(mus_a)];', [false]],
    ];
    for (const [what, code, want] of rows) {
      const got = await page.eval(`(function () { sound_stop_all(); music_stop(); music_volume(1); sound_volume(snd_a, 1); snd_a.zm_pool.forEach(function (e) { e.pause(); });
        snd_a.zm_pool = []; ${code} })()`);
      check(fail, JSON.stringify(got) === JSON.stringify(want), what, got);
    }
    await page.eval('sound_stop_all(); music_stop();');
    return page;
  };
};
