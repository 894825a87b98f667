/* ---- bare names in wrapped event code ----
   Inside with(this), "hp = 3" would create a global shared by every
   instance. The handlers are read once; every bare name they assign that is
   not a global of the game becomes a property of each instance, so the
   assignment lands on the instance. */

var zm_js_words = {};
('break case catch class const continue debugger default delete do else export extends finally for ' +
 'function if import in instanceof let new return super switch this throw try typeof var void while ' +
 'with yield true false null undefined arguments eval of async await static get set').split(' ')
  .forEach(function (w) { zm_js_words[w] = true; });

var zm_puncts = ['>>>=', '...', '===', '!==', '**=', '<<=', '>>=', '>>>', '&&=', '||=', '??=',
                 '=>', '==', '!=', '<=', '>=', '&&', '||', '??', '?.', '++', '--', '+=', '-=',
                 '*=', '/=', '%=', '&=', '|=', '^=', '**', '<<', '>>'];
var zm_assign_ops = {'=': 1, '+=': 1, '-=': 1, '*=': 1, '/=': 1, '%=': 1, '**=': 1, '<<=': 1,
                     '>>=': 1, '>>>=': 1, '&=': 1, '|=': 1, '^=': 1, '&&=': 1, '||=': 1, '??=': 1};

function zm_tokens(src) {
  var toks = [], i = 0, n = src.length, c, j, last = null;
  var idStart = /[A-Za-z_$\u00a0-\uffff]/, idPart = /[A-Za-z0-9_$\u00a0-\uffff]/;
  while (i < n) {
    c = src[i];
    if (c === ' ' || c === '\t' || c === '\r' || c === '\n') { i++; continue; }
    if (c === '/' && src[i + 1] === '/') { while (i < n && src[i] !== '\n') i++; continue; }
    if (c === '/' && src[i + 1] === '*') { j = src.indexOf('*/', i + 2); i = j < 0 ? n : j + 2; continue; }
    if (c === '"' || c === "'" || c === '`') {
      for (j = i + 1; j < n && src[j] !== c; j++) if (src[j] === '\\') j++;
      i = j + 1;
      toks.push(last = {t: 's', v: ''});
      continue;
    }
    if (idStart.test(c)) {
      for (j = i + 1; j < n && idPart.test(src[j]); j++) {}
      toks.push(last = {t: 'i', v: src.substring(i, j), s: i, e: j});
      i = j;
      continue;
    }
    if (c >= '0' && c <= '9' || (c === '.' && src[i + 1] >= '0' && src[i + 1] <= '9')) {
      for (j = i + 1; j < n && /[0-9A-Za-z_.]/.test(src[j]); j++) {}
      toks.push(last = {t: 'n', v: ''});
      i = j;
      continue;
    }
    if (c === '/') {
      var value = last && (last.t === 'n' || last.t === 's' || (last.t === 'i' && !zm_js_words[last.v]) ||
                           last.v === ')' || last.v === ']' || last.v === '}');
      if (!value) {        // a regular expression literal
        var inClass = false;
        for (j = i + 1; j < n && src[j] !== '\n'; j++) {
          if (src[j] === '\\') { j++; continue; }
          if (src[j] === '[') inClass = true;
          else if (src[j] === ']') inClass = false;
          else if (src[j] === '/' && !inClass) break;
        }
        for (j++; j < n && /[a-z]/.test(src[j]); j++) {}
        toks.push(last = {t: 's', v: ''});
        i = j;
        continue;
      }
    }
    var p = c;
    for (var k = 0; k < zm_puncts.length; k++) {
      if (src.substr(i, zm_puncts[k].length) === zm_puncts[k]) { p = zm_puncts[k]; break; }
    }
    toks.push(last = {t: 'p', v: p});
    i += p.length;
  }
  return toks;
}

function zm_scan_assigned(src, assigned, declared, props) {
  var toks = zm_tokens(src), n = toks.length, i, t, depth;
  for (i = 0; i < n; i++) {
    t = toks[i];
    if (t.t !== 'i') continue;
    if (t.v === 'var' || t.v === 'let' || t.v === 'const') {
      // declarators: name [= expression] {, name [= expression]}
      var expectName = true;
      depth = 0;
      for (i = i + 1; i < n; i++) {
        var u = toks[i];
        if (expectName && u.t === 'i') { declared[u.v] = true; expectName = false; continue; }
        if (u.v === '(' || u.v === '[' || u.v === '{') depth++;
        else if (u.v === ')' || u.v === ']' || u.v === '}') { if (--depth < 0) break; }
        else if (depth === 0 && u.v === ',') expectName = true;
        else if (depth === 0 && (u.v === ';' || u.v === 'in' || u.v === 'of')) break;
      }
      continue;
    }
    if (t.v === 'function' || t.v === 'catch') {
      var j = i + 1;
      if (j < n && toks[j].t === 'i') { declared[toks[j].v] = true; j++; }
      if (j < n && toks[j].v === '(') {
        for (j++, depth = 1; j < n && depth > 0; j++) {
          if (toks[j].v === '(') depth++;
          else if (toks[j].v === ')') depth--;
          else if (toks[j].t === 'i' && depth === 1) declared[toks[j].v] = true;
        }
      }
      continue;
    }
    if (zm_js_words[t.v]) continue;
    var prev = i > 0 ? toks[i - 1].v : '';
    var next = i + 1 < n ? toks[i + 1].v : '';
    if (prev === '.' || prev === '?.') {
      if (props && (zm_assign_ops[next] === 1 || next === '++' || next === '--')) props[t.v] = true;
      continue;
    }
    var prefixed = (prev === '++' || prev === '--') &&
                   !(i > 1 && (toks[i - 2].t === 'i' || toks[i - 2].t === 'n' ||
                               toks[i - 2].v === ')' || toks[i - 2].v === ']'));
    if (zm_assign_ops[next] === 1 || next === '++' || next === '--' || prefixed) assigned[t.v] = true;
  }
}

