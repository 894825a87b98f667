// Games made from the runtime template, played in headless Chromium.
// Usage: node runtime_test.js --template export.js --keywords keywords.dat
//        --chromium /usr/bin/chromium [case names...]
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const {launch, openPage, withDeadline} = require('./cdp.js');
const F = require('./fixture.js');
const {NL} = F;

const args = process.argv.slice(2);
const opt = (name) => { const i = args.indexOf('--' + name); return i >= 0 ? args[i + 1] : null; };
const TEMPLATE = fs.readFileSync(opt('template'), 'latin1');
const KEYWORDS = fs.readFileSync(opt('keywords'), 'latin1');
const CHROMIUM = opt('chromium') || '/usr/bin/chromium';
const wanted = args.filter((a, i) => !a.startsWith('--') && !(i > 0 && args[i - 1].startsWith('--')));

const RED = [255, 0, 0, 255], BLUE = [0, 0, 255, 255], GREEN = [0, 160, 0, 255], WHITE = [255, 255, 255, 255];
const near = (a, b) => a && b && a.length >= 3 && [0, 1, 2].every((i) => Math.abs(a[i] - b[i]) <= 8);

// Reads the canvas pixel at (x, y) of the view.
const PIXEL = 'function px(x, y) { return Array.from(zm_ctx.getImageData(x, y, 1, 1).data); }';

function check(failures, ok, what, got) {
  if (!ok) failures.push(what + (got !== undefined ? ' (got ' + JSON.stringify(got) + ')' : ''));
}

async function play(browser, dir, pageName = 'hold.html') {
  const page = await openPage(browser, 'file://' + path.join(dir, pageName));
  await page.until('typeof zm_started !== "undefined" && zm_started');
  await page.eval(PIXEL);
  return page;
}

const CASES = {};

// The browser key codes of the key constants; a letter's is its capital's.
const KEY_CODES = {
  vk_a: 65, vk_b: 66, vk_c: 67, vk_d: 68, vk_e: 69, vk_f: 70, vk_g: 71, vk_h: 72, vk_i: 73, vk_j: 74, vk_k: 75,
  vk_l: 76, vk_m: 77, vk_n: 78, vk_o: 79, vk_p: 80, vk_q: 81, vk_r: 82, vk_s: 83, vk_t: 84, vk_u: 85, vk_v: 86,
  vk_w: 87, vk_x: 88, vk_y: 89, vk_z: 90,
  vk_0: 48, vk_1: 49, vk_2: 50, vk_3: 51, vk_4: 52, vk_5: 53, vk_6: 54, vk_7: 55, vk_8: 56, vk_9: 57,
  vk_num0: 96, vk_num1: 97, vk_num2: 98, vk_num3: 99, vk_num4: 100, vk_num5: 101, vk_num6: 102, vk_num7: 103,
  vk_num8: 104, vk_num9: 105, vk_multiply: 106, vk_add: 107, vk_subtract: 109, vk_decimal: 110, vk_divide: 111,
  vk_left: 37, vk_up: 38, vk_right: 39, vk_down: 40,
  vk_f1: 112, vk_f2: 113, vk_f3: 114, vk_f4: 115, vk_f5: 116, vk_f6: 117, vk_f7: 118, vk_f8: 119, vk_f9: 120,
  vk_f10: 121, vk_f11: 122, vk_f12: 123,
  vk_backspace: 8, vk_tab: 9, vk_enter: 13, vk_pause: 19, vk_escape: 27, vk_space: 32, vk_pageup: 33,
  vk_pagedown: 34, vk_end: 35, vk_home: 36, vk_insert: 45, vk_delete: 46,
  vk_shift: 16, vk_ctrl: 17, vk_alt: 18,
};

// ---------------------------------------------------------------------------
// The names the code editor offers are the runtime's own, and the reverse.
CASES.identifiers = async (browser, dir, fail) => {
  const lines = KEYWORDS.split('\n').map((l) => l.replace(/\r$/, ''));
  if (lines[lines.length - 1] === '') lines.pop();
  check(fail, lines.length % 3 === 0, 'keywords.dat holds whole three-line records', lines.length);
  const listed = [];
  for (let i = 0; i + 2 < lines.length; i += 3) {
    const kind = {'.': 'Var', '!': 'Fn', '#': 'Cons'}[lines[i][0]];
    const word = lines[i].slice(1);
    check(fail, kind !== undefined, 'record marker of line ' + (i + 1), lines[i]);
    check(fail, /^[A-Za-z_]+$/.test(word), 'name without digits: ' + word);
    check(fail, lines[i + 1].trim() !== '' && lines[i + 2].trim() !== '', 'two help lines for ' + word);
    check(fail, !word.startsWith('vk_'), 'key codes come from the program, not the file: ' + word);
    listed.push({word, kind});
  }
  const words = new Set(listed.map((k) => k.word));
  check(fail, words.size === listed.length, 'each name listed once');
  // Every listed name has a behaviour test: another case calls the function
  // (as itself, not as a method) or uses the value.
  const own = fs.readFileSync(__filename, 'latin1');
  const from = own.indexOf('CASES.identifiers'), to = own.indexOf('\n// ----', from);
  const behaviour = (own.slice(0, from) + own.slice(to) + fs.readFileSync(path.join(__dirname, 'api_cases.js'), 'latin1') +
                     fs.readFileSync(path.join(__dirname, 'step_cases.js'), 'latin1')).replace(/^\s*\/\/.*$/gm, '');
  for (const {word, kind} of listed) {
    const used = kind === 'Fn' ? new RegExp('(^|[^\\w$.])' + word + '\\s*\\(').test(behaviour)
                               : new RegExp('(^|[^\\w$])' + word + '(?![\\w$])').test(behaviour);
    check(fail, used, (kind === 'Fn' ? 'called' : 'used') + ' by a behaviour test: ' + word);
  }
  // Every top-level name of the runtime that is not its private zm_/__ name
  // or a default handler is a name the editor offers.
  const declared = new Set();
  for (const line of TEMPLATE.split('\n')) {
    let m = /^function ([A-Za-z_$][\w$]*)/.exec(line);
    if (m) declared.add(m[1]);
    m = /^var (.*);/.exec(line);
    if (!m) continue;
    let list = m[1], before;
    do { before = list; list = list.replace(/\{[^{}]*\}|\[[^\[\]]*\]|\([^()]*\)/g, ''); } while (list !== before);
    for (const part of list.split(',')) declared.add(part.trim().split(/[ =]/)[0]);
  }
  for (const name of declared) {
    if (/^(zm_|__)/.test(name) || /^on_\w+_i$/.test(name) || /^vk_/.test(name)) continue;
    check(fail, words.has(name), 'runtime name listed in keywords.dat: ' + name);
  }
  F.writeGame(dir, TEMPLATE, {
    sprites: F.sprite('spr', {w: 8, h: 8, frames: [0]}),
    objects: F.object('thing', {sprite: 'spr'}),
    scenes: F.scene('room', {objects: [{o: 'thing', x: 1, y: 1}]}, 'room'),
  }, {'img/spr_0.png': F.solid(8, 8, RED)});
  const page = await play(browser, dir);
  const missing = await page.eval(`(function () {
    var inst = instance_find(thing, 0), out = [];
    ${JSON.stringify(listed)}.forEach(function (k) {
      var ok = k.kind === 'Fn' ? typeof window[k.word] === 'function'
             : k.kind === 'Var' ? (k.word in window || k.word in inst) : (k.word in window && typeof window[k.word] !== 'function');
      if (!ok) out.push(k.kind + ' ' + k.word);
    });
    return out; })()`);
  check(fail, missing.length === 0, 'every listed name exists in the runtime', missing);
  const help = fs.readFileSync(path.join(__dirname, '..', '..', 'data', 'help', '03_user_interaction.txt'), 'latin1');
  const documented = help.slice(help.indexOf('## Key constants'), help.indexOf('## Mouse')).match(/\bvk_\w+/g);
  check(fail, JSON.stringify([...new Set(documented)].sort()) === JSON.stringify(Object.keys(KEY_CODES).sort()),
        'the key table holds the constants the help lists', documented);
  const keys = await page.eval('({' + Object.keys(KEY_CODES).map((k) => k + ': typeof ' + k + " === 'undefined' ? null : " + k).join(', ') + '})');
  for (const [name, code] of Object.entries(KEY_CODES)) check(fail, keys[name] === code, name + ' is ' + code, keys[name]);
  const vkCount = await page.eval('Object.keys(window).filter(function (k) { return /^vk_/.test(k); }).length');
  check(fail, vkCount === 82, 'the 82 key-code constants', vkCount);
  return page;
};

