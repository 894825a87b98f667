#include "builder/game_names.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "project/hooks.h"
#include "project/message_texts.h"
#include "project/tables.h"

extern const char* const browserWindowNames[];
extern const size_t browserWindowNameCount;

namespace {

// Reserved words of the language, in strict code too, and the globals that
// cannot be assigned.
const char* const reservedWords[] = {
    "Infinity", "NaN", "arguments", "await", "break", "case", "catch", "class", "const", "continue",
    "debugger", "default", "delete", "do", "else", "enum", "eval", "export", "extends", "false",
    "finally", "for", "function", "if", "implements", "import", "in", "instanceof", "interface", "let",
    "new", "null", "package", "private", "protected", "public", "return", "static", "super", "switch",
    "this", "throw", "true", "try", "typeof", "undefined", "var", "void", "while", "with", "yield",
};

// The runtime's own globals that scripts use: every name of keywords.dat and
// every top-level name of the runtime template outside its prefixes. A test
// reads both files and fails on a name missing here.
const char* const runtimeNames[] = {
    "abs", "background_color", "c_aqua", "c_black", "c_blue", "c_dkgray", "c_fuchsia", "c_gray",
    "c_green", "c_lime", "c_ltgray", "c_maroon", "c_navy", "c_olive", "c_orange", "c_purple",
    "c_red", "c_silver", "c_teal", "c_white", "c_yellow", "ceil", "choose", "clamp", "collision",
    "collision_point", "degtorad", "depth", "device_is_mobile", "direction", "draw_background",
    "draw_background_stretched", "draw_circle", "draw_line", "draw_rectangle", "draw_self",
    "draw_set_alpha", "draw_set_color", "draw_set_font", "draw_set_halign", "draw_set_valign",
    "draw_sprite", "draw_sprite_ext", "draw_text", "fa_bottom", "fa_center", "fa_left", "fa_middle",
    "fa_right", "fa_top", "floor", "fps", "friction", "game_restart", "gravity",
    "gravity_direction", "hspeed", "id", "image_alpha", "image_angle", "image_index",
    "image_number", "image_speed", "image_xscale", "image_yscale", "instance_create",
    "instance_destroy", "instance_exists", "instance_find", "instance_nearest", "instance_number",
    "irandom", "keyboard_check", "keyboard_check_pressed", "keyboard_check_released", "lengthdir_x",
    "lengthdir_y", "make_color_rgb", "max", "mb_any", "mb_left", "mb_middle", "mb_none", "mb_right",
    "min", "motion_set", "mouse_check_button", "mouse_check_button_pressed",
    "mouse_check_button_released", "mouse_x", "mouse_y", "move_towards_point", "music_pause",
    "music_play", "music_resume", "music_stop", "music_volume", "noone", "object_index",
    "on_animationend_i", "on_collision_i", "on_creation_i", "on_destroy_i", "on_draw_i",
    "on_end_step_i", "on_roomend_i", "on_roomstart_i", "on_step_i", "other", "pi", "place_meeting",
    "point_direction", "point_distance", "power", "radtodeg", "random", "random_range", "round",
    "scene", "scene_goto", "scene_goto_next", "scene_goto_previous", "scene_height",
    "scene_restart", "scene_speed", "scene_width", "show_debug_message", "show_message", "sign",
    "sound_is_playing", "sound_loop", "sound_play", "sound_stop", "sound_stop_all", "sound_volume",
    "speed", "sprite_get_height", "sprite_get_number", "sprite_get_width", "sprite_get_xoffset",
    "sprite_get_yoffset", "sprite_index", "sqr", "sqrt", "storage_clear", "storage_delete",
    "storage_exists", "storage_load", "storage_save", "string_height", "string_width", "tile_add",
    "tile_layer_delete", "tile_layer_hide", "tile_layer_shift", "tile_layer_show", "tilt_x",
    "tilt_y", "tilt_z", "view_hview", "view_wview", "view_xview", "view_yview", "visible", "vspeed",
    "x", "xprevious", "xstart", "y", "yprevious", "ystart",
};

// The runtime's private names and key codes.
const char* const runtimePrefixes[] = {"__", "zm_", "vk_"};

bool lessText(const char* a, const char* b) { return std::strcmp(a, b) < 0; }

template <size_t N>
bool listed(const char* const (&list)[N], const std::string& name) {
  return std::binary_search(list, list + N, name.c_str(), lessText);
}

bool isIdentifier(const std::string& name) {
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
  for (char c : name) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
    if (!ok) return false;
  }
  return true;
}

// The kinds whose records bear a name, one bit a kind (object instances
// bear no global). The names are the records' own: good while the tables
// stand as they are.
using KindBits = unsigned;

KindBits bit(int kind) { return KindBits(1) << kind; }

template <typename Record>
void addBearers(std::unordered_map<std::string_view, KindBits>& out, const std::vector<Record>& table, int kind) {
  for (const Record& r : table) out[r.name] |= bit(kind);
}