/* Names the page has before any game code: the browser's own. A game's
   global that shares such a name (declared with var) is still a global. */
var zm_browser_names = null;
function zm_collect_browser_names() {
  zm_browser_names = {};
  try {
    var frame = zm_document.createElement('iframe');
    frame.style.display = 'none';
    (zm_document.body || zm_document.documentElement).appendChild(frame);
    for (var o = frame.contentWindow; o; o = zm_Object.getPrototypeOf(o)) {
      var names = zm_Object.getOwnPropertyNames(o);
      for (var i = 0; i < names.length; i++) zm_browser_names[names[i]] = true;
    }
    frame.parentNode.removeChild(frame);
  } catch (e) {
    zm_browser_names = {};
  }
}
function zm_is_game_global(name) {
  if (!(name in zm_window)) return false;
  if (!zm_browser_names[name]) return true;
  var d = zm_Object.getOwnPropertyDescriptor(zm_window, name);
  return !!(d && 'value' in d && d.configurable === false);
}

function zm_collect_instance_vars() {
  var props = {};
  zm_find_instance_vars(props);
  zm_unwrap_handlers(props);
  // Handlers compiled without with create their variables on the instance
  // themselves; those that kept it need them there beforehand.
  zm_find_instance_vars(null);
}

function zm_find_instance_vars(props) {
  for (var i = 0; i < zm_objects.length; i++) {
    var def = zm_objects[i], assigned = {}, declared = {};
    for (var k = 0; k < 9; k++) {
      var h = def.zm_h[k];
      if (!h) continue;
      var src = '';
      try { src = zm_fn_source.call(h); } catch (e) { src = ''; }
      if (src.indexOf('with(this)') >= 0) zm_scan_assigned(src, assigned, declared, props);
    }
    def.zm_vars = [];
    for (var name in assigned) {
      if (!declared[name] && !zm_is_game_global(name) && !(name in zm_instance_fields))
        def.zm_vars.push(name);
    }
  }
}

/* with(this) makes every name in the block a slow dynamic lookup. Where the
   outcome is sure to be the same, a handler is compiled again without it:
   each bare name that an instance can hold becomes a property of the
   instance the handler runs for. Handlers that declare such a name, hold a
   template literal or a with of their own keep their with. */
function zm_unwrap_handlers(props) {
  var own = {}, name, i, k;
  // Names assigned as properties somewhere are taken for instance variables
  // unless the game has a global of that name; names every instance holds
  // win over globals, as they do inside with.
  for (name in props) if (!zm_is_game_global(name)) own[name] = true;
  for (name in zm_instance_fields) own[name] = true;
  for (i = 0; i < zm_objects.length; i++) {
    var def = zm_objects[i];
    for (k = 0; k < def.zm_vars.length; k++) own[def.zm_vars[k]] = true;
    for (var o = def; o; o = zm_Object.getPrototypeOf(o)) {
      var names = zm_Object.getOwnPropertyNames(o);
      for (k = 0; k < names.length; k++) own[names[k]] = true;
    }
  }
  var done = new zm_Map();
  for (i = 0; i < zm_objects.length; i++) {
    var h = zm_objects[i].zm_h;
    for (k = 0; k < 9; k++) {
      if (!h[k]) continue;
      if (!done.has(h[k])) done.set(h[k], zm_unwrap(h[k], own));
      h[k] = done.get(h[k]);
    }
  }
}

function zm_unwrap(h, own) {
  var src;
  try { src = zm_fn_source.call(h); } catch (e) { return h; }
  var at = src.indexOf('with(this) {');
  if (at < 0 || src.indexOf('`') >= 0) return h;
  var toks = zm_tokens(src), i, withs = 0;
  for (i = 0; i < toks.length; i++) if (toks[i].t === 'i' && toks[i].v === 'with') withs++;
  if (withs !== 1) return h;
  var declared = {};
  zm_scan_assigned(src, {}, declared, null);
  for (var d in declared) if (own[d] === true) return h;
  var out = '', last = 0;
  for (i = 0; i < toks.length; i++) {
    var t = toks[i];
    if (t.t !== 'i' || t.s < at || own[t.v] !== true) continue;
    var prev = i > 0 ? toks[i - 1].v : '', next = i + 1 < toks.length ? toks[i + 1].v : '';
    if (prev === '.' || prev === '?.') continue;
    if (next === ':' && (prev === '{' || prev === ',')) continue;   // a key or a label
    out += src.substring(last, t.s) + 'zm_me.' + t.v;
    last = t.e;
  }
  out += src.substring(last);
  out = out.substring(0, at) + '{' + out.substring(at + 'with(this) {'.length);
  var open = out.indexOf('{');
  if (open < 0 || open > at) return h;
  out = out.substring(0, open + 1) + 'var zm_me = this;' + out.substring(open + 1);
  try {
    return zm_Function('return (' + out + ');')();
  } catch (e) {
    return h;
  }
}

