#pragma once

#include "platform/IAutoRunSetting.h"

#include <optional>
#include <string>

// AutoRun of removable media as GNOME keeps it: the boolean "autorun-never" of the
// settings schema "org.gnome.desktop.media-handling", read and written through GIO.
// The schema and its key are looked up before any settings object is made, so a machine
// without them is simply "unknown" (reading) or "nothing written" (writing).
class GnomeAutoRun final : public IAutoRunSetting {
public:
    static constexpr const char* kSchemaId = "org.gnome.desktop.media-handling";
    static constexpr const char* kKey = "autorun-never";

    // `schemaDir` empty: the schemas installed on the machine (and GSETTINGS_SCHEMA_DIR).
    // Otherwise only the compiled schemas of that folder are consulted.
    explicit GnomeAutoRun(std::string schemaDir = {});

    // Whether AutoRun is enabled (autorun-never false); nullopt when the schema or the key
    // is missing.
    std::optional<bool> Read() const override;

    // Sets autorun-never = !enabled and waits for the write to reach the store. True only
    // when the value read back afterwards is the one written and the store keeps it beyond
    // this process; a missing schema or key writes nothing and returns false.
    bool Write(bool enabled) const override;

private:
    std::string m_schemaDir;
};
