#include "charts/CChartCommands.h"

#include "charts/ChartModule.h"
#include "charts/IChartWindowFactory.h"
#include "library/CZarn2Doc.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
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
      m_figures(doc, m_cache), m_modulePath(ChartModule::DefaultPath()), m_chooseExport(ChooseExportFile)
{
}

CChartCommands::~CChartCommands()
{
    // The window draws from the figures that go with this object.
    delete m_pWindowWidget;
}

IChartWindowFactory* CChartCommands::Factory()
{
    if (m_pFactory == nullptr && !m_bModuleFailed) {
        std::string error;
        m_pFactory = ChartModule::Load(m_modulePath, error);
        if (m_pFactory == nullptr) {
            m_bModuleFailed = true;
            if (m_pChartAction)
                m_pChartAction->setEnabled(false);
            Messenger::Show(Format("プレイ グラフのモジュール<%s>を読み込めませんでした (%s). "
                                   "プレイ グラフは使えません.\n他の機能はそのまま使えます.",
                                   m_modulePath.c_str(), error.c_str()));
        }
    }
    return m_pFactory;
}

void CChartCommands::OnPlayChart()
{
    if (m_pWindowWidget == nullptr) {
        IChartWindowFactory* factory = Factory();
        if (factory == nullptr)
            return;
        m_pWindow = factory->NewWindow(m_figures, m_pMainWindow);
        m_pWindowWidget = m_pWindow->Widget();
    }
    m_figures.Update();
    m_pWindow->Refresh();
    m_pWindowWidget->show();
    m_pWindowWidget->raise();
    m_pWindowWidget->activateWindow();
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
        m_pChartAction->setEnabled(hasGenres && !m_bModuleFailed);
    if (m_pWindowWidget && m_pWindowWidget->isVisible()) {
        m_figures.Update();
        m_pWindow->Refresh();
    }
}
