#include "project/xml_read.h"

#include <expat.h>

#include <algorithm>
#include <cstring>

namespace {

const std::string emptyText;

struct ParseState {
  XML_Parser parser;
  XmlDocument* doc;
  std::vector<int> open;   // elements from the root to the current one
  int cdata = -1;          // the CDATA node being filled
  bool refused = false;
};

int addChild(ParseState& st, XmlNodeKind kind) {
  XmlDocument& doc = *st.doc;
  int index = int(doc.nodes.size());
  doc.nodes.emplace_back();
  doc.nodes.back().kind = kind;
  if (!st.open.empty()) doc.nodes[st.open.back()].children.push_back(index);
  return index;
}

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** atts) {
  auto& st = *static_cast<ParseState*>(data);
  int index = addChild(st, XML_ELEMENT);
  XmlDocument& doc = *st.doc;
  XmlNode& node = doc.nodes[index];
  (void)name;   // read by position: names are never compared
  node.firstAttribute = uint32_t(doc.attributes.size());
  for (size_t i = 0; atts[i]; i += 2) {
    XmlAttribute a;
    a.name = uint32_t(doc.pool.size());
    a.nameLength = uint32_t(std::strlen(atts[i]));
    doc.pool.append(atts[i], a.nameLength);
    a.value = uint32_t(doc.pool.size());
    a.valueLength = uint32_t(std::strlen(atts[i + 1]));
    doc.pool.append(atts[i + 1], a.valueLength);
    doc.attributes.push_back(a);
  }
  node.attributeCount = uint32_t(doc.attributes.size()) - node.firstAttribute;
  if (st.open.empty()) st.doc->root = index;
  st.open.push_back(index);
}

void XMLCALL onEnd(void* data, const XML_Char*) {
  static_cast<ParseState*>(data)->open.pop_back();
}

void XMLCALL onCharacters(void* data, const XML_Char* s, int len) {
  auto& st = *static_cast<ParseState*>(data);
  if (st.cdata >= 0)
    st.doc->nodes[st.cdata].text.append(s, size_t(len));
  else if (!st.open.empty())
    st.doc->nodes[st.open.back()].text.append(s, size_t(len));
}

void XMLCALL onComment(void* data, const XML_Char* s) {
  auto& st = *static_cast<ParseState*>(data);
  if (st.open.empty()) return;   // outside the root: no child of anything
  int index = addChild(st, XML_COMMENT);
  st.doc->nodes[index].text = s;
}

void XMLCALL onPi(void* data, const XML_Char* target, const XML_Char* s) {
  auto& st = *static_cast<ParseState*>(data);
  if (st.open.empty()) return;
  (void)target;
  int index = addChild(st, XML_PI);
  st.doc->nodes[index].text = s;
}

void XMLCALL onCdataStart(void* data) {
  auto& st = *static_cast<ParseState*>(data);
  if (!st.open.empty()) st.cdata = addChild(st, XML_CDATA);
}

void XMLCALL onCdataEnd(void* data) { static_cast<ParseState*>(data)->cdata = -1; }

// Our files have no document type declaration; a document that has one is
// refused, so that no entity can expand into something huge or reach outside
// the file, and no declared default can add attributes to every element.
void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  auto& st = *static_cast<ParseState*>(data);
  st.refused = true;
  XML_StopParser(st.parser, XML_FALSE);
}

// 0x01 in each byte of `word` that equals the byte of `pattern`, else 0x00.
// Exact: no carry crosses from one byte into the next.
inline uint64_t equalBytes(uint64_t word, uint64_t pattern) {
  const uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
  uint64_t t = word ^ pattern;
  return (~(((t & low7) + low7) | t | low7)) >> 7;
}

// The sum of the eight byte counters of `lanes` (each at most 255).
inline size_t laneSum(uint64_t lanes) {
  const uint64_t evenBytes = 0x00FF00FF00FF00FFull;
  uint64_t pairs = (lanes & evenBytes) + ((lanes >> 8) & evenBytes);
  return size_t((pairs * 0x0001000100010001ull) >> 48);
}