// ---------------------------------------------------------------------------
// A small whole game: animation, keys, collision, a parent defined after its
// child, a view that follows, a tile over an instance, two backgrounds, a
// second scene, global variables and a user function.
function wholeGame(dir, advanced) {
  const sky = F.png(20, 20, (x) => (x < 10 ? [255, 255, 0, 255] : [0, 255, 255, 255]));
  F.writeGame(dir, TEMPLATE, {
    global_functions: NL + F.userFunction('note', 's', 'trail.push(s);'),
    sprites: F.sprite('spr_player', {w: 16, h: 16, cx: 8, cy: 8, frames: [0, 1]}) +
             F.sprite('spr_wall', {w: 16, h: 16, frames: [0]}),
    backgrounds: F.background('bg_sky', 'sky.png') + F.background('bg_tiles', 'tiles.png'),
    objects:
      F.object('obj_player', {parent: 'obj_base', sprite: 'spr_player', index: 0, events: {
        Creation: [advanced ? 'this.hp = 3; note("create player");' : 'hp = 3; note("create player");'],
        Step: [advanced ? 'this.x += 2; if (keyboard_check(vk_right)) this.x += 10; if (this.x > 420) scene_goto(scene_two);'
                        : 'x += 2; if (keyboard_check(vk_right)) x += 10; if (x > 420) scene_goto(scene_two);'],
        'Room end': ['note("room end");'],
      }}, advanced) +
      F.object('obj_wall', {sprite: 'spr_wall', index: 1, events: {
        Collision: [['obj_player', 'note("hit");' + NL + 'instance_destroy();']],
        Destroy: ['score += 10;'],
      }}, advanced) +
      F.object('obj_block', {sprite: 'spr_wall', index: 2, depth: 5}, advanced) +
      F.object('obj_base', {index: 3, events: {'End step': ['ended += 1;'],
                                              'Room start': ['note(scene == scene_one ? "start one" : "start two");']}}, advanced),
    scenes:
      F.scene('scene_one', {w: 1000, h: 300, rgb: [10, 20, 30], bg: 'bg_sky', tile: [1, 0, 0],
                            view: [200, 150, 'obj_player', 60, 20],
                            tiles: [[5, ['bg_tiles', [0, 0, 16, 16, 40, 120]]]],
                            objects: [{o: 'obj_player', x: 20, y: 40}, {o: 'obj_wall', x: 80, y: 32},
                                      {o: 'obj_block', x: 40, y: 120}]}, null) +
      F.scene('scene_two', {w: 100, h: 100, rgb: [0, 0, 0], bg: 'bg_sky', tile: [0, 0, 1],
                            objects: [{o: 'obj_player', x: 10, y: 50}]}, 'scene_one'),
    global_variables: 'var trail = [];' + NL + 'var score = 0;' + NL + 'var ended = 0;',
  }, {'img/spr_player_0.png': F.solid(16, 16, RED), 'img/spr_player_1.png': F.solid(16, 16, [200, 0, 0, 255]),
      'img/spr_wall_0.png': F.solid(16, 16, BLUE), 'img/sky.png': sky, 'img/tiles.png': F.solid(16, 16, GREEN)});
}

async function playWholeGame(browser, dir, fail, advanced) {
  wholeGame(dir, advanced);
  return checkWholeGame(browser, dir, fail);
}
async function checkWholeGame(browser, dir, fail) {
  const page = await play(browser, dir);
  const first = await page.eval(`({trail: trail.slice(), x: instance_find(obj_player, 0).x,
    hp: instance_find(obj_player, 0).hp, globalHp: typeof window.hp, walls: instance_number(obj_wall),
    scene: zm_scene_name(scene), canvas: [zm_canvas.width, zm_canvas.height]})`);
  check(fail, JSON.stringify(first.trail) === '["create player","start one"]', 'creation, then room start', first.trail);
  check(fail, first.hp === 3 && first.globalHp === 'undefined', 'hp is the instance\'s own variable', first);
  check(fail, first.canvas[0] === 200 && first.canvas[1] === 150, 'canvas is the view size', first.canvas);
  await page.eval('zm_run_steps(10)');
  let s = await page.eval(`({x: instance_find(obj_player, 0).x, idx: instance_find(obj_player, 0).image_index,
    ended: ended, vx: view_xview, p: px(40, 40), bg: px(0, 5), bg2: px(15, 5), tile: px(41, 121)})`);
  check(fail, s.x === 40, 'Step moved the player 10 x 2', s.x);
  check(fail, s.ended === 10, 'the parent\'s End step ran for the child every step', s.ended);
  check(fail, near(s.p, RED) || near(s.p, [200, 0, 0]), 'player drawn at its place in the view', s.p);
  check(fail, near(s.bg, [255, 255, 0]) && near(s.bg2, [0, 255, 255]), 'background image tiled across', [s.bg, s.bg2]);
  check(fail, near(s.tile, GREEN), 'tile drawn over the instance of equal depth', s.tile);
  await page.key('rawKeyDown', 39, 'ArrowRight');
  await page.eval('zm_run_steps(3)');
  await page.key('keyUp', 39, 'ArrowRight');
  await page.eval('zm_run_steps(1)');
  s = await page.eval(`({x: instance_find(obj_player, 0).x, walls: instance_number(obj_wall), score: score,
    trail: trail.slice(), vx: view_xview})`);
  check(fail, s.x === 40 + 3 * 12 + 2, 'right arrow held for three steps', s.x);
  check(fail, s.walls === 0 && s.score === 10 && s.trail.indexOf('hit') >= 0, 'wall destroyed on collision', s);
  await page.eval('zm_run_steps(50)');
  s = await page.eval('({x: instance_find(obj_player, 0).x, vx: view_xview, vy: view_yview})');
  check(fail, s.x === 178 && s.vx === s.x + 60 - 200 && s.vy === 0, 'view follows the player at its border', s);
  await page.eval('zm_run_steps(200)');
  s = await page.eval(`({scene: zm_scene_name(scene), trail: trail.slice(-3), n: instance_number(obj_player),
    canvas: [zm_canvas.width, zm_canvas.height], a: px(2, 2), b: px(97, 2)})`);
  check(fail, s.scene === 'scene_two' && s.n === 1, 'second scene reached by scene_goto', s);
  check(fail, JSON.stringify(s.trail) === '["room end","create player","start two"]',
        'room end, creation, room start', s.trail);
  check(fail, near(s.a, [255, 255, 0]) && near(s.b, [0, 255, 255]), 'background stretched over the scene', s);
  return page;
}
CASES.whole_game = (b, d, f) => playWholeGame(b, d, f, false);
CASES.whole_game_advanced = (b, d, f) => playWholeGame(b, d, f, true);

