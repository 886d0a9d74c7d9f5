// Mapping engine paths to host paths and back.
#include "core/hostpath.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/cp1252.h"
#include "core/files.h"
#include "core/scratch.h"
#include "core/status.h"

namespace orv {

namespace {

bool IsSep(char c) { return c == '\\' || c == '/'; }

std::string Join(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  return dir.back() == '/' ? dir + name : dir + "/" + name;
}

// The entry of `dir` that stands for the CP1252 component `comp`: equal after conversion,
// else equal ignoring ASCII case (the first in name order when several are). Empty when none.
std::string MatchEntry(Fs* fs, const std::string& dir, std::string_view comp) {
  std::vector<std::string> names;
  if (fs->List(dir, &names)) return {};
  std::sort(names.begin(), names.end());
  std::string loose;
  for (const std::string& n : names) {
    std::string c = HostNameToCp1252(n);
    if (c == comp) return n;
    if (loose.empty() && NameEqualNoCase(c, comp)) loose = n;
  }
  return loose;
}

}  // namespace

bool NameEqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(uint8_t(a[i])) != AsciiLower(uint8_t(b[i]))) return false;
  return true;
}

bool NameLessNoCase(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    uint8_t x = AsciiLower(uint8_t(a[i])), y = AsciiLower(uint8_t(b[i]));
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

std::string HostNameToCp1252(std::string_view name) {
  std::string out;
  return Utf8ToCp1252(name, &out) ? out : std::string(name);
}

Status HostPathWith(Fs* fs, Val path, std::string* host) {
  host->clear();
  if (!path.ok()) return ValCheck(path);
  std::string_view p = path.sv();
  if (p.empty() || p.find('\0') != std::string_view::npos) return kDataError;
  if (p.size() >= 2 && IsAsciiAlpha(uint8_t(p[0])) && p[1] == ':') p.remove_prefix(2);
  bool absolute = !p.empty() && IsSep(p[0]);
  std::string out = absolute ? "/" : "";
  bool matching = true;  // false once a component is missing: the rest stays as written
  size_t i = 0;
  while (i < p.size()) {
    while (i < p.size() && IsSep(p[i])) ++i;
    size_t j = i;
    while (j < p.size() && !IsSep(p[j])) ++j;
    if (j == i) break;
    std::string_view comp = p.substr(i, j - i);
    std::string written = Cp1252ToUtf8(comp);
    std::string next = Join(out, written);
    if (matching && comp != "." && comp != "..") {
      FsStat st;
      if (fs->Stat(next, &st) != kOk) {
        std::string found = MatchEntry(fs, out.empty() ? "." : out, comp);
        if (found.empty()) matching = false;
        else next = Join(out, found);
      }
    }
    out = std::move(next);
    i = j;
  }
  if (out.empty()) out.push_back('.');  // "C:" alone: the current folder
  *host = std::move(out);
  return kOk;
}

Status HostPath(Val path, std::string* host) { return HostPathWith(g_files.fs, path, host); }

Val EnginePath(std::string_view host) {
  std::string p = HostNameToCp1252(host);
  std::replace(p.begin(), p.end(), '/', '\\');
  return ValCopy(ValOf(p));
}

std::string HostParent(const std::string& host) {
  size_t k = host.find_last_of('/');
  if (k == std::string::npos) return ".";
  return k == 0 ? "/" : host.substr(0, k);
}

}  // namespace orv
