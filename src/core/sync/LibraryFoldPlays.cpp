// The fold's plays: recorded, seen in a log, deleted, changed, cleared.
#include "sync/LibraryFold.h"

#include "platform/Format.h"
#include "sync/LibraryFoldParts.h"

#include <algorithm>

using Journal::Entry;
using Journal::Kind;
using namespace LibraryFoldParts;

// ---- plays ----------------------------------------------------------------------------

void LibraryFold::AddPlay(const Entry& e, int at)
{
    Title* title = SubjectTitle(e, at, false);
    if (title == nullptr)
        return;
    m_subject[static_cast<size_t>(at)].play = e.play;
    bool real = e.kind == Kind::PlayAdd;
    auto found = title->plays.find(e.play);
    // A play only seen in a log is new only when nothing of it is known.
    if (!real && found != title->plays.end()) {
        auto recorded = std::find_if(found->second.adds.begin(), found->second.adds.end(),
                                     [this](int add) { return Recorded(add); });
        if (recorded != found->second.adds.end())
            m_obsoletedBy[static_cast<size_t>(at)] = *recorded;
        return;
    }
    if (!Living(*title, e))
        return;
    if (found == title->plays.end()) {
        PlayState& state = title->plays[e.play];
        state.adds.push_back(at);
        Touched(*title, e);
        return;
    }
    PlayState& state = found->second;
    if (!state.alive && (state.killer < 0 || e.Saw(At(state.killer))))
        return;
    if (std::none_of(state.adds.begin(), state.adds.end(), [this](int add) { return Recorded(add); }))
        for (int seen : state.adds)
            m_obsoletedBy[static_cast<size_t>(seen)] = at;
    state.alive = true;
    state.killer = -1;
    state.replaced = false;
    state.adds.push_back(at);
    Touched(*title, e);
}

void LibraryFold::DeletePlay(const Entry& e, int at)
{
    Title* title = SubjectTitle(e, at, true);
    if (title == nullptr)
        return;
    auto found = title->plays.find(e.play);
    if (found == title->plays.end())
        return;
    PlayState& state = found->second;
    if (state.alive) {
        state.alive = false;
        state.killer = at;
        Touched(*title, e);
        return;
    }
    if (state.replaced && state.killer >= 0 && !e.Saw(At(state.killer))) {
        Tell(e.machine, "play-kept:" + Ref(e),
             Format("%s のプレイ (開始 %s) をこの PC で削除しましたが, 他の PC で変更されていたため, "
                    "変更後のプレイを残しました.",
                    Where(*title).c_str(), Shown(e.play).c_str()));
        Tell(At(state.killer).machine, "play-kept-for:" + Ref(e),
             Format("%s のプレイ (開始 %s) は他の PC で削除されていましたが, この PC で変更したプレイを残しました.",
                    Where(*title).c_str(), Shown(e.play).c_str()));
    }
}

void LibraryFold::ChangePlay(const Entry& e, int at)
{
    Title* title = SubjectTitle(e, at, false);
    if (title == nullptr)
        return;
    if (!Living(*title, e))
        return;
    auto found = title->plays.find(e.play);
    if (found != title->plays.end() && !found->second.alive) {
        PlayState& old = found->second;
        if (old.killer >= 0 && e.Saw(At(old.killer)))
            return;  // its author knew it changed or deleted: nothing left to change
        if (old.replaced) {
            // Changed on two PCs: the later change wins over the current form of the play.
            Play current = old.next;
            for (auto next = title->plays.find(current);
                 next != title->plays.end() && !next->second.alive && next->second.replaced;
                 next = title->plays.find(current))
                current = next->second.next;
            if (auto live = title->plays.find(current); live != title->plays.end() && live->second.alive) {
                live->second.alive = false;
                live->second.killer = at;
                live->second.replaced = true;
                live->second.next = e.changed;
            }
            TellLoser(old.killer, e, Format("%s のプレイ (開始 %s)", Where(*title).c_str(), Shown(e.play).c_str()));
        } else if (old.killer >= 0) {
            Tell(e.machine, "play-changed-kept:" + Ref(e),
                 Format("%s のプレイ (開始 %s) は他の PC で削除されていましたが, この PC で変更したプレイを残しました.",
                        Where(*title).c_str(), Shown(e.play).c_str()));
            Tell(At(old.killer).machine, "play-changed-kept-for:" + Ref(e),
                 Format("%s のプレイ (開始 %s) をこの PC で削除しましたが, 他の PC で変更されていたため, "
                        "変更後のプレイを残しました.",
                        Where(*title).c_str(), Shown(e.play).c_str()));
        }
    } else if (found != title->plays.end()) {
        found->second.alive = false;
        found->second.killer = at;
        found->second.replaced = true;
        found->second.next = e.changed;
    }
    PlayState& now = title->plays[e.changed];
    now.alive = true;
    now.killer = -1;
    now.replaced = false;
    now.adds.push_back(at);
    Touched(*title, e);
}

void LibraryFold::ClearPlays(const Entry& e, int at)
{
    Title* title = SubjectTitle(e, at, true);
    if (title == nullptr)
        return;
    for (auto& [play, state] : title->plays) {
        if (!state.alive)
            continue;
        bool seen = std::all_of(state.adds.begin(), state.adds.end(), [&](int add) { return e.Saw(At(add)); });
        if (seen) {
            state.alive = false;
            state.killer = at;
        }
    }
    Touched(*title, e);
}

