#include "platform/GioCalls.h"

#include <dlfcn.h>

namespace {

// Looks every function up; false when one is missing.
template <class Function>
bool Find(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

bool FindAll(void* library, GioCalls& g)
{
    return Find(library, "g_object_unref", g.object_unref) && Find(library, "g_object_get", g.object_get) &&
           Find(library, "g_type_name_from_instance", g.type_name_from_instance) &&
           Find(library, "g_bus_get", g.bus_get) && Find(library, "g_bus_get_finish", g.bus_get_finish) &&
           Find(library, "g_bus_get_sync", g.bus_get_sync) &&
           Find(library, "g_dbus_connection_new_for_address", g.dbus_connection_new_for_address) &&
           Find(library, "g_dbus_connection_new_for_address_finish", g.dbus_connection_new_for_address_finish) &&
           Find(library, "g_dbus_connection_call", g.dbus_connection_call) &&
           Find(library, "g_dbus_connection_call_finish", g.dbus_connection_call_finish) &&
           Find(library, "g_dbus_connection_call_sync", g.dbus_connection_call_sync) &&
           Find(library, "g_dbus_connection_flush", g.dbus_connection_flush) &&
           Find(library, "g_file_new_for_path", g.file_new_for_path) &&
           Find(library, "g_file_set_attribute_string", g.file_set_attribute_string) &&
           Find(library, "g_app_info_get_default_for_uri_scheme", g.app_info_get_default_for_uri_scheme) &&
           Find(library, "g_app_info_get_id", g.app_info_get_id) &&
           Find(library, "g_app_info_launch_default_for_uri", g.app_info_launch_default_for_uri) &&
           Find(library, "g_desktop_app_info_get_filename", g.desktop_app_info_get_filename) &&
           Find(library, "g_settings_schema_source_get_default", g.settings_schema_source_get_default) &&
           Find(library, "g_settings_schema_source_ref", g.settings_schema_source_ref) &&
           Find(library, "g_settings_schema_source_unref", g.settings_schema_source_unref) &&
           Find(library, "g_settings_schema_source_new_from_directory", g.settings_schema_source_new_from_directory) &&
           Find(library, "g_settings_schema_source_lookup", g.settings_schema_source_lookup) &&
           Find(library, "g_settings_schema_unref", g.settings_schema_unref) &&
           Find(library, "g_settings_schema_has_key", g.settings_schema_has_key) &&
           Find(library, "g_settings_schema_get_key", g.settings_schema_get_key) &&
           Find(library, "g_settings_schema_key_unref", g.settings_schema_key_unref) &&
           Find(library, "g_settings_schema_key_get_value_type", g.settings_schema_key_get_value_type) &&
           Find(library, "g_settings_new_full", g.settings_new_full) &&
           Find(library, "g_settings_get_boolean", g.settings_get_boolean) &&
           Find(library, "g_settings_set_boolean", g.settings_set_boolean) &&
           Find(library, "g_settings_is_writable", g.settings_is_writable) &&
           Find(library, "g_settings_sync", g.settings_sync);
}

const GioCalls* Load()
{
    // Never unloaded: GIO keeps threads and types that outlive any one use.
    void* library = ::dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (library == nullptr)
        return nullptr;
    static GioCalls calls{};
    return FindAll(library, calls) ? &calls : nullptr;
}

}  // namespace

const GioCalls* GioCalls::Get()
{
    static const GioCalls* const calls = Load();
    return calls;
}
