#include "app/CCommandActions.h"

#include <QAction>

QAction* CCommandActions::Add(int id, const QString& text)
{
    auto found = m_actions.find(id);
    if (found != m_actions.end())
        return found->second;
    auto* action = new QAction(text, m_pOwner);
    action->setData(id);
    action->setIconVisibleInMenu(false);
    m_actions.emplace(id, action);
    return action;
}

QAction* CCommandActions::Get(int id) const
{
    auto found = m_actions.find(id);
    return found != m_actions.end() ? found->second : nullptr;
}