// ---------------------------------------------------------------------------
// Motion: each row sets values in Creation; positions after three steps.
CASES.motion = async (browser, dir, fail) => {
  const rows = [
    ['hspeed = 2; vspeed = -1;', 6, -3],
    ['speed = 2; direction = 90;', 0, 6],
    ['speed = 2; direction = 180;', -6, 0],
    ['motion_set(270, 1);', 0, -3],
    ['speed = 4; friction = 1;', 3 + 2 + 1, 0],
    ['gravity = 1;', 0, 1 + 2 + 3],
    ['gravity = 1; gravity_direction = 0;', 6, 0],
    ['move_towards_point(3, 4, 5);', 9, 12],
    ['hspeed = -2; friction = 0.5;', -3, 0],
  ];
  let objects = '', entries = [];
  rows.forEach((r, i) => {
    objects += F.object('m' + i, {events: {Creation: [r[0]]}});
    entries.push({o: 'm' + i, x: 0, y: 0});
  });
  F.writeGame(dir, TEMPLATE, {objects, scenes: F.scene('room', {objects: entries}, 'room')});
  const page = await play(browser, dir);
  await page.eval('zm_run_steps(3)');
  const got = await page.eval('zm_instances.map(function (i) { return [Math.round(i.x * 1000) / 1000, Math.round(i.y * 1000) / 1000]; })');
  rows.forEach((r, i) => check(fail, got[i] && got[i][0] === r[1] && got[i][1] === r[2], 'motion of "' + r[0] + '"', got[i]));
  const sync = await page.eval(`(function () { var i = instance_create(0, 0, m0); i.hspeed = 0; i.vspeed = 3;
    zm_sync_motion(i); return [i.speed, i.direction]; })()`);
  check(fail, sync[0] === 3 && sync[1] === 90, 'speed and direction follow hspeed and vspeed', sync);
  return page;
};

// ---------------------------------------------------------------------------
// Collision shapes and what place_meeting looks at.
CASES.collisions = async (browser, dir, fail) => {
  F.writeGame(dir, TEMPLATE, {
    sprites: F.sprite('box', {w: 10, h: 10, box: [0, 10, 0, 10]}) +
             F.sprite('inner', {w: 10, h: 10, cx: 5, cy: 5, box: [2, 8, 2, 8]}) +
             F.sprite('ball', {w: 20, h: 20, shape: 'Circle', radius: 10}) +
             F.sprite('off', {w: 20, h: 20, cx: 20, cy: 0, shape: 'Circle', radius: 5}),
    objects: F.object('base', {}) + F.object('a', {parent: 'base', sprite: 'box'}) +
             F.object('b', {parent: 'a', sprite: 'box'}) + F.object('ghost', {sprite: 'box', collision: 0}) +
             F.object('bare', {}) + F.object('round', {sprite: 'ball'}) + F.object('sq', {sprite: 'inner'}) +
             F.object('offc', {sprite: 'off'}),
    scenes: F.scene('room', {}, 'room'),
  });
  const page = await play(browser, dir);
  // [description, setup returning true when the expected answer came]
  const rows = [
    ['boxes that overlap by one pixel', 'var p = instance_create(0,0,a), q = instance_create(9,9,a); return p.place_meeting(p.x,p.y,a) === q;'],
    ['boxes that only touch do not meet', 'var p = instance_create(0,0,a); instance_create(10,0,a); return p.place_meeting(p.x,p.y,a) === null;'],
    ['a child counts as its ancestor', 'var p = instance_create(0,0,a), q = instance_create(5,5,b); return p.place_meeting(0,0,base) === q;'],
    ['an ancestor does not count as its child', 'var p = instance_create(0,0,b); instance_create(5,5,a); return p.place_meeting(0,0,b) === null;'],
    ['collision 0 is not found', 'var p = instance_create(0,0,a); instance_create(2,2,ghost); return p.place_meeting(0,0,ghost) === null;'],
    ['without a sprite there is no mask', 'var p = instance_create(0,0,bare); instance_create(0,0,a); return p.place_meeting(0,0,a) === null && instance_create(0,0,a).place_meeting(0,0,bare) === null;'],
    ['itself is skipped', 'var p = instance_create(0,0,a); return p.place_meeting(0,0,a) === null;'],
    ['a destroyed instance is skipped', 'var p = instance_create(0,0,a), q = instance_create(3,3,a); instance_destroy(q); return p.place_meeting(0,0,a) === null;'],
    ['the given position, not the current one', 'var p = instance_create(0,0,a); instance_create(100,100,a); return p.place_meeting(95,95,a) !== null && p.place_meeting(0,0,a) === null;'],
    ['box edges are frame pixels from the top-left, less the origin', 'var p = instance_create(0,0,sq); instance_create(2,2,a); return p.place_meeting(0,0,a) !== null && p.place_meeting(-6,-6,a) === null;'],
    ['circle against box corner', 'var c = instance_create(0,0,round); instance_create(18,18,a); var far = c.place_meeting(0,0,a) === null; instance_create(17,0,a); return far && c.place_meeting(0,0,a) !== null;'],
    ['two circles', 'var c = instance_create(0,0,round), d = instance_create(19,0,round); return c.place_meeting(0,0,round) === d && c.place_meeting(-2,0,round) === null;'],
    ['circle centred on the frame middle, not the origin', 'var c = instance_create(100,0,offc); instance_create(85,5,a); return c.place_meeting(100,0,a) !== null;'],
    ['an instance as the argument', 'var p = instance_create(0,0,a), q = instance_create(2,2,a), r = instance_create(4,4,a); return p.place_meeting(0,0,r) === r;'],
    ['a missing object finds nothing', 'var p = instance_create(0,0,a); return p.place_meeting(0,0,undefined) === null && p.place_meeting(0,0,null) === null;'],
    ['collision_point', 'instance_create(50,50,a); return collision_point(55,55,a) !== null && collision_point(60,55,a) === null;'],
    ['far apart, many instances', 'for (var i = 0; i < 300; i++) instance_create(i * 40, 500, a); var p = instance_create(6000, 500, a); return p.place_meeting(6000,500,a) !== null && p.place_meeting(20000,500,a) === null;'],
    ['a place that is no number meets nothing, and the test ends',
     'var p = instance_create(0,0,a), q = instance_create(1/0,0,a), r = instance_create(0,0,a); r.y = NaN;' +
     'return p.place_meeting(0,0,a) === null && p.place_meeting(1/0,0,a) === null && q.place_meeting(q.x,0,a) === null &&' +
     ' collision_point(1/0,5,a) === null && collision_point(5,NaN,a) === null;'],
    ['a moved instance is found at its new place', 'var p = instance_create(0,0,a), q = instance_create(300,0,a); p.place_meeting(0,0,a); q.x = 5; zm_grid_drop(); return p.place_meeting(0,0,a) === q;'],
  ];
  for (const [what, code] of rows) {
    const ok = await page.eval(`(function () { zm_enter_scene(room); zm_grid_drop(); ${code} })()`);
    check(fail, ok === true, what, ok);
  }
  return page;
};

