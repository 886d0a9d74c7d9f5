// The routines of the built-in functions, installed by the modules that implement them.
#ifndef ORVALE_EXPR_BUILTINS_H
#define ORVALE_EXPR_BUILTINS_H

namespace orv {

// Installs every built-in routine (part of ExprInit).
void BuiltinsInstall();

// Each module's share.
void TextFunctionsInstall();      // FN#SLEN FN#PARM FN$CHNG FN$CHRS FN$MIDS FN$PARM FN$TRIM
                                  // ENVELOP$ CHK# CHK$ EXP$
void FormatFunctionsInstall();    // FN#VALN FN$DATE FN$MASK TIME$
void DataFunctionsInstall();      // FN#FLEN FILEFIND FILEREL FILELOCATE FILESEL FN$FLDS KEY$ IER
void SystemFunctionsInstall();    // ENVRON$ _$ EXEC$ MACRO$ SQLCHILD
void FileFunctionsInstall();      // READ$ WRITE
void AccumFunctionsInstall();     // _# FN#ACUM
void SortFunctionsInstall();      // SORT$

}  // namespace orv

#endif  // ORVALE_EXPR_BUILTINS_H
