// The file and folder choosers.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/cp1252.h"
#include "core/status.h"
#include "platform/chooser.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/messages.h"
#include "platform/msgbox.h"
#include "platform/window.h"

namespace fs = std::filesystem;

namespace orv::platform {

namespace {
struct FileState {
  const FileChooserOptions* opt = nullptr;
  bool folders_only = false;
  fs::path folder;
  std::string pattern;  // a typed pattern; else the chosen filter's
  std::vector<std::string> entries;  // as listed: "../", "name/", "name"
  std::string chosen;
  bool done = false;
};

bool Matches(std::string_view pat, std::string_view name) {
  // '*' and '?' wildcards, ignoring ASCII case; iterative with one backtrack point.
  size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pat.size() && (pat[p] == '?' || AsciiUpper(uint8_t(pat[p])) == AsciiUpper(uint8_t(name[n])))) {
      ++p;
      ++n;
    } else if (p < pat.size() && pat[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pat.size() && pat[p] == '*') ++p;
  return p == pat.size();
}

bool MatchesAny(std::string_view patterns, std::string_view name) {
  if (patterns.empty()) return true;
  while (true) {
    size_t semi = patterns.find(';');
    if (Matches(patterns.substr(0, semi), name)) return true;
    if (semi == std::string_view::npos) return false;
    patterns.remove_prefix(semi + 1);
  }
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return Cp1252Upper(uint8_t(x)) < Cp1252Upper(uint8_t(y));
  });
}

std::string ActivePattern(WindowSystem& ws, Hwnd h, FileState* st) {
  if (!st->pattern.empty()) return st->pattern;
  intptr_t sel = SendMessage(ws, GetDlgItem(ws, h, kChooserFilter), CB_GETCURSEL);
  if (sel >= 0 && size_t(sel) < st->opt->filters.size()) return st->opt->filters[size_t(sel)].second;
  return "";
}