// ---------------------------------------------------------------------------
// Bare names in wrapped event code belong to the instance; globals of the game
// stay global; advanced mode is plain JavaScript.
CASES.wrapped_names = async (browser, dir, fail) => {
  F.writeGame(dir, TEMPLATE, {
    global_functions: 'function bump() { total += 1; }' + NL,
    objects: F.object('mob', {events: {
      Creation: ['hp = 3; name = "mob" + id; var local = 5; for (i = 0; i < 2; i++) {} counter++;'],
      Step: ['hp -= 1; total += 1; bump(); depth = hp; other_note = "x" + "y = 1"; /* ghost = 1 */ s = "a=b";'],
    }}) + F.object('plain', {events: {Creation: ['shared = 7;']}}, 1) +
      F.object('keeper', {events: {Creation: ['lives = 2; label = `l${lives}`;'],
                                   Step: ['lives += 1; [1].forEach(function () { inner = label + lives; });']}}),
    scenes: F.scene('room', {objects: [{o: 'mob', x: 0, y: 0}, {o: 'mob', x: 5, y: 0}, {o: 'plain', x: 0, y: 0},
                                         {o: 'keeper', x: 0, y: 0}, {o: 'keeper', x: 0, y: 0}]}, 'room'),
    global_variables: 'var total = 0;' + NL + 'counter = 0;' + NL + 'var depth = "global";',
  });
  const page = await play(browser, dir);
  await page.eval('zm_run_steps(2); instance_find(mob, 0).hp = 10;');
  const s = await page.eval(`({hp: [instance_find(mob, 0).hp, instance_find(mob, 1).hp], total: total, counter: counter,
    globals: ['hp', 'i', 'other_note', 'ghost', 's', 'local'].filter(function (n) { return n in window && n !== 'name'; }),
    names: [instance_find(mob, 0).name, instance_find(mob, 1).name, window.name], own: instance_find(mob, 0).hasOwnProperty('ghost'),
    shared: window.shared, plainOwn: instance_find(plain, 0).hasOwnProperty('shared'),
    depth: [instance_find(mob, 1).depth, window.depth],
    keep: [instance_find(keeper, 0).lives, instance_find(keeper, 1).inner, 'lives' in window, 'inner' in window, 'label' in window]})`);
  check(fail, s.hp[0] === 10 && s.hp[1] === 1, 'each instance keeps its own hp', s.hp);
  check(fail, s.total === 8 && s.counter === 2, 'game globals and global functions stay global', s);
  check(fail, s.globals.length === 0, 'no bare name leaks to a global', s.globals);
  check(fail, s.names[0] !== s.names[1] && s.names[2] === '', 'a name the browser also has is the instance\'s', s.names);
  check(fail, s.depth[0] === 1 && s.depth[1] === 'global', 'an instance variable wins over a global of its name', s.depth);
  check(fail, s.own === false, 'names in comments and strings are left alone', s.own);
  check(fail, s.shared === 7 && s.plainOwn === false, 'advanced mode assigns plain JavaScript globals', s);
  check(fail, JSON.stringify(s.keep) === '[4,"l24",false,false,false]',
        'the same with a template literal and inside a nested function', s.keep);
  return page;
};

// ---------------------------------------------------------------------------
// Event order, parents up the chain, a parent cycle, Animation end.
CASES.events = async (browser, dir, fail) => {
  const log = (t) => 'note("' + t + '" + id % 100);';
  F.writeGame(dir, TEMPLATE, {
    global_functions: F.userFunction('note', 's', 'trail.push(s);'),
    sprites: F.sprite('two', {w: 4, h: 4, frames: [0, 1]}) + F.sprite('three', {w: 4, h: 4, frames: [0, 1, 2]}),
    objects:
      F.object('kid', {parent: 'mid', events: {Creation: [log('kid create ')]}}) +
      F.object('mid', {parent: 'top_one'}) +
      F.object('top_one', {events: {Step: [log('top step ')], Destroy: [log('top destroy ') + ' instance_destroy();']}}) +
      F.object('loop_a', {parent: 'loop_b', events: {Step: ['note("loop a");']}}) +
      F.object('loop_b', {parent: 'loop_a'}) +
      F.object('anim', {sprite: 'two', events: {'Animation end': ['note("anim end " + image_index);']}}) +
      F.object('slow', {sprite: 'three', events: {Creation: ['image_speed = 0.5;'], 'Animation end': ['note("slow end");']}}) +
      F.object('nosprite', {events: {'Animation end': ['note("never");']}}) +
      F.object('order', {sprite: 'two', events: {Step: ['note("step");'], 'End step': ['note("end step");'],
                                  Collision: [['order', 'note("collision");']], Draw: ['note("draw");']}}),
    scenes: F.scene('room', {objects: [{o: 'kid', x: 0, y: 0}, {o: 'loop_a', x: 0, y: 0}]}, 'room') +
            F.scene('other', {}, null),
    global_variables: 'var trail = [];',
  }, {'img/two_0.png': F.solid(4, 4, RED), 'img/two_1.png': F.solid(4, 4, RED), 'img/three_0.png': F.solid(4, 4, RED),
      'img/three_1.png': F.solid(4, 4, RED), 'img/three_2.png': F.solid(4, 4, RED)});
  const page = await play(browser, dir);
  let t = await page.eval('zm_run_steps(1); var k = instance_find(kid, 0); instance_destroy(k); zm_run_steps(1); trail.splice(0)');
  check(fail, JSON.stringify(t) === '["kid create 1","top step 1","loop a","top destroy 1","loop a"]',
        'grandparent handlers run for the child; a parent cycle ends', t);
  t = await page.eval('scene_goto(other); zm_run_steps(1); trail.splice(0); instance_create(0,0,anim); zm_run_steps(5); trail.splice(0)');
  check(fail, JSON.stringify(t) === '["anim end 2","anim end 2"]', 'Animation end once per loop, index past the end', t);
  t = await page.eval('zm_enter_scene(other); instance_create(0,0,slow); instance_create(0,0,nosprite); zm_run_steps(12); trail.splice(0)');
  check(fail, JSON.stringify(t) === '["slow end","slow end"]', 'slow animation, and never without a sprite', t);
  t = await page.eval('zm_enter_scene(other); var o = instance_create(0,0,order); instance_create(0,0,order); trail.splice(0); zm_run_steps(1); trail.splice(0)');
  check(fail, JSON.stringify(t) === '["step","step","collision","collision","end step","end step","draw","draw"]',
        'step, collision, end step, draw', t);
  const nav = await page.eval(`(function () { var out = [];
    zm_enter_scene(room); scene_goto_next(); zm_run_steps(1); out.push(zm_scene_name(scene));
    scene_goto_next(); zm_run_steps(1); out.push(zm_scene_name(scene));
    scene_goto_previous(); zm_run_steps(1); out.push(zm_scene_name(scene));
    instance_create(0,0,slow); scene_restart(); zm_run_steps(1); out.push(instance_number(slow));
    scene_goto_next(); game_restart(); zm_run_steps(1); out.push(zm_scene_name(scene));
    scene_goto(42); zm_run_steps(1); out.push(zm_scene_name(scene)); return out; })()`);
  check(fail, JSON.stringify(nav) === '["other","other","room",0,"room","room"]', 'scene navigation', nav);
  return page;
};

