#pragma once

#include "options/COptionServices.h"

#include <QDialog>
#include <QDialogButtonBox>

#include <functional>
#include <memory>

class COptDrvPage;
class COptionPage;
class COtherPage;
class CShortCutPage;
class CTimePage;
class CZarn2App;
class GnomeAutoRun;
class QtFileChooser;
class QTabWidget;

// "Zarn2 の設定": the four option pages in tabs. Each page reads the settings when it is
// first shown; OK applies the pages that were shown, Cancel applies nothing (except what
// the drive-assignment folder browser stored at once). Apply is never enabled.
class COptionSheet : public QDialog {
    Q_OBJECT
public:
    COptionSheet(CZarn2App& app, QWidget* parent);
    ~COptionSheet() override;

    // Replacements for tests; set them before the sheet is shown.
    void SetFileChooser(IFileChooser* chooser) { m_services.fileChooser = chooser; }
    void SetAutoRun(const IAutoRunSetting* autoRun) { m_services.autoRun = autoRun; }
    void SetDriveScanner(std::function<int()> scan) { m_services.scanDrives = std::move(scan); }

    QTabWidget* Tabs() const { return m_pTabs; }
    QPushButton* Button(QDialogButtonBox::StandardButton which) const { return m_pButtons->button(which); }
    CShortCutPage& ShortCutPage() const { return *m_pShortCut; }
    COptDrvPage& DrvPage() const { return *m_pDrv; }
    CTimePage& TimePage() const { return *m_pTime; }
    COtherPage& OtherPage() const { return *m_pOther; }

public Q_SLOTS:
    void accept() override;

private:
    void OnHelp();

    CZarn2App& m_app;
    std::unique_ptr<QtFileChooser> m_pFileChooser;
    std::unique_ptr<GnomeAutoRun> m_pAutoRun;
    COptionServices m_services;
    QTabWidget* m_pTabs;
    QDialogButtonBox* m_pButtons;
    CShortCutPage* m_pShortCut;
    COptDrvPage* m_pDrv;
    CTimePage* m_pTime;
    COtherPage* m_pOther;
};
