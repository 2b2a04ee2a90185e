// The Spanish string table: the program title, the document strings and
// every message and caption the program shows.

#include "res/es/Tables.h"

namespace zorun::res::es {

namespace {

const StringResource strings[] = {
    {128, u"Zorun\n\nZorun\n\n\nZorun.Document\nDocumento de Zorun"},
    {65009, u"Zorun"},
    {65010, u"Error al escribir el archivo de configuración"},
    {65015, u"El grupo predeterminado no se puede eliminar."},
    {65016, u"Al eliminar el grupo actual se eliminarán todos sus elementos. ¿Seguro que desea "
            u"continuar?"},
    {65017, u"Debe seleccionar un acceso directo de un grupo."},
    {65018, u"Se eliminará el elemento seleccionado. ¿Seguro que desea continuar?"},
    {65019, u"Seleccione primero un acceso directo."},
    {65020, u"El grupo predeterminado no se puede cambiar de nombre."},
    {65021, u"Error del calendario"},
    {65024, u"Error de tareas"},
    {65027, u"Seleccione un icono para el acceso directo."},
    {65032, u"No se puede detener el proceso. Si elige Aceptar, se perderán todos los datos no "
            u"guardados. ¿Desea finalizarlo?"},
    {65033, u"Escriba un nombre para el grupo."},
    {65034, u"El nombre del grupo no puede superar los 256 caracteres."},
    {65035, u"Ya existe un grupo con ese nombre. Elija otro nombre."},
    {65036, u"Escriba un nombre para este acceso directo."},
    {65037, u"Ese archivo no existe. Seleccione otro."},
    {65038, u"Seleccione un archivo ejecutable."},
    {65039, u"Los nombres de programa y de acceso directo no pueden superar los 256 caracteres."},
    {65040, u"Monitor"},
    {65041, u"Editar"},
    {65042, u"Herramientas"},
    {65043, u"Aplicaciones en ejecución"},
    {65044, u"Nombre"},
    {65045, u"Activar"},
    {65046, u"Detener"},
    {65047, u"Detener todo"},
    {65049, u"Nombre"},
    {65050, u"Fecha"},
    {65051, u"Tamaño"},
    {65052, u"Sus grupos y accesos directos se guardaron en:\n%s"},
    {65053, u"No se pueden agregar más grupos."},
    {65054,
     u"No queda espacio para más accesos directos. Elimine primero algunos accesos directos."},
};

} // namespace

extern const std::span<const StringResource> stringTable = strings;

} // namespace zorun::res::es