// ---------------------------------------------------------------------------
// Errors are reported once, naming object and event, and the game goes on.
CASES.errors = async (browser, dir, fail) => {
  F.writeGame(dir, TEMPLATE, {
    objects: F.object('bad', {events: {Step: ['count += 1; nothing_here();']}}) +
             F.object('good', {events: {Step: ['count += 1;']}}),
    scenes: F.scene('room', {objects: [{o: 'bad', x: 0, y: 0}, {o: 'good', x: 0, y: 0}],
                             code: 'undefined_in_scene();'}, 'room'),
    global_variables: 'var count = 0;',
  });
  const page = await play(browser, dir);
  await page.eval('zm_run_steps(5)');
  const s = await page.eval('({count: count, line: zm_error_line, n: instance_number(bad) + instance_number(good)})');
  check(fail, s.count === 10 && s.n === 2, 'the game goes on', s);
  const stepErrors = page.errors.filter((e) => /object bad, event Step/.test(e));
  check(fail, stepErrors.length === 1, 'reported once, naming object and event', page.errors);
  check(fail, page.errors.some((e) => /scene room, start/.test(e)), 'scene code error reported', page.errors);
  check(fail, /nothing_here/.test(s.line), 'error line on the canvas', s.line);
  page.errors = [];
  return page;
};

// No scene: a black canvas and no error.
CASES.no_scene = async (browser, dir, fail) => {
  F.writeGame(dir, TEMPLATE, {objects: F.object('lonely', {})});
  const page = await play(browser, dir, 'index.html');
  await page.until('zm_steps > 3');
  const p = await page.eval('px(10, 10)');
  check(fail, near(p, [0, 0, 0]) && p[3] === 255, 'black canvas', p);
  return page;
};

// A section stopped by an error at load time: what was defined still starts.
CASES.stopped_script = async (browser, dir, fail) => {
  F.writeGame(dir, TEMPLATE, {
    objects: F.object('fine', {events: {Step: ['ticks += 1;']}}),
    scenes: F.scene('room', {objects: [{o: 'fine', x: 0, y: 0}]}, 'room'),
    global_variables: 'var ticks = 0;' + NL + 'missing_function_at_load();',
  });
  const page = await play(browser, dir);
  await page.eval('zm_run_steps(2)');
  const t = await page.eval('ticks');
  check(fail, t === 2, 'game runs after a load error', t);
  check(fail, page.errors.some((e) => /missing_function_at_load/.test(e)), 'load error shown', page.errors);
  page.errors = [];
  return page;
};

// ---------------------------------------------------------------------------
// Keys and pointer: edges per step, state, default actions prevented.
CASES.input = async (browser, dir, fail) => {
  F.writeGame(dir, TEMPLATE, {
    objects: F.object('pad', {events: {Step: [
      'log.push([keyboard_check(vk_space), keyboard_check_pressed(vk_space), keyboard_check_released(vk_space), ' +
      'mouse_check_button(mb_left), mouse_check_button_pressed(mb_left), mouse_check_button_released(mb_left)].map(Number).join(""));']}}) +
      F.object('pad_a', {events: {Step: [
      'log_a.push([keyboard_check(vk_a), keyboard_check_pressed(vk_a), keyboard_check_released(vk_a), ' +
      'mouse_check_button_released(mb_any), mouse_check_button(mb_none)].map(Number).join(""));']}}),
    scenes: F.scene('room', {w: 400, h: 300, view: [200, 150, null, 0, 0],
                             objects: [{o: 'pad', x: 0, y: 0}, {o: 'pad_a', x: 0, y: 0}]}, 'room'),
    global_variables: 'var log = [];' + NL + 'var log_a = [];',
  });
  const page = await play(browser, dir);
  await page.eval(`window.prevented = {}; document.addEventListener('keydown', function (e) {
    window.prevented[e.keyCode] = e.defaultPrevented; });`);
  await page.key('rawKeyDown', 32, ' ');
  await page.eval('zm_run_steps(2)');
  await page.key('keyUp', 32, ' ');
  await page.eval('zm_run_steps(1)');
  await page.key('rawKeyDown', 32, ' ');
  await page.key('keyUp', 32, ' ');
  await page.eval('zm_run_steps(1)');
  await page.mouse('mouseMoved', 30, 40);
  await page.mouse('mousePressed', 30, 40);
  await page.eval('zm_run_steps(1); view_xview = 100;');
  await page.mouse('mouseReleased', 31, 41);
  await page.eval('zm_run_steps(1)');
  for (const [code, key] of [[37, 'ArrowLeft'], [9, 'Tab'], [8, 'Backspace'], [65, 'a'], [13, 'Enter']]) {
    await page.key('rawKeyDown', code, key);
    await page.key('keyUp', code, key);
  }
  const s = await page.eval('({log: log.slice(), mouse: [mouse_x, mouse_y], prevented: prevented})');
  check(fail, JSON.stringify(s.log) === '["110000","100000","001000","111000","000110","000001"]',
        'held, pressed and released per step; a tap between steps counts', s.log);
  check(fail, s.mouse[0] === 131 && s.mouse[1] === 41, 'mouse in scene coordinates through the view', s.mouse);
  const p = s.prevented;
  check(fail, p[37] === true && p[9] === true && p[8] === true && p[32] === true && p[65] === false && p[13] === false,
        'default action prevented for arrows, space, tab and backspace only', p);
  // Losing the focus lets go of what is held: space and the left button held
  // over a step, A pressed just before (pressed and released in one step).
  await page.key('rawKeyDown', 32, ' ');
  await page.mouse('mousePressed', 30, 40);
  await page.eval('zm_run_steps(1); log.length = 0; log_a.length = 0; window.blurs = 0;' +
                  'window.addEventListener("blur", function () { blurs++; });');
  await page.key('rawKeyDown', 65, 'a');
  const other = await openPage(browser, 'about:blank');
  await browser.send('Target.activateTarget', {targetId: other.targetId});
  await page.until('blurs > 0');
  await other.close();
  const lost = await page.eval('zm_run_steps(2); [log, log_a]');
  check(fail, JSON.stringify(lost) === '[["001001","000000"],["11111","00001"]]',
        'after a blur every held key and button is released once', lost);
  return page;
};

