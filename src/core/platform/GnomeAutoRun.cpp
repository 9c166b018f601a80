// GIO before anything that may pull in Qt (its "signals" would clash without QT_NO_KEYWORDS).
#include "platform/GioCalls.h"

#include "platform/GnomeAutoRun.h"

#include <cstring>
#include <memory>
#include <utility>

namespace {

// Only ever holds what GIO made, so GIO is there to release it.
struct Unref {
    void operator()(GSettingsSchemaSource* p) const { GioCalls::Get()->settings_schema_source_unref(p); }
    void operator()(GSettingsSchema* p) const { GioCalls::Get()->settings_schema_unref(p); }
    void operator()(GSettingsSchemaKey* p) const { GioCalls::Get()->settings_schema_key_unref(p); }
    void operator()(GSettings* p) const { GioCalls::Get()->object_unref(p); }
    void operator()(GSettingsBackend* p) const { GioCalls::Get()->object_unref(p); }
};
template <typename T>
using GPtr = std::unique_ptr<T, Unref>;

GPtr<GSettingsSchemaSource> OpenSource(const GioCalls& gio, const std::string& schemaDir)
{
    if (schemaDir.empty()) {
        GSettingsSchemaSource* source = gio.settings_schema_source_get_default();
        return GPtr<GSettingsSchemaSource>(source ? gio.settings_schema_source_ref(source) : nullptr);
    }
    GError* error = nullptr;
    GSettingsSchemaSource* source =
        gio.settings_schema_source_new_from_directory(schemaDir.c_str(), nullptr, FALSE, &error);
    if (error)
        g_error_free(error);
    return GPtr<GSettingsSchemaSource>(source);
}

// The settings object for the schema, only when the schema exists and holds the key as a
// boolean (g_settings_new on a missing schema, or reading a key of another type, aborts).
GPtr<GSettings> OpenSettings(const GioCalls& gio, const std::string& schemaDir)
{
    GPtr<GSettingsSchemaSource> source = OpenSource(gio, schemaDir);
    if (!source)
        return nullptr;
    GPtr<GSettingsSchema> schema(gio.settings_schema_source_lookup(source.get(), GnomeAutoRun::kSchemaId, TRUE));
    if (!schema || !gio.settings_schema_has_key(schema.get(), GnomeAutoRun::kKey))
        return nullptr;
    GPtr<GSettingsSchemaKey> key(gio.settings_schema_get_key(schema.get(), GnomeAutoRun::kKey));
    if (!g_variant_type_equal(gio.settings_schema_key_get_value_type(key.get()), G_VARIANT_TYPE_BOOLEAN))
        return nullptr;
    return GPtr<GSettings>(gio.settings_new_full(schema.get(), nullptr, nullptr));
}

// The in-memory store GIO falls back to when no real one is available forgets everything
// at the end of the process: a write there is as good as lost.
bool KeepsValues(const GioCalls& gio, GSettings* settings)
{
    GSettingsBackend* raw = nullptr;
    gio.object_get(settings, "backend", &raw, nullptr);
    GPtr<GSettingsBackend> backend(raw);
    return backend &&
           std::strcmp(gio.type_name_from_instance(reinterpret_cast<GTypeInstance*>(backend.get())),
                       "GMemorySettingsBackend") != 0;
}

}  // namespace

GnomeAutoRun::GnomeAutoRun(std::string schemaDir) : m_schemaDir(std::move(schemaDir)) {}

std::optional<bool> GnomeAutoRun::Read() const
{
    const GioCalls* gio = GioCalls::Get();
    GPtr<GSettings> settings = gio ? OpenSettings(*gio, m_schemaDir) : nullptr;
    if (!settings)
        return std::nullopt;
    return !gio->settings_get_boolean(settings.get(), kKey);
}

bool GnomeAutoRun::Write(bool enabled) const
{
    const GioCalls* gio = GioCalls::Get();
    GPtr<GSettings> settings = gio ? OpenSettings(*gio, m_schemaDir) : nullptr;
    if (!settings || !gio->settings_is_writable(settings.get(), kKey))
        return false;
    const gboolean never = enabled ? FALSE : TRUE;
    if (!gio->settings_set_boolean(settings.get(), kKey, never))
        return false;
    // Wait for the store; a write it could not deliver (no session bus, for one) is
    // dropped, and the value read back is then the old one.
    gio->settings_sync();
    const bool stored = (gio->settings_get_boolean(settings.get(), kKey) != FALSE) == (never != FALSE);
    return stored && KeepsValues(*gio, settings.get());
}
