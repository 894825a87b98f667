// Writes test games: the runtime template with its markers filled by section
// texts in the shapes the game builder writes (CR LF line ends), beside an
// index page and PNG pictures.
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const NL = '\r\n';
const MARKERS = ['VERSION', 'EXTENSIONS', 'GLOBAL_VARIABLES', 'GLOBAL_FUNCTIONS', 'SPRITES', 'SOUNDS',
                 'MUSICS', 'BACKGROUNDS', 'FONTS', 'OBJECTS', 'SCENES'];

function fillTemplate(template, sections) {
  let text = template;
  for (const m of MARKERS) {
    const by = m === 'VERSION' ? 'v1.3.0' : (sections[m.toLowerCase()] || (m === 'GLOBAL_FUNCTIONS' ? NL : ''));
    text = text.split('//ZEMBRIK_' + m).join(by);
  }
  return text;
}

const CRC_TABLE = (() => {
  const t = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    t[n] = c >>> 0;
  }
  return t;
})();
function crc32(buf) {
  let c = 0xffffffff;
  for (const b of buf) c = CRC_TABLE[(c ^ b) & 255] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}
function chunk(type, data) {
  const len = Buffer.alloc(4); len.writeUInt32BE(data.length);
  const td = Buffer.concat([Buffer.from(type, 'ascii'), data]);
  const crc = Buffer.alloc(4); crc.writeUInt32BE(crc32(td));
  return Buffer.concat([len, td, crc]);
}
// pixel(x, y) -> [r, g, b, a]
function png(w, h, pixel) {
  const raw = Buffer.alloc((w * 4 + 1) * h);
  for (let y = 0; y < h; y++) {
    raw[y * (w * 4 + 1)] = 0;
    for (let x = 0; x < w; x++) {
      const p = pixel(x, y), o = y * (w * 4 + 1) + 1 + x * 4;
      raw[o] = p[0]; raw[o + 1] = p[1]; raw[o + 2] = p[2]; raw[o + 3] = p[3] === undefined ? 255 : p[3];
    }
  }
  const ihdr = Buffer.alloc(13);
  ihdr.writeUInt32BE(w, 0); ihdr.writeUInt32BE(h, 4);
  ihdr[8] = 8; ihdr[9] = 6; ihdr[10] = 0; ihdr[11] = 0; ihdr[12] = 0;
  return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', ihdr),
                        chunk('IDAT', zlib.deflateSync(raw)), chunk('IEND', Buffer.alloc(0))]);
}
const solid = (w, h, rgba) => png(w, h, () => rgba);

// A short silent PCM WAV file.
function wav() {
  const samples = 800, data = Buffer.alloc(samples * 2);
  const head = Buffer.alloc(44);
  head.write('RIFF', 0); head.writeUInt32LE(36 + data.length, 4); head.write('WAVE', 8);
  head.write('fmt ', 12); head.writeUInt32LE(16, 16); head.writeUInt16LE(1, 20); head.writeUInt16LE(1, 22);
  head.writeUInt32LE(8000, 24); head.writeUInt32LE(16000, 28); head.writeUInt16LE(2, 32); head.writeUInt16LE(16, 34);
  head.write('data', 36); head.writeUInt32LE(data.length, 40);
  return Buffer.concat([head, data]);
}

// ---- section texts, in the builder's shapes ----

function sprite(name, o) {
  const frames = (o.frames || []).map((f) => "'img/" + name + '_' + f + ".png'").join(',');
  const b = o.box || [0, o.w, 0, o.h];
  return 'function __' + name + '() { ' + NL +
    '__sprite_init__(this, ' + name + ', ' + o.w + ', ' + o.h + ', ' + (o.cx || 0) + ', ' + (o.cy || 0) +
    ", '" + (o.shape || 'Box') + "', " + (o.radius || 0) + ', ' + b[0] + ', ' + b[1] + ', ' + b[2] + ', ' + b[3] +
    ', [' + frames + ']);' + NL + '}; var ' + name + ' = new __' + name + '();' + NL + NL;
}
function audio(name, wavFile, mp3, ogg) {
  const p = (f) => (f ? 'aud/' + f : '');
  return 'function __' + name + '() { ' + NL + '__audio_init__(this, ' + name + ", '" + p(wavFile) + "', '" +
    p(mp3) + "', '" + p(ogg) + "');" + NL + '}; var ' + name + ' = new __' + name + '();' + NL + NL;
}
function background(name, file) {
  return 'function __' + name + '() { ' + NL + '__background_init__(this, ' + name + ", 'img/" + file + "')" +
    '}; var ' + name + ' = new __' + name + '();' + NL + NL;
}
function font(name, family, size, bold, italic) {
  return 'function __' + name + '() { ' + NL + '__font_init__(this, ' + name + ", '" + family + "', " + size +
    ', ' + bold + ', ' + italic + ')' + '}; var ' + name + ' = new __' + name + '();' + NL + NL;
}
function userFunction(name, params, code) {
  return 'function ' + name + '(' + params + ') { ' + NL + code + NL + '}' + NL;
}

const KINDS = [['Creation', 'on_creation'], ['Destroy', 'on_destroy'], ['Step', 'on_step'],
               ['End step', 'on_end_step'], ['Collision', 'on_collision'], ['Room start', 'on_roomstart'],
               ['Room end', 'on_roomend'], ['Animation end', 'on_animationend'], ['Draw', 'on_draw']];