// Both counts in one pass, eight bytes at a time: counting each with its
// own pass over a large file cost a twentieth of the whole Open.
void countOpensAndEquals(const std::string& bytes, size_t& opens, size_t& equals) {
  const uint64_t lt = 0x3C3C3C3C3C3C3C3Cull, eq = 0x3D3D3D3D3D3D3D3Dull;
  const char* p = bytes.data();
  size_t words = bytes.size() / 8;
  while (words > 0) {
    // Byte counters stay below 256 for up to 255 words.
    size_t batch = std::min<size_t>(words, 255);
    uint64_t openLanes = 0, equalLanes = 0;
    for (size_t i = 0; i < batch; ++i, p += 8) {
      uint64_t word;
      std::memcpy(&word, p, 8);
      openLanes += equalBytes(word, lt);
      equalLanes += equalBytes(word, eq);
    }
    opens += laneSum(openLanes);
    equals += laneSum(equalLanes);
    words -= batch;
  }
  for (const char* end = bytes.data() + bytes.size(); p < end; ++p) {
    opens += *p == '<';
    equals += *p == '=';
  }
}

}  // namespace

int XmlDocument::child(int node, size_t position) const {
  if (node < 0 || position == 0) return -1;
  const std::vector<int>& c = nodes[node].children;
  return position <= c.size() ? c[position - 1] : -1;
}

size_t XmlDocument::childCount(int node) const {
  return node < 0 ? 0 : nodes[node].children.size();
}

std::string_view XmlDocument::attribute(int node, std::string_view name) const {
  if (node < 0) return {};   // comments and the like have no attributes either
  const XmlNode& n = nodes[node];
  for (uint32_t i = n.firstAttribute; i < n.firstAttribute + n.attributeCount; ++i) {
    const XmlAttribute& a = attributes[i];
    if (std::string_view(pool.data() + a.name, a.nameLength) == name)
      return std::string_view(pool.data() + a.value, a.valueLength);
  }
  return {};
}

std::string_view XmlDocument::attribute(int node, std::string_view name, uint32_t& hint) const {
  if (node < 0) return {};
  const XmlNode& n = nodes[node];
  const uint32_t start = hint < n.attributeCount ? hint : 0;
  for (uint32_t k = 0; k < n.attributeCount; ++k) {
    uint32_t i = start + k < n.attributeCount ? start + k : start + k - n.attributeCount;
    const XmlAttribute& a = attributes[n.firstAttribute + i];
    if (std::string_view(pool.data() + a.name, a.nameLength) == name) {
      hint = i + 1 < n.attributeCount ? i + 1 : 0;
      return std::string_view(pool.data() + a.value, a.valueLength);
    }
  }
  return {};
}

bool XmlDocument::hasAttribute(int node, std::string_view name) const {
  if (node < 0) return false;
  const XmlNode& n = nodes[node];
  for (uint32_t i = n.firstAttribute; i < n.firstAttribute + n.attributeCount; ++i) {
    const XmlAttribute& a = attributes[i];
    if (std::string_view(pool.data() + a.name, a.nameLength) == name) return true;
  }
  return false;
}

const std::string& XmlDocument::text(int node) const {
  return node < 0 || nodes[node].kind != XML_ELEMENT ? emptyText : nodes[node].text;
}

bool parseXml(const std::string& bytes, XmlDocument& doc) {
  doc = XmlDocument();
  // Offsets into the pool are 32-bit; no project file comes near this.
  if (bytes.size() > (size_t(1) << 31) - 1) return false;
  // Room for every node (each starts with "<") and attribute (each has a
  // "=") at once: growing these by doubling costs more than the parse, every
  // copy touching fresh pages. Bounded in proportion to the file, whatever
  // it holds.
  size_t opens = 0, equals = 0;
  countOpensAndEquals(bytes, opens, equals);
  doc.nodes.reserve(std::min(opens, bytes.size() / 32));
  doc.attributes.reserve(std::min(equals, bytes.size() / 8));
  doc.pool.reserve(bytes.size());
  XML_Parser parser = XML_ParserCreate("UTF-8");
  if (!parser) return false;
  ParseState st{parser, &doc, {}, -1, false};
  XML_SetUserData(parser, &st);
  XML_SetElementHandler(parser, onStart, onEnd);
  XML_SetCharacterDataHandler(parser, onCharacters);
  XML_SetCommentHandler(parser, onComment);
  XML_SetProcessingInstructionHandler(parser, onPi);
  XML_SetCdataSectionHandler(parser, onCdataStart, onCdataEnd);
  XML_SetStartDoctypeDeclHandler(parser, onDoctype);
  XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
  bool ok = XML_Parse(parser, bytes.data(), int(bytes.size()), XML_TRUE) == XML_STATUS_OK;
  XML_ParserFree(parser);
  if (!ok || st.refused || doc.root < 0) {
    doc = XmlDocument();
    return false;
  }
  return true;
}
