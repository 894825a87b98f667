#include "codeeditor/keywords.h"

#include <fstream>
#include <iterator>

std::vector<KeywordRecord> keywords;

namespace {

const char* const KEY_CODES[] = {
    "vk_0", "vk_1", "vk_2", "vk_3", "vk_4", "vk_5", "vk_6", "vk_7", "vk_8", "vk_9",
    "vk_a", "vk_add", "vk_alt", "vk_b", "vk_backspace", "vk_c", "vk_ctrl", "vk_d",
    "vk_decimal", "vk_delete", "vk_divide", "vk_down", "vk_e", "vk_end", "vk_enter",
    "vk_escape", "vk_f", "vk_f1", "vk_f10", "vk_f11", "vk_f12", "vk_f2", "vk_f3", "vk_f4",
    "vk_f5", "vk_f6", "vk_f7", "vk_f8", "vk_f9", "vk_g", "vk_h", "vk_home", "vk_i",
    "vk_insert", "vk_j", "vk_k", "vk_l", "vk_left", "vk_m", "vk_multiply", "vk_n", "vk_num0",
    "vk_num1", "vk_num2", "vk_num3", "vk_num4", "vk_num5", "vk_num6", "vk_num7", "vk_num8",
    "vk_num9", "vk_o", "vk_p", "vk_pagedown", "vk_pageup", "vk_pause", "vk_q", "vk_r",
    "vk_right", "vk_s", "vk_shift", "vk_space", "vk_subtract", "vk_t", "vk_tab", "vk_u",
    "vk_up", "vk_v", "vk_w", "vk_x", "vk_y", "vk_z"};
static_assert(std::size(KEY_CODES) == 82);

// The next text line without its line end; false at the end of the file.
bool nextLine(std::istream& in, std::string& line) {
  line.clear();
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

}  // namespace

void addKeyword(const std::string& word, const std::string& kind, const std::string& hintLine1,
                const std::string& hintLine2) {
  keywords.push_back({word, kind, hintLine1, hintLine2});
}

void loadKeywords() {
  std::ifstream in("keywords.dat", std::ios::binary);
  if (!in) return;
  std::string head, hint1, hint2;
  bool first = true;
  while (nextLine(in, head)) {
    // An editor that saved the file as UTF-8 may have put a byte-order mark
    // before the first record's marker.
    if (first && head.compare(0, 3, "\xEF\xBB\xBF") == 0) head.erase(0, 3);
    first = false;
    // A record cut short by the end of the file reads its missing lines as "".
    nextLine(in, hint1);
    nextLine(in, hint2);
    if (head.empty()) continue;
    const char* kind = head[0] == '.' ? "Var" : head[0] == '!' ? "Fn" : head[0] == '#' ? "Cons" : nullptr;
    if (!kind) continue;
    addKeyword(head.substr(1), kind, hint1, hint2);
  }
}

void addKeyCodeConstants() {
  for (const char* name : KEY_CODES) addKeyword(name, "Cons", "", "");
}
