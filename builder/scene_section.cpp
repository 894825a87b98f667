// The scenes section: per scene its tiles grouped by depth and tile-set
// background, its placed instances and its start function; then the scene
// the game starts with.
#include <algorithm>
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

void appendLine(std::string& out, std::string_view text) {
  out += text;
  out += CRLF;
}

// Depth groups in order of first occurrence among the scene's tiles; inside
// each, background groups in the order in which the backgrounds first occur
// among all of the scene's tiles.
void appendTileGroups(std::string& out, const std::vector<const TileRecord*>& own) {
  std::vector<std::string_view> backgroundList;
  std::unordered_map<std::string_view, size_t> backgroundAt;
  std::vector<int> depthList;
  std::unordered_map<int, size_t> depthAt;
  for (const TileRecord* t : own) {
    if (backgroundAt.emplace(t->background, backgroundList.size()).second)
      backgroundList.push_back(t->background);
    if (depthAt.emplace(t->depth, depthList.size()).second) depthList.push_back(t->depth);
  }
  // tilesAt[depth position] holds (background position, tile) in table order.
  std::vector<std::vector<std::pair<size_t, const TileRecord*>>> tilesAt(depthList.size());
  for (const TileRecord* t : own)
    tilesAt[depthAt[t->depth]].emplace_back(backgroundAt[t->background], t);

  for (size_t d = 0; d < depthList.size(); ++d) {
    if (d > 0) appendLine(out, ",");
    out += '[';
    appendInt(out, depthList[d]);
    appendLine(out, ",");
    auto& group = tilesAt[d];
    std::stable_sort(group.begin(), group.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t j = 0; j < group.size(); ++j) {
      bool firstOfBackground = j == 0 || group[j - 1].first != group[j].first;
      if (firstOfBackground) {
        if (j > 0) {
          out += ']';
          appendLine(out, ",");
        }
        out += '[';
        out += backgroundList[group[j].first];
        appendLine(out, ",");
      } else {
        appendLine(out, ",");
      }
      const TileRecord* t = group[j].second;
      out += '[';
      bool first = true;
      for (int v : {t->left, t->top, t->width, t->height, t->x, t->y}) {
        if (!first) out += ',';
        first = false;
        appendInt(out, v);
      }
      out += ']';
    }
    if (!group.empty()) out += ']';
    out += ']';
  }
}

void appendInstances(std::string& out, const std::vector<const ObjectRecord*>& own) {
  for (size_t i = 0; i < own.size(); ++i) {
    const ObjectRecord* o = own[i];
    if (i > 0) appendLine(out, ",");
    out += "[{o:";
    out += o->template_;
    out += ", x:";
    appendInt(out, o->x);
    out += ", y:";
    appendInt(out, o->y);
    if (o->direction != 0) {
      out += ", d:";
      appendInt(out, o->direction);
    }
    if (o->image_angle != 0) {
      out += ", a:";
      appendInt(out, o->image_angle);
    }
    out += "}]";
  }
}

}  // namespace

int sceneHasTiles(const std::string& sceneName, const std::string& backgroundName, int depth) {
  for (const TileRecord& t : tiles)
    if (t.scene == sceneName && t.background == backgroundName && t.depth == depth) return 1;
  return 0;
}

std::string generateScenesSection() {
  // Only backgrounds with an image are declared by the backgrounds section.
  std::unordered_set<std::string_view> backgroundsWithImage;
  for (const BackgroundRecord& b : backgrounds)
    if (!b.file.empty()) backgroundsWithImage.insert(b.name);
  const DefinitionNames definitions = objectDefinitionNames();
  // Each scene's tiles and instances in table order, gathered in one pass.
  // A tile of an undeclared background or an instance of an object that is
  // no definition would name an undeclared variable and stop the whole
  // script, so they are left out.
  std::unordered_map<std::string_view, std::vector<const TileRecord*>> tilesOf;
  for (const TileRecord& t : tiles)
    if (backgroundsWithImage.count(t.background)) tilesOf[t.scene].push_back(&t);
  std::unordered_map<std::string_view, std::vector<const ObjectRecord*>> instancesOf;
  for (const ObjectRecord& o : objects)
    if (!o.scene.empty() && definitions.count(o.template_)) instancesOf[o.scene].push_back(&o);
  static const std::vector<const TileRecord*> noTiles;
  static const std::vector<const ObjectRecord*> noInstances;

  std::string out;
  for (const SceneRecord& s : scenes) {
    out += "function __";
    out += s.name;
    out += "() { ";
    out += CRLF;

    appendLine(out, "this.tiles = [");
    auto t = tilesOf.find(s.name);
    appendTileGroups(out, t == tilesOf.end() ? noTiles : t->second);
    appendLine(out, "];");

    appendLine(out, "this.objects = [");
    auto o = instancesOf.find(s.name);
    appendInstances(out, o == instancesOf.end() ? noInstances : o->second);
    appendLine(out, "];");

    // The start function: the scene's settings, then the scene's code.
    std::string settings = "__room_start__(this, ";
    settings += s.name;
    for (int v : {s.width, s.height, s.speed, s.red, s.green, s.blue}) {
      settings += ", ";
      appendInt(settings, v);
    }
    settings += ", ";
    if (!s.background.empty() && backgroundsWithImage.contains(s.background)) {
      settings += s.background;
      settings += ".image";
    } else {
      settings += "null";
    }
    for (int v : {s.backgroundtilex, s.backgroundtiley, s.backgroundstretch, s.viewportwidth,
                  s.viewportheight}) {
      settings += ", ";
      appendInt(settings, v);
    }
    settings += ", ";
    settings += definitionOrNull(s.viewportobject, definitions);
    for (int v : {s.viewportxborder, s.viewportyborder}) {
      settings += ", ";
      appendInt(settings, v);
    }
    appendLine(settings, ");");
    CodeProblem problem;
    if (s.code.empty() || bodyPieceCompiles("scene " + shownText(s.name), s.code, problem)) {
      appendLine(out, "this.start = function() {");
      out += settings;
      if (!s.code.empty()) {
        out += CRLF;
        appendLine(out, s.code);
      }
      appendLine(out, "};");
    } else {
      out += "this.start = zm_late_function('', [";
      appendLateText(out, settings + std::string(CRLF));
      out += ", ";
      appendLatePiece(out, problem, s.code);
      appendLine(out, "]);");
    }
    appendLine(out, "}");
    out += "var ";
    out += s.name;
    out += " = new __";
    out += s.name;
    appendLine(out, "();");
    out += "zm_scenes.push(";
    out += s.name;
    appendLine(out, ");");
  }
  if (!scenes.empty()) {
    out += "zm_room_to_go = ";
    out += scenes.front().name;
    appendLine(out, ";");
  }
  return out;
}
