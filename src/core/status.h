// Status codes, error areas, the error record and the detail text.
//
// 0 is success, 1..120 are outcomes and warnings that callers test, 122 means the user
// cancelled, and 128 or above stops the operation in progress. The error record keeps the
// first serious status with the area that raised it until it is reset; the detail text (text
// slot 9,9) explains it.
#ifndef ORVALE_CORE_STATUS_H
#define ORVALE_CORE_STATUS_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// Named status codes.
inline constexpr Status kOk = 0;
inline constexpr Status kCancelled = 122;
inline constexpr Status kNullExpression = 123;
inline constexpr Status kUndefinedWarning = 124;
inline constexpr Status kAtypicalType = 125;
inline constexpr Status kBadData = 126;
inline constexpr Status kNoData = 127;
inline constexpr Status kIncompatibleTypes = 128;
inline constexpr Status kLoopFailure = 129;
inline constexpr Status kDiskIo = 130;
inline constexpr Status kFileIo = 131;
inline constexpr Status kProcedureExec = 132;
inline constexpr Status kPrcStackError = 133;
inline constexpr Status kTransUpError = 134;
inline constexpr Status kVarHandleError = 135;
inline constexpr Status kReadError = 136;
inline constexpr Status kWriteError = 137;
inline constexpr Status kOpenError = 138;
inline constexpr Status kNetworkError = 139;
inline constexpr Status kBadExpression = 140;
inline constexpr Status kInternal = 141;
inline constexpr Status kFarHeapInitError = 142;
inline constexpr Status kScreenEnvError = 143;
inline constexpr Status kIndexCmdError = 144;
inline constexpr Status kOutOfMemory = 145;
inline constexpr Status kStringTooLong = 146;
inline constexpr Status kSyntaxError = 147;
inline constexpr Status kFeatureRemoved = 148;
inline constexpr Status kDimStructError = 149;
inline constexpr Status kBadStringType = 150;
inline constexpr Status kBadFileNumber = 151;
inline constexpr Status kFormatFailure = 152;
inline constexpr Status kStrConcatError = 153;
inline constexpr Status kMemoryAllocError = 154;
inline constexpr Status kExpCalcError = 155;
inline constexpr Status kLoadStrError = 156;
inline constexpr Status kVarNameError = 157;
inline constexpr Status kBadCommandLine = 158;
inline constexpr Status kStrOutBound = 159;
inline constexpr Status kMemTestError = 160;
inline constexpr Status kFileOutBound = 161;
inline constexpr Status kSqlError = 162;
inline constexpr Status kDataError = 163;
inline constexpr Status kFileNotFound = 164;
inline constexpr Status kFileExists = 165;
inline constexpr Status kFileOpenError = 166;
inline constexpr Status kChildExecError = 167;
inline constexpr Status kDataOutBound = 168;
inline constexpr Status kFileNotInit = 169;
inline constexpr Status kCommonCtlError = 170;
inline constexpr Status kDeviceTimeout = 171;
inline constexpr Status kDeviceIoError = 172;
inline constexpr Status kSystemCmdError = 173;
inline constexpr Status kPermissionDenied = 175;
inline constexpr Status kStructMemError = 176;
inline constexpr Status kScreenStructError = 177;
inline constexpr Status kMemoryLeaks = 178;
inline constexpr Status kWindowsControlError = 179;
inline constexpr Status kMemoryOverflow = 180;
inline constexpr Status kVariableScreenField = 181;
inline constexpr Status kDataExists = 183;
inline constexpr Status kLocalAccessOnly = 184;
inline constexpr Status kNoGraphicsSupport = 185;

// The status at and above which an operation stops.
inline constexpr Status kSerious = 128;

// Error areas: the 1-based positions in the list of area names.
inline constexpr uint16_t kAreaNone = 0;
inline constexpr uint16_t kAreaStringInit = 1;
inline constexpr uint16_t kAreaStringAssign = 2;
inline constexpr uint16_t kAreaStrConcat = 3;
inline constexpr uint16_t kAreaVarNameAssign = 4;
inline constexpr uint16_t kAreaSqlConnect = 5;
inline constexpr uint16_t kAreaSqlExec = 6;
inline constexpr uint16_t kAreaExecCompiler = 7;
inline constexpr uint16_t kAreaMallocMemAcums = 8;
inline constexpr uint16_t kAreaExecRunTime = 9;
inline constexpr uint16_t kAreaVarStruct = 10;
inline constexpr uint16_t kAreaExpExec = 11;
inline constexpr uint16_t kAreaSort = 12;
inline constexpr uint16_t kAreaBufferFld = 13;
inline constexpr uint16_t kAreaDynStrings = 14;
inline constexpr uint16_t kAreaStructFuncs = 15;
inline constexpr uint16_t kAreaFormatStrings = 16;
inline constexpr uint16_t kAreaStreams = 17;
inline constexpr uint16_t kAreaDataFile = 18;
inline constexpr uint16_t kAreaLocalLists = 19;
inline constexpr uint16_t kAreaScreens = 20;
inline constexpr uint16_t kAreaDevices = 21;
inline constexpr uint16_t kAreaHtmlScan = 22;

// The comma list of area names, area 1 first.
inline constexpr Val kAreaNames =
    "STRINGINIT,STRINGASSIGN,STRCONCAT,VARNMASSIGN,SQLCONNECT,SQLEXEC,EXEC_COMPILER,"
    "Malloc-MemAcums,ExecRunTime,VarStruct,ExpExec,Sort,BufferFld,DynStrings,StructFuncs,"
    "FormatStrings,Streams,DataFile,LocalLists,Screens,Devices,HtmlScan"_v;

// The name of area `area` (empty for 0 or an unknown area).
Val AreaName(uint16_t area);

// With flag 0 nothing happens and 0 is returned. Otherwise the record becomes (area, code)
// when nothing is recorded yet and code >= 128, or unconditionally with flag 2 (so
// ErrRecord(2, 0, 0, x) resets it); `result` is returned.
uint32_t ErrRecord(int flag, uint16_t area, Status code, uint32_t result);
// The record word: area in the high 16 bits, code in the low 16 bits.
uint32_t ErrRecorded();
// Records like ErrRecord and returns ValError(code) when flag and code are both non-zero,
// else `v`.
Val ErrValue(int flag, uint16_t area, Status code, Val v);
// Sets the detail text (slot 9,9) to `text`, or with `append` joins it to the old text with
// CR LF after cutting the old text back to at most 1024 characters. Returns `code`.
Status ErrReport(Status code, Val text, bool append);
// The detail text.
Val ErrDetail();

// The name of a status code ("Indefinido" for codes without a name).
Val StatusName(Status code);
// The text shown for a status (0xFFFF: the recorded code).
Val StatusText(Status code);
// The status text, for a serious code prefixed with "Error ", the recorded area in
// parentheses and ": " + detail text.
Val ErrorText(Status code);

}  // namespace orv

#endif  // ORVALE_CORE_STATUS_H
