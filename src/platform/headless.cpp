// Scripted input on a virtual clock.
#include "platform/headless.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "core/cp1252.h"
#include "core/status.h"
#include "platform/input.h"
#include "platform/messages.h"

namespace orv::platform {

Script& Script::Key(uint16_t vk, uint8_t mods) {
  std::vector<InputEvent> evs;
  ExpandKey(vk, mods, 0, &evs);
  for (const InputEvent& e : evs) steps_.push_back(Step{e, 0, false});
  return *this;
}

Script& Script::Key(std::string_view name) {
  uint16_t vk;
  uint8_t mods;
  if (!ParseKeyName(name, &vk, &mods)) {
    if (error_.empty()) error_ = "unknown key: " + std::string(name);
    return *this;
  }
  return Key(vk, mods);
}

Script& Script::Type(std::string_view text) {
  for (unsigned char c : text) {
    uint16_t vk;
    uint8_t mods;
    CharToKey(c, &vk, &mods);
    std::vector<InputEvent> evs;
    ExpandKey(vk, mods, c, &evs);
    for (const InputEvent& e : evs) steps_.push_back(Step{e, 0, false});
  }
  return *this;
}

static Script::Step Pointer(InputEvent::Kind kind, uint32_t id, int item) {
  Script::Step s;
  s.ev.kind = kind;
  s.ev.id = id;
  s.ev.item = item;
  return s;
}

Script& Script::Click(uint32_t id, int item) {
  steps_.push_back(Pointer(InputEvent::kClick, id, item));
  return *this;
}

Script& Script::DoubleClick(uint32_t id, int item) {
  steps_.push_back(Pointer(InputEvent::kDoubleClick, id, item));
  return *this;
}

Script& Script::RightClick(uint32_t id, int item) {
  steps_.push_back(Pointer(InputEvent::kRightClick, id, item));
  return *this;
}

Script& Script::Menu(uint32_t id) {
  steps_.push_back(Pointer(InputEvent::kMenu, id, -1));
  return *this;
}

Script& Script::Answer(int button) { return Click(uint32_t(button)); }

Script& Script::Wait(uint32_t ms) {
  Step s;
  s.wait = true;
  s.wait_ms = ms;
  steps_.push_back(s);
  return *this;
}

static bool Number(std::string_view s, long* out) {
  auto r = std::from_chars(s.data(), s.data() + s.size(), *out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

Status ParseScript(std::string_view text, Script* out, std::string* error) {
  static constexpr std::pair<const char*, int> kAnswers[] = {
      {"ok", IDOK},       {"cancel", IDCANCEL}, {"abort", IDABORT}, {"retry", IDRETRY},
      {"ignore", IDIGNORE}, {"yes", IDYES},     {"no", IDNO}};
  int line_no = 0;
  while (!text.empty()) {
    size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    ++line_no;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos || line[start] == '#') continue;
    line.remove_prefix(start);
    size_t sp = line.find(' ');
    std::string_view verb = line.substr(0, sp);
    std::string_view rest = sp == std::string_view::npos ? "" : line.substr(sp + 1);
    std::vector<std::string_view> args;
    for (size_t i = 0; i < rest.size();) {
      size_t j = rest.find(' ', i);
      if (j == std::string_view::npos) j = rest.size();
      if (j > i) args.push_back(rest.substr(i, j - i));
      i = j + 1;
    }
    auto bad = [&](const std::string& why) {
      *error = "line " + std::to_string(line_no) + ": " + why;
      return kDataError;
    };
    long a = 0, b = -1;
    if (verb == "key") {
      if (args.size() != 1) return bad("key takes one key name");
      out->Key(args[0]);
      if (!out->error().empty()) return bad(out->error());
    } else if (verb == "type") {
      std::string cp;
      if (!Utf8ToCp1252(rest, &cp)) return bad("text is not UTF-8");
      out->Type(cp);
    } else if (verb == "click" || verb == "dblclick" || verb == "rclick") {
      if (args.empty() || args.size() > 2 || !Number(args[0], &a) || a < 0 ||
          (args.size() == 2 && (!Number(args[1], &b) || b < 0)))
        return bad(std::string(verb) + " takes a control id and an optional item");
      if (verb == "click") out->Click(uint32_t(a), int(b));
      else if (verb == "dblclick") out->DoubleClick(uint32_t(a), int(b));
      else out->RightClick(uint32_t(a), int(b));
    } else if (verb == "menu") {
      if (args.size() != 1 || !Number(args[0], &a) || a < 0) return bad("menu takes an item id");
      out->Menu(uint32_t(a));
    } else if (verb == "answer") {
      auto it = std::find_if(std::begin(kAnswers), std::end(kAnswers), [&](const auto& p) {
        return args.size() == 1 && args[0] == p.first;
      });
      if (it == std::end(kAnswers)) return bad("answer takes ok, cancel, abort, retry, ignore, yes or no");
      out->Answer(it->second);
    } else if (verb == "wait") {
      if (args.size() != 1 || !Number(args[0], &a) || a < 0 || a > 86400000)
        return bad("wait takes milliseconds");
      out->Wait(uint32_t(a));
    } else {
      return bad("unknown step: " + std::string(verb));
    }
  }
  return kOk;
}

void HeadlessBackend::Add(Script more) {
  for (auto& s : more.steps()) script_.steps().push_back(s);
}

int HeadlessBackend::Next(InputEvent* ev, int timeout_ms, const char** why) {
  auto& steps = script_.steps();
  while (!steps.empty()) {
    Script::Step& s = steps.front();
    if (!s.wait) {
      *ev = s.ev;
      steps.pop_front();
      return 1;
    }
    if (timeout_ms == 0) return 0;
    uint32_t adv = timeout_ms < 0 ? s.wait_ms : std::min<uint32_t>(s.wait_ms, uint32_t(timeout_ms));
    now_ += adv;
    s.wait_ms -= adv;
    if (s.wait_ms == 0) steps.pop_front();
    if (timeout_ms > 0 && adv == uint32_t(timeout_ms)) return 0;
  }
  *why = "the input script is exhausted while a loop waits for input";
  return -1;
}

void HeadlessBackend::Present(const CellGrid& grid, const Rect&) {
  if (keep_) frames_.push_back(grid);
}

}  // namespace orv::platform
