// The built-in catalog against the texts it must hold, and message lookup with and without
// language files.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>

#include "core/list.h"
#include "core/slots.h"
#include "core/text.h"
#include "shell/catalog.h"
#include "shell/language.h"
#include "shell_fixture.h"

namespace orv {
namespace {

// Every message of the built-in catalog, as the engine must show it (UTF-8 here).
const std::pair<const char*, const char*> kSpanish[] = {
    {"0001", "Error al inicializar la Memoria"},
    {"0002", "Error al efectuar la inicializacion"},
    {"0003", "Errores de Memoria detectados"},
    {"0004", "Fichero no encontrado:%s"},
    {"0005", "Proceso Completado Satisfactoriamente"},
    {"0006", "Cancelado por el Usuario"},
    {"0007", "Datos no Encontrados"},
    {"0008", "Precaución "},
    {"0009", "Error "},
    {"0010", "No definido"},
    {"0011", "Ss,Nn"},
    {"0012", "Mensaje Informativo"},
    {"0013", "Alerta de Mensaje Fatal"},
    {"0014", "Solicitud de Información"},
    {"0015", "Permiso denegado"},
    {"0016", "Proceso en progreso....."},
    {"0017", "Parametros incorrectos para campo de pantalla%s\r\n (%s)"},
    {"0018", "Posible perdida de datos. Por favor confirmar"},
    {"0019", ",.'0123456789,-D',' NS','  ,NO,SI'"},
    {"0020", "Cancelar"},
    {"0021", "Error de conexión SQL"},
    {"0022", "Mantenimiento de Ficheros,Captura de Datos"},
    {"0023", "Clave no encontrada,Fin de fichero,,,Clave incorrecta,Clave Repetida,Datos Cambiados. Grabación canceleda,Datos Cambiados. Confirmar,Contraseñas no coinciden"},
    {"0024", "Modificación de Clave descartada"},
    {"0025", "¿Anular Registro(s)?"},
    {"0026", "Visualizar,Insertar,Eliminar,Buscar"},
    {"0027", "Datos Cabecera,Tipo de Documento,Busqueda [AvPag/RePag],Edicion [AvPag/RePag],Edicion de lineas,Edicion de resúmen,Datos grabados,Nueva alta,Modificación,Modo Inserción,Modo Mantenimiento,Impresión Desact.,Impresión Activada,Solo Consulta"},
    {"0028", "Nuevo,Inic.,Ant.,Sig.,Ult.,Buscar,Grabar,Borrar"},
    {"0029", "Cancelar,Buscar,Grabar,Insertar,Anular Lin.,Importar,Anular Doc.,Modo Impr."},
    {"0030", "Cancelar,PgAnt.,PgSig.,Grabar,Insertar,Anular,Importar,Modo"},
    {"0031", "Proceso no definido"},
    {"0032", "Aun hay ventanas abiertas (%i Pantallas, %i Ventanas)"},
    {"0033", "Recuerde sus Copias de Seguridad\r\n¿Desea Cerrar la aplicacion? (%i Pantallas, %i Ventanas)"},
    {"0034", "Selección de Aplicación"},
    {"0035", "Debe efectuar una configuración en la carpeta por defecto.\r\nConsulte la documentación"},
    {"0036", "%s (Aplicación desconocida)"},
    {"0037", "Solo disponible en Busqueda"},
    {"0038", "Solo disponible en Modo Mantenimiento,Para añadir datos es recomendable usar el mode de Inserción"},
    {"0039", "¿Continuar?"},
    {"0040", "¿Desea ver Incidencias?"},
    {"0041", "Pagina Html no definida"},
    {"0042", "Error en Html Parser/Nav"},
    {"0043", "Html environ initialization Error"},
    {"0044", "DefParms File Load Error"},
    {"0045", "Parsing page Error"},
    {"0046", "Control Command Error"},
    {"0047", "Form Log failure"},
    {"0048", "Query Params Error"},
    {"0049", "Escoja Selección"},
    {"0050", "Sobreescribir?"},
    {"0051", "Confirmación de Transacción"},
    {"0052", "No se ha definido ningún modo de Transacción"},
    {"0053", "No se ha definido ninguna tabla de Transacción"},
    {"0054", "tabla SQL externa no definida"},
    {"0055", "Datos de Transacción necesarios"},
    {"0056", "'Nombre del Archivo:':'A40'"},
    {"0057", "Límites de Transacción"},
    {"0058", "Ventana de Importación"},
    {"0059", "Eliminando %s en %s,Actualizando %s en %s"},
    {"0060", "Todos (%s),%s"},
    {"0061", "Ficheros de Estructura (%s),%s"},
    {"0062", "Ficheros de Pantalla (%s),%s"},
    {"0063", "Ficheros de Plantilla de Impresión (%s),%s"},
    {"0064", "Ficheros de Procedimientos (%s),%s"},
    {"0065", "Ficheros de Selección de Aplicación (%s),%s"},
    {"0066", "Ficheros de Menú (%s),%s"},
    {"0067", "Ficheros PDF (%s),%s"},
    {"0068", "Ficheros de Texto (%s),%s"},
    {"0070", "Ayuda"},
    {"0071", "Páginas de Ayuda"},
    {"0072", "Pagina de Ayuda no definida"},
    {"0073", "Ventana Desconocida %s"},
    {"0074", "Variables y Funciones"},
    {"0075", "Acerca de"},
    {"0077", "AvPag/RePag Disp."},
    {"0080", "(Mayor que),(Menor que), (Igual a),(Desde),(Hasta),(Distinto de)"},
    {"0081", "Captura de Limites de Informe"},
    {"0082", "Selección de Dispositivo"},
    {"0083", "Vel.:,Paridad:,Lineas:,Ancho:,Paso:,Mostrar"},
    {"0084", "No se ha seleccionado nada"},
    {"0085", "Selección de Tabla"},
    {"0086", "Selección de Campos de Limites"},
    {"0087", "Actualizacion Relacional"},
    {"0088", "Selección de Fichero"},
    {"0089", "Relativa,Secuencial,Delimitada,Listado"},
    {"0090", "Acceso a Datos"},
    {"0091", "'Servidor:':'A30'::%s,'Base:':'A30'::%s,'Usuario:':'A30'::%s,'Contraseña:':'P30'::%s,'Recordar (S/N):':'L1'"},
    {"0092", "'Servidor:':'A30'::%s,'Base:':'A30','Usuario:':'A30'::'postgres','Contraseña:':'P30'"},
    {"0093", "'Servidor:':'A30'::%s,'Usuario:':'A30'::'postgres','Contraseña:':'P30'"},
    {"0094", "'Tipo de Actualización Relacional:':'N1'"},
    {"0095", "'Fichero:':'A255'::'%s','Modo añadir:':'L1'::'1'"},
    {"0096", "Selección de Campos"},
    {"0097", "¿Salvar esta Configuración?"},
    {"0098", "Selección de Transacción"},
    {"0099", "Expresion de Actualización"},
    {"0100", "'Expresion de Actualización:':'A256'"},
    {"0101", "Contados %s registros en %s"},
    {"0110", "'Informes','\tCrear Nuevo,[$]','\tInformes,[$]%APNAME%report.ppn'"},
    {"0111", "'Transacciones','\tExportaciones','\t\tRelativa,[$]4','\t\tSecuencial,[$]20','\t\tDelimitada,[$]52','\t\tListado,[$]16404','\tImportaciones','\t\tRelativa,[$]5','\t\tSecuencial,[$]21','\t\tDelimitada,[$]53','\tInternas','\t\tContador,[$]128','\t\tActualizacion,[$]1','\t\tActualizacion Relacional,[$]3','\t\tDesactualizacion Relacional,[$]11','\t\tAnulacion,[$]8','\tPredefinidas,[$]0'"},
    {"0112", "Un Programa Externo ha terminado con un error %s"},
    {"0113", "'Titulo del Documento:':'A40','Multilinea:':'L1','Evitar en menu:':'L1'"},
    {"0114", "Selection de Informe"},
    {"0115", "Ultima sesion interrumpida. Recuperacion de datos"},
    {"0116", "'Nueva Aplicacion:':'A20'"},
    {"0117", "'Enero,Febrero,Marzo,Abril,Mayo,Junio,Julio,Agosto,Septiembre,Octubre,Noviembre,Diciembre','[D] de [M] de [Y]'"},
    {"0118", "'Carpeta Servidor SQL:':'A50'::'%s','Carpeta LAN:':'A50'::'%s'"},
    {"0119", "'Reorganizacion,Reorg'"},
    {"0120", "'Ayuda','\tAyuda,Help','\tAcerca de,Help About'"},
    {"0121", "Solo se realizó la copia del Servidor"},
    {"0130", "Salir,Imprimir,Grabar"},
};

using CatalogTest = ShellTest;

TEST_F(CatalogTest, BuiltInCatalogHoldsEveryListedTextAndNothingElse) {
  std::map<uint16_t, std::string> expected;
  for (const auto& [number, text] : kSpanish) {
    expected[uint16_t(std::stoi(number))] = Cp(text);
    EXPECT_EQ(S(MessageText(ValFromCStr(number))), Cp(text)) << number;
  }
  EXPECT_EQ(BuiltinCatalog().size(), expected.size());
  for (uint16_t n = 1; n <= 9999; ++n) {
    if (!expected.count(n)) {
      EXPECT_EQ(S(BuiltinMessage(n)), "") << n;
    }
  }
}

TEST_F(CatalogTest, LookupWithoutLanguageFile) {
  struct Case {
    const char* argument;
    const char* text;
  } cases[] = {
      {"0031", "Proceso no definido"},
      {"0999 Texto", "Texto"},  // the caller's default text
      {"0999", ""},
      {"0031 Otro", "Otro"},    // without a language file the default wins
      {"0000", ""},
      {"abcd", ""},
      {"31", ""},
      {"0069", ""},             // a number the catalog does not use
  };
  for (const Case& c : cases) EXPECT_EQ(S(MessageText(ValFromCStr(c.argument))), c.text) << c.argument;
}

// Lines of a language file written in the current folder.
void WriteLanguage(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

TEST_F(CatalogTest, LookupWithLanguageFile) {
  SlotSet(0, kSettingLanguage, "EN"_v);
  WriteLanguage("QX_LANG_EN.MSJ",
                "0003 Three\r\n"
                "0005 Done\\nOK\r\n"
                "0004 Descending: skipped\r\n"
                "0005 Repeated: skipped\r\n"
                "x007 No number: skipped\r\n"
                "0008 Eight\r\n");
  struct Case {
    const char* argument;
    const char* text;
  } cases[] = {
      {"0003", "Three"},
      {"0004", ""},               // skipped number inside the file: empty
      {"0005", "Done\r\nOK"},
      {"0006", ""},
      {"0008", "Eight"},
      {"0002", "Error al efectuar la inicializacion"},  // below the file: built in
      {"0031", "Proceso no definido"},                  // beyond the file: built in
      {"0999 Texto", "Texto"},
      {"0003 Tres", "Three"},
  };
  for (const Case& c : cases) EXPECT_EQ(S(MessageText(ValFromCStr(c.argument))), c.text) << c.argument;
}

TEST_F(CatalogTest, LanguageFileIsLoadedOnceAndFoundInTheDefaultFolder) {
  Put("defs/QX_LANG_DE.MSJ", "0031 Vorgang nicht definiert\r\n");
  SlotSet(0, kSettingLanguage, "DE"_v);
  SlotSet(0, 5, ValOf(EnginePathOf("defs") + ",elsewhere"));
  EXPECT_EQ(S(MessageText("0031"_v)), "Vorgang nicht definiert");
  Put("defs/QX_LANG_DE.MSJ", "0031 Changed later\r\n");
  EXPECT_EQ(S(MessageText("0031"_v)), "Vorgang nicht definiert");
}

TEST_F(CatalogTest, WithoutCodeTheFirstLanguageFileByNameIsTakenAndBecomesTheLanguage) {
  WriteLanguage("QX_LANG_IT.MSJ", "0031 Processo non definito\r\n");
  WriteLanguage("qx_lang_fr.msj", "0031 Traitement non defini\r\n");
  EXPECT_EQ(S(MessageText("0031"_v)), "Traitement non defini");
  EXPECT_EQ(S(SlotGet(0, kSettingLanguage)), "FR");
  EXPECT_EQ(LanguageIndex(), 3);
}

TEST_F(CatalogTest, FilesThatCannotServeLeaveTheBuiltInCatalog) {
  std::string oversized;
  for (int i = 1; i <= 256; ++i) oversized += "0001 Line\r\n";
  std::string overflowing;  // more entries than the table holds: the rest is dropped
  overflowing += "0001 First\r\n0300 Beyond the table\r\n";
  struct Case {
    const char* name;
    std::string bytes;
    const char* m1;
    const char* m300;
  } cases[] = {
      {"missing", "", "Error al inicializar la Memoria", ""},
      {"oversized", oversized, "Error al inicializar la Memoria", ""},
      {"empty", "\r\n\r\n", "Error al inicializar la Memoria", ""},
      {"overflowing", overflowing, "First", ""},
  };
  for (const Case& c : cases) {
    ShellReset();
    SlotSet(0, kSettingLanguage, "EN"_v);
    std::remove("QX_LANG_EN.MSJ");
    if (std::string(c.name) != "missing") WriteLanguage("QX_LANG_EN.MSJ", c.bytes);
    EXPECT_EQ(S(MessageText("0001"_v)), c.m1) << c.name;
    EXPECT_EQ(S(MessageText("0300"_v)), c.m300) << c.name;
    EXPECT_EQ(SlotCount(kSlotGroupQueueLines), 0) << c.name;
  }
}

TEST_F(CatalogTest, LocalisedFileNames) {
  SlotSet(0, kSettingLanguage, "EN"_v);
  struct Case {
    const char* name;
    uint16_t index;
    const char* out;
  } cases[] = {
      {"MENU.PPN", 4, "MENU_de.PPN"},     {"MENU.PPN", 0, "MENU.PPN"},
      {"HELP.HLP", kNone, "HELP_en.HLP"}, {"A.B.C", 5, "A_it.B.C"},
      {"dir.x\\HELP", 2, "dir.x\\HELP_es"}, {"C:\\a\\GE.HLP", 3, "C:\\a\\GE_fr.HLP"},
      {"MENU.PPN", 9, "MENU.PPN"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(S(LocalisedFileName(ValFromCStr(c.name), c.index)), c.out) << c.name << c.index;
}

// The placeholders of a message, in order.
std::string Placeholders(const std::string& text) {
  std::string out;
  for (size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == '%' && (text[i + 1] == 's' || text[i + 1] == 'i')) out += text.substr(i++, 2);
  return out;
}

// The shape of a list message: per comma field, its leading TABs after its opening quote
// and whether it holds "[$]".
std::string Shape(const std::string& text) {
  Val v = ValOf(text);
  std::string out;
  uint16_t count = ListCount(v, ',');
  for (uint16_t i = 1; i <= count; ++i) {
    std::string f = ListField(v, ',', i).str();
    size_t at = f.size() && (f[0] == '\'' || f[0] == '"') ? 1 : 0;
    size_t tabs = 0;
    while (at + tabs < f.size() && f[at + tabs] == '\t') ++tabs;
    out += std::to_string(tabs) + (f.find("[$]") != std::string::npos ? "$" : "") + "|";
  }
  return out;
}

TEST_F(CatalogTest, ShippedLanguageFilesTranslateEveryMessageKeepingItsShape) {
  for (const char* code : {"EN", "FR", "DE", "IT"}) {
    std::string path = std::string(ORVALE_LANG_DIR) + "/QX_LANG_" + code + ".MSJ";
    ShellReset();
    SlotSet(0, kSettingLanguage, ValFromCStr(code));
    SlotSet(0, 5, ValOf(std::string(ORVALE_LANG_DIR)));
    ASSERT_TRUE(std::ifstream(path).good()) << path;
    for (const CatalogEntry& e : BuiltinCatalog()) {
      std::string number = std::to_string(10000 + e.number).substr(1);
      std::string spanish = e.text.str();
      std::string local = S(MessageText(ValOf(number)));
      EXPECT_FALSE(local.empty()) << code << " " << number;
      EXPECT_EQ(Placeholders(local), Placeholders(spanish)) << code << " " << number;
      EXPECT_EQ(Shape(local), Shape(spanish)) << code << " " << number << ": " << local;
      EXPECT_EQ(local.find("\r\n") != std::string::npos, spanish.find("\r\n") != std::string::npos)
          << code << " " << number;
    }
    // The answer letters: one upper and one lower case letter in each of two fields.
    std::string a = S(MessageText("0011"_v));
    ASSERT_EQ(a.size(), 5u) << a;
    EXPECT_TRUE(IsAsciiAlpha(a[0]) && a[1] == char(AsciiLower(a[0])) && a[2] == ',' &&
                a[3] == 'N' && a[4] == 'n')
        << a;
    EXPECT_FALSE(S(MessageText("0076"_v)).empty()) << code;
  }
}

}  // namespace
}  // namespace orv
