// The built-in Spanish catalog: every message the engine shows, by number, in CP1252.
#include "shell/catalog.h"

namespace orv {

namespace {

// In number order. Numbers without an entry (0069, 0076, 0078, 0079, 0102 to 0109, 0122 to
// 0129) have no built-in text.
constexpr CatalogEntry kCatalog[] = {
    {1, "Error al inicializar la Memoria"_v},
    {2, "Error al efectuar la inicializacion"_v},
    {3, "Errores de Memoria detectados"_v},
    {4, "Fichero no encontrado:%s"_v},
    {5, "Proceso Completado Satisfactoriamente"_v},
    {6, "Cancelado por el Usuario"_v},
    {7, "Datos no Encontrados"_v},
    {8, "Precauci\xF3n "_v},
    {9, "Error "_v},
    {10, "No definido"_v},
    {11, "Ss,Nn"_v},
    {12, "Mensaje Informativo"_v},
    {13, "Alerta de Mensaje Fatal"_v},
    {14, "Solicitud de Informaci\xF3n"_v},
    {15, "Permiso denegado"_v},
    {16, "Proceso en progreso....."_v},
    {17, "Parametros incorrectos para campo de pantalla%s\r\n (%s)"_v},
    {18, "Posible perdida de datos. Por favor confirmar"_v},
    {19, ",.'0123456789,-D',' NS','  ,NO,SI'"_v},
    {20, "Cancelar"_v},
    {21, "Error de conexi\xF3n SQL"_v},
    {22, "Mantenimiento de Ficheros,Captura de Datos"_v},
    {23, "Clave no encontrada,Fin de fichero,,,Clave incorrecta,Clave Repetida,Datos Cambiados. Grabaci\xF3n canceleda,Datos Cambiados. Confirmar,Contrase\xF1" "as no coinciden"_v},
    {24, "Modificaci\xF3n de Clave descartada"_v},
    {25, "\xBF" "Anular Registro(s)?"_v},
    {26, "Visualizar,Insertar,Eliminar,Buscar"_v},
    {27, "Datos Cabecera,Tipo de Documento,Busqueda [AvPag/RePag],Edicion [AvPag/RePag],Edicion de lineas,Edicion de res\xFAmen,Datos grabados,Nueva alta,Modificaci\xF3n,Modo Inserci\xF3n,Modo Mantenimiento,Impresi\xF3n Desact.,Impresi\xF3n Activada,Solo Consulta"_v},
    {28, "Nuevo,Inic.,Ant.,Sig.,Ult.,Buscar,Grabar,Borrar"_v},
    {29, "Cancelar,Buscar,Grabar,Insertar,Anular Lin.,Importar,Anular Doc.,Modo Impr."_v},
    {30, "Cancelar,PgAnt.,PgSig.,Grabar,Insertar,Anular,Importar,Modo"_v},
    {31, "Proceso no definido"_v},
    {32, "Aun hay ventanas abiertas (%i Pantallas, %i Ventanas)"_v},
    {33, "Recuerde sus Copias de Seguridad\r\n\xBF" "Desea Cerrar la aplicacion? (%i Pantallas, %i Ventanas)"_v},
    {34, "Selecci\xF3n de Aplicaci\xF3n"_v},
    {35, "Debe efectuar una configuraci\xF3n en la carpeta por defecto.\r\nConsulte la documentaci\xF3n"_v},
    {36, "%s (Aplicaci\xF3n desconocida)"_v},
    {37, "Solo disponible en Busqueda"_v},
    {38, "Solo disponible en Modo Mantenimiento,Para a\xF1" "adir datos es recomendable usar el mode de Inserci\xF3n"_v},
    {39, "\xBF" "Continuar?"_v},
    {40, "\xBF" "Desea ver Incidencias?"_v},
    {41, "Pagina Html no definida"_v},
    {42, "Error en Html Parser/Nav"_v},
    {43, "Html environ initialization Error"_v},
    {44, "DefParms File Load Error"_v},
    {45, "Parsing page Error"_v},
    {46, "Control Command Error"_v},
    {47, "Form Log failure"_v},
    {48, "Query Params Error"_v},
    {49, "Escoja Selecci\xF3n"_v},
    {50, "Sobreescribir?"_v},
    {51, "Confirmaci\xF3n de Transacci\xF3n"_v},
    {52, "No se ha definido ning\xFAn modo de Transacci\xF3n"_v},
    {53, "No se ha definido ninguna tabla de Transacci\xF3n"_v},
    {54, "tabla SQL externa no definida"_v},
    {55, "Datos de Transacci\xF3n necesarios"_v},
    {56, "'Nombre del Archivo:':'A40'"_v},
    {57, "L\xEDmites de Transacci\xF3n"_v},
    {58, "Ventana de Importaci\xF3n"_v},
    {59, "Eliminando %s en %s,Actualizando %s en %s"_v},
    {60, "Todos (%s),%s"_v},
    {61, "Ficheros de Estructura (%s),%s"_v},
    {62, "Ficheros de Pantalla (%s),%s"_v},
    {63, "Ficheros de Plantilla de Impresi\xF3n (%s),%s"_v},
    {64, "Ficheros de Procedimientos (%s),%s"_v},
    {65, "Ficheros de Selecci\xF3n de Aplicaci\xF3n (%s),%s"_v},
    {66, "Ficheros de Men\xFA (%s),%s"_v},
    {67, "Ficheros PDF (%s),%s"_v},
    {68, "Ficheros de Texto (%s),%s"_v},
    {70, "Ayuda"_v},
    {71, "P\xE1ginas de Ayuda"_v},
    {72, "Pagina de Ayuda no definida"_v},
    {73, "Ventana Desconocida %s"_v},
    {74, "Variables y Funciones"_v},
    {75, "Acerca de"_v},
    {77, "AvPag/RePag Disp."_v},
    {80, "(Mayor que),(Menor que), (Igual a),(Desde),(Hasta),(Distinto de)"_v},
    {81, "Captura de Limites de Informe"_v},
    {82, "Selecci\xF3n de Dispositivo"_v},
    {83, "Vel.:,Paridad:,Lineas:,Ancho:,Paso:,Mostrar"_v},
    {84, "No se ha seleccionado nada"_v},
    {85, "Selecci\xF3n de Tabla"_v},
    {86, "Selecci\xF3n de Campos de Limites"_v},
    {87, "Actualizacion Relacional"_v},
    {88, "Selecci\xF3n de Fichero"_v},
    {89, "Relativa,Secuencial,Delimitada,Listado"_v},
    {90, "Acceso a Datos"_v},
    {91, "'Servidor:':'A30'::%s,'Base:':'A30'::%s,'Usuario:':'A30'::%s,'Contrase\xF1" "a:':'P30'::%s,'Recordar (S/N):':'L1'"_v},
    {92, "'Servidor:':'A30'::%s,'Base:':'A30','Usuario:':'A30'::'postgres','Contrase\xF1" "a:':'P30'"_v},
    {93, "'Servidor:':'A30'::%s,'Usuario:':'A30'::'postgres','Contrase\xF1" "a:':'P30'"_v},
    {94, "'Tipo de Actualizaci\xF3n Relacional:':'N1'"_v},
    {95, "'Fichero:':'A255'::'%s','Modo a\xF1" "adir:':'L1'::'1'"_v},
    {96, "Selecci\xF3n de Campos"_v},
    {97, "\xBFSalvar esta Configuraci\xF3n?"_v},
    {98, "Selecci\xF3n de Transacci\xF3n"_v},
    {99, "Expresion de Actualizaci\xF3n"_v},
    {100, "'Expresion de Actualizaci\xF3n:':'A256'"_v},
    {101, "Contados %s registros en %s"_v},
    {110, "'Informes','\tCrear Nuevo,[$]','\tInformes,[$]%APNAME%report.ppn'"_v},
    {111, "'Transacciones','\tExportaciones','\t\tRelativa,[$]4','\t\tSecuencial,[$]20','\t\tDelimitada,[$]52','\t\tListado,[$]16404','\tImportaciones','\t\tRelativa,[$]5','\t\tSecuencial,[$]21','\t\tDelimitada,[$]53','\tInternas','\t\tContador,[$]128','\t\tActualizacion,[$]1','\t\tActualizacion Relacional,[$]3','\t\tDesactualizacion Relacional,[$]11','\t\tAnulacion,[$]8','\tPredefinidas,[$]0'"_v},
    {112, "Un Programa Externo ha terminado con un error %s"_v},
    {113, "'Titulo del Documento:':'A40','Multilinea:':'L1','Evitar en menu:':'L1'"_v},
    {114, "Selection de Informe"_v},
    {115, "Ultima sesion interrumpida. Recuperacion de datos"_v},
    {116, "'Nueva Aplicacion:':'A20'"_v},
    {117, "'Enero,Febrero,Marzo,Abril,Mayo,Junio,Julio,Agosto,Septiembre,Octubre,Noviembre,Diciembre','[D] de [M] de [Y]'"_v},
    {118, "'Carpeta Servidor SQL:':'A50'::'%s','Carpeta LAN:':'A50'::'%s'"_v},
    {119, "'Reorganizacion,Reorg'"_v},
    {120, "'Ayuda','\tAyuda,Help','\tAcerca de,Help About'"_v},
    {121, "Solo se realiz\xF3 la copia del Servidor"_v},
    {130, "Salir,Imprimir,Grabar"_v},
};

}  // namespace

std::span<const CatalogEntry> BuiltinCatalog() { return kCatalog; }

Val BuiltinMessage(uint16_t number) {
  size_t lo = 0, hi = std::size(kCatalog);
  while (lo < hi) {
    size_t mid = (lo + hi) / 2;
    if (kCatalog[mid].number < number) lo = mid + 1;
    else hi = mid;
  }
  return lo < std::size(kCatalog) && kCatalog[lo].number == number ? kCatalog[lo].text : Val();
}

}  // namespace orv