// ---------------------------------------------------------------------------
// Drawing: depth order, origin and rotation, primitives, text, tiles.
CASES.drawing = async (browser, dir, fail) => {
  const arrow = F.png(20, 10, (x) => (x < 10 ? [255, 0, 0, 255] : [0, 0, 255, 255]));
  F.writeGame(dir, TEMPLATE, {
    sprites: F.sprite('spr_arrow', {w: 20, h: 10, cx: 0, cy: 0, frames: [0]}) +
             F.sprite('spr_sq', {w: 10, h: 10, cx: 5, cy: 5, frames: [0]}),
    backgrounds: F.background('bg_one', 'bg.png'),
    fonts: F.font('fnt', 'DejaVu Sans', 20, 1, 0),
    objects: F.object('front', {sprite: 'spr_sq', depth: -5}) + F.object('back', {sprite: 'spr_arrow', depth: 10}) +
             F.object('turn', {sprite: 'spr_arrow'}) + F.object('hidden', {sprite: 'spr_sq', visible: 0}) +
             F.object('painter', {depth: 100, events: {Draw: [
               'draw_set_color(c_lime); draw_rectangle(150, 0, 160, 10, false); draw_set_color(make_color_rgb(255, 0, 255));' +
               'draw_circle(175, 5, 4, false); draw_background(bg_one, 150, 20); draw_background_stretched(bg_one, 170, 20, 20, 20);' +
               'draw_set_font(fnt); draw_set_color(c_white); draw_set_halign(fa_right); draw_text(199, 60, "W");' +
               'draw_sprite(spr_sq, 0, 155, 95); draw_sprite_ext(spr_sq, 0, 175, 95, 2, 1, 0, 1);']}}),
    scenes: F.scene('room', {w: 200, h: 120, rgb: [0, 0, 64],
                             tiles: [[-5, ['bg_one', [0, 0, 4, 4, 60, 0]]]],
                             objects: [{o: 'back', x: 10, y: 10}, {o: 'front', x: 15, y: 15},
                                       {o: 'turn', x: 40, y: 40}, {o: 'turn', x: 80, y: 40, a: 90},
                                       {o: 'hidden', x: 120, y: 10}, {o: 'painter', x: 0, y: 0},
                                       {o: 'front', x: 62, y: 2}]}, 'room'),
  }, {'img/spr_arrow_0.png': arrow, 'img/spr_sq_0.png': F.solid(10, 10, WHITE), 'img/bg.png': F.solid(4, 4, GREEN)});
  const page = await play(browser, dir);
  await page.eval('zm_run_steps(1)');
  const before = await page.eval('[px(14, 14), px(25, 12)]');
  check(fail, near(before[0], WHITE) && near(before[1], BLUE), 'smaller depth in front', before);
  await page.eval('instance_find(front, 0).image_xscale = 0.5; zm_run_steps(1);');
  const p = await page.eval(`({bgc: px(190, 115), front: px(14, 14), back: px(11, 11), hidden: px(120, 10),
    t0l: px(42, 45), t0r: px(57, 45), t90t: px(90, 39), t90b: px(90, 51), t90r: px(97, 45),
    tileUnder: px(61, 1), rect: px(155, 5), circ: px(175, 5), bgA: px(151, 21), bgS: px(188, 38),
    text: (function () { var lo = -1, hi = -1; for (var x = 160; x < 200; x++) for (var y = 60; y < 84; y++)
      if (px(x, y)[0] > 200) { if (lo < 0) lo = x; hi = x; } return [lo, hi]; })(),
    spr: px(151, 91), ext: px(166, 95)})`);
  check(fail, near(p.bgc, [0, 0, 64]), 'scene colour', p.bgc);
  check(fail, near(p.front, WHITE) && near(p.back, RED), 'x scale about the origin', [p.front, p.back]);
  check(fail, near(p.hidden, [0, 0, 64]), 'invisible instance not drawn', p.hidden);
  check(fail, near(p.t0l, RED) && near(p.t0r, BLUE), 'unturned sprite at its origin', [p.t0l, p.t0r]);
  check(fail, near(p.t90t, RED) && near(p.t90b, BLUE) && near(p.t90r, [0, 0, 64]),
        'image_angle 90 turns clockwise about the picture middle', [p.t90t, p.t90b, p.t90r]);
  check(fail, near(p.tileUnder, GREEN), 'tile over an instance of equal depth drawn after it', p.tileUnder);
  check(fail, near(p.rect, [0, 255, 0]) && near(p.circ, [255, 0, 255]), 'rectangle and circle in integer colours', [p.rect, p.circ]);
  check(fail, near(p.bgA, GREEN) && near(p.bgS, GREEN), 'background drawn and stretched', [p.bgA, p.bgS]);
  check(fail, p.text[0] >= 172 && p.text[1] >= 190 && p.text[1] <= 199, 'text aligned right of x', p.text);
  check(fail, near(p.spr, WHITE) && near(p.ext, WHITE), 'draw_sprite and draw_sprite_ext', [p.spr, p.ext]);
  const tiles = await page.eval(`(function () { var out = [];
    tile_layer_hide(-5); zm_run_steps(1); out.push(px(60, 0));
    tile_layer_show(-5); tile_layer_shift(-5, 10, 0); zm_run_steps(1); out.push(px(71, 1));
    tile_layer_delete(-5); zm_run_steps(1); out.push(px(71, 1));
    tile_add(bg_one, 0, 0, 4, 4, 100, 100, 0); zm_run_steps(1); out.push(px(101, 101));
    return out; })()`);
  check(fail, near(tiles[0], WHITE) && near(tiles[1], GREEN) && near(tiles[2], [0, 0, 64]) && near(tiles[3], GREEN),
        'tile layers hidden, shown, shifted, deleted and added', tiles);
  return page;
};

// ---------------------------------------------------------------------------
// Local storage is kept per game.
CASES.storage = async (browser, dir, fail) => {
  const make = (d) => F.writeGame(d, TEMPLATE, {scenes: F.scene('room', {}, 'room')});
  make(path.join(dir, 'one'));
  make(path.join(dir, 'two'));
  let page = await play(browser, path.join(dir, 'one'));
  const a = await page.eval(`(function () { storage_clear(); storage_save('best', 42); storage_save('name', 'Zed');
    storage_save('gone', {a: [1]}); storage_delete('gone');
    return [storage_load('best'), storage_load('name'), storage_exists('gone'), storage_load('gone'), storage_exists('best')]; })()`);
  check(fail, JSON.stringify(a) === '[42,"Zed",false,null,true]', 'save, load, exists, delete', a);
  await page.close();
  page = await play(browser, path.join(dir, 'two'));
  const b = await page.eval("storage_save('best', 1); storage_clear(); [storage_exists('best')]");
  await page.close();
  page = await play(browser, path.join(dir, 'one'));
  const c = await page.eval("[storage_load('best')]");
  check(fail, b[0] === false && c[0] === 42, 'another game neither sees nor clears these values', [b, c]);
  return page;
};

