// Reading an XML document (expat) into a tree that is walked by position:
// comments, processing instructions and CDATA sections are child nodes like
// elements; the character data between elements is no node, it goes to the
// text of the element that holds it. A document with a document type
// declaration is refused, so no entity is ever expanded or loaded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum XmlNodeKind : uint8_t { XML_ELEMENT, XML_COMMENT, XML_PI, XML_CDATA };

// Attribute names and values live in the document's pool, so that a large
// file does not cost a few allocations per record.
struct XmlAttribute {
  uint32_t name, nameLength, value, valueLength;   // offsets into XmlDocument::pool
};

struct XmlNode {
  XmlNodeKind kind = XML_ELEMENT;
  uint32_t firstAttribute = 0, attributeCount = 0;   // into XmlDocument::attributes
  std::string text;   // an element's own character data; a comment's or CDATA's content
  std::vector<int> children;
};

struct XmlDocument {
  std::vector<XmlNode> nodes;
  std::vector<XmlAttribute> attributes;
  std::string pool;
  int root = -1;

  // The child at `position` (1 = first) of `node`, -1 when there is none.
  int child(int node, size_t position) const;
  size_t childCount(int node) const;
  // An attribute by exact name; "" when missing (or `node` is -1). The view
  // lasts as long as the document.
  std::string_view attribute(int node, std::string_view name) const;
  // The same, searching from the attribute after the one `hint` last found
  // (its index within the element), so that reading the attributes in the
  // order they were written finds each at the first look. Names within an
  // element are unique, so where the search starts never changes the answer.
  std::string_view attribute(int node, std::string_view name, uint32_t& hint) const;
  // Whether the element has the attribute at all, empty or not.
  bool hasAttribute(int node, std::string_view name) const;
  // An element's own character data; "" for any other node.
  const std::string& text(int node) const;
};

// false, with `doc` empty, for bytes that are not a well-formed document.
bool parseXml(const std::string& bytes, XmlDocument& doc);
