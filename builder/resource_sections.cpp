// Sprites, sounds, musics, backgrounds, fonts, the global texts and the
// version text.
#include <string_view>
#include <unordered_map>
#include <vector>

#include "builder/code_check.h"
#include "builder/js_check.h"
#include "builder/js_text.h"
#include "builder/sections.h"
#include "builder/top_level_check.h"
#include "project/message_texts.h"
#include "project/tables.h"
#include "ui/image.h"

namespace {

void openConstructor(std::string& out, const std::string& name) {
  out += "function __";
  out += name;
  out += "() { ";
  out += CRLF;
}

void closeConstructor(std::string& out, const std::string& name) {
  out += "}; var ";
  out += name;
  out += " = new __";
  out += name;
  out += "();";
  out += CRLF;
  out += CRLF;
}

// "'folder/file'", or "''" for a file that is not there.
void appendPath(std::string& out, const std::string& folder, const std::string& file) {
  out += '\'';
  if (!file.empty()) {
    appendQuotedText(out, folder);
    out += '/';
    appendQuotedText(out, file);
  }
  out += '\'';
}

template <typename AudioRecord>
std::string audioSection(const std::vector<AudioRecord>& table) {
  std::string out;
  for (const AudioRecord& r : table) {
    if (r.wav.empty() && r.mp3.empty() && r.ogg.empty()) continue;
    openConstructor(out, r.name);
    out += "__audio_init__(this, ";
    out += r.name;
    out += ", ";
    appendPath(out, audFolder, r.wav);
    out += ", ";
    appendPath(out, audFolder, r.mp3);
    out += ", ";
    appendPath(out, audFolder, r.ogg);
    out += ");";
    out += CRLF;
    closeConstructor(out, r.name);
  }
  return out;
}

}  // namespace

std::string formatVersion() {
  std::string digits = std::to_string(programVersion);
  std::string out = "v";
  for (size_t i = 0; i < 3; ++i) {
    if (i > 0) out += '.';
    if (i < digits.size()) out += digits[i];
  }
  return out;
}

std::string generateSpritesSection() {
  // Frames of each sprite in table order, found once rather than by a scan
  // of the frames table per sprite.
  std::unordered_map<std::string_view, std::vector<const FrameRecord*>> framesOf;
  for (const FrameRecord& f : frames) framesOf[f.sprite].push_back(&f);
  static const std::vector<const FrameRecord*> none;

  std::string out;
  for (const SpriteRecord& s : sprites) {
    auto found = framesOf.find(s.name);
    const auto& own = found == framesOf.end() ? none : found->second;
    int width = 0, height = 0;
    if (!own.empty()) {
      width = imageWidth(own.back()->image);
      height = imageHeight(own.back()->image);
    }
    openConstructor(out, s.name);
    out += "__sprite_init__(this, ";
    out += s.name;
    for (int v : {width, height, s.centerx, s.centery}) {
      out += ", ";
      appendInt(out, v);
    }
    out += ", '";
    appendQuotedText(out, s.collisionshape);
    out += '\'';
    for (int v : {s.collisionradius, s.collisionleft, s.collisionright, s.collisiontop,
                  s.collisionbottom}) {
      out += ", ";
      appendInt(out, v);
    }
    out += ", [";
    for (size_t i = 0; i < own.size(); ++i) {
      if (i > 0) out += ',';
      out += '\'';
      appendQuotedText(out, imgFolder);
      out += '/';
      appendQuotedText(out, own[i]->sprite);
      out += '_';
      appendQuotedText(out, own[i]->file);
      out += ".png'";
    }
    out += "]);";
    out += CRLF;
    closeConstructor(out, s.name);
  }
  return out;
}

std::string generateSoundsSection() { return audioSection(sounds); }

std::string generateMusicsSection() { return audioSection(musics); }

std::string generateBackgroundsSection() {
  std::string out;
  for (const BackgroundRecord& b : backgrounds) {
    if (b.file.empty()) continue;
    openConstructor(out, b.name);
    out += "__background_init__(this, ";
    out += b.name;
    out += ", ";
    appendPath(out, imgFolder, b.file);
    out += ')';
    closeConstructor(out, b.name);
  }
  return out;
}

std::string generateFontsSection() {
  std::string out;
  for (const FontRecord& f : fonts) {
    openConstructor(out, f.name);
    out += "__font_init__(this, ";
    out += f.name;
    out += ", '";
    appendQuotedText(out, f.family);
    out += '\'';
    for (int v : {f.size, f.bold, f.italic}) {
      out += ", ";
      appendInt(out, v);
    }
    out += ')';
    closeConstructor(out, f.name);
  }
  return out;
}

std::string generateGlobalVariablesSection() {
  sectionPieces = SectionPieces();
  std::string out;
  CodeProblem problem;
  if (scriptPieceCompiles("global variables", projectInfo.variables, problem))
    appendTopLevelPiece(out, "global variables", projectInfo.variables);
  else
    appendLateTopLevel(out, problem, projectInfo.variables);
  return out;
}

std::string generateGlobalFunctionsSection() {
  sectionPieces = SectionPieces();
  std::string out;
  CodeProblem problem;
  if (scriptPieceCompiles("global functions", projectInfo.functions, problem))
    appendTopLevelPiece(out, "global functions", projectInfo.functions);
  else
    appendLateTopLevel(out, problem, projectInfo.functions);
  out += CRLF;
  for (const FunctionRecord& f : fns) {
    std::string declaration = "function ";
    declaration += f.name;
    declaration += '(';
    declaration += f.params;
    declaration += ") { ";
    declaration += CRLF;
    declaration += f.code;
    declaration += CRLF;
    declaration += '}';
    const std::string where = "function " + shownText(f.name);
    if (functionPieceCompiles(where, f.params, f.code, problem)) {
      appendTopLevelPiece(out, where, declaration, 2 + lineEnds(f.params));
    } else {
      // Hoisted no more, so assigned before any of the project's code at the
      // top level runs, which may call it.
      std::string& early = sectionPieces.early;
      early += "var ";
      early += f.name;
      early += " = zm_late_function('";
      appendQuotedText(early, f.params);
      early += "', [";
      appendLatePiece(early, problem, f.code);
      early += "]);";
      early += CRLF;
      sectionPieces.holdsCode = true;
    }
    out += CRLF;
  }
  return out;
}
