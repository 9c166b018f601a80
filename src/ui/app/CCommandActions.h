#pragma once

#include <QString>

#include <map>

class QAction;
class QObject;

// One action per command id, shared by the main menu, the context menus and the toolbar,
// so that a command's enabled state shows the same everywhere.
class CCommandActions {
public:
    explicit CCommandActions(QObject* owner) : m_pOwner(owner) {}

    // The action of `id`, created with `text` the first time.
    QAction* Add(int id, const QString& text);
    // The action of `id`, or nullptr.
    QAction* Get(int id) const;
    const std::map<int, QAction*>& All() const { return m_actions; }

private:
    QObject* m_pOwner;
    std::map<int, QAction*> m_actions;
};
