/* ---- audio ---- */

var zm_audio_probe = null;
function zm_can_play(type) {
  if (!zm_audio_probe) zm_audio_probe = new zm_Audio();
  return zm_audio_probe.canPlayType && zm_audio_probe.canPlayType(type) !== '';
}
function zm_pick_audio(wav, mp3, ogg) {
  var order = [[ogg, 'audio/ogg; codecs="vorbis"'], [mp3, 'audio/mpeg'], [wav, 'audio/wav']];
  var i;
  for (i = 0; i < order.length; i++) {
    if (order[i][0] && zm_can_play(order[i][1])) return order[i][0];
  }
  for (i = 0; i < order.length; i++) if (order[i][0]) return order[i][0];
  return '';
}

function __audio_init__(self, N, wav, mp3, ogg) {
  self.zm_name = zm_name_of(self);
  self.zm_music = zm_audio_kind === 1;
  self.zm_file = zm_pick_audio(wav, mp3, ogg);
  self.zm_pool = [];
  self.zm_volume = 1;
  zm_sounds.push(self);
}

/* Plays refused before the first user gesture wait for the first key or
   pointer press. */
var zm_audio_waiting = [];
function zm_audio_start(el) {
  el.zm_want = true;
  var p;
  try { p = el.play(); } catch (e) { p = null; }
  if (p && p.catch) {
    p.catch(function (e) {
      if (e && e.name === 'NotAllowedError' && el.zm_want) zm_audio_waiting.push(el);
    });
  }
}
function zm_audio_gesture() {
  var list = zm_audio_waiting;
  zm_audio_waiting = [];
  for (var i = 0; i < list.length; i++) {
    if (list[i].zm_want) { try { list[i].play().catch(function () {}); } catch (e) {} }
  }
}
function zm_audio_halt(el) {
  el.zm_want = false;
  try { el.pause(); el.currentTime = 0; } catch (e) {}
}
function zm_sound_element(snd) {
  for (var i = 0; i < snd.zm_pool.length; i++) {
    var el = snd.zm_pool[i];
    if (el.ended || (el.paused && !el.zm_want)) { el.currentTime = 0; return el; }
  }
  var fresh = new zm_Audio();
  fresh.preload = 'auto';
  fresh.src = zm_url(snd.zm_file);
  fresh.addEventListener('ended', function () { fresh.zm_want = false; });
  snd.zm_pool.push(fresh);
  return fresh;
}
function zm_is_sound(snd) { return snd && snd.zm_pool && snd.zm_file; }

function sound_play(snd) {
  if (!zm_is_sound(snd)) return;
  var el = zm_sound_element(snd);
  el.loop = false;
  el.volume = snd.zm_volume;
  zm_audio_start(el);
}
function sound_loop(snd) {
  if (!zm_is_sound(snd)) return;
  var el = zm_sound_element(snd);
  el.loop = true;
  el.volume = snd.zm_volume;
  zm_audio_start(el);
}
function sound_stop(snd) {
  if (!zm_is_sound(snd)) return;
  for (var i = 0; i < snd.zm_pool.length; i++) zm_audio_halt(snd.zm_pool[i]);
}
function sound_stop_all() {
  for (var i = 0; i < zm_sounds.length; i++) if (!zm_sounds[i].zm_music) sound_stop(zm_sounds[i]);
}
function sound_volume(snd, volume) {
  if (!zm_is_sound(snd)) return;
  snd.zm_volume = clamp(+volume, 0, 1);
  for (var i = 0; i < snd.zm_pool.length; i++) snd.zm_pool[i].volume = snd.zm_volume;
}
function sound_is_playing(snd) {
  if (!zm_is_sound(snd)) return false;
  for (var i = 0; i < snd.zm_pool.length; i++) {
    var el = snd.zm_pool[i];
    if (el.zm_want && !el.ended) return true;
  }
  return false;
}

var zm_music = null;
var zm_music_volume = 1;
function music_play(mus) {
  music_stop();
  if (!zm_is_sound(mus)) return;
  var el = zm_sound_element(mus);
  el.loop = true;
  el.volume = zm_music_volume;
  zm_music = el;
  zm_audio_start(el);
}
function music_stop() {
  if (zm_music) zm_audio_halt(zm_music);
  zm_music = null;
}
function music_pause() {
  if (zm_music) { zm_music.zm_want = false; try { zm_music.pause(); } catch (e) {} }
}
function music_resume() {
  if (zm_music) zm_audio_start(zm_music);
}
function music_volume(volume) {
  zm_music_volume = clamp(+volume, 0, 1);
  if (zm_music) zm_music.volume = zm_music_volume;
}

