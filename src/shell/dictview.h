// What the shell reads from the data dictionary: the data files and their fields. The data
// layer implements it over the loaded dictionary and puts it in g_shell.dict.
#ifndef ORVALE_SHELL_DICTVIEW_H
#define ORVALE_SHELL_DICTVIEW_H

#include <cstdint>

#include "core/val.h"

namespace orv {

struct DictFieldInfo {
  Val name;
  uint16_t width = 0;
  char type = 'A';
};

class DictionaryView {
 public:
  virtual ~DictionaryView() = default;
  // Data files are numbered from 1; fields of a file from 1.
  virtual uint16_t FileCount() const = 0;
  virtual Val FileName(uint16_t file) const = 0;
  virtual uint16_t FieldCount(uint16_t file) const = 0;
  virtual DictFieldInfo Field(uint16_t file, uint16_t field) const = 0;
};

}  // namespace orv

#endif  // ORVALE_SHELL_DICTVIEW_H