// o: {parent, visible, depth, sprite, collision, index, events: {Kind: [code...] or for
// Collision [[other, code]...]}}; advanced: 1 leaves out the with(this) wrapping.
function object(name, o, advanced) {
  const wrapped = !advanced;
  let s = 'function __' + name + '() {' + NL + '__instance_init__(this, ' + name + ', ' + (o.parent || 'null') +
    ', ' + (o.visible === undefined ? 1 : o.visible) + ', ' + (o.depth || 0) + ', ' + (o.sprite || 'null') + ', ' +
    (o.collision === undefined ? 1 : o.collision) + ', ' + (o.index || 0) + ');' + NL;
  const ev = o.events || {};
  for (const [kind, prop] of KINDS) {
    if (!ev[kind]) { s += 'this.' + prop + ' = ' + prop + '_i;' + NL; continue; }
    s += 'this.' + prop + ' = function() {' + NL;
    if (kind === 'Animation end') s += 'if(this.image_index >= this.image_number - 1) {' + NL;
    if (kind === 'Draw') s += 'if (this.visible == 1) {' + NL + '__handle_sprite__(this);' + NL;
    if (wrapped) s += 'with(this) {' + NL;
    for (const code of ev[kind]) {
      if (kind === 'Collision') {
        if (!code[0]) continue;
        s += 'this.other = this.place_meeting(this.x, this.y, ' + code[0] + ');' + NL + 'if(this.other != null) {' +
          NL + code[1] + NL + '}' + NL;
      } else {
        s += code + NL;
      }
    }
    if (wrapped) s += '}' + NL;
    if (kind === 'Animation end' || kind === 'Draw') s += '}' + NL;
    s += '};' + NL;
  }
  return s + '}; var ' + name + ' = new __' + name + '();' + NL + NL;
}

// o: {w, h, speed, rgb, bg, tile: [x, y, stretch], view: [w, h, follow, xb, yb], tiles: [[depth,
// [bg, [l,t,w,h,x,y]...]...]...], objects: [{o, x, y, d, a}], code}
function scene(name, o, first) {
  let s = 'function __' + name + '() { ' + NL + 'this.tiles = [' + NL;
  s += (o.tiles || []).map((g) => '[' + g[0] + ',' + NL + g.slice(1).map((bg) => '[' + bg[0] + ',' + NL +
    bg.slice(1).map((t) => '[' + t.join(',') + ']').join(',' + NL) + ']').join(',' + NL) + ']').join(',' + NL);
  s += '];' + NL + 'this.objects = [' + NL;
  s += (o.objects || []).map((e) => '[{o:' + e.o + ', x:' + e.x + ', y:' + e.y + (e.d ? ', d:' + e.d : '') +
    (e.a ? ', a:' + e.a : '') + '}]').join(',' + NL);
  const rgb = o.rgb || [0, 0, 0], t = o.tile || [0, 0, 0], w = o.w || 640, h = o.h || 480;
  const v = o.view || [w, h, null, 50, 50];
  s += '];' + NL + 'this.start = function() {' + NL + '__room_start__(this, ' + name + ', ' + w + ', ' + h + ', ' +
    (o.speed === undefined ? 30 : o.speed) + ', ' + rgb.join(', ') + ', ' + (o.bg ? o.bg + '.image' : 'null') + ', ' + t.join(', ') + ', ' +
    v[0] + ', ' + v[1] + ', ' + (v[2] || 'null') + ', ' + v[3] + ', ' + v[4] + ');' + NL;
  if (o.code) s += NL + o.code + NL;
  s += '};' + NL + '}' + NL + 'var ' + name + ' = new __' + name + '();' + NL + 'zm_scenes.push(' + name + ');' + NL;
  if (first) s += 'zm_room_to_go = ' + first + ';' + NL;
  return s;
}

const INDEX_LINES = [
  "<html lang='en'>", '<head>', "<meta http-equiv='X-UA-Compatible' content='IE=edge' />",
  "<meta http-equiv='pragma' content='no-cache' />", "<meta name='apple-mobile-web-app-capable' content='yes' />",
  "<meta name='viewport' content='initial-scale=1.0, maximum-scale=1.0, user-scalable=0, width=device-width, height=device-height' />",
  "<meta name='apple-mobile-web-app-status-bar-style' content='black-translucent' />", "<meta charset='utf-8' />",
  '</head>', "<body style='background: black; margin: 0; padding: 0; overflow: hidden;'>",
  "<div id='zembrikgame'></div>",
  "<a style='text-decoration:none;font-size:11px;font-family:arial;color:rgb(255,255,255);' href='http://localhost/'>Made with Zembrik Game Maker</a>",
  "<script type='text/javascript' src='game.js'></script>", '</body>', '</html>'];

// Writes dir/game.js, dir/index.html, dir/hold.html (the same page, with the
// loop held so that a test steps the game itself) and the given files.
function writeGame(dir, template, sections, files = {}) {
  fs.mkdirSync(path.join(dir, 'img'), {recursive: true});
  fs.mkdirSync(path.join(dir, 'aud'), {recursive: true});
  fs.writeFileSync(path.join(dir, 'game.js'), fillTemplate(template, sections));
  fs.writeFileSync(path.join(dir, 'index.html'), INDEX_LINES.join('\n') + '\n');
  const hold = INDEX_LINES.slice();
  hold.splice(12, 0, '<script>var zm_test_hold = true;</script>');
  fs.writeFileSync(path.join(dir, 'hold.html'), hold.join('\n') + '\n');
  for (const [name, data] of Object.entries(files)) fs.writeFileSync(path.join(dir, name), data);
}

module.exports = {fillTemplate, png, solid, wav, sprite, audio, background, font, userFunction, object, scene,
                  writeGame, NL};
