#include "import/LutrisGames.h"

#include "import/ImportFiles.h"

#include <sqlite3.h>

#include <memory>

namespace {

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct FinishStatement {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

std::string Text(sqlite3_stmt* statement, int column)
{
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

// Lutris's art beside its database: the cover, else the banner.
std::string CoverOf(const std::string& database, const std::string& slug)
{
    if (slug.empty() || slug.find('/') != std::string::npos)
        return {};
    const std::string folder = database.substr(0, database.rfind('/'));
    for (const char* art : {"/coverart/", "/banners/"}) {
        for (const char* suffix : {".jpg", ".png"}) {
            std::string path = folder + art + slug + suffix;
            if (ImportFiles::IsFile(path))
                return path;
        }
    }
    return {};
}

void Read(const std::string& path, FoundGames& found)
{
    sqlite3* raw = nullptr;
    // Read-only, and never made when missing.
    int result = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    std::unique_ptr<sqlite3, CloseDatabase> db(raw);
    if (result != SQLITE_OK) {
        found.Problem(path, std::string("開けません: ") + (db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(result)));
        return;
    }
    // Lutris may be writing: a short wait, never a long one.
    sqlite3_busy_timeout(db.get(), 200);
    sqlite3_stmt* rawStatement = nullptr;
    result = sqlite3_prepare_v2(db.get(), "SELECT id, name, slug FROM games WHERE installed = 1 ORDER BY id", -1,
                                &rawStatement, nullptr);
    std::unique_ptr<sqlite3_stmt, FinishStatement> statement(rawStatement);
    while (result == SQLITE_OK || result == SQLITE_ROW) {
        result = sqlite3_step(statement.get());
        if (result != SQLITE_ROW)
            break;
        long long id = sqlite3_column_int64(statement.get(), 0);
        std::string name = Text(statement.get(), 1);
        if (id <= 0 || name.empty())
            continue;
        std::string program = "lutris:rungameid/" + std::to_string(id);
        if (!found.HasProgram(program))
            found.games.push_back({name, "Lutris", program, CoverOf(path, Text(statement.get(), 2)), false});
    }
    if (result != SQLITE_DONE)
        found.Problem(path, std::string("Lutris のデータベースとして読めません: ") + sqlite3_errmsg(db.get()));
}

}  // namespace

namespace LutrisGames {

void Find(const std::vector<std::string>& databases, FoundGames& found)
{
    for (const std::string& path : databases) {
        if (ImportFiles::IsFile(path))
            Read(path, found);
    }
}

}  // namespace LutrisGames
