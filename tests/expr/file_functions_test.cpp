// READ$, WRITE, FILESEL, FN#FLEN, assignment files and EXEC$ over real files in a fresh
// folder, with a failing file system where a failure must lose nothing.
#include <gtest/gtest.h>

#include <string>

#include "core/scratch.h"
#include "core/slots.h"
#include "core/status.h"
#include "core/wholefile.h"
#include "expr/assignfile.h"
#include "expr/state.h"
#include "expr_files_fixture.h"

namespace orv {
namespace {

using FileFunctions = ExprFilesTest;

TEST_F(FileFunctions, ReadByNameAndByNumber) {
  Put("in.txt", "one\r\ntwo\nthree");
  EXPECT_EQ(Eval("READ$('in.txt')"), "T one\r\ntwo\nthree");
  EXPECT_EQ(Eval("READ$('IN.TXT';5;3)"), "T two");
  EXPECT_EQ(Eval("READ$('in.txt';99)"), "T ");
  EXPECT_EQ(Eval("READ$('missing.txt')"), "T ");
  EXPECT_EQ(Eval("H=FILESEL('in.txt';8)"), "N 3");
  EXPECT_EQ(Eval("READ$(H;-1)"), "T one");
  EXPECT_EQ(Eval("READ$(H;-1)"), "T two");
  EXPECT_EQ(Eval("READ$(H)"), "T one");  // from the start again
  EXPECT_EQ(Eval("READ$(H;-1;0)"), "T ");
  EXPECT_EQ(Eval("READ$(H;5;3)"), "T two");
  EXPECT_EQ(Eval("READ$(H;-1;-1)+READ$(H;-1)"), "T three");
  EXPECT_EQ(Eval("READ$(H;-1;0)"), "T \x1A");
  EXPECT_EQ(Eval("READ$(H;-1;-1)"), "T ");  // past the end
  EXPECT_EQ(Eval("READ$(H;100000;5)"), "T ");
  EXPECT_EQ(Eval("FILESEL(H)"), "N 0");
  EXPECT_EQ(Eval("READ$(H;-1)"), "T ");
  EXPECT_EQ(Eval("FILESEL(H)"), "E 151 BADFILENUMBER");
  EXPECT_EQ(Eval("FILESEL('missing.txt';8)"), "E 164 Fichero no encontrado");
  EXPECT_EQ(Eval("FN#FLEN('in.txt')"), "N 14");
  EXPECT_EQ(Eval("FN#FLEN('missing.txt')"), "N 0");
}

TEST_F(FileFunctions, WriteByNameAndByNumber) {
  EXPECT_EQ(Eval("WRITE('f.txt';-3;'x')"), "N 0");
  EXPECT_EQ(Get("f.txt"), "x");
  EXPECT_EQ(Eval("WRITE('f.txt';-1;'yz')"), "N 0");
  EXPECT_EQ(Eval("WRITE('f.txt';1;'Y')"), "N 0");
  EXPECT_EQ(Get("f.txt"), "xYz");
  EXPECT_EQ(Eval("WRITE('f.txt';-3;'new')"), "N 0");
  EXPECT_EQ(Get("f.txt"), "new");
  EXPECT_EQ(Eval("WRITE('f.txt';-4;'x')"), "E 147 SINTAXERROR");
  EXPECT_EQ(Eval("WRITE('f.txt';-1)"), "E 147 SINTAXERROR");
  EXPECT_EQ(Eval("H=FILESEL('g.txt';2);WRITE(H;-1;'abc');WRITE(H;-1;'de')"), "N 0");
  EXPECT_EQ(Eval("WRITE(H;1;'B')"), "N 0");
  EXPECT_EQ(Eval("FILESEL(H)"), "N 0");
  EXPECT_EQ(Get("g.txt"), "aBcde");
  EXPECT_EQ(Eval("WRITE(H;-1;'x')"), "N -1");
  // Writing a file anew replaces it whole or not at all.
  UseFaults().FailAt(FsOp::kWriteAt, 1, kDiskIo, 1);
  EXPECT_EQ(Eval("WRITE('f.txt';-3;'other')"), "N 130");
  EXPECT_EQ(Get("f.txt"), "new");
  EXPECT_EQ(Names(), (std::vector<std::string>{"f.txt", "g.txt"}));
}

TEST_F(FileFunctions, AssignmentFiles) {
  Put("a.dat", "A=1;B$='x'");
  EXPECT_EQ(Eval("B$='y';WRITE('a.dat';-2;'B$,C=2+3')"), "N 0");
  EXPECT_EQ(Get("a.dat"), "B$='y';C=5;A=1");
  EXPECT_EQ(Eval("C"), "N 5");
  // The list overrides the file, the first of equal names wins, texts are quoted with the
  // other quote when they hold one, an empty number is written 0.
  Put("b.dat", "X=9;X=8\r\nT$='old';;");
  EXPECT_EQ(Eval("Q$=\"it's\";WRITE('b.dat';-2;'Q$, N ,N=7,T$=FN$CHRS(65;2)')"), "N 0");
  EXPECT_EQ(Get("b.dat"), "Q$=\"it's\";N=0;T$='AA';X=9");
  EXPECT_EQ(Eval("X+N"), "N 9");
  EXPECT_EQ(Eval("WRITE('new.dat';-2;\"Z=FN#PARM('a,b')\")"), "N 0");
  EXPECT_EQ(Get("new.dat"), "Z=2");
  // A failing entry or a failing write leaves the old file as it was.
  EXPECT_EQ(Eval("WRITE('a.dat';-2;'D=1/')"), "N 147");
  EXPECT_EQ(Eval("V$='\"'+\"'\";WRITE('a.dat';-2;'V$')"), "N 163");
  EXPECT_EQ(Get("a.dat"), "B$='y';C=5;A=1");
  UseFaults().FailAt(FsOp::kWriteAt, 1, kDiskIo, 3);
  EXPECT_EQ(AssignmentFileUpdate("a.dat"_v, "A=2"_v), kDiskIo);
  EXPECT_EQ(Get("a.dat"), "B$='y';C=5;A=1");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.dat", "b.dat", "new.dat"}));
}

// A procedure runner that leaves its entry's name (and the file) on stack group 30, except
// for the entry "QUIET", which leaves nothing.
Status FakeRunner(Val entry, Val file, int flags) {
  if (entry.sv() == "FAIL") return kProcedureExec;
  if (entry.sv() == "QUIET") return kOk;
  ScratchScope scope;
  return SlotPush(30, ValConcat(ValConcat(entry, "@"_v), ValConcat(file, ValFormat(8, "/%d", flags))));
}

TEST_F(FileFunctions, ExecRunsFilesAndProcedures) {
  Put("set.dat", "K=4\r\nL$='v'");
  EXPECT_EQ(Eval("EXEC$('set.dat')+L$"), "T v");
  EXPECT_EQ(Eval("K"), "N 4");
  EXPECT_EQ(Eval("EXEC$('none.dat')"), "E 164 Fichero no encontrado");
  EXPECT_EQ(Eval("EXEC$('ENTRY')"), "E 148 FEATUREREMOVED");
  EXPECT_EQ(S(ErrDetail()).substr(0, 7), "EXEC$()");
  ProcRunnerInstall(FakeRunner);
  EXPECT_EQ(Eval("EXEC$('ENTRY')"), "T ENTRY@/2");
  EXPECT_EQ(Eval("EXEC$('set.dat';'PROCS')"), "T set.dat@PROCS/2");
  EXPECT_EQ(Eval("_$(30;0;'mine');EXEC$('QUIET')+'|'+_$(30)"), "T |mine");
  EXPECT_EQ(Eval("EXEC$('FAIL')"), "E 132 Ejecuci\xC3\xB3n de Procedimiento");
}

}  // namespace
}  // namespace orv
