// Engine paths resolved against a real folder tree: exact names first, then any ASCII
// case, drive letters dropped, missing components kept as written.
#include <gtest/gtest.h>

#include <string>

#include "core/cp1252.h"
#include "core/files.h"
#include "core/hostpath.h"
#include "core/scratch.h"
#include "core/status.h"
#include "support/files_fixture.h"

namespace orv {
namespace {

using HostPathTest = FilesTest;

TEST_F(HostPathTest, ResolvesEachComponentAgainstTheTree) {
  Put("Apps/GE/data/GEDICC.DAT", "d");
  Put("Apps/GE/data/clientes.FD", "c");
  Put("Apps/ge/only-lower.txt", "l");  // "GE" and "ge" both exist
  Put("Datos Empresa/Men\xc3\xba.PPN", "m");  // a UTF-8 name on disk
  Put("raw/caf\xe9.txt", "r");               // a name stored as CP1252 bytes

  std::string root = root_.string();
  struct Case {
    std::string engine, host;
  } cases[] = {
      {"Apps\\GE\\data\\GEDICC.DAT", "Apps/GE/data/GEDICC.DAT"},
      {"apps\\ge\\DATA\\gedicc.dat", "Apps/ge/DATA/gedicc.dat"},  // "ge" exists exactly
      {"APPS\\Ge\\Data\\CLIENTES.fd", "Apps/GE/data/clientes.FD"},  // the first match in order
      {"C:\\" + EnginePathOf("Apps\\GE\\data\\gedicc.dat").substr(1),
       root + "/Apps/GE/data/GEDICC.DAT"},
      {"c:apps/GE\\data//GEDICC.DAT", "Apps/GE/data/GEDICC.DAT"},
      {"Apps\\GE\\data\\NEW.DAT", "Apps/GE/data/NEW.DAT"},
      {"apps\\missing\\Sub\\x.txt", "Apps/missing/Sub/x.txt"},
      {"datos empresa\\men\xfa.ppn", "Datos Empresa/Men\xc3\xba.PPN"},
      {"datos empresa\\MEN\xda.ppn", "Datos Empresa/MEN\xc3\x9a.ppn"},  // ASCII case only
      {"RAW\\CAF\xe9.TXT", "raw/caf\xe9.txt"},
      {"Apps\\GE\\..\\ge\\only-lower.txt", "Apps/GE/../ge/only-lower.txt"},
      {"Apps\\GE\\data\\", "Apps/GE/data"},
      {"\\", "/"},
      {"C:", "."},
  };
  for (const Case& c : cases) {
    std::string host;
    ASSERT_EQ(HostPath(ValOf(c.engine), &host), 0) << c.engine;
    EXPECT_EQ(host, c.host) << c.engine;
  }
  std::string host;
  EXPECT_EQ(HostPath(""_v, &host), kDataError);
  EXPECT_EQ(HostPath(Val("a\0b", 3), &host), kDataError);
}

TEST_F(HostPathTest, EnginePathsOfHostPaths) {
  EXPECT_EQ(S(EnginePath("/home/user/Men\xc3\xba")), "\\home\\user\\Men\xfa");
  EXPECT_EQ(S(EnginePath("rel/x")), "rel\\x");
  EXPECT_EQ(S(EnginePath("bad\xff")), "bad\xff");  // not UTF-8: the bytes as they are
}

TEST_F(HostPathTest, FilesOpenInAnyCaseAndNewFilesKeepTheirName) {
  Put("Data/Clientes.FD", "record");
  uint16_t n = FileOpen("DATA\\CLIENTES.fd"_v, kOpenReadOnly);
  ASSERT_LT(n, kOpenFiles);
  EXPECT_EQ(S(FileReadValue(n, 0, kFileLine)), "record");
  FileClose(n);
  n = FileOpen("data\\Nuevo.FD"_v, kOpenUpdate);
  ASSERT_LT(n, kOpenFiles);
  FileClose(n);
  EXPECT_EQ(Names("Data"), (std::vector<std::string>{"Clientes.FD", "Nuevo.FD"}));
}

}  // namespace
}  // namespace orv
