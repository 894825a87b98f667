// A stand-in runtime: every name the generated sections call, doing nothing
// but recording, so that running the game checks that every name it uses
// is declared.
var zm_scenes = [];
var zm_room_to_go = null;
var zm_instances = [];
function __sprite_init__() {}
function __audio_init__() {}
function __background_init__(self, variable, file) { self.image = file; }
function __font_init__() {}
function __instance_init__(self) {
  self.place_meeting = function() { return null; };
  zm_instances.push(self);
}
function __handle_sprite__() {}
function __room_start__() {}
function zm_late_function() { return function() {}; }
function zm_late_script() {}
var zm_handlers = ['on_creation', 'on_destroy', 'on_step', 'on_end_step', 'on_collision',
                   'on_roomstart', 'on_roomend', 'on_animationend', 'on_draw'];
function on_creation_i() {}
function on_destroy_i() {}
function on_step_i() {}
function on_end_step_i() {}
function on_collision_i() {}
function on_roomstart_i() {}
function on_roomend_i() {}
function on_animationend_i() {}
function on_draw_i() {}
var zm_version = '//ZEMBRIK_VERSION';
//ZEMBRIK_EXTENSIONS
//ZEMBRIK_GLOBAL_VARIABLES
//ZEMBRIK_GLOBAL_FUNCTIONS
//ZEMBRIK_SPRITES
//ZEMBRIK_SOUNDS
//ZEMBRIK_MUSICS
//ZEMBRIK_BACKGROUNDS
//ZEMBRIK_FONTS
//ZEMBRIK_OBJECTS
//ZEMBRIK_SCENES
for (var s = 0; s < zm_scenes.length; s++) zm_scenes[s].start();
for (var i = 0; i < zm_instances.length; i++)
  for (var h = 0; h < zm_handlers.length; h++) zm_instances[i][zm_handlers[h]]();
console.log('ran ' + zm_version);
