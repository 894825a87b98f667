/* Zembrik Game Maker game runtime. The program copies this file into every
   game.js and replaces the marker lines below with the game's own code. */
var zm_version = `
//ZEMBRIK_VERSION
`.trim();

/* Browser built-ins, taken before any game code runs: a resource named
   Image, Math or top must not break the runtime. */
var zm_window = window;
var zm_document = document;
var zm_Math = Math;
var zm_Image = Image;
var zm_Audio = Audio;
var zm_Object = Object;
var zm_JSON = JSON;
var zm_String = String;
var zm_Number = Number;
var zm_Uint8Array = Uint8Array;
var zm_Map = Map;
var zm_console = console;
var zm_navigator = navigator;
var zm_location = location;
var zm_encode = encodeURIComponent;
var zm_fn_source = Function.prototype.toString;
var zm_Function = Function;
var zm_set_timeout = setTimeout.bind(window);
var zm_clear_timeout = clearTimeout.bind(window);
var zm_now = (function (p) { return function () { return p.now(); }; })(performance);
var zm_alert = alert.bind(window);
var zm_storage = null;
try { zm_storage = localStorage; } catch (e) { zm_storage = null; }

