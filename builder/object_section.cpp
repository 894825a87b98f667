// The objects section: one constructor per object definition that registers
// it with the runtime and sets its nine event handlers.
#include <array>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "builder/code_check.h"
#include "builder/js_text.h"
#include "builder/object_index.h"
#include "builder/sections.h"
#include "project/message_texts.h"
#include "project/tables.h"

namespace {

struct EventKind {
  std::string_view kind;
  std::string_view property;
};

constexpr std::array<EventKind, 9> eventKinds = {{
    {"Creation", "on_creation"},
    {"Destroy", "on_destroy"},
    {"Step", "on_step"},
    {"End step", "on_end_step"},
    {"Collision", "on_collision"},
    {"Room start", "on_roomstart"},
    {"Room end", "on_roomend"},
    {"Animation end", "on_animationend"},
    {"Draw", "on_draw"},
}};
constexpr size_t COLLISION = 4, ANIMATION_END = 7, DRAW = 8;

using ScriptsByKind = std::array<std::vector<const ScriptRecord*>, eventKinds.size()>;

void appendLine(std::string& out, std::string_view text) {
  out += text;
  out += CRLF;
}

void appendFixed(std::vector<BodyPart>& parts, std::string_view text) {
  if (parts.empty() || !parts.back().where.empty()) parts.emplace_back();
  appendLine(parts.back().text, text);
}

void appendHandler(std::string& out, size_t k, const std::vector<const ScriptRecord*>& own,
                   bool wrapped, const DefinitionNames& definitions, const std::string& objectName) {
  std::vector<BodyPart> parts;
  if (k == ANIMATION_END) appendFixed(parts, "if(this.image_index >= this.image_number - 1) {");
  if (k == DRAW) {
    appendFixed(parts, "if (this.visible == 1) {");
    appendFixed(parts, "__handle_sprite__(this);");
  }
  if (wrapped) appendFixed(parts, "with(this) {");
  const std::string where = "object " + shownText(objectName) + ", event " + std::string(eventKinds[k].kind);
  auto addPiece = [&](const std::string& code, const std::string& pieceWhere) {
    BodyPart& part = parts.emplace_back();
    part.text = code;
    part.where = pieceWhere;
  };
  for (const ScriptRecord* s : own) {
    if (k != COLLISION) {
      addPiece(s->code, where);
      continue;
    }
    // A partner that is no object definition would name an undeclared
    // variable and stop the whole script: its block is left out.
    if (s->parameter.empty() || !definitions.contains(s->parameter)) continue;
    appendFixed(parts, "this.other = this.place_meeting(this.x, this.y, " + s->parameter + ");");
    appendFixed(parts, "if(this.other != null) {");
    addPiece(s->code, where + " with " + shownText(s->parameter));
    appendFixed(parts, "}");
  }
  if (wrapped) appendFixed(parts, "}");
  if (k == ANIMATION_END || k == DRAW) appendFixed(parts, "}");

  out += "this.";
  out += eventKinds[k].property;
  if (bodyPartsCompile(parts)) {
    appendLine(out, " = function() {");
    appendBody(out, parts);
    appendLine(out, "};");
    return;
  }
  out += " = zm_late_function('', [";
  appendLateBody(out, parts);
  appendLine(out, "]);");
}

}  // namespace

std::string generateObjectsSection() {
  const bool wrapped = projectInfo.advancedscriptmode == 0;
  const DefinitionNames definitions = objectDefinitionNames();
  // A sprite name that no sprite has (an edited or foreign file) would be an
  // undefined variable and stop the whole game: the object goes without.
  std::unordered_set<std::string_view> spriteNames;
  spriteNames.reserve(sprites.size());
  for (const SpriteRecord& s : sprites) spriteNames.insert(s.name);

  // Each object's scripts by kind, in table order; a kind text that is none
  // of the nine is never written.
  std::unordered_map<std::string_view, size_t> kindIndex;
  for (size_t k = 0; k < eventKinds.size(); ++k) kindIndex.emplace(eventKinds[k].kind, k);
  std::unordered_map<std::string_view, ScriptsByKind> scriptsOf;
  for (const ScriptRecord& s : scripts) {
    auto k = kindIndex.find(s.event);
    if (k != kindIndex.end()) scriptsOf[s.object][k->second].push_back(&s);
  }

  std::string out;
  for (size_t i = 0; i < objects.size(); ++i) {
    const ObjectRecord& o = objects[i];
    if (o.prototype != 1) continue;
    out += "function __";
    out += o.name;
    appendLine(out, "() {");
    out += "__instance_init__(this, ";
    out += o.name;
    out += ", ";
    out += definitionOrNull(o.parent, definitions);
    out += ", ";
    appendInt(out, o.visible);
    out += ", ";
    appendInt(out, o.depth);
    out += ", ";
    out += o.sprite.empty() || !spriteNames.contains(o.sprite) ? std::string_view("null")
                                                               : std::string_view(o.sprite);
    out += ", ";
    appendInt(out, o.collision);
    out += ", ";
    appendInt(out, int(i));
    appendLine(out, ");");

    auto found = scriptsOf.find(o.name);
    for (size_t k = 0; k < eventKinds.size(); ++k) {
      if (found != scriptsOf.end() && !found->second[k].empty()) {
        appendHandler(out, k, found->second[k], wrapped, definitions, o.name);
        continue;
      }
      out += "this.";
      out += eventKinds[k].property;
      out += " = ";
      out += eventKinds[k].property;
      appendLine(out, "_i;");
    }
    out += "}; var ";
    out += o.name;
    out += " = new __";
    out += o.name;
    appendLine(out, "();");
    out += CRLF;
  }
  return out;
}
