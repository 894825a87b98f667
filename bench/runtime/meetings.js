// Collision queries from event code, timed in headless Chromium: 2,000
// instances with an 8 x 8 sprite, each asking place_meeting in its Step
// event whether its next place is free, moving there if it is and turning
// back if not; each step thus files the instances that moved before the
// next one asks. Prints milliseconds per step (logic) and per frame (logic
// and drawing, the canvas flushed).
// Usage: node meetings.js --template export.js [--chromium /usr/bin/chromium]
//        [--count 2000] [--runs 1]
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

function meetingGame(dir, n, advanced) {
  const step = advanced
    ? 'if (this.place_meeting(this.x + this.dx, this.y + this.dy, walker) == noone) { this.x += this.dx; this.y += this.dy; }' +
      ' else { this.dx = -this.dx; this.dy = -this.dy; }' +
      ' if (this.x < 0 || this.x > 792) this.dx = -this.dx; if (this.y < 0 || this.y > 592) this.dy = -this.dy;'
    : 'if (place_meeting(x + dx, y + dy, walker) == noone) { x += dx; y += dy; } else { dx = -dx; dy = -dy; }' +
      ' if (x < 0 || x > 792) dx = -dx; if (y < 0 || y > 592) dy = -dy;';
  const create = advanced ? 'this.dx = random_range(-2, 2); this.dy = random_range(-2, 2);'
                          : 'dx = random_range(-2, 2); dy = random_range(-2, 2);';
  F.writeGame(dir, TEMPLATE, {
    sprites: F.sprite('spr_walker', {w: 8, h: 8, frames: [0]}),
    objects: F.object('walker', {sprite: 'spr_walker', events: {Creation: [create], Step: [step]}}, advanced),
    scenes: F.scene('room', {w: 800, h: 600, speed: 60, rgb: [40, 40, 40],
                             code: 'for (var i = 0; i < ' + n + '; i++) instance_create(random(792), random(592), walker);'}, 'room'),
  }, {'img/spr_walker_0.png': F.solid(8, 8, [255, 255, 255, 255])});
}

async function main() {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'zm-meetings-'));
  const browser = await launch(CHROMIUM);
  const n = Number(opt('count', '2000')), runs = Number(opt('runs', '1'));
  const rows = [];
  try {
    for (const advanced of (opt('modes', 'w,a')).split(',').map((m) => m === 'a')) {
      for (let r = 0; r < runs; r++) {
        const dir = path.join(root, (advanced ? 'a' : 'w') + r);
        meetingGame(dir, n, advanced);
        const [step, frame, count] = await measure(browser, dir);
        rows.push([count + ' instances, place_meeting in Step, ' + (advanced ? 'advanced' : 'wrapped'), step, frame]);
      }
    }
  } finally {
    await browser.close();
    fs.rmSync(root, {recursive: true, force: true});
  }
  printTable(rows);
}

main().catch((e) => { console.error(e); process.exit(1); });
