#include "project/exchange.h"

#include <unordered_map>
#include <unordered_set>

#include "project/file_names.h"
#include "project/tables.h"
#include "project/xml_read.h"
#include "project/xml_write.h"
#include "ui/system.h"

std::string exchangeFilePath(const std::string& chosen) {
  const std::string ext = ".xml";
  std::string path = chosen;
  if (path.size() >= ext.size() && path.compare(path.size() - ext.size(), ext.size(), ext) == 0)
    path.resize(path.size() - ext.size());
  return path + ext;
}

std::string exchangeCode(const std::string& code) {
  std::string out;
  out.reserve(code.size() + 16);
  size_t i = 0, n = code.size();
  while (i < n) {
    char c = code[i];
    if (c != '\r' && c != '\n') {
      out += c;
      ++i;
      continue;
    }
    out += c;
    ++i;
    if (c == '\r' && i < n && code[i] == '\n') out += code[i++];
    while (i < n && (code[i] == ' ' || code[i] == '\t')) ++i;
    if (i < n) out += "    ";
  }
  return out;
}

std::string functionExchangeDocument(const std::string& author, const std::string& description,
                                     const std::vector<bool>& chosen) {
  int count = 0;
  for (size_t i = 0; i < fns.size() && i < chosen.size(); ++i) count += chosen[i] ? 1 : 0;
  XmlWriter w;
  w.declaration();
  w.start("zembrik_functions");
  w.attr("version", programVersion);
  w.attr("author", author);
  w.attr("description", description);
  w.start("fns");
  w.attr("count", count);
  for (size_t i = 0; i < fns.size() && i < chosen.size(); ++i) {
    if (!chosen[i]) continue;
    const FunctionRecord& f = fns[i];
    w.start("fn");
    w.attr("name", f.name);
    w.attr("params", f.params);
    w.attr("description", f.description);
    w.text(exchangeCode(f.code));
    w.end();
  }
  w.end();
  w.end();
  return w.out;
}

bool writeFunctionExchange(const std::string& path, const std::string& author,
                           const std::string& description, const std::vector<bool>& chosen) {
  return writeFileAtomic(path, functionExchangeDocument(author, description, chosen));
}

bool importFunctionsFrom(const std::string& path) {
  std::string bytes;
  XmlDocument doc;
  if (!readFile(path, bytes) || !parseXml(bytes, doc)) return false;
  int list = doc.child(doc.root, 1);
  int n = textValue(doc.attribute(list, "count"));
  size_t count = n <= 0 ? 0 : std::min(size_t(n), doc.childCount(list));
  std::unordered_set<std::string> taken;
  for (const FunctionRecord& f : fns) taken.insert(f.name);
  // The new record starts blank, so the empty name counts as taken.
  taken.insert(std::string());
  // For each name asked for, how many "_2" endings are known taken: names
  // are only added, so the next one of the same name starts there instead
  // of walking the whole chain again (N functions named "f" cost N^3).
  std::unordered_map<std::string, size_t> endingsTaken;
  for (size_t k = 0; k < count; ++k) {
    int node = doc.child(list, k + 1);
    std::string asked(doc.attribute(node, "name"));
    size_t& endings = endingsTaken[asked];
    std::string name = asked;
    name.reserve(asked.size() + 2 * (endings + 1));
    for (size_t e = 0; e < endings; ++e) name += "_2";
    while (taken.count(name)) {
      name += "_2";
      ++endings;
    }
    FunctionRecord& f = appendFunction();
    f.name = name;
    f.params = doc.attribute(node, "params");
    f.description = doc.attribute(node, "description");
    f.code = doc.text(node);
    taken.insert(name);
  }
  if (count > 0) setModified(1);
  return true;
}
