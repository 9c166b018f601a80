#include "sync/MachineTable.h"

int MachineTable::Index(const std::string& id)
{
    auto [at, added] = m_index.emplace(id, Count());
    if (added)
        m_names.push_back(id);
    return at->second;
}

int MachineTable::Find(const std::string& id) const
{
    auto at = m_index.find(id);
    return at == m_index.end() ? -1 : at->second;
}
