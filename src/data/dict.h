// The data dictionary: the application's data files, their fields and keys.
//
// Files are numbered 1 to kMaxFiles in the order of definition; fields and keys of a file
// are numbered from 1. The tables live in g_data.dict (data/state.h); texts returned as
// views point into them and stay valid until the dictionary changes.
#ifndef ORVALE_DATA_DICT_H
#define ORVALE_DATA_DICT_H

#include <cstdint>
#include <string>
#include <vector>

#include "core/val.h"

namespace orv {

inline constexpr uint16_t kMaxFiles = 30;
inline constexpr uint16_t kMaxKeyParts = 5;
inline constexpr size_t kMaxDictLine = 512;
inline constexpr uint16_t kMaxStructLevels = 7;

// The companion-file kinds of DictFilePath.
enum : int {
  kPathLock = 1,   // the base name alone
  kPathData = 2,   // folder\name.FD
  kPathIndex = 3,  // folder\name.DIR (NDX with _COMPAT bit 2)
  kPathWork = 5,   // folder\name.TMP, the work copy of a reorganisation
  kPathText = 6,   // folder\name.TXT
  kPathTemp = 7,   // a new temporary file in the TEMP folder
};

// The first names of the application's definition files, after the prefix.
inline constexpr Val kDictFileNames = "DICC.DAT,REL.DAT,RELUP.DAT,RELUPSQL.DAT,MENU.PPN"_v;
// The type letters that hold numbers.
inline constexpr Val kNumericTypes = "NL123456789"_v;

struct FieldDef {
  uint16_t offset = 0;
  uint16_t length = 0;
  char type = 'A';
  std::string name;
  uint16_t end() const { return uint16_t(offset + length); }
};

struct KeyPart {
  uint16_t offset = 0;  // 0-based byte offset in the record
  uint16_t length = 0;
};

struct KeyDef {
  std::vector<KeyPart> parts;  // at most kMaxKeyParts
  uint16_t length = 0;         // the sum of the part lengths
};

struct FileDef {
  std::string name;       // base name
  std::string folder;     // empty: the default data folder
  std::string relations;  // the joined payloads of the relation lines
  uint32_t record_length = 0;
  std::vector<FieldDef> fields;
  std::vector<KeyDef> keys;
};

struct Dictionary {
  std::vector<FileDef> files;
  std::string default_folder;
  // Where and under which prefix it was loaded: the application's other definition files
  // (the relation updates) are found the same way.
  std::string folders, prefix;
  // Structures defined at run time: the file count and current file before each.
  struct Level {
    uint16_t files;
    int16_t current;
  };
  std::vector<Level> levels;
};

// Reads prefix + "DICC.DAT" and prefix + "REL.DAT" from the first place each is found: the
// bare name, then each folder of the comma list `folders`. 164 (name and folders as detail)
// when the DICC.DAT file is missing; a missing REL.DAT file is no error. Stops at the first
// failing line with its status and the file, line number and text as detail; what was
// loaded before stays. `default_folder` is the folder of files whose folder is empty.
Status DictLoad(Val folders, Val prefix, Val default_folder);
// Empties the dictionary.
void DictClear();
// Loads one more dictionary file (found like DICC.DAT through the folders DictLoad was given)
// on a new structure level, so that popping the level ("RESTORE", DictStructTrim) removes its
// files again; its key and relation lines number its own files from 1. 164 with the name as
// detail when it is not found, 168 beyond kMaxStructLevels, else the status of a bad line
// (the level is then popped).
Status DictLoadMore(Val name);

uint16_t DictFileCount();
// The file definition; the caller has validated the number.
const FileDef& DictFile(uint16_t file);
// 0 when the file number is defined, else 168 with "(File:%s, Field:%s)" as detail.
// A field of -1 checks only the file; otherwise the field must be 1 to the field count.
Status DictCheckField(uint16_t file, int field);
// The file named `name` (lower-cased unless _AUXSTAT bit 8; empty: _CURFIL), 0 when none.
uint16_t DictFileByName(Val name);
// The names of all files in file-number order, separated by ",".
Val DictFileNames();
// The path of a companion file of kind 1 to 7 (see above), pushed on the scratch stack.
Val DictFilePath(uint16_t file, int kind);
uint16_t DictFieldCount(uint16_t file);
uint32_t DictRecordLength(uint16_t file);
uint16_t DictKeyCount(uint16_t file);
// The field definition, or 168 (with detail) for an undefined file or field.
Status DictField(uint16_t file, int field, const FieldDef** out);
Val DictFieldName(uint16_t file, int field);
// The 1-based number of the field named exactly `name`, -1 when none.
int DictFieldByName(uint16_t file, Val name);
// NAME{file}, pushed on the scratch stack.
Val DictFieldRef(uint16_t file, int field);
// The key definition, or 168 for a key number of 0 or above the key count.
Status DictKey(uint16_t file, int key, const KeyDef** out);
// The sum of the lengths of the first `parts` parts (all for 0 or -1).
uint16_t DictKeyLength(uint16_t file, int key, int parts);
// For each part of the key, the field in which it begins; a key without parts gives field
// 1. 141 when a part starts beyond the last field, 168 for an undefined key.
Status DictKeyFields(uint16_t file, int key, std::vector<uint16_t>* fields);
// The first key whose first key field is `field`, 0 when none.
uint16_t DictKeyByFirstField(uint16_t file, int field);
// The first key whose first key field has type "D", -1 when none.
int DictDateKey(uint16_t file);
Val DictRelationText(uint16_t file);

// Resolves NAME{FILE}: 147 (detail "Field:" + text) when it is not of that form or names
// field 0; 161 when FILE is 0 or not defined; 168 for a field number beyond the count.
Status ParseFieldRef(Val text, uint16_t* file, uint16_t* field);

// Structures defined at run time. Pushes the dictionary state and adds a file `name` with
// the fields of `fields` (items "name;length;type" separated by ",", the length an
// expression) and the keys of `keys` (items like a key line's groups, separated by ","),
// which becomes the current file. The name "RESTORE" pops instead. 168 beyond
// kMaxStructLevels levels; 161 beyond kMaxFiles files.
Status DictStructDefine(Val name, Val fields, Val keys);
// The number of structure levels pushed.
uint16_t DictStructDepth();
// Pops structure levels until `depth` remain.
Status DictStructTrim(uint16_t depth);

}  // namespace orv

#endif  // ORVALE_DATA_DICT_H
