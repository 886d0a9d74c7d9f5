// The default data link: no data layer.
#include "expr/datalink.h"

#include "core/status.h"
#include "expr/state.h"

namespace orv {

namespace {

uint16_t NoFile(Val) { return 0; }
Status NoCount(uint16_t, uint32_t*) { return kFileNotInit; }
Status NoFind(uint16_t, uint16_t, Val, int) { return kFileNotInit; }
Status NoStoreKey(uint16_t, uint16_t, Val) { return kFileNotInit; }
Status NoInsert(uint16_t) { return kFileNotInit; }
Status NoMove(uint16_t, int) { return kFileNotInit; }
Status NoScan(uint16_t, int, Val, Val) { return kFileNotInit; }
Status NoCommand(uint16_t, Val) { return kFileNotInit; }
Status NoRelation(uint16_t, uint16_t, uint16_t, int, Val) { return kFileNotInit; }
Status NoFileSet(Val) { return kFileNotInit; }
Val NoField(Val, int) { return ValError(kFileNotInit); }
Val NoKey(uint16_t, uint16_t, int, int) { return ValError(kFileNotInit); }
Status NoLastStatus(uint16_t, Status*) { return kFileNotInit; }
Val NoExpand(Val, int, Val) { return ValError(kFeatureRemoved); }

}  // namespace

DataLink DataLinkDefaults() {
  return DataLink{NoFile,     NoCount,     NoFind,  NoStoreKey, NoInsert,
                  NoMove,     NoScan,      NoCommand, NoRelation, NoFileSet,
                  NoField,    NoKey,       NoLastStatus, NoExpand};
}

void DataLinkInstall(const DataLink& link) { g_expr.data = link; }

}  // namespace orv
