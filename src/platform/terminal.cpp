// The ncursesw terminal backend.
#include "platform/terminal.h"

#include <curses.h>
#include <langinfo.h>
#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cstring>
#include <vector>

#include "core/cp1252.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/term_keys.h"

namespace orv::platform {

bool TerminalBackend::Open(std::string* error) {
  if (open_) return true;
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
    *error = "standard input and output are not a terminal";
    return false;
  }
  // The terminal speaks UTF-8; the C library must too for the wide-character calls.
  std::setlocale(LC_ALL, "");
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
  if (!newterm(nullptr, stdout, stdin)) {
    *error = "the terminal type is unknown to ncurses";
    return false;
  }
  open_ = true;
  raw();
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  set_escdelay(40);
  const auto& seqs = KeySequences();
  for (size_t i = 0; i < seqs.size(); ++i) {
    int code = key_defined(seqs[i].seq.c_str());
    if (code == 0) define_key(seqs[i].seq.c_str(), kFirstSequenceCode + int(i));
    else if (code > 0) described_[code] = seqs[i].press;
  }
  return true;
}

void TerminalBackend::Close() {
  if (!open_) return;
  endwin();
  delscreen(set_term(nullptr));
  open_ = false;
}

void TerminalBackend::Size(int* cols, int* rows) const {
  *cols = open_ ? COLS : 80;
  *rows = open_ ? LINES : 24;
}

uint64_t TerminalBackend::Now() {
  using namespace std::chrono;
  return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool TerminalBackend::Read(int timeout_ms, bool* gone) {
  wint_t wc;
  wtimeout(stdscr, timeout_ms);
  int r = wget_wch(stdscr, &wc);
  if (r == ERR) {
    *gone = timeout_ms < 0;  // a read without time limit fails only when the terminal is gone
    return false;
  }
  if (r == KEY_CODE_YES && wc == KEY_RESIZE) {
    InputEvent ev;
    ev.kind = InputEvent::kResize;
    pending_.push_back(ev);
    return true;
  }
  KeyPress kp;
  bool alt = false;
  if (r == OK && wc == 27) {
    // Esc followed at once by another key is that key with Alt.
    wint_t next;
    wtimeout(stdscr, 0);
    int r2 = wget_wch(stdscr, &next);
    if (r2 != ERR && !(r2 == OK && next == 27)) {
      r = r2;
      wc = next;
      alt = true;
    }
  }
  auto described = r == KEY_CODE_YES ? described_.find(int(wc)) : described_.end();
  if (described != described_.end()) kp = described->second;
  else if (!DecodeTermKey(r == KEY_CODE_YES, uint32_t(wc), &kp)) return false;
  if (alt) {
    kp.mods |= kModAlt;
    kp.ch = 0;
  }
  std::vector<InputEvent> evs;
  ExpandKey(kp.vk, kp.mods, kp.ch, &evs);
  pending_.insert(pending_.end(), evs.begin(), evs.end());
  return true;
}

int TerminalBackend::Next(InputEvent* ev, int timeout_ms, const char** why) {
  if (!open_) {
    *why = "the terminal is closed";
    return -1;
  }
  uint64_t until = timeout_ms < 0 ? 0 : Now() + uint64_t(timeout_ms);
  while (pending_.empty()) {
    int left = timeout_ms < 0 ? -1 : int(until > Now() ? until - Now() : 0);
    bool gone = false;
    if (!Read(left, &gone)) {
      if (gone) {
        *why = "the terminal closed";
        return -1;
      }
      if (timeout_ms >= 0 && Now() >= until) return 0;
    }
  }
  *ev = pending_.front();
  pending_.pop_front();
  return 1;
}

void TerminalBackend::Present(const CellGrid& grid, const Rect& focus) {
  if (!open_) return;
  int cols = COLS, rows = LINES;
  FollowFocus(grid.w, grid.h, cols, rows, focus, &ox_, &oy_);
  for (int y = 0; y < rows; ++y) {
    int x = 0;
    while (x < cols) {
      auto cell = [&](int cx) {
        int gx = ox_ + cx, gy = oy_ + y;
        return gx < grid.w && gy < grid.h ? grid.at(gx, gy) : Cell{};
      };
      uint8_t attr = cell(x).attr;
      std::string run;
      int start = x;
      while (x < cols && cell(x).attr == attr) run += char(cell(x++).ch);
      attr_t a = A_NORMAL;
      if (attr & kAttrReverse) a |= A_REVERSE;
      if (attr & kAttrBold) a |= A_BOLD;
      if (attr & kAttrUnderline) a |= A_UNDERLINE;
      if (attr & kAttrDim) a |= A_DIM;
      wattrset(stdscr, a);
      std::string utf8 = Cp1252ToUtf8(run);
      mvwaddnstr(stdscr, y, start, utf8.c_str(), int(utf8.size()));
    }
  }
  wattrset(stdscr, A_NORMAL);
  int cx = grid.cursor_x - ox_, cy = grid.cursor_y - oy_;
  bool shown = grid.cursor_x >= 0 && cx >= 0 && cy >= 0 && cx < cols && cy < rows;
  curs_set(shown ? 1 : 0);
  wmove(stdscr, shown ? cy : 0, shown ? cx : 0);
  wrefresh(stdscr);
}

}  // namespace orv::platform
