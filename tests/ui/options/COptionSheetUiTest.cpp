#include "options/COptDrvPage.h"
#include "options/COptionSheet.h"
#include "options/COtherPage.h"
#include "options/CSpinButton.h"
#include "options/CShortCutPage.h"
#include "options/CTimePage.h"
#include "app/CCaretStartEdit.h"
#include "options/IFileChooser.h"
#include "app/Resources.h"
#include "app/CZarn2App.h"
#include "launch/OpticalDriveTable.h"
#include "platform/DesktopShortcut.h"
#include "platform/IAutoRunSetting.h"
#include "support/FakeDriveTable.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <cstdlib>
#include <filesystem>

namespace {

class ScriptedChooser final : public IFileChooser {
public:
    std::optional<QString> OpenFile(QWidget*, const QString& f) override
    {
        filter = f;
        return file;
    }
    std::optional<QString> Folder(QWidget*, const QString& t, const QString&) override
    {
        title = t;
        return folder;
    }
    std::optional<QString> file;
    std::optional<QString> folder;
    QString filter;
    QString title;
};

class FakeAutoRun final : public IAutoRunSetting {
public:
    std::optional<bool> Read() const override { return value; }
    bool Write(bool enabled) const override
    {
        writes.push_back(enabled);
        return true;
    }
    std::optional<bool> value;
    mutable std::vector<bool> writes;
};

}  // namespace

class COptionSheetUiTest : public QObject {
    Q_OBJECT

private:
    TempDir m_home;
    CZarn2App m_app;
    ScriptedChooser m_chooser;
    FakeAutoRun m_autoRun;
    std::unique_ptr<ScriptedMessenger> m_messenger;
    FakeDriveTable m_drives;

