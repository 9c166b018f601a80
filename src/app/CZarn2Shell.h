#pragma once

#include <memory>

class CZarn2App;
class QMainWindow;

// What the start steps create after the application object: the library document, the
// main frame and the view; destroyed (library saved) before the application's teardown.
class CZarn2Shell {
public:
    explicit CZarn2Shell(CZarn2App& app);
    ~CZarn2Shell();

    // Creates and shows the main window; false ends the program.
    bool InitInstance();
    QMainWindow* MainWindow() const { return m_pFrame.get(); }

private:
    CZarn2App& m_app;
    std::unique_ptr<QMainWindow> m_pFrame;
};
