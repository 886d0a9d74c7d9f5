// Assignment files.
#include "expr/assignfile.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "core/list.h"
#include "core/pathkeys.h"
#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "core/wholefile.h"
#include "expr/execute.h"
#include "expr/tokens.h"

namespace orv {

namespace {

// The parts of a text separated by `sep` outside quotes and parentheses.
std::vector<Val> SplitOutside(Val text, char sep) {
  std::vector<Val> parts;
  uint32_t start = 0, depth = 0;
  char quote = 0;
  for (uint32_t i = 0; i <= text.len; ++i) {
    char c = i < text.len ? text.ptr[i] : sep;
    if (quote) {
      if (c == quote && i < text.len) quote = 0;
      if (i < text.len) continue;
    } else if (c == '\'' || c == '"') {
      quote = c;
      continue;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')' && depth) {
      --depth;
    }
    if (i == text.len || (c == sep && depth == 0)) {
      parts.push_back(Val(text.ptr + start, uint16_t(i - start)));
      start = i + 1;
    }
  }
  return parts;
}

// The name of an entry: its text before the first '=', trimmed.
Val EntryName(Val entry) {
  uint16_t eq = TextFindChar(entry, '=', kPlain);
  return TextTrim(eq == kNone ? entry : ValHead(entry, eq), kTrimBoth);
}

// NAME=value for an entry of the update list. Pushed.
Val Evaluated(Val entry, Val name) {
  uint16_t eq = TextFindChar(entry, '=', kPlain);
  Val value = EvalText(eq == kNone ? name : ValTail(entry, eq + 1u));
  if (!value.ok()) return value;
  if (TokenClassOf(name, name.at(0)) & kClsText) value = TextQuote(value, '\'');
  else if (value.len == 0) value = "0"_v;
  return ValConcat(ValConcat(name, "="_v), value);
}

}  // namespace

Status AssignmentFileUpdate(Val file, Val list) {
  ScratchScope scope;
  Val path = ExpandPathKeys(file);
  if (Status st = ValCheck(path)) return st;
  Val old = FileReadAllJoined(path, ";"_v);
  if (ValCheck(old) == kFileNotFound) old = Val();
  if (Status st = ValCheck(old)) return st;

  std::unordered_set<std::string> taken;
  std::string text;
  auto add = [&](Val name, Val entry) {
    if (!taken.insert(name.str()).second) return;
    if (!text.empty()) text.push_back(';');
    text.append(entry.sv());
  };
  for (Val entry : SplitOutside(list, ',')) {
    entry = TextTrim(entry, kTrimBoth);
    Val name = EntryName(entry);
    if (name.len == 0 || taken.count(name.str())) continue;
    ScratchScope each;
    Val written = Evaluated(entry, name);
    if (Status st = ValCheck(written)) return st;
    add(name, written);
  }
  for (Val entry : SplitOutside(old, ';')) {
    Val name = EntryName(entry);
    if (name.len) add(name, entry);
  }
  if (text.size() > kMaxValLen) return kStringTooLong;
  if (Status st = FileWriteAllChecked(path, kFileReplace, ValOf(text))) return st;
  return text.empty() ? kOk : ExecuteFile(file, true);
}

}  // namespace orv
