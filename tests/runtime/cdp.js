// Headless Chromium driven over its DevTools pipe (fds 3 and 4), so no port
// is opened and no package is needed. Every wait has a deadline.
'use strict';
const {spawn} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const FLAGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
               '--disable-component-update', '--disable-sync', '--disable-quic', '--no-first-run',
               '--allow-file-access-from-files', '--autoplay-policy=no-user-gesture-required',
               '--disable-default-apps', '--disable-extensions', '--mute-audio',
               '--remote-debugging-pipe'];

function withDeadline(promise, ms, what) {
  let timer;
  const late = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error('timed out: ' + what)), ms);
  });
  return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

async function launch(chromium) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zm-chromium-'));
  const proc = spawn(chromium, [...FLAGS, '--user-data-dir=' + profile, 'about:blank'],
                     {stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe']});
  let stderr = '';
  proc.stderr.on('data', (d) => { stderr += d; if (stderr.length > 20000) stderr = stderr.slice(-10000); });
  const toBrowser = proc.stdio[3], fromBrowser = proc.stdio[4];
  let nextId = 1, buffer = '';
  const waiting = new Map(), listeners = [];
  fromBrowser.on('data', (chunk) => {
    buffer += chunk.toString('utf8');
    let end;
    while ((end = buffer.indexOf('\0')) >= 0) {
      const msg = JSON.parse(buffer.slice(0, end));
      buffer = buffer.slice(end + 1);
      if (msg.id !== undefined && waiting.has(msg.id)) {
        const w = waiting.get(msg.id);
        waiting.delete(msg.id);
        if (msg.error) w.reject(new Error(w.method + ': ' + msg.error.message));
        else w.resolve(msg.result);
      } else if (msg.method) {
        for (const l of listeners) l(msg);
      }
    }
  });
  const exited = new Promise((resolve) => proc.on('exit', resolve));
  toBrowser.on('error', () => {});

  function send(method, params = {}, sessionId) {
    const id = nextId++;
    const msg = {id, method, params};
    if (sessionId) msg.sessionId = sessionId;
    return withDeadline(new Promise((resolve, reject) => {
      waiting.set(id, {resolve, reject, method});
      toBrowser.write(JSON.stringify(msg) + '\0');
    }), 30000, method);
  }

  async function close() {
    try { await withDeadline(send('Browser.close'), 5000, 'Browser.close'); } catch (e) { /* killed below */ }
    await withDeadline(exited, 5000, 'exit').catch(() => proc.kill('SIGKILL'));
    fs.rmSync(profile, {recursive: true, force: true});
  }

  await withDeadline(send('Browser.getVersion'), 20000, 'start: ' + stderr);
  return {send, close, listeners, profile, stderrText: () => stderr};
}

// One page with its own session: the console errors and uncaught exceptions
// it saw, evaluation, and real input events.
async function openPage(browser, url) {
  const {targetId} = await browser.send('Target.createTarget', {url: 'about:blank'});
  const {sessionId} = await browser.send('Target.attachToTarget', {targetId, flatten: true});
  const page = {errors: [], logs: [], targetId, sessionId};
  let loaded = null;
  const listener = (msg) => {
    if (msg.sessionId !== sessionId) return;
    if (msg.method === 'Runtime.exceptionThrown') {
      const d = msg.params.exceptionDetails;
      page.errors.push('uncaught: ' + (d.exception && d.exception.description || d.text));
    } else if (msg.method === 'Runtime.consoleAPICalled') {
      const text = msg.params.args.map((a) => a.value !== undefined ? String(a.value) : a.description).join(' ');
      if (msg.params.type === 'error') page.errors.push(text);
      else page.logs.push(text);
    } else if (msg.method === 'Page.loadEventFired' && loaded) {
      loaded();
    }
  };
  browser.listeners.push(listener);
  const send = (m, p) => browser.send(m, p, sessionId);
  await send('Runtime.enable');
  await send('Page.enable');
  const load = new Promise((resolve) => { loaded = resolve; });
  await send('Page.navigate', {url});
  await withDeadline(load, 20000, 'load ' + url);

  page.eval = async (expression) => {
    const r = await send('Runtime.evaluate', {expression, returnByValue: true, awaitPromise: true});
    if (r.exceptionDetails) {
      const d = r.exceptionDetails;
      throw new Error('evaluation failed: ' + (d.exception && d.exception.description || d.text) + '\n' + expression);
    }
    return r.result.value;
  };
  // Waits until the expression is true (polled), or fails after ms.
  page.until = async (expression, ms = 10000) => {
    const end = Date.now() + ms;
    for (;;) {
      if (await page.eval(expression)) return;
      if (Date.now() > end) throw new Error('never true: ' + expression);
      await new Promise((r) => setTimeout(r, 20));
    }
  };
  // more: other fields of the event, such as code, location or autoRepeat.
  page.key = async (type, keyCode, key, more = {}) => {
    await send('Input.dispatchKeyEvent', {type, windowsVirtualKeyCode: keyCode, nativeVirtualKeyCode: keyCode,
                                          key, code: key, ...more});
  };
  page.mouse = async (type, x, y, button = 'left') => {
    await send('Input.dispatchMouseEvent', {type, x, y, button, clickCount: type === 'mouseMoved' ? 0 : 1});
  };
  page.close = async () => {
    browser.listeners.splice(browser.listeners.indexOf(listener), 1);
    await browser.send('Target.closeTarget', {targetId});
  };
  return page;
}

module.exports = {launch, openPage, withDeadline};