// ---------------------------------------------------------------------------
// Audio: the format chosen, sounds overlap, one music.
CASES.audio = async (browser, dir, fail) => {
  F.writeGame(dir, TEMPLATE, {
    sounds: F.audio('snd_blip', 'blip.wav', '', '') + F.audio('snd_pref', 'p.wav', 'p.mp3', 'p.ogg') +
            F.audio('snd_two', 'q.wav', 'q.mp3', ''),
    musics: F.audio('mus_song', 'song one.wav', '', '') + F.audio('mus_other', 'blip.wav', '', ''),
    scenes: F.scene('room', {}, 'room'),
  }, {'aud/blip.wav': F.wav(), 'aud/song one.wav': F.wav()});
  const page = await play(browser, dir);
  const s = await page.eval(`(function () { sound_play(snd_blip); sound_play(snd_blip);
    music_play(mus_song); music_play(mus_other);
    return {pref: snd_pref.zm_file, two: snd_two.zm_file, music: [mus_song.zm_music, snd_blip.zm_music],
      pool: snd_blip.zm_pool.length, playing: sound_is_playing(snd_blip), songPlaying: sound_is_playing(mus_song),
      other: sound_is_playing(mus_other), loop: mus_other.zm_pool[0].loop, src: mus_song.zm_pool[0].src}; })()`);
  check(fail, s.pref === 'aud/p.ogg' && s.two === 'aud/q.mp3', 'OGG first, then MP3', s);
  check(fail, s.music[0] === true && s.music[1] === false, 'sounds and musics told apart', s.music);
  check(fail, s.pool === 2 && s.playing === true, 'a sound overlaps itself', s);
  check(fail, s.songPlaying === false && s.other === true && s.loop === true, 'one music at a time, looping', s);
  check(fail, /song%20one\.wav$/.test(s.src), 'audio file names percent-encoded', s.src);
  const after = await page.eval('sound_stop_all(); music_stop(); [sound_is_playing(snd_blip), sound_is_playing(mus_other)]');
  check(fail, after[0] === false && after[1] === false, 'stopped', after);
  // A play refused for want of a user gesture is tried again at the first key.
  await page.eval(`window.plays = 0; window.refuse = true;
    HTMLMediaElement.prototype.play = function () { plays++;
      return refuse ? Promise.reject(new DOMException('no gesture', 'NotAllowedError')) : Promise.resolve(); };
    music_play(mus_song); sound_play(snd_two); sound_stop(snd_two);`);
  await page.until('plays === 2');
  await page.eval('refuse = false');
  await page.key('rawKeyDown', 65, 'a');
  await page.key('keyUp', 65, 'a');
  const retry = await page.eval('[plays, zm_audio_waiting.length]');
  check(fail, retry[0] === 3 && retry[1] === 0, 'refused music played again at the first key; a stopped sound is not', retry);
  return page;
};

// ---------------------------------------------------------------------------
// The real loop, driven by timers, at the scene's speed.
CASES.timer_loop = async (browser, dir, fail) => {
  F.writeGame(dir, TEMPLATE, {
    objects: F.object('clock', {events: {Step: ['ticks += 1;']}}),
    scenes: F.scene('room', {speed: 60, objects: [{o: 'clock', x: 0, y: 0}]}, 'room'),
    global_variables: 'var ticks = 0;',
  });
  const page = await play(browser, dir, 'index.html');
  await page.until('ticks > 0');
  const t0 = await page.eval('ticks');
  await new Promise((r) => setTimeout(r, 1500));
  const t1 = await page.eval('[ticks, fps]');
  // Wide bounds: other tests share the cores, and a late loop catches up
  // only a few steps at a time.
  check(fail, t1[0] - t0 > 25 && t1[0] - t0 < 120, 'about 60 steps a second', t1[0] - t0);
  check(fail, t1[1] > 15 && t1[1] <= 70, 'fps measured', t1[1]);
  return page;
};

// ---------------------------------------------------------------------------
// Resources named like browser built-ins, and file names that need encoding.
CASES.names_and_files = async (browser, dir, fail) => {
  F.writeGame(dir, TEMPLATE, {
    sprites: F.sprite('Image', {w: 4, h: 4, frames: ['a b#1']}) + F.sprite('Math', {w: 4, h: 4, frames: ['100%']}),
    backgrounds: F.background('top', 'plain.png') + F.background('Audio', "it\\'s.png") +
                 F.background('document_bg', 'plain.png'),
    objects: F.object('user', {sprite: 'Image', events: {Step: ['x += random(0) + 1;']}}) +
             F.object('user2', {sprite: 'Math'}),
    scenes: F.scene('room', {w: 50, h: 50, bg: 'document_bg', tiles: [[0, ['top', [0, 0, 4, 4, 20, 20]], ['Audio', [0, 0, 4, 4, 30, 30]]]],
                             objects: [{o: 'user', x: 0, y: 0}, {o: 'user2', x: 10, y: 0}]}, 'room'),
  }, {'img/Image_a b#1.png': F.solid(4, 4, RED), 'img/Math_100%.png': F.solid(4, 4, BLUE),
      "img/it's.png": F.solid(4, 4, GREEN), 'img/plain.png': F.solid(4, 4, WHITE)});
  const page = await play(browser, dir);
  await page.eval('zm_run_steps(2)');
  const s = await page.eval('({x: instance_find(user, 0).x, a: px(3, 1), b: px(11, 1), t: px(31, 31), bg: px(0, 3)})');
  check(fail, s.x === 2, 'runtime works with resources named Image, Math, Audio and top', s.x);
  check(fail, near(s.a, RED) && near(s.b, BLUE) && near(s.t, GREEN) && near(s.bg, WHITE),
        'pictures with blanks, #, % and quotes in their names load', s);
  return page;
};

require('./api_cases.js')(CASES, {F, TEMPLATE, play, check, near, RED, BLUE, GREEN, WHITE});
require('./step_cases.js')(CASES, {F, TEMPLATE, play, check, near, RED, BLUE, GREEN, WHITE});

// ---------------------------------------------------------------------------
// Games the builder wrote from project records (see game_writer.cpp).
function builtGame(name) {
  const dir = path.join(opt('built') || '', 'Projects', name);
  const index = fs.readFileSync(path.join(dir, 'index.html'), 'utf8');
  fs.writeFileSync(path.join(dir, 'hold.html'),
                   index.replace("<script type='text/javascript'", '<script>var zm_test_hold = true;</script>\n$&'));
  return dir;
}
CASES.built_whole_game = (browser, dir, fail) => checkWholeGame(browser, builtGame('whole'), fail);