std::unordered_map<std::string_view, KindBits> bearersOfEveryName() {
  std::unordered_map<std::string_view, KindBits> out;
  addBearers(out, sprites, GAME_SPRITE);
  addBearers(out, sounds, GAME_SOUND);
  addBearers(out, musics, GAME_MUSIC);
  addBearers(out, backgrounds, GAME_BACKGROUND);
  addBearers(out, fonts, GAME_FONT);
  for (const ObjectRecord& o : objects)
    if (o.prototype == 1) out[o.name] |= bit(GAME_OBJECT);
  addBearers(out, scenes, GAME_SCENE);
  addBearers(out, fns, GAME_FUNCTION);
  return out;
}

int faultAmong(const std::string& name, int kind, KindBits bearers) {
  int fault = globalNameFault(name);
  if (fault != NAME_FITS) return fault;
  return (bearers & ~bit(kind)) != 0 ? NAME_OF_OTHER_KIND : NAME_FITS;
}

const char* const kindWords[] = {"sprite", "sound", "music", "background", "font", "object", "scene", "function"};

}  // namespace

int globalNameFault(const std::string& name) {
  if (!isIdentifier(name)) return NAME_NO_IDENTIFIER;
  if (listed(reservedWords, name)) return NAME_RESERVED_WORD;
  if (listed(runtimeNames, name)) return NAME_OF_RUNTIME;
  if (!runtimePrefixOf(name).empty()) return NAME_OF_RUNTIME;
  if (std::binary_search(browserWindowNames, browserWindowNames + browserWindowNameCount, name.c_str(), lessText))
    return NAME_OF_BROWSER;
  return NAME_FITS;
}

int gameNameFault(const std::string& name, int kind) {
  const auto bearers = bearersOfEveryName();
  auto found = bearers.find(name);
  return faultAmong(name, kind, found == bearers.end() ? 0 : found->second);
}

int otherKindWithName(const std::string& name, int kind) {
  const auto bearers = bearersOfEveryName();
  auto found = bearers.find(name);
  KindBits others = found == bearers.end() ? 0 : found->second & ~bit(kind);
  for (int k = GAME_SPRITE; k <= GAME_FUNCTION; ++k)
    if (others & bit(k)) return k;
  return -1;
}

const char* gameKindWord(int kind) { return kind >= GAME_SPRITE && kind <= GAME_FUNCTION ? kindWords[kind] : ""; }

std::string runtimePrefixOf(const std::string& name) {
  for (const char* prefix : runtimePrefixes)
    if (name.rfind(prefix, 0) == 0) return prefix;
  return "";
}

int isGlobalNameFree(const std::string& name) { return globalNameFault(name) == NAME_FITS ? 1 : 0; }

int isGameNameUsable(const std::string& name, int kind) { return gameNameFault(name, kind) == NAME_FITS ? 1 : 0; }

std::vector<UnusableName> unusableGameNames() {
  // The bearers of every name at once: one scan of the tables, not one a record.
  const auto bearers = bearersOfEveryName();
  std::vector<UnusableName> out;
  std::unordered_set<std::string> listedOnce;
  auto test = [&](const std::string& name, int kind) {
    int fault = faultAmong(name, kind, bearers.at(name));
    if (fault != NAME_FITS && listedOnce.insert(char('0' + kind) + name).second) out.push_back({kind, name, fault});
  };
  for (const SpriteRecord& r : sprites) test(r.name, GAME_SPRITE);
  for (const SoundRecord& r : sounds) test(r.name, GAME_SOUND);
  for (const MusicRecord& r : musics) test(r.name, GAME_MUSIC);
  for (const BackgroundRecord& r : backgrounds) test(r.name, GAME_BACKGROUND);
  for (const FontRecord& r : fonts) test(r.name, GAME_FONT);
  for (const ObjectRecord& r : objects)
    if (r.prototype == 1) test(r.name, GAME_OBJECT);
  for (const SceneRecord& r : scenes) test(r.name, GAME_SCENE);
  for (const FunctionRecord& r : fns) test(r.name, GAME_FUNCTION);
  return out;
}

int refuseUnusableGameNames() {
  const std::vector<UnusableName> names = unusableGameNames();
  if (names.empty()) return 0;
  const std::string notWritten = "The game files are not written.";
  if (names.size() == 1) {
    projectHooks.message("Error", std::string("The ") + kindWords[names[0].kind] + " name '" +
                                      shownText(names[0].name) + "' cannot be used in a game. " + notWritten);
    return 1;
  }
  std::vector<std::string> shown;
  for (const UnusableName& n : names) shown.push_back(std::string(kindWords[n.kind]) + " '" + shownText(n.name) + "'");
  std::string text = std::to_string(names.size()) + " names cannot be used in a game: " + firstFewOf(shown, 5);
  projectHooks.message("Error", text + ". " + notWritten);
  return 1;
}
