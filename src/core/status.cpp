// Status names, the error record, the detail text and the texts shown for a status.
#include "core/status.h"

#include "core/list.h"
#include "core/runtime.h"
#include "core/scratch.h"
#include "core/slots.h"

namespace orv {

namespace {

constexpr uint16_t kDetailGroup = 9;
constexpr uint16_t kDetailItem = 9;
constexpr uint16_t kDetailKeep = 1024;

struct StatusNameRow {
  Status code;
  Val name;
};

// Names in CP1252; several read as the continuation of "Error ".
constexpr StatusNameRow kStatusNames[] = {
    {122, "Cancelado por el usuario"_v},
    {123, "Expresion Nula"_v},
    {124, "Aviso Indefinido"_v},
    {125, "Tipo Atipico"_v},
    {126, "Datos incorrectos"_v},
    {127, "No hay datos"_v},
    {128, "Tipos Incompatibles"_v},
    {129, "Fallo de loop"_v},
    {130, "Disco (I/O)"_v},
    {131, "Fichero I/O"_v},
    {132, "Ejecuci\xF3n de Procedimiento"_v},
    {133, "PRCSTCKERROR"_v},
    {134, "TRANSUPERROR"_v},
    {135, "VARHANDLERROR"_v},
    {136, "de Lectura"_v},
    {137, "de Escritura"_v},
    {138, "de Apertura"_v},
    {139, "de Red"_v},
    {140, "BADEXPRESION"_v},
    {141, "Interno"_v},
    {142, "FARHEAPINIERR"_v},
    {143, "de Entorno de Pantalla"_v},
    {144, "INDEXCMDERROR"_v},
    {145, "OUTOFMEMORY"_v},
    {146, "STRINGTOOLONG"_v},
    {147, "SINTAXERROR"_v},
    {148, "FEATUREREMOVED"_v},
    {149, "DIMSTRUCERROR"_v},
    {150, "BADSTRINGTYPE"_v},
    {151, "BADFILENUMBER"_v},
    {152, "FORMATFAILURE"_v},
    {153, "STRCONCATERR"_v},
    {154, "MEMORYALLOCERR"_v},
    {155, "EXPCALCERROR"_v},
    {156, "LOADSTRERROR"_v},
    {157, "VARNAMEERROR"_v},
    {158, "BADCOMMANDLINE"_v},
    {159, "STROUTBOUND"_v},
    {160, "MEMTESTERROR"_v},
    {161, "FILEOUTBOUND"_v},
    {162, "SQLERROR"_v},
    {163, "de Datos"_v},
    {164, "Fichero no encontrado"_v},
    {165, "Fichero Existente"_v},
    {166, "Apertura de Ficheros"_v},
    {167, "CHILDEXECERROR"_v},
    {168, "DATAOUTBOUND"_v},
    {169, "FILENOTINIT"_v},
    {170, "COMMONCTLERROR"_v},
    {171, "DEVICETIMEOUT"_v},
    {172, "DEVICEIOERROR"_v},
    {173, "SYSTEMCMDERROR"_v},
    {175, "Permiso denegado"_v},
    {176, "StructMemError"_v},
    {177, "ScreenStructErr"_v},
    {178, "Memory Leaks"_v},
    {179, "Windows Control Error"_v},
    {180, "Memory Overflow"_v},
    {181, "Variable ScreenField"_v},
    {183, "Datos Existentes"_v},
    {184, "Solamente Acceso Local"_v},
    {185, "Soporte Grafico Insuficiente"_v},
};

// The detail text cut back to at most kDetailKeep characters by dropping whole last lines.
Val DetailCutBack(Val d) {
  while (d.len > kDetailKeep) {
    uint16_t cr = TextFindLastChar(d, '\r', kPlain);
    if (cr == kNone) return ValSub(d, 0, kDetailKeep);
    d = ValSub(d, 0, cr);
  }
  return d;
}

}  // namespace

Val AreaName(uint16_t area) { return ListField(kAreaNames, ',', area); }

uint32_t ErrRecord(int flag, uint16_t area, Status code, uint32_t result) {
  if (!flag) return 0;
  if ((g_rt.err_record == 0 && code >= kSerious) || flag == 2)
    g_rt.err_record = (uint32_t(area) << 16) | code;
  return result;
}

uint32_t ErrRecorded() { return g_rt.err_record; }

Val ErrValue(int flag, uint16_t area, Status code, Val v) {
  ErrRecord(flag, area, code, 0);
  return flag && code ? ValError(code) : v;
}

Status ErrReport(Status code, Val text, bool append) {
  if (!append) {
    SlotSet(kDetailGroup, kDetailItem, text);
    return code;
  }
  ScratchScope scope;
  Val joined = ValJoin(DetailCutBack(ErrDetail()), "\r\n"_v, text);
  SlotSet(kDetailGroup, kDetailItem, joined);
  return code;
}

Val ErrDetail() { return SlotGet(kDetailGroup, kDetailItem); }

Val StatusName(Status code) {
  for (const StatusNameRow& r : kStatusNames)
    if (r.code == code) return r.name;
  return "Indefinido"_v;
}

Val StatusText(Status code) {
  if (code == kNone) {
    Status recorded = static_cast<Status>(g_rt.err_record & 0xFFFF);
    if (recorded) code = recorded;
  }
  if (code == 0) return RuntimeMessage("0005"_v);
  if (code <= 120) return RuntimeMessage("0008"_v);
  if (code == 121 || code == kBadData) return ValOr(ErrDetail(), StatusName(code));
  return StatusName(code);
}

Val ErrorText(Status code) {
  Val text = StatusText(code);
  if (code < kSerious || code == kNone) return text;
  ScratchScope scope;
  text = ValConcat(RuntimeMessage("0009"_v), text);
  uint16_t area = static_cast<uint16_t>(g_rt.err_record >> 16);
  if (area) text = ValConcat(text, ValWrap(AreaName(area), '('));
  Val detail = ErrDetail();
  if (detail.len) text = ValConcat(text, ValConcat(": "_v, detail));
  return scope.Return(text);
}

}  // namespace orv
