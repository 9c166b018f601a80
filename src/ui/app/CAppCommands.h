#pragma once

#include <QObject>

class CZarn2App;
class QWidget;

// The application-level commands of the menu and the toolbar: version, help, file
// manager, options, disc tray, install from disc, exit.
class CAppCommands : public QObject {
    Q_OBJECT
public:
    CAppCommands(CZarn2App& app, QWidget* mainWindow);

public Q_SLOTS:
    void OnAppAbout();
    void OnFiler();
    void OnHelp();
    void OnAppExit();
    void OnOptions();

private:
    CZarn2App& m_app;
    QWidget* m_pMainWindow;
};
