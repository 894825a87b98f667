// Times a held game in headless Chromium: after 30 steps to settle, 100
// steps of logic alone, then 100 frames of logic and drawing with the
// canvas flushed. Shared by the runtime's benchmarks.
'use strict';
const path = require('path');
const {openPage, withDeadline} = require('../../tests/runtime/cdp.js');

const MEASURE = `(function () {
  zm_run_steps(30);
  var t0 = performance.now();
  for (var i = 0; i < 100; i++) zm_step();
  var step = (performance.now() - t0) / 100;
  t0 = performance.now();
  for (var j = 0; j < 100; j++) { zm_step(); zm_draw(); zm_ctx.getImageData(0, 0, 1, 1); }
  var frame = (performance.now() - t0) / 100;
  return [step, frame, zm_instances.length];
})()`;

// [ms per step, ms per frame, instances] of the game written in dir.
async function measure(browser, dir) {
  const page = await openPage(browser, 'file://' + path.join(dir, 'hold.html'));
  await page.until('typeof zm_started !== "undefined" && zm_started', 20000);
  const r = await withDeadline(page.eval(MEASURE), 300000, 'measure');
  if (page.errors.length) throw new Error(page.errors.join('\n'));
  await page.close();
  return r;
}

function printTable(rows) {
  console.log('| scene | ms per step | ms per frame |');
  console.log('|---|---:|---:|');
  for (const [what, step, frame] of rows) console.log('| ' + what + ' | ' + step.toFixed(2) + ' | ' + frame.toFixed(2) + ' |');
}

module.exports = {measure, printTable};