    // A sheet with the test's choosers, AutoRun and drive table, shown on the first tab.
    std::unique_ptr<COptionSheet> OpenSheet()
    {
        auto sheet = std::make_unique<COptionSheet>(m_app, nullptr);
        sheet->SetFileChooser(&m_chooser);
        sheet->SetAutoRun(&m_autoRun);
        sheet->SetDriveScanner([] { return OpticalDrives().count; });
        sheet->show();
        return sheet;
    }

private Q_SLOTS:
    void initTestCase()
    {
        Zarn2InitResources();
        // Shortcuts go to a private home, never to the real menus and desktop.
        ::setenv("XDG_DATA_HOME", (m_home / "data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (m_home / "config").c_str(), 1);
        std::filesystem::create_directories(m_home / "config");
        std::filesystem::create_directories(m_home / "Desktop");
        TempDir::WriteBytes(m_home / "config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"" + (m_home / "Desktop") + "\"\n");
        QCOMPARE(QString::fromStdString(DesktopShortcut::DesktopPath()),
                 QString::fromStdString(m_home / "Desktop/Zarn2.desktop"));
    }

    void init()
    {
        m_app = CZarn2App();
        m_app.m_szExePath = m_home / "bin/Zarn2";
        m_app.m_szProgramDir = m_home / "bin";
        m_chooser = ScriptedChooser();
        m_autoRun.value.reset();
        m_autoRun.writes.clear();
        m_messenger = std::make_unique<ScriptedMessenger>();
        m_drives.List({});
    }
    void cleanup() { m_messenger.reset(); }

    void tabsCaptionAndButtons()
    {
        auto sheet = OpenSheet();
        QCOMPARE(sheet->windowTitle(), QStringLiteral("Zarn2 の設定"));
        const QStringList titles = {QStringLiteral("ショートカットの設定"), QStringLiteral("CD/DVD-ROMの設定"),
                                    QStringLiteral("記録設定"), QStringLiteral("その他の設定")};
        QCOMPARE(sheet->Tabs()->count(), titles.size());
        for (int i = 0; i < titles.size(); ++i)
            QCOMPARE(sheet->Tabs()->tabText(i), titles[i]);
        QCOMPARE(sheet->Tabs()->currentIndex(), 0);
        QVERIFY(!sheet->Button(QDialogButtonBox::Apply)->isEnabled());
        QVERIFY(sheet->Button(QDialogButtonBox::Help) != nullptr);
        QCOMPARE(sheet->Button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    }

    void minutesAreClampedAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("99 becomes 15") << "99" << "15";
        QTest::newRow("16 becomes 15") << "16" << "15";
        QTest::newRow("15 stays") << "15" << "15";
        QTest::newRow("7 stays") << "7" << "7";
        QTest::newRow("letters are refused") << "a1b" << "1";
    }
    void minutesAreClampedAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        auto sheet = OpenSheet();
        sheet->Tabs()->setCurrentIndex(2);
        CCaretStartEdit* edit = sheet->TimePage().MinutesEdit();
        edit->clear();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), shown);
    }

    void spinStaysWithinRange()
    {
        m_app.LimitMinite = 1;
        auto sheet = OpenSheet();
        sheet->Tabs()->setCurrentIndex(2);
        CCaretStartEdit* edit = sheet->TimePage().MinutesEdit();
        auto* down = sheet->TimePage().Spin()->findChild<QToolButton*>(QStringLiteral("spinDown"));
        auto* up = sheet->TimePage().Spin()->findChild<QToolButton*>(QStringLiteral("spinUp"));
        QVERIFY(down && up);
        QCOMPARE(edit->text(), QStringLiteral(" 1"));
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(edit->text(), QStringLiteral("0"));
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(edit->text(), QStringLiteral("0"));
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(edit->text(), QStringLiteral("0"));
        edit->setText(QStringLiteral("14"));
        QTest::keyClick(edit, Qt::Key_Up);
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(edit->text(), QStringLiteral("15"));
        sheet->Button(QDialogButtonBox::Ok)->click();
        QCOMPARE(m_app.LimitMinite, 15);
    }

    void focusPutsTheCaretAtTheStart()
    {
        m_app.Filer = "/usr/bin/a-rather-long-file-manager-name";
        auto sheet = OpenSheet();
        sheet->Tabs()->setCurrentIndex(3);
        CCaretStartEdit* edit = sheet->OtherPage().FilerEdit();
        edit->setCursorPosition(10);
        QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &focus);
        QCOMPARE(edit->cursorPosition(), 0);
        QVERIFY(!edit->hasSelectedText());
    }

    void storedMinutesShowAndSurviveOk_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("idleStored");
        QTest::addColumn<QString>("idleShown");  // empty: the idle check is off
        QTest::addColumn<bool>("turnIdleOff");
        QTest::newRow("30 from the file") << 30 << "30" << 30 << "30" << false;
        QTest::newRow("one digit gets a blank, idle check off") << 5 << " 5" << 0 << "" << false;
        QTest::newRow("idle check turned off") << 0 << " 0" << 240 << "240" << true;
    }
    void storedMinutesShowAndSurviveOk()
    {
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(int, idleStored);
        QFETCH(QString, idleShown);
        QFETCH(bool, turnIdleOff);
        m_app.LimitMinite = stored;
        m_app.IdleMinite = idleStored;
        m_app.Minimize = 0;
        m_app.AutoExit = 1;
        auto sheet = OpenSheet();
        sheet->Tabs()->setCurrentIndex(2);
        CTimePage& page = sheet->TimePage();
        QCOMPARE(page.MinutesEdit()->text(), shown);
        QCOMPARE(page.IdleCheck()->isChecked(), !idleShown.isEmpty());
        QCOMPARE(page.IdleMinutesEdit()->isEnabled(), !idleShown.isEmpty());
        if (!idleShown.isEmpty())
            QCOMPARE(page.IdleMinutesEdit()->text(), idleShown);
        QVERIFY(!page.MinimizeCheck()->isChecked());
        QVERIFY(page.AutoExitCheck()->isChecked());
        page.MinimizeCheck()->setChecked(true);
        if (turnIdleOff)
            QTest::keyClick(page.IdleCheck(), Qt::Key_Space);
        sheet->Button(QDialogButtonBox::Ok)->click();
        QCOMPARE(m_app.LimitMinite, stored);
        QCOMPARE(m_app.IdleMinite, turnIdleOff ? 0 : idleStored);
        QCOMPARE(m_app.Minimize, 1);
        QCOMPARE(m_app.AutoExit, 1);
    }

    void unshownPagesApplyNothing()
    {
        m_app.LimitMinite = 99;
        m_app.Minimize = 7;
        m_app.AutoExit = 3;
        m_app.Filer = "thunar";
        m_app.SUBST = "/srv/games";
        auto sheet = OpenSheet();
        sheet->Tabs()->setCurrentIndex(1);
        sheet->Button(QDialogButtonBox::Ok)->click();
        QCOMPARE(sheet->result(), int(QDialog::Accepted));
        QVERIFY(!sheet->TimePage().WasShown());
        QVERIFY(!sheet->OtherPage().WasShown());
        QCOMPARE(m_app.LimitMinite, 99);
        QCOMPARE(m_app.Minimize, 7);
        QCOMPARE(m_app.AutoExit, 3);
        QCOMPARE(m_app.Filer, std::string("thunar"));
        QCOMPARE(m_app.SUBST, std::string("/srv/games"));
        // The drive page was shown: its AutoRun is written even unchanged.
        QCOMPARE(m_autoRun.writes, std::vector<bool>{false});
    }

    void browsersAndCancel()
    {
        m_app.Filer = "thunar";
        m_app.SUBST = "/srv/games";
        m_chooser.file = QStringLiteral("/opt/My Filer/filer.exe");
        m_chooser.folder = QStringLiteral("/home/me/Game Disc");
        auto sheet = OpenSheet();
        sheet->Tabs()->setCurrentIndex(3);
        COtherPage& page = sheet->OtherPage();
        QCOMPARE(page.FilerEdit()->text(), QStringLiteral("thunar"));
        page.FilerBrowse()->click();
        QCOMPARE(page.FilerEdit()->text(), QStringLiteral("/opt/My Filer/filer.exe"));
        QVERIFY(m_chooser.filter.startsWith(QStringLiteral("ファイラー(*.exe);;")));
        QCOMPARE(m_chooser.filter.count(QStringLiteral(";;")), 1);
        page.SubstBrowse()->click();
        QCOMPARE(m_chooser.title, QStringLiteral("割り当てるフォルダを選択して下さい"));
        QCOMPARE(page.SubstEdit()->text(), QStringLiteral("/home/me/Game Disc"));
        sheet->Button(QDialogButtonBox::Cancel)->click();
        QCOMPARE(m_app.SUBST, std::string("/home/me/Game Disc"));  // stored at once
        QCOMPARE(m_app.Filer, std::string("thunar"));             // only on OK
        QVERIFY(m_autoRun.writes.empty());
    }

    void filerWithBlanksIsStoredOnOk()
    {
        m_chooser.file = QStringLiteral("/opt/Program Files/filer");
        auto sheet = OpenSheet();
        sheet->Tabs()->setCurrentIndex(3);
        sheet->OtherPage().FilerBrowse()->click();
        sheet->Button(QDialogButtonBox::Ok)->click();
        QCOMPARE(m_app.Filer, std::string("/opt/Program Files/filer"));
    }

    void textTheSettingsFileCannotHoldIsRefused()
    {
        m_app.Filer = "thunar";
        m_app.SUBST = "/srv/games";
        m_chooser.folder = QStringLiteral("/home/me/\u00e9t\u00e9");  // é: no code page 932 form
        auto sheet = OpenSheet();
        sheet->Tabs()->setCurrentIndex(3);
        COtherPage& page = sheet->OtherPage();
        page.SubstBrowse()->click();
        QCOMPARE(m_messenger->messages.size(), size_t(1));
        QCOMPARE(m_app.SUBST, std::string("/srv/games"));
        QCOMPARE(page.SubstEdit()->text(), QStringLiteral("/srv/games"));

        page.FilerEdit()->setText(QStringLiteral("caf\u00e9"));
        sheet->Tabs()->setCurrentIndex(0);
        sheet->Button(QDialogButtonBox::Ok)->click();
        QCOMPARE(m_messenger->messages.size(), size_t(2));
        QVERIFY(QString::fromStdString(m_messenger->messages[1]).contains(QStringLiteral("[\u00e9]")));
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->Tabs()->currentIndex(), 3);
        QCOMPARE(m_app.Filer, std::string("thunar"));
        QVERIFY(m_autoRun.writes.empty());  // nothing applied while one page refuses
    }

    void browsedPathTheSettingsCannotHoldIsRefused_data()
    {
        const QString longest = QStringLiteral("/") + QString(COtherPage::kMaxPathChars - 1, u'a');
        QTest::addColumn<bool>("filer");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("refused");
        QTest::newRow("filer at the limit") << true << longest << false;
        QTest::newRow("filer one beyond") << true << longest + u'a' << true;
        QTest::newRow("filer not in code page 932") << true << QStringLiteral("/opt/caf\u00e9") << true;
        QTest::newRow("folder one beyond") << false << longest + u'a' << true;
    }
    void browsedPathTheSettingsCannotHoldIsRefused()
    {
        QFETCH(bool, filer);
        QFETCH(QString, path);
        QFETCH(bool, refused);
        m_app.Filer = "thunar";
        m_app.SUBST = "/srv/games";
        (filer ? m_chooser.file : m_chooser.folder) = path;
        auto sheet = OpenSheet();
        sheet->Tabs()->setCurrentIndex(3);
        COtherPage& page = sheet->OtherPage();
        QLineEdit* edit = filer ? page.FilerEdit() : page.SubstEdit();
        const QString before = edit->text();
        (filer ? page.FilerBrowse() : page.SubstBrowse())->click();
        QCOMPARE(m_messenger->messages.size(), size_t(refused ? 1 : 0));
        QCOMPARE(edit->text(), refused ? before : path);
        QCOMPARE(m_app.SUBST, std::string(filer || refused ? "/srv/games" : path.toStdString()));
    }

    void sizeKeptWhicheverTabShows()
    {
        m_drives.List({"/dev/sr0"});
        auto sheet = OpenSheet();
        QVERIFY(QTest::qWaitForWindowExposed(sheet.get()));
        const QSize size = sheet->size();
        const QRect ok = sheet->Button(QDialogButtonBox::Ok)->geometry();
        QCOMPARE(sheet->minimumSize(), sheet->maximumSize());
        for (int tab : {3, 2, 1, 0}) {
            sheet->Tabs()->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            QCOMPARE(sheet->size(), size);
            QCOMPARE(sheet->Button(QDialogButtonBox::Ok)->geometry(), ok);
        }
    }

    void driveChoice_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("choose");
        QTest::addColumn<int>("after");
        QTest::newRow("second drive selected, kept") << 1 << 1 << -2 << 1;
        QTest::newRow("first chosen") << 1 << 1 << 0 << 0;
        QTest::newRow("setting beyond the table selects nothing and stays") << 5 << -1 << -2 << 5;
        QTest::newRow("negative setting selects nothing and stays") << -1 << -1 << -2 << -1;
    }
    void driveChoice()
    {
        QFETCH(int, stored);
        QFETCH(int, shown);
        QFETCH(int, choose);
        QFETCH(int, after);
        m_drives.List({"/dev/sr0", "/dev/sr1"});
        m_app.CdDvdRom = stored;
        auto sheet = OpenSheet();
        sheet->Tabs()->setCurrentIndex(1);
        QComboBox* combo = sheet->DrvPage().DriveCombo();
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("/dev/sr0 を使用する"));
        QCOMPARE(combo->itemText(1), QStringLiteral("/dev/sr1 を使用する"));
        QCOMPARE(combo->currentIndex(), shown);
        if (choose != -2)
            combo->setCurrentIndex(choose);
        sheet->Button(QDialogButtonBox::Ok)->click();
        QCOMPARE(m_app.CdDvdRom, after);
    }

    void noDrivesKeepsTheSetting()
    {
        m_app.CdDvdRom = 1;
        auto sheet = OpenSheet();
        sheet->Tabs()->setCurrentIndex(1);
        QCOMPARE(sheet->DrvPage().DriveCombo()->count(), 0);
        sheet->Button(QDialogButtonBox::Ok)->click();
        QCOMPARE(m_app.CdDvdRom, 1);
    }

    void autoRunBox_data()
    {
        QTest::addColumn<int>("read");  // -1 unknown
        QTest::addColumn<bool>("checked");
        QTest::newRow("enabled") << 1 << true;
        QTest::newRow("disabled") << 0 << false;
        QTest::newRow("no such setting") << -1 << false;
    }
    void autoRunBox()
    {
        QFETCH(int, read);
        QFETCH(bool, checked);
        if (read >= 0)
            m_autoRun.value = read == 1;
        auto sheet = OpenSheet();
        sheet->Tabs()->setCurrentIndex(1);
        QCOMPARE(sheet->DrvPage().AutoRunCheck()->isChecked(), checked);
        sheet->DrvPage().AutoRunCheck()->setChecked(!checked);
        sheet->Button(QDialogButtonBox::Ok)->click();
        QCOMPARE(m_autoRun.writes, std::vector<bool>{!checked});
    }

    void driveTableIsRescannedWhenShown()
    {
        int scans = 0;
        auto sheet = std::make_unique<COptionSheet>(m_app, nullptr);
        sheet->SetAutoRun(&m_autoRun);
        sheet->SetDriveScanner([this, &scans] {
            ++scans;
            m_drives.List({"/dev/sr0"});
            return 1;
        });
        sheet->show();
        QCOMPARE(scans, 0);
        sheet->Tabs()->setCurrentIndex(1);
        sheet->Tabs()->setCurrentIndex(0);
        sheet->Tabs()->setCurrentIndex(1);
        QCOMPARE(scans, 1);
        QCOMPARE(sheet->DrvPage().DriveCombo()->count(), 1);
        sheet->reject();
    }

    void shortcutsFollowTheBoxes()
    {
        const std::string menu = DesktopShortcut::StartMenuPath();
        const std::string desk = DesktopShortcut::DesktopPath();
        std::filesystem::remove_all(m_home / "data/applications");
        TempDir::WriteBytes(desk, "[Desktop Entry]\n");
        {
            auto sheet = OpenSheet();
            CShortCutPage& page = sheet->ShortCutPage();
            QVERIFY(!page.StartMenuCheck()->isChecked());
            QVERIFY(page.DesktopCheck()->isChecked());
            page.StartMenuCheck()->setChecked(true);
            page.DesktopCheck()->setChecked(false);
            sheet->Button(QDialogButtonBox::Ok)->click();
        }
        QVERIFY(!DesktopShortcut::Exists(desk));
        const std::string entry = TempDir::ReadBytes(menu);  // folder made for it
        QVERIFY(entry.find("Exec=\"" + m_app.m_szExePath + "\"\n") != std::string::npos);
        QVERIFY(entry.find("\nPath=") == std::string::npos);  // no working folder
        // The program's icon went into the private icon theme and the entry names it.
        QVERIFY(entry.find("Icon=zarn2\n") != std::string::npos);
        QVERIFY(DesktopShortcut::Exists(m_home / "data/icons/hicolor/64x64/apps/zarn2.png"));
        {
            auto sheet = OpenSheet();
            QVERIFY(sheet->ShortCutPage().StartMenuCheck()->isChecked());
            QVERIFY(!sheet->ShortCutPage().DesktopCheck()->isChecked());
            sheet->ShortCutPage().StartMenuCheck()->setChecked(false);
            sheet->Button(QDialogButtonBox::Cancel)->click();
        }
        QVERIFY(DesktopShortcut::Exists(menu));  // Cancel deletes nothing
    }
};

QTEST_MAIN(COptionSheetUiTest)
#include "COptionSheetUiTest.moc"
