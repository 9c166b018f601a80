#include "charts/CChartCommands.h"

#include "charts/CPlayChartWindow.h"
#include "library/CZarn2Doc.h"
#include "stats/LibraryShape.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

namespace {

// The file dialog of Qt itself, the file name field focused; the filter chosen gives the
// extension added to a name typed without one.
std::optional<CChartCommands::ExportChoice> ChooseExportFile(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("プレイ記録のエクスポート"), QDir::homePath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QString csv = QStringLiteral("CSV (*.csv)");
    dialog.setNameFilters({csv, QStringLiteral("JSON (*.json)")});
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, csv](const QString& filter) {
        dialog.setDefaultSuffix(filter == csv ? QStringLiteral("csv") : QStringLiteral("json"));
    });
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setFocus();
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    auto format = dialog.selectedNameFilter() == csv ? PlayExport::Format::Csv : PlayExport::Format::Json;
    return CChartCommands::ExportChoice{dialog.selectedFiles().front(), format};
}

}  // namespace

CChartCommands::CChartCommands(CZarn2Doc& doc, QWidget* mainWindow, QAction* chartAction)
    : QObject(mainWindow), m_doc(doc), m_pMainWindow(mainWindow), m_pChartAction(chartAction),
      m_chooseExport(ChooseExportFile)
{
}

CChartCommands::~CChartCommands()
{
    // The window reads through the cache that goes with this object.
    delete m_pWindow;
}

CPlayChartWindow* CChartCommands::Window() const
{
    return m_pWindow;
}

void CChartCommands::OnPlayChart()
{
    if (m_pWindow == nullptr)
        m_pWindow = new CPlayChartWindow(m_doc, m_cache, m_pMainWindow);
    m_pWindow->Refresh();
    m_pWindow->show();
    m_pWindow->raise();
    m_pWindow->activateWindow();
}

void CChartCommands::OnExportPlays()
{
    std::optional<ExportChoice> choice = m_chooseExport(m_pMainWindow);
    if (!choice)
        return;
    std::string path = QDir::toNativeSeparators(choice->path).toStdString();
    PlayExport::Run(path, PlayExport::FormatFor(path, choice->format), LibraryShape::Of(m_doc), m_cache);
}

void CChartCommands::OnStatisticsUpdated()
{
    // The library has genres (counted without the checks' messages: the refresh that
    // called here has run them).
    bool hasGenres = m_doc.m_nGroupCount > 0 && m_doc.m_nGroupCount <= CZarn2Doc::kMaxGroups;
    if (m_pChartAction)
        m_pChartAction->setEnabled(hasGenres);
    if (m_pWindow && m_pWindow->isVisible())
        m_pWindow->Refresh();
}
