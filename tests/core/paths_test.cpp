// Path texts where the engine's rules differ from ntpath's (paths_check.py covers the rest),
// and the file-type names.
#include <gtest/gtest.h>

#include "core/paths.h"
#include "core/scratch.h"
#include "support/runtime_fixture.h"

namespace orv {
namespace {

using PathsTest = RuntimeTest;

TEST_F(PathsTest, PartsJoinsAndResolutions) {
  struct Case {
    const char* what;
    Val got;
    const char* want;
  } cases[] = {
      {"drive", PathPart("C:\\dir\\file.ext"_v, kPartDrive), "C:"},
      {"folder", PathPart("C:\\dir\\file.ext"_v, kPartDir), "C:\\dir"},
      {"file", PathPart("C:\\dir\\file.ext"_v, kPartFile), "file.ext"},
      {"name", PathPart("C:\\dir\\file.ext"_v, kPartName), "file"},
      {"drive and name: no backslash after the colon",
       PathPart("C:\\dir\\file.ext"_v, kPartDrive | kPartName), "C:file"},
      {"a dot in a folder is no extension", PathPart("a.b\\file"_v, kPartExt), ""},
      {"the folder of a root file is the root", PathPart("\\orvale"_v, kPartDir), "\\"},
      {"join turns slashes into backslashes", PathJoin("a/b"_v, "c/d"_v), "a\\b\\c\\d"},
      {"join with an empty folder", PathJoin(""_v, "x"_v), "x"},
      {"join with an empty name", PathJoin("dir"_v, ""_v), "dir"},
      {"join after a bare drive", PathJoin("C:"_v, "x"_v), "C:\\x"},
      {"join with a rooted name", PathJoin("dir"_v, "\\x"_v), "dir\\x"},
      {"resolve climbs the base", PathResolve("C:\\apps\\gest"_v, "..\\data"_v), "C:\\apps\\data"},
      {"resolve from the current folder", PathResolve(""_v, "Help"_v), "Help"},
      {"resolve drops \\.\\", PathResolve("C:\\a"_v, ".\\b\\.\\c"_v), "C:\\a\\b\\c"},
      {"extension", PathWithExt("MENU"_v, "PPN"_v), "MENU.PPN"},
      {"no dot without an extension", PathWithExt("MENU"_v, ""_v), "MENU"},
      {"file type 2", PathTypeName("CLIENTES"_v, kTypeScreen), "CLIENTES.PAN"},
      {"file type 9", PathTypeName("T1"_v, kTypeTempMenu), "T1.PMT"},
      {"unknown file type", PathTypeName("T1"_v, 15), "T1"},
      {"data-file extension", DataFileExt(3), "DIR"},
      {"lower-case data-file extension", DataFileExt(2 | kExtLower), "fd"},
      {"data-file extension 1 is none", DataFileExt(1), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(S(c.got), c.want) << c.what;
  EXPECT_TRUE(PathHasFolder("C:x"_v));
  EXPECT_TRUE(PathHasFolder("a\\x"_v));
  EXPECT_FALSE(PathHasFolder("x.ppn"_v));
}

}  // namespace
}  // namespace orv
