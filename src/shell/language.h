// Languages: the current language code, the language file that replaces the built-in
// catalog, localised file names and the language-variables file.
#ifndef ORVALE_SHELL_LANGUAGE_H
#define ORVALE_SHELL_LANGUAGE_H

#include <cstdint>

#include "core/val.h"

namespace orv {

// The languages, index n being field n, and the file-name suffix of each.
inline constexpr Val kLanguages = "EN,ES,FR,DE,IT"_v;
inline constexpr Val kLanguageSuffixes = "_en,_es,_fr,_de,_it"_v;
inline constexpr uint16_t kLanguageSpanish = 2;
// The settings item holding the language code.
inline constexpr uint16_t kSettingLanguage = 4;
// At most this many lines of a language file are taken; a longer file is ignored.
inline constexpr uint16_t kLanguageMaxLines = 255;

// The index of the current language code in kLanguages, 0 when it is not there.
uint16_t LanguageIndex();
// Makes "ES" the current language.
Status LanguageSetDefault();
// The name with the suffix of language `index` (kNone: the current one) before its first
// extension: MENU.PPN becomes MENU_de.PPN for index 4. Index 0 leaves the name as it is.
Val LocalisedFileName(Val name, uint16_t index);

// Loads the language file once: QX_LANG_<code>.MSJ in the default folder, or without a
// code the first QX_LANG_*.MSJ by name (whose code then becomes the current one). Lines
// are NNNN, a separator and the text ("\n" in it is a line break); they must come in
// ascending order: a number not above the previous one is skipped, a skipped number has an
// empty text, and numbers that would need more than 256 entries are dropped. A missing
// file or one of more than 255 lines leaves the built-in catalog in use.
void LanguageLoad();
// Assigns to each VARIABLE of the lines VARIABLE=NNNN of <prefix>LANGVARS.DAT the text of
// message NNNN, through the expression evaluator. A missing file is no error; otherwise the
// status of the first failing assignment.
Status LanguageVariablesLoad();

}  // namespace orv

#endif  // ORVALE_SHELL_LANGUAGE_H
