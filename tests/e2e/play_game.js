// Plays the game that whole_game_test made through the windows, as Run game
// opened it: the page the stand-in opener was given, in headless Chromium,
// with its own timer running.
// Usage: node play_game.js --chromium /usr/bin/chromium --folder <program folder>
'use strict';
const fs = require('fs');
const path = require('path');
const {launch, openPage, withDeadline} = require('../runtime/cdp.js');

const args = process.argv.slice(2);
const opt = (name) => { const i = args.indexOf('--' + name); return i >= 0 ? args[i + 1] : null; };
const FOLDER = opt('folder');
const CHROMIUM = opt('chromium') || '/usr/bin/chromium';

const near = (a, b) => a && b && [0, 1, 2].every((i) => Math.abs(a[i] - b[i]) <= 8) && a[3] === 255;
const RED = [255, 0, 0], GREEN = [0, 160, 0], YELLOW = [255, 255, 0], SCENE = [0, 0, 90];

// The player, the walls, and the canvas pixels at the player's place, all
// read between two ticks.
const LOOK = `(function () {
  function px(x, y) { return Array.from(zm_ctx.getImageData(x, y, 1, 1).data); }
  var p = instance_find(obj_player, 0);
  var walls = [];
  for (var i = 0; i < instance_number(obj_wall); i++) { var w = instance_find(obj_wall, i); walls.push([w.x, w.y]); }
  return {x: p.x, y: p.y, start: [p.xstart, p.ystart], walls: walls, hits: hits, started: started,
          body: [px(p.x, p.y), px(p.x - 15, p.y - 15), px(p.x + 15, p.y + 15)], outside: px(p.x + 20, p.y - 20)};
})()`;

async function play(browser, url, fail) {
  const check = (ok, what, got) => { if (!ok) fail.push(what + (got !== undefined ? ' (got ' + JSON.stringify(got) + ')' : '')); };
  const page = await openPage(browser, url);
  await page.until('typeof zm_started !== "undefined" && zm_started');
  let s = await page.eval(LOOK);
  const startX = s.x;
  check(s.start[0] === 60 && s.start[1] === 100 && startX >= 60, 'the player starts where it was placed', s);
  check(s.started === 1, 'the scene code ran', s.started);
  const kinds = await page.eval(`({font: typeof fnt_score, sound: typeof snd_hit, fn: typeof count_hit,
    canvas: [zm_canvas.width, zm_canvas.height], ground: Array.from(zm_ctx.getImageData(5, 5, 1, 1).data),
    tiles: [[193, 289], [287, 319], [321, 300], [351, 319], [300, 280]].map(function (p) {
      return Array.from(zm_ctx.getImageData(p[0], p[1], 1, 1).data); })})`);
  check(kinds.font !== 'undefined' && kinds.sound !== 'undefined' && kinds.fn === 'function',
        'the font, the sound and the user function are in the game', kinds);
  check(kinds.canvas[0] === 640 && kinds.canvas[1] === 480, 'the canvas is the scene\'s size', kinds.canvas);
  const [first, third, yellow, yellowEnd, above] = kinds.tiles;
  check(near(first, GREEN) && near(third, GREEN) && near(yellow, YELLOW) && near(yellowEnd, YELLOW) &&
        near(above, SCENE), 'the tile layer is drawn from the tile set\'s cells', kinds.tiles);
  check(near(kinds.ground, SCENE), 'the scene\'s colour', kinds.ground);

  await new Promise((r) => setTimeout(r, 1000));
  s = await page.eval(LOOK);
  check(s.x > startX + 20, 'after a second the player has moved right', [startX, s.x]);
  await page.until('instance_number(obj_wall) === 2', 5000).catch(() => {});
  s = await page.eval(LOOK);
  check(JSON.stringify(s.walls) === '[[500,400],[580,400]]', 'the wall the player met is gone, the others stay', s.walls);
  check(s.hits === 1, 'the collision called the user function once', s.hits);
  check(s.y === 100, 'nothing moved the player down yet', s.y);

  await page.key('rawKeyDown', 40, 'ArrowDown');
  await page.until('instance_find(obj_player, 0).y >= 112', 5000).catch(() => {});
  await page.key('keyUp', 40, 'ArrowDown');
  const downY = (await page.eval(LOOK)).y;
  check(downY >= 112 && (downY - 100) % 4 === 0, 'holding the down key moves the player down by 4 a step', downY);
  await new Promise((r) => setTimeout(r, 200));
  s = await page.eval(LOOK);
  check(s.y === downY, 'the player stops going down when the key is up', [downY, s.y]);
  check(s.body.every((p) => near(p, RED)), 'the player is drawn in its frame\'s colour where it stands', s.body);
  check(near(s.outside, SCENE), 'and not beyond its frame', s.outside);
  for (const e of page.errors) fail.push('console: ' + e);
  await page.close();
}

async function main() {
  const opened = fs.readFileSync(path.join(FOLDER, 'opened.txt'), 'utf8').trim().split('\n');
  let url = opened[opened.length - 1];
  if (!url.startsWith('file://')) url = 'file://' + path.resolve(FOLDER, url);
  const browser = await launch(CHROMIUM);
  const fail = [];
  try {
    await withDeadline(play(browser, url, fail), 60000, 'play');
  } catch (e) {
    fail.push(String(e && e.stack || e));
  } finally {
    await browser.close();
  }
  if (fail.length) {
    console.log('FAIL whole game played from ' + url);
    for (const f of fail) console.log('  ' + f);
    process.exit(1);
  }
  console.log('ok   whole game played from ' + url);
}

main().catch((e) => { console.error(e); process.exit(1); });