void Refresh(WindowSystem& ws, Hwnd h, FileState* st) {
  std::vector<std::string> dirs, files;
  std::error_code ec;
  std::string pattern = ActivePattern(ws, h, st);
  for (fs::directory_iterator it(st->folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    std::error_code ec2;
    if (it->is_directory(ec2)) dirs.push_back(name);
    else if (!st->folders_only && MatchesAny(pattern, name)) files.push_back(name);
  }
  std::sort(dirs.begin(), dirs.end(), LessNoCase);
  std::sort(files.begin(), files.end(), LessNoCase);
  st->entries.clear();
  if (st->folder.has_relative_path()) st->entries.push_back("../");
  for (auto& d : dirs) st->entries.push_back(d + "/");
  for (auto& f : files) st->entries.push_back(f);
  Hwnd list = GetDlgItem(ws, h, kChooserList);
  SendMessage(ws, list, LB_RESETCONTENT);
  for (const std::string& e : st->entries) SendText(ws, list, LB_ADDSTRING, 0, e);
  SetWindowText(ws, GetDlgItem(ws, h, kChooserFolder), st->folder.string());
}

void Enter(WindowSystem& ws, Hwnd h, FileState* st, const fs::path& dir) {
  std::error_code ec;
  fs::path canon = fs::weakly_canonical(dir, ec);
  st->folder = ec ? dir.lexically_normal() : canon;
  Refresh(ws, h, st);
}

void Choose(WindowSystem& ws, Hwnd h, FileState* st, const fs::path& file) {
  std::error_code ec;
  bool exists = fs::exists(file, ec);
  const FileChooserOptions& opt = *st->opt;
  if (!opt.save && !exists) return;  // opening needs an existing file
  if (opt.save && exists && !opt.overwrite_prompt.empty()) {
    int answer = 0;
    MessageBox(ws, h, opt.overwrite_prompt + "\r\n" + file.string(), opt.title,
               MB_YESNO | MB_ICONQUESTION, &answer);
    if (answer != IDYES || !IsWindow(ws, h)) return;
  }
  st->chosen = file.lexically_normal().string();
  st->done = true;
  DestroyWindow(ws, h);
}

// Enter on the list, a double click, or OK with a name typed.
void Accept(WindowSystem& ws, Hwnd h, FileState* st, bool from_list) {
  if (from_list) {
    intptr_t sel = SendMessage(ws, GetDlgItem(ws, h, kChooserList), LB_GETCURSEL);
    if (sel < 0 || size_t(sel) >= st->entries.size()) return;
    std::string e = st->entries[size_t(sel)];
    if (e.back() == '/') {
      Enter(ws, h, st, e == "../" ? st->folder.parent_path() : st->folder / e.substr(0, e.size() - 1));
      return;
    }
    if (!st->folders_only) Choose(ws, h, st, st->folder / e);
    return;
  }
  if (st->folders_only) {
    st->chosen = st->folder.string();
    st->done = true;
    DestroyWindow(ws, h);
    return;
  }
  std::string name = GetWindowText(ws, GetDlgItem(ws, h, kChooserName));
  if (name.empty()) return;
  if (name.find_first_of("*?") != std::string::npos) {
    st->pattern = name;
    Refresh(ws, h, st);
    return;
  }
  fs::path p = fs::path(name).is_absolute() ? fs::path(name) : st->folder / name;
  std::error_code ec;
  if (fs::is_directory(p, ec)) {
    SetWindowText(ws, GetDlgItem(ws, h, kChooserName), "");
    Enter(ws, h, st, p);
    return;
  }
  if (st->opt->save && !st->opt->default_ext.empty() && !p.has_extension())
    p += "." + st->opt->default_ext;
  Choose(ws, h, st, p);
}

intptr_t FileProc(WindowSystem& ws, Hwnd h, uint32_t msg, uintptr_t wp, intptr_t lp) {
  auto* st = reinterpret_cast<FileState*>(GetUserData(ws, h));
  if (msg != WM_COMMAND || !st) return DefWindowProc(ws, h, msg, wp, lp);
  uint32_t id = LoWord(wp), code = HiWord(wp);
  Hwnd list = GetDlgItem(ws, h, kChooserList);
  if (id == uint32_t(IDCANCEL)) {
    DestroyWindow(ws, h);
  } else if (id == uint32_t(IDOK)) {
    // Enter while the list has the focus acts on the highlighted entry; the OK button
    // itself (a click carries the button's handle) takes the name or the folder shown.
    Accept(ws, h, st, lp == 0 && GetFocus(ws) == list);
  } else if (id == kChooserList && code == LBN_DBLCLK) {
    Accept(ws, h, st, true);
  } else if (id == kChooserList && code == LBN_SELCHANGE && !st->folders_only) {
    intptr_t sel = SendMessage(ws, list, LB_GETCURSEL);
    if (sel >= 0 && size_t(sel) < st->entries.size() && st->entries[size_t(sel)].back() != '/')
      SetWindowText(ws, GetDlgItem(ws, h, kChooserName), st->entries[size_t(sel)]);
  } else if (id == kChooserFilter && code == CBN_SELCHANGE) {
    st->pattern.clear();
    Refresh(ws, h, st);
  }
  return 0;
}

Status Run(WindowSystem& ws, Hwnd owner, std::string_view title, std::string_view start,
           FileState* st, std::string* path) {
  if (!FindClass(ws, "#FileChooser")) RegisterClass(ws, "#FileChooser", FileProc, kClassDialog);
  const Metrics& m = ws.metrics;
  int cols = std::min(64, m.work_area.w / m.cell_w);
  int rows = std::min(18, m.work_area.h / m.cell_h - 1);
  Hwnd h = CreateDialogWindow(ws, "#FileChooser", title, cols, rows, owner, reinterpret_cast<intptr_t>(st));
  if (!h) return kDataError;
  auto cell = [&](int c, int r, int w, int hh) {
    return Rect{c * m.cell_w, r * m.cell_h, w * m.cell_w, hh * m.cell_h};
  };
  int list_rows = rows - (st->folders_only ? 4 : 6);
  CreateControl(ws, h, "STATIC", "", 0, cell(1, 0, cols - 2, 1), kChooserFolder);
  Hwnd list = CreateControl(ws, h, "LISTBOX", "", WS_TABSTOP | LBS_NOTIFY, cell(1, 1, cols - 2, list_rows),
                            kChooserList);
  if (!st->folders_only) {
    const FileChooserOptions& opt = *st->opt;
    CreateControl(ws, h, "EDIT", "", WS_TABSTOP, cell(1, list_rows + 2, cols - 2, 1), kChooserName);
    Hwnd filter = CreateControl(ws, h, "COMBOBOX", "", WS_TABSTOP | CBS_DROPDOWNLIST,
                                cell(1, list_rows + 3, cols - 2, 4), kChooserFilter);
    for (const auto& f : opt.filters) SendText(ws, filter, CB_ADDSTRING, 0, f.first);
    SendMessage(ws, filter, CB_SETCURSEL, 0);
    if (opt.name.find_first_of("*?") != std::string::npos) st->pattern = opt.name;
    else SetWindowText(ws, GetDlgItem(ws, h, kChooserName), opt.name);
  }
  CreateControl(ws, h, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, cell(cols - 24, rows - 1, 10, 1), IDOK);
  CreateControl(ws, h, "BUTTON", "Cancel", WS_TABSTOP, cell(cols - 12, rows - 1, 10, 1), IDCANCEL);
  std::error_code ec;
  Enter(ws, h, st, start.empty() ? fs::current_path(ec) : fs::path(start));
  SendMessage(ws, list, LB_SETCURSEL, 0);
  Hwnd name = GetDlgItem(ws, h, kChooserName);
  SetFocus(ws, name && !st->folders_only && !st->opt->name.empty() && st->pattern.empty() ? name : list);
  Status result = RunDialog(ws, h);
  if (result) return result;
  if (!st->done) return kCancelled;
  *path = st->chosen;
  return kOk;
}
}  // namespace

Status ChooseFile(WindowSystem& ws, Hwnd owner, const FileChooserOptions& opt, std::string* path) {
  FileState st;
  st.opt = &opt;
  std::string chosen;
  Status r = Run(ws, owner, opt.title, opt.folder, &st, &chosen);
  Transcript(ws, std::string("file chooser \"") + opt.title + "\" " + (opt.save ? "save" : "open") +
                     " -> " + (r == kOk ? chosen : r == kCancelled ? "cancelled" : "failed"));
  if (r == kOk) *path = chosen;
  return r;
}

Status ChooseFolder(WindowSystem& ws, Hwnd owner, std::string_view title, std::string_view start,
                    std::string* path) {
  FileChooserOptions none;
  FileState st;
  st.opt = &none;
  st.folders_only = true;
  std::string chosen;
  Status r = Run(ws, owner, title, start, &st, &chosen);
  Transcript(ws, "folder chooser \"" + std::string(title) + "\" -> " +
                     (r == kOk ? chosen : r == kCancelled ? "cancelled" : "failed"));
  if (r == kOk) *path = chosen;
  return r;
}

}  // namespace orv::platform
