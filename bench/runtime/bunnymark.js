// Bunnymark of the game runtime in headless Chromium: N instances with a
// 32 x 32 sprite moved and bounced by their Step event, in wrapped and in
// advanced mode, and 2,000 instances with a Collision event against 200
// walls. Prints milliseconds per step (logic) and per frame (logic and
// drawing, the canvas flushed).
// Usage: node bunnymark.js --template export.js [--chromium /usr/bin/chromium]
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const {launch} = require('../../tests/runtime/cdp.js');
const F = require('../../tests/runtime/fixture.js');
const {measure, printTable} = require('./measure.js');

const args = process.argv.slice(2);
const opt = (n, d) => { const i = args.indexOf('--' + n); return i >= 0 ? args[i + 1] : d; };
const TEMPLATE = fs.readFileSync(opt('template'), 'latin1');
const CHROMIUM = opt('chromium', '/usr/bin/chromium');

function bunnyGame(dir, n, advanced) {
  const step = advanced
    ? 'this.x += this.dx; this.y += this.dy; if (this.x < 0 || this.x > 768) this.dx = -this.dx; if (this.y < 0 || this.y > 568) this.dy = -this.dy;'
    : 'x += dx; y += dy; if (x < 0 || x > 768) dx = -dx; if (y < 0 || y > 568) dy = -dy;';
  const create = advanced ? 'this.dx = random_range(-4, 4); this.dy = random_range(-4, 4);'
                          : 'dx = random_range(-4, 4); dy = random_range(-4, 4);';
  F.writeGame(dir, TEMPLATE, {
    sprites: F.sprite('spr_bunny', {w: 32, h: 32, frames: [0]}),
    objects: F.object('bunny', {sprite: 'spr_bunny', events: {Creation: [create], Step: [step]}}, advanced),
    scenes: F.scene('room', {w: 800, h: 600, speed: 60, rgb: [40, 40, 40],
                             code: 'for (var i = 0; i < ' + n + '; i++) instance_create(random(768), random(568), bunny);'}, 'room'),
  }, {'img/spr_bunny_0.png': F.png(32, 32, (x, y) => [255, 255 - x * 4, y * 4, x > 2 && x < 29 ? 255 : 0])});
}

function collisionGame(dir) {
  F.writeGame(dir, TEMPLATE, {
    sprites: F.sprite('spr_bunny', {w: 32, h: 32, frames: [0]}) + F.sprite('spr_wall', {w: 32, h: 32, frames: [0]}),
    objects: F.object('bunny', {sprite: 'spr_bunny', events: {
      Creation: ['dx = random_range(-4, 4); dy = random_range(-4, 4);'],
      Step: ['x += dx; y += dy; if (x < 0 || x > 768) dx = -dx; if (y < 0 || y > 568) dy = -dy;'],
      Collision: [['wall', 'x = xprevious; y = yprevious; dx = -dx; dy = -dy;']]}}) +
      F.object('wall', {sprite: 'spr_wall', depth: 10}),
    scenes: F.scene('room', {w: 800, h: 600, speed: 60, code:
      'for (var i = 0; i < 200; i++) instance_create(16 + (i % 20) * 40, 40 + Math.floor(i / 20) * 56, wall);' +
      'for (var j = 0; j < 2000; j++) instance_create(random(768), random(568), bunny);'}, 'room'),
  }, {'img/spr_bunny_0.png': F.solid(32, 32, [255, 255, 255, 255]),
      'img/spr_wall_0.png': F.solid(32, 32, [0, 0, 255, 255])});
}

async function main() {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'zm-bunnymark-'));
  const browser = await launch(CHROMIUM);
  const rows = [];
  try {
    for (const n of (opt('sizes', '1000,5000,10000')).split(",").map(Number)) {
      for (const advanced of (opt('modes', 'w,a')).split(",").map((m) => m === 'a')) {
        const dir = path.join(root, n + (advanced ? 'a' : 'w'));
        bunnyGame(dir, n, advanced);
        const [step, frame, count] = await measure(browser, dir);
        rows.push([count + ' bunnies, ' + (advanced ? 'advanced' : 'wrapped'), step, frame]);
      }
    }
    if (opt('collision', '1') !== '0') {
      const dir = path.join(root, 'collide');
      collisionGame(dir);
      const [step, frame, count] = await measure(browser, dir);
      rows.push([(count - 200) + ' bunnies + 200 walls, Collision event', step, frame]);
    }
  } finally {
    await browser.close();
    fs.rmSync(root, {recursive: true, force: true});
  }
  printTable(rows);
}

main().catch((e) => { console.error(e); process.exit(1); });
