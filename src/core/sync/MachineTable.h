#pragma once

#include <map>
#include <string>
#include <vector>

// The machines whose journals a reader has met, numbered in the order first met: the
// numbers stand in for the machine ids inside the fold.
class MachineTable {
public:
    // The number of `id`, given one when it is new.
    int Index(const std::string& id);
    // The number of `id`, or -1 when it was never met.
    int Find(const std::string& id) const;
    const std::string& Name(int index) const { return m_names[static_cast<size_t>(index)]; }
    int Count() const { return static_cast<int>(m_names.size()); }

private:
    std::vector<std::string> m_names;
    std::map<std::string, int> m_index;
};
