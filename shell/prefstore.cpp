#include "shell/prefstore.h"

#include <climits>
#include <cstdint>
#include <vector>

#include "ui/system.h"

namespace {

enum LineKind { LINE_GROUP, LINE_KEY, LINE_COMMENT, LINE_OTHER };

struct PrefLine {
  int kind;
  std::string name;   // group name, key, comment text or the raw line
  std::string value;  // key lines: the value after the blanks that follow "="
};

struct PrefStore {
  std::string path;
  std::vector<PrefLine> lines;
  bool open = false;
  bool changed = false;
  bool readContent = false;   // the file held bytes when it was read
  std::string group;
};

PrefStore store;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string lowered(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return out;
}

bool sameName(const std::string& a, const std::string& b) { return lowered(a) == lowered(b); }

std::string trimRight(const std::string& s) {
  size_t end = s.size();
  while (end > 0 && isBlank(s[end - 1])) --end;
  return s.substr(0, end);
}

std::string trimLeft(const std::string& s) {
  size_t start = 0;
  while (start < s.size() && isBlank(s[start])) ++start;
  return s.substr(start);
}

// A value or key must stay on its line.
std::string oneLine(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s)
    if (c != '\r' && c != '\n') out += c;
  return out;
}

std::string latin1ToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char c : bytes) {
    if (c < 0x80) {
      out += char(c);
    } else {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

void parse(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    std::string line = trimLeft(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
    if (line.empty()) continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      store.lines.push_back({LINE_GROUP, line.substr(1, close == std::string::npos ? std::string::npos
                                                                                   : close - 1), ""});
    } else if (line[0] == ';') {
      store.lines.push_back({LINE_COMMENT, trimLeft(line.substr(1)), ""});
    } else {
      size_t eq = line.find('=');
      if (eq == std::string::npos)
        store.lines.push_back({LINE_OTHER, line, ""});
      else
        store.lines.push_back({LINE_KEY, trimRight(line.substr(0, eq)), trimLeft(line.substr(eq + 1))});
    }
  }
}

// The first group line of that name, -1 when none.
int findGroup(const std::string& name) {
  for (size_t i = 0; i < store.lines.size(); ++i)
    if (store.lines[i].kind == LINE_GROUP && sameName(store.lines[i].name, name)) return int(i);
  return -1;
}

// One past the last line of the group that starts at `groupLine`.
size_t groupEnd(int groupLine) {
  size_t i = size_t(groupLine) + 1;
  while (i < store.lines.size() && store.lines[i].kind != LINE_GROUP) ++i;
  return i;
}

PrefLine* findKey(const std::string& key) {
  int g = findGroup(store.group);
  if (g < 0) return nullptr;
  size_t end = groupEnd(g);
  for (size_t i = size_t(g) + 1; i < end; ++i)
    if (store.lines[i].kind == LINE_KEY && sameName(store.lines[i].name, key)) return &store.lines[i];
  return nullptr;
}

void writeValue(const std::string& key, const std::string& value) {
  if (!store.open) return;
  store.changed = true;
  std::string k = oneLine(key), v = oneLine(value);
  if (PrefLine* line = findKey(k)) {
    line->value = v;
    return;
  }
  int g = findGroup(store.group);
  if (g < 0) {
    store.lines.push_back({LINE_GROUP, oneLine(store.group), ""});
    store.lines.push_back({LINE_KEY, k, v});
  } else {
    store.lines.insert(store.lines.begin() + long(groupEnd(g)), {LINE_KEY, k, v});
  }
}

}  // namespace

int preferenceNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > int64_t(INT_MAX) + 1) value = int64_t(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return int(value);
}

bool openPreferences(const std::string& path) {
  store = PrefStore();
  std::string bytes;
  if (fileKind(path) != FILE_REGULAR || !readFile(path, bytes)) return false;
  store.path = path;
  store.open = true;
  store.readContent = !bytes.empty();
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
    parse(bytes.substr(3));
  else
    parse(latin1ToUtf8(bytes));
  return true;
}

bool createPreferences(const std::string& path) {
  store = PrefStore();
  if (!writeFile(path, "")) return false;
  store.path = path;
  store.open = true;
  return true;
}

void preferenceGroup(const std::string& name) { store.group = name; }

int readPreferenceInt(const std::string& key, int defaultValue) {
  const PrefLine* line = findKey(key);
  return line ? preferenceNumber(line->value) : defaultValue;
}

std::string readPreferenceString(const std::string& key, const std::string& defaultValue) {
  const PrefLine* line = findKey(key);
  return line ? trimRight(line->value) : defaultValue;
}

void writePreferenceInt(const std::string& key, int value) { writeValue(key, std::to_string(value)); }

void writePreferenceString(const std::string& key, const std::string& value) { writeValue(key, value); }

bool closePreferences() {
  bool ok = true;
  if (store.open && store.changed) {
    std::string out = store.readContent ? "\xEF\xBB\xBF\n" : "";
    for (const PrefLine& line : store.lines) {
      switch (line.kind) {
        case LINE_GROUP: out += "[" + line.name + "]"; break;
        case LINE_KEY: out += line.name + " = " + line.value; break;
        case LINE_COMMENT: out += "; " + line.name; break;
        default: out += line.name; break;
      }
      out += '\n';
    }
    ok = writeFileAtomic(store.path, out);
  }
  store = PrefStore();
  return ok;
}
