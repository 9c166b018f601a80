#pragma once

#include "stats/ChartFigures.h"
#include "stats/PlayExport.h"
#include "stats/PlayLogCache.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>
#include <string>

class CZarn2Doc;
class IChartWindow;
class IChartWindowFactory;
class QAction;
class QWidget;

// The play chart command (opens the one chart window, which follows the library's current
// title and is drawn again after every statistics refresh) and the export of every play.
// Both read the logs through one cache. The window comes from its module, loaded the
// first time it is opened; a module that cannot be loaded is named once and the command
// stays disabled.
class CChartCommands : public QObject {
    Q_OBJECT
public:
    struct ExportChoice {
        QString path;
        PlayExport::Format format = PlayExport::Format::Csv;  // the format of the chosen filter
    };
    // Asks where to export; nullopt when the user cancelled.
    using ExportChooser = std::function<std::optional<ExportChoice>(QWidget* parent)>;

    CChartCommands(CZarn2Doc& doc, QWidget* mainWindow, QAction* chartAction);
    ~CChartCommands() override;

    void SetExportChooser(ExportChooser chooser) { m_chooseExport = std::move(chooser); }
    // The module to load (ChartModule::DefaultPath() unless set), or a factory to use
    // instead of loading one.
    void SetModulePath(std::string path) { m_modulePath = std::move(path); }
    void SetWindowFactory(IChartWindowFactory* factory) { m_pFactory = factory; }
    // The chart window, once opened.
    QWidget* Window() const { return m_pWindowWidget; }
    PlayLogCache& Cache() { return m_cache; }

public Q_SLOTS:
    void OnPlayChart();
    void OnExportPlays();
    // After every statistics refresh: the command's state, and the open window drawn again.
    void OnStatisticsUpdated();

private:
    IChartWindowFactory* Factory();

    CZarn2Doc& m_doc;
    QWidget* m_pMainWindow;
    QAction* m_pChartAction;
    PlayLogCache m_cache;
    ChartFigures m_figures;
    std::string m_modulePath;
    IChartWindowFactory* m_pFactory = nullptr;
    bool m_bModuleFailed = false;
    IChartWindow* m_pWindow = nullptr;  // valid while m_pWindowWidget is
    QPointer<QWidget> m_pWindowWidget;  // a child window of the main window once made
    ExportChooser m_chooseExport;
};