CASES.built_faults = async (browser, dir, fail) => {
  const page = await play(browser, builtGame('faults'));
  await page.eval('zm_run_steps(3)');
  const s = await page.eval('({steps: steps, ghost: ghost_steps, n: zm_instances.length, tile: px(41, 41), bg: px(30, 20), plain: px(1, 41)})');
  check(fail, s.steps === 3 && s.n === 2, 'the object whose parent was deleted plays', s);
  check(fail, s.ghost === 3, 'the object whose sprite is missing plays too', s);
  check(fail, near(s.tile, GREEN), 'a picture with a quote in its name loads', s.tile);
  check(fail, near(s.bg, [0, 0, 90]) && near(s.plain, [0, 0, 90]), 'a background without image draws nothing', s);
  return page;
};

// One typo in a piece of each kind: the game starts, the other pieces play,
// and each typo is reported once, by piece and line.
CASES.built_typo = async (browser, dir, fail) => {
  const page = await play(browser, builtGame('typo'), 'hold.html');
  await page.eval('zm_run_steps(5)');
  const s = await page.eval(`({mover: instance_find(obj_mover, 0).x, typoY: instance_find(obj_typo, 0).y,
    made, typo_end, stray_steps, stray_end, open_steps, modern_steps, modern_ok, seen_let, scene_started,
    helper: typeof helper, ext_ok: typeof ext_ok, twice: twice(2), late_rx: late_rx.flags,
    strict_steps, clash_one, clash_two, clash_ext: typeof clash_ext, max: max(1, 2),
    early: [early_twice, typeof early_bad, early_after],
    canvas: [zm_canvas.width, zm_canvas.height], dot: px(22, 12), line: zm_error_line,
    red: (function () { for (var x = 0; x < 520; x++) for (var y = 144; y < 160; y++) {
      var p = px(x, y); if (p[0] > 200 && p[1] < 120 && p[2] < 120) return true; } return false; })()})`);
  check(fail, s.mover === 20 && near(s.dot, RED), 'the other objects play and are drawn', s);
  check(fail, s.made === 1 && s.typo_end === 5 && s.typoY === 10, 'the other events of the object with the typo run', s);
  check(fail, s.stray_steps === 0 && s.stray_end === 5 && s.open_steps === 5,
        'a stray } and an unclosed { change nothing around them', s);
  check(fail, s.modern_steps === 5 && s.modern_ok === true && s.late_rx === 'v',
        'code the browser takes runs, even where the program\'s engine refused it', s);
  check(fail, s.seen_let === 42, 'a top-level let of such code is a global, as inline', s);
  check(fail, s.scene_started === 0 && s.canvas[0] === 520 && s.canvas[1] === 160, 'the scene starts without its code', s);
  check(fail, s.helper === 'undefined' && s.ext_ok === 'undefined' && s.twice === 4, 'top-level pieces are whole or not at all', s);
  check(fail, s.strict_steps === 40, 'a "use strict" inside with(this) is only a text', s);
  check(fail, s.clash_one === 5 && s.clash_two === 0, 'of two pieces that declare one name, the second is left out', s);
  check(fail, s.clash_ext === 'undefined' && s.max === 2, 'a top-level piece that clashes costs only itself', s);
  check(fail, s.early[0] === 42 && s.early[1] === 'undefined' && s.early[2] === 1,
        'functions compiled late are there for the code before them', s);
  const wanted = ['object obj_typo, event Step, line 2: SyntaxError',
                  'object obj_clash, event Step, line 1: SyntaxError',
                  'extension Clash, line 2: SyntaxError',
                  'extension Names, line 2: SyntaxError',
                  'object obj_stray, event Step, line 2: SyntaxError',
                  'object obj_open, event Creation, line 1: SyntaxError',
                  'object obj_mover, event Collision with obj_typo, line 1: SyntaxError',
                  'scene scene_typo, line 2: SyntaxError',
                  'function bad_body, line 1: SyntaxError',
                  'function bad_params, parameters: SyntaxError',
                  'global functions, line 2: SyntaxError',
                  'extension Typo, line 3: SyntaxError'];
  for (const w of wanted) {
    check(fail, page.errors.filter((e) => e.startsWith('Error in ' + w)).length === 1, 'reported once: ' + w, page.errors);
  }
  check(fail, page.errors.length === wanted.length, 'nothing else reported', page.errors);
  check(fail, s.red && /^Error in .*, line \d+: SyntaxError: /.test(s.line), 'the red line at the bottom of the game', s.line);
  page.errors = [];
  return page;
};

CASES.built_no_scene = async (browser, dir, fail) => {
  const page = await play(browser, builtGame('noscene'), 'index.html');
  await page.until('zm_steps > 2');
  const p = await page.eval('px(5, 5)');
  check(fail, near(p, [0, 0, 0]), 'black canvas', p);
  return page;
};

// ---------------------------------------------------------------------------
// Every name of the browser's window is one that no resource may take: a
// global of that name would replace or collide with the browser's own.
CASES.browser_names = async (browser, dir, fail) => {
  fs.writeFileSync(path.join(dir, 'blank.html'), '<!DOCTYPE html><html><body></body></html>');
  const page = await openPage(browser, 'file://' + path.join(dir, 'blank.html'));
  const names = await page.eval(`(function () {
    var seen = {};
    for (var o = window; o; o = Object.getPrototypeOf(o))
      Object.getOwnPropertyNames(o).forEach(function (n) { seen[n] = 1; });
    return Object.keys(seen);
  })()`);
  check(fail, names.length > 500, 'the window\'s names captured', names.length);
  const through = require('child_process').execFileSync(opt('name-check'), {input: names.join('\n')})
    .toString().split('\n').filter((n) => n !== '');
  check(fail, through.length === 0, 'browser names a resource could take: ' + through.join(' '));
  return page;
};

// ---------------------------------------------------------------------------

async function main() {
  const names = wanted.length ? wanted : Object.keys(CASES).filter(
    (n) => (opt('built') || !n.startsWith('built_')) && (opt('name-check') || n !== 'browser_names'));
  for (const n of names) if (!CASES[n]) { console.error('unknown case ' + n); process.exit(2); }
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'zm-runtime-'));
  const browser = await launch(CHROMIUM);
  let failed = 0;
  try {
    for (const name of names) {
      const dir = path.join(root, name);
      fs.mkdirSync(dir, {recursive: true});
      const fail = [];
      let page = null;
      try {
        page = await withDeadline(CASES[name](browser, dir, fail), 60000, name);
        if (page) {
          for (const e of page.errors) fail.push('console: ' + e);
          await page.close();
        }
      } catch (e) {
        fail.push(String(e && e.stack || e));
      }
      if (fail.length) {
        failed++;
        console.log('FAIL ' + name);
        for (const f of fail) console.log('  ' + f);
      } else {
        console.log('ok   ' + name);
      }
    }
  } finally {
    await browser.close();
    fs.rmSync(root, {recursive: true, force: true});
  }
  process.exit(failed ? 1 : 0);
}

main().catch((e) => { console.error(e); process.exit(1); });
