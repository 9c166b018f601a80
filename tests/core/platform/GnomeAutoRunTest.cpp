#include <gio/gio.h>

#include "platform/GnomeAutoRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The media-handling schema as GNOME ships it, reduced to the key the launcher uses (or,
// for the failure cases, to something else under the same name).
std::string SchemaXml(const std::string& id, const std::string& keyName, const std::string& type,
                      const std::string& defaultValue)
{
    return "<schemalist><schema id=\"" + id + "\" path=\"/org/gnome/desktop/media-handling/\">"
           "<key name=\"" + keyName + "\" type=\"" + type + "\"><default>" + defaultValue +
           "</default></key></schema></schemalist>\n";
}

// Compiles one schema file into `dir`; false when glib-compile-schemas failed.
bool CompileSchema(const std::string& dir, const std::string& xml, const std::string& id)
{
    std::filesystem::create_directories(dir);
    TempDir::WriteBytes(dir + "/" + id + ".gschema.xml", xml);
    std::string command = "glib-compile-schemas '" + dir + "'";
    return std::system(command.c_str()) == 0;
}

// Settings go to a key file in a private configuration folder, and the default schemas
// include a freshly compiled copy of the media-handling schema. Set up before any test of
// this program touches GIO, which fixes both choices for the rest of the process.
class KeyfileSettingsEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ::setenv("GSETTINGS_BACKEND", "keyfile", 1);
        ::setenv("XDG_CONFIG_HOME", (m_dir / "config").c_str(), 1);
        m_schemaDir = m_dir / "schemas";
        compiled = CompileSchema(m_schemaDir, SchemaXml(GnomeAutoRun::kSchemaId, "autorun-never", "b", "false"),
                                 GnomeAutoRun::kSchemaId);
        ::setenv("GSETTINGS_SCHEMA_DIR", m_schemaDir.c_str(), 1);
        configDir = g_get_user_config_dir();
        keyfile = configDir + "/glib-2.0/settings/keyfile";
    }

    static inline bool compiled = false;
    static inline std::string configDir;
    static inline std::string keyfile;

private:
    TempDir m_dir;
    std::string m_schemaDir;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new KeyfileSettingsEnvironment);

class GnomeAutoRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(KeyfileSettingsEnvironment::compiled) << "glib-compile-schemas failed";
        if (KeyfileSettingsEnvironment::configDir.rfind(std::filesystem::temp_directory_path().string(), 0) != 0)
            GTEST_SKIP() << "GLib fixed its configuration folder before the test set it";
    }
    static std::string Keyfile() { return TempDir::ReadBytes(KeyfileSettingsEnvironment::keyfile); }
};

}  // namespace

TEST_F(GnomeAutoRunTest, WritesAndReadsBackThroughTheKeyfile)
{
    GnomeAutoRun autoRun;
    for (bool enabled : {false, true, true, false}) {
        SCOPED_TRACE(enabled ? "enable" : "disable");
        EXPECT_TRUE(autoRun.Write(enabled));
        EXPECT_EQ(autoRun.Read(), std::optional<bool>(enabled));
        // The stored key is the opposite of "enabled".
        std::string stored = std::string("autorun-never=") + (enabled ? "false" : "true");
        EXPECT_NE(Keyfile().find(stored), std::string::npos) << Keyfile();
        // Another instance (as the next options sheet would make) sees the same value.
        EXPECT_EQ(GnomeAutoRun().Read(), std::optional<bool>(enabled));
    }
}

TEST_F(GnomeAutoRunTest, SchemaOrKeyMissingReadsUnknownAndWritesNothing)
{
    struct Case {
        const char* what;
        std::string id;
        std::string key;
        std::string type;
        std::string value;
    } cases[] = {
        {"schema missing", "org.example.other", "autorun-never", "b", "false"},
        {"key missing", GnomeAutoRun::kSchemaId, "automount", "b", "true"},
        {"key of another type", GnomeAutoRun::kSchemaId, "autorun-never", "s", "'no'"},
    };
    ASSERT_TRUE(GnomeAutoRun().Write(true));
    const std::string before = Keyfile();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        ASSERT_TRUE(CompileSchema(dir.Path(), SchemaXml(c.id, c.key, c.type, c.value), c.id));
        GnomeAutoRun autoRun(dir.Path());
        EXPECT_EQ(autoRun.Read(), std::nullopt);
        EXPECT_FALSE(autoRun.Write(false));
        EXPECT_EQ(Keyfile(), before);
    }
    SCOPED_TRACE("a folder without compiled schemas");
    TempDir empty;
    EXPECT_EQ(GnomeAutoRun(empty.Path()).Read(), std::nullopt);
    EXPECT_FALSE(GnomeAutoRun(empty.Path()).Write(false));
    EXPECT_EQ(Keyfile(), before);
}
