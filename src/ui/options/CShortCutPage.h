#pragma once

#include "options/COptionPage.h"

#include <QFont>

#include <string>

class CZarn2App;
class QCheckBox;
class QLabel;

// "ショートカットの設定": a launcher entry in the applications menu and on the desktop.
// A checked box writes its entry on every OK; an unchecked one deletes it.
class CShortCutPage : public COptionPage {
    Q_OBJECT
public:
    CShortCutPage(CZarn2App& app, QWidget* parent);

    void OnOK() override;

    QCheckBox* StartMenuCheck() const { return m_pStartMenu; }
    QCheckBox* DesktopCheck() const { return m_pDesktop; }
    const std::string& StartMenuPath() const { return m_szStartMenuPath; }
    const std::string& DesktopPath() const { return m_szDesktopPath; }

protected:
    void OnInitDialog() override;

private:
    CZarn2App* m_pApp;
    QCheckBox* m_pStartMenu;
    QCheckBox* m_pDesktop;
    QLabel* m_pNote;
    QFont m_Font;
    std::string m_szStartMenuPath;
    std::string m_szDesktopPath;
};
