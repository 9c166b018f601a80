#pragma once

#include "stats/PlayExport.h"
#include "stats/PlayLogCache.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class CPlayChartWindow;
class CZarn2Doc;
class QAction;
class QWidget;

// The play chart command (opens the one chart window, which follows the library's current
// title and is drawn again after every statistics refresh) and the export of every play.
// Both read the logs through one cache.
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
    // The chart window, once opened.
    CPlayChartWindow* Window() const;
    PlayLogCache& Cache() { return m_cache; }

public Q_SLOTS:
    void OnPlayChart();
    void OnExportPlays();
    // After every statistics refresh: the command's state, and the open window drawn again.
    void OnStatisticsUpdated();

private:
    CZarn2Doc& m_doc;
    QWidget* m_pMainWindow;
    QAction* m_pChartAction;
    PlayLogCache m_cache;
    QPointer<CPlayChartWindow> m_pWindow;  // a child window of the main window once made
    ExportChooser m_chooseExport;
};
