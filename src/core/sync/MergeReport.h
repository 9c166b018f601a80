#pragma once

#include <string>
#include <utility>
#include <vector>

// What a pass over the conflict copies could not finish, for one message at its end. A
// copy that stays (unreadable, not of its format, damaged records, entries beyond the
// capacity, a failed write) is named once: the copies named so far are listed in a file of
// the temporary folder, and a later pass names only copies not on that list.
class MergeReport {
public:
    // `shown` names the copy from the home folder; `reason` is one or more sentences.
    void Kept(const std::string& shown, std::string reason);
    // Something done that the user should know of (every note is shown).
    void Note(std::string text);

    // Shows the notes and the copies kept that `namedList` does not hold yet, then makes
    // the list hold exactly the copies kept in this pass (no list when it is empty: every
    // kept copy is named).
    void Show(const std::string& namedList) const;

    // The most copies one message names.
    static constexpr size_t kMaxNamed = 10;

private:
    std::vector<std::pair<std::string, std::string>> m_kept;
    std::vector<std::string> m_notes;
};
