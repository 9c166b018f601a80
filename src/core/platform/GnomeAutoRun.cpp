// GIO before anything that may pull in Qt (its "signals" would clash without QT_NO_KEYWORDS).
#include <gio/gio.h>

#include "platform/GnomeAutoRun.h"

#include <cstring>
#include <memory>
#include <utility>

namespace {

struct Unref {
    void operator()(GSettingsSchemaSource* p) const { g_settings_schema_source_unref(p); }
    void operator()(GSettingsSchema* p) const { g_settings_schema_unref(p); }
    void operator()(GSettingsSchemaKey* p) const { g_settings_schema_key_unref(p); }
    void operator()(GSettings* p) const { g_object_unref(p); }
    void operator()(GSettingsBackend* p) const { g_object_unref(p); }
};
template <typename T>
using GPtr = std::unique_ptr<T, Unref>;

GPtr<GSettingsSchemaSource> OpenSource(const std::string& schemaDir)
{
    if (schemaDir.empty()) {
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        return GPtr<GSettingsSchemaSource>(source ? g_settings_schema_source_ref(source) : nullptr);
    }
    GError* error = nullptr;
    GSettingsSchemaSource* source =
        g_settings_schema_source_new_from_directory(schemaDir.c_str(), nullptr, FALSE, &error);
    if (error)
        g_error_free(error);
    return GPtr<GSettingsSchemaSource>(source);
}

// The settings object for the schema, only when the schema exists and holds the key as a
// boolean (g_settings_new on a missing schema, or reading a key of another type, aborts).
GPtr<GSettings> OpenSettings(const std::string& schemaDir)
{
    GPtr<GSettingsSchemaSource> source = OpenSource(schemaDir);
    if (!source)
        return nullptr;
    GPtr<GSettingsSchema> schema(g_settings_schema_source_lookup(source.get(), GnomeAutoRun::kSchemaId, TRUE));
    if (!schema || !g_settings_schema_has_key(schema.get(), GnomeAutoRun::kKey))
        return nullptr;
    GPtr<GSettingsSchemaKey> key(g_settings_schema_get_key(schema.get(), GnomeAutoRun::kKey));
    if (!g_variant_type_equal(g_settings_schema_key_get_value_type(key.get()), G_VARIANT_TYPE_BOOLEAN))
        return nullptr;
    return GPtr<GSettings>(g_settings_new_full(schema.get(), nullptr, nullptr));
}

// The in-memory store GIO falls back to when no real one is available forgets everything
// at the end of the process: a write there is as good as lost.
bool KeepsValues(GSettings* settings)
{
    GSettingsBackend* raw = nullptr;
    g_object_get(settings, "backend", &raw, nullptr);
    GPtr<GSettingsBackend> backend(raw);
    return backend && std::strcmp(G_OBJECT_TYPE_NAME(backend.get()), "GMemorySettingsBackend") != 0;
}

}  // namespace

GnomeAutoRun::GnomeAutoRun(std::string schemaDir) : m_schemaDir(std::move(schemaDir)) {}

std::optional<bool> GnomeAutoRun::Read() const
{
    GPtr<GSettings> settings = OpenSettings(m_schemaDir);
    if (!settings)
        return std::nullopt;
    return !g_settings_get_boolean(settings.get(), kKey);
}

bool GnomeAutoRun::Write(bool enabled) const
{
    GPtr<GSettings> settings = OpenSettings(m_schemaDir);
    if (!settings || !g_settings_is_writable(settings.get(), kKey))
        return false;
    const gboolean never = enabled ? FALSE : TRUE;
    if (!g_settings_set_boolean(settings.get(), kKey, never))
        return false;
    // Wait for the store; a write it could not deliver (no session bus, for one) is
    // dropped, and the value read back is then the old one.
    g_settings_sync();
    const bool stored = (g_settings_get_boolean(settings.get(), kKey) != FALSE) == (never != FALSE);
    return stored && KeepsValues(settings.get());
}
