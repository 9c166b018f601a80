#include "library/WritePlaces.h"

#include "app/CZarn2App.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"

#include <cerrno>

namespace {

using Kind = PendingChange::Kind;

std::string GenreFolder(const CZarn2App& app, const std::string& genre) { return app.m_szDataDir + "/" + genre; }

// A genre's file, and its folder when logs are made, moved or removed in it (a genre renamed
// moves the folder itself, which only its parent's permission governs).
void AddGenre(WritePlaces::Places& places, const CZarn2App& app, const std::string& genre, bool logs = true)
{
    if (logs)
        places.folders.push_back(GenreFolder(app, genre));
    places.files.push_back(GenreFolder(app, genre) + ".Zarn");
}

void AddList(WritePlaces::Places& places, const CZarn2App& app)
{
    places.folders.push_back(FileSystem::FolderOf(app.m_szGroupListPath));
    places.files.push_back(app.m_szGroupListPath);
}

bool Allowed(const std::string& path)
{
    int err = FileSystem::MayWrite(path);
    if (err == 0 || err == ENOENT)
        return true;
    Messenger::Show(Format("ERROR[%d] : <%s>に書き込めないため, 操作を中止しました.\n"
                           "読み取り専用のファイルやフォルダ, 他のユーザーのものでないか確かめて下さい.",
                           err, path.c_str()));
    return false;
}

}  // namespace

namespace WritePlaces {

Places Of(const CZarn2App& app, const PendingChange::Record& record)
{
    Places places{{app.m_szDataDir}, {}};
    const std::vector<std::string>& args = record.args;
    if (args.empty())
        return places;
    AddGenre(places, app, args[0], record.kind != Kind::RenameGroup);
    switch (record.kind) {
    case Kind::MoveMember:
        if (args.size() > 1)
            AddGenre(places, app, args[1]);
        break;
    case Kind::RenameGroup:
    case Kind::DeleteGroup:
        AddList(places, app);
        break;
    case Kind::AddMembers:
        if (args.size() > 1 && args[1] == "1")  // a new genre joins the list
            AddList(places, app);
        break;
    case Kind::RenameMember:
    case Kind::DeleteMember:
    case Kind::DeleteAllMembers:
        break;
    }
    return places;
}

Places OfNewGroup(const CZarn2App& app)
{
    Places places{{app.m_szDataDir}, {}};
    AddList(places, app);
    return places;
}

Places OfNewMember(const CZarn2App& app, const std::string& genre)
{
    Places places{{app.m_szDataDir}, {}};
    AddGenre(places, app, genre);
    return places;
}

bool Allow(const Places& places)
{
    for (const std::vector<std::string>* list : {&places.folders, &places.files}) {
        for (const std::string& path : *list) {
            if (!Allowed(path))
                return false;
        }
    }
    return true;
}

}  // namespace WritePlaces
