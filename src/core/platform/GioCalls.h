#pragma once

// GLib's headers come before Qt's.
#include <gio/gio.h>
// gio-unix is not among the build's pkg-config modules; its header sits in its own folder.
#include <gio-unix-2.0/gio/gdesktopappinfo.h>

// The GIO and GObject functions the desktop services of the platform use (the session bus,
// udisks2, GSettings, file metadata, URL handlers), taken from the libraries when one is first needed
// instead of linked: the launcher's start maps and relocates neither library, and one that
// never talks to the desktop never loads them. GLib itself, which Qt uses, is linked.
struct GioCalls {
    decltype(&::g_object_unref) object_unref;
    decltype(&::g_object_get) object_get;
    decltype(&::g_type_name_from_instance) type_name_from_instance;

    decltype(&::g_bus_get) bus_get;
    decltype(&::g_bus_get_finish) bus_get_finish;
    decltype(&::g_bus_get_sync) bus_get_sync;
    decltype(&::g_dbus_connection_new_for_address) dbus_connection_new_for_address;
    decltype(&::g_dbus_connection_new_for_address_finish) dbus_connection_new_for_address_finish;
    decltype(&::g_dbus_connection_call) dbus_connection_call;
    decltype(&::g_dbus_connection_call_finish) dbus_connection_call_finish;
    decltype(&::g_dbus_connection_call_sync) dbus_connection_call_sync;
    decltype(&::g_dbus_connection_flush) dbus_connection_flush;

    decltype(&::g_file_new_for_path) file_new_for_path;
    decltype(&::g_file_set_attribute_string) file_set_attribute_string;

    decltype(&::g_app_info_get_default_for_uri_scheme) app_info_get_default_for_uri_scheme;
    decltype(&::g_app_info_get_id) app_info_get_id;
    decltype(&::g_app_info_launch_default_for_uri) app_info_launch_default_for_uri;
    decltype(&::g_desktop_app_info_get_filename) desktop_app_info_get_filename;

    decltype(&::g_settings_schema_source_get_default) settings_schema_source_get_default;
    decltype(&::g_settings_schema_source_ref) settings_schema_source_ref;
    decltype(&::g_settings_schema_source_unref) settings_schema_source_unref;
    decltype(&::g_settings_schema_source_new_from_directory) settings_schema_source_new_from_directory;
    decltype(&::g_settings_schema_source_lookup) settings_schema_source_lookup;
    decltype(&::g_settings_schema_unref) settings_schema_unref;
    decltype(&::g_settings_schema_has_key) settings_schema_has_key;
    decltype(&::g_settings_schema_get_key) settings_schema_get_key;
    decltype(&::g_settings_schema_key_unref) settings_schema_key_unref;
    decltype(&::g_settings_schema_key_get_value_type) settings_schema_key_get_value_type;
    decltype(&::g_settings_new_full) settings_new_full;
    decltype(&::g_settings_get_boolean) settings_get_boolean;
    decltype(&::g_settings_set_boolean) settings_set_boolean;
    decltype(&::g_settings_is_writable) settings_is_writable;
    decltype(&::g_settings_sync) settings_sync;

    // The functions, loaded at the first call; nullptr when GIO cannot be loaded (the
    // desktop services are then unreachable, as without a bus).
    static const GioCalls* Get();
};
