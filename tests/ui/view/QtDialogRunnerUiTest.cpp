// The library commands running the real editing dialogs through the Qt runner.
#include "commands/CLibraryCommands.h"
#include "dialogs/CDropEdit.h"
#include "dialogs/CGroupDlg.h"
#include "dialogs/CMemberDlg.h"
#include "dialogs/CMemberMoveDlg.h"
#include "support/ProgramFolder.h"
#include "support/ModalDriver.h"
#include "support/RecordingView.h"
#include "view/QtDialogRunner.h"
#include "view/ViewPointers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using Steps = std::vector<std::string>;

class QtDialogRunnerUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void realGenreDialogShownAgainWithTypedName();
    void realTitleDialogForDroppedFile();
    void moveDialogReachesTheLibrary();
};

void QtDialogRunnerUiTest::realGenreDialogShownAgainWithTypedName()
{
    ProgramFolder f;
    f.LoadDoc();
    f.AddGenre("A", 0);
    f.messenger.Clear();
    RecordingView view;
    QtDialogRunner runner(nullptr, &f.app, nullptr, nullptr);
    CLibraryCommands commands(f.doc.get(), &view, &runner, [] { return false; });
    ModalDriver driver;
    driver.Then([](QWidget* w) {
        auto* dlg = qobject_cast<CGroupDlg*>(w);
        QVERIFY(dlg != nullptr);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("ジャンルの作成"));
        QCOMPARE(dlg->m_pName->text(), QStringLiteral("新規ジャンル"));
        QTest::keyClick(dlg->m_pName, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dlg->m_pName, QStringLiteral("A"));
        dlg->m_pWithoutHistory->setChecked(true);
        QTest::mouseClick(dlg->m_pOk, Qt::LeftButton);
    });
    QString again;
    bool withoutHistory = false;
    driver.Then([&](QWidget* w) {
        auto* dlg = qobject_cast<CGroupDlg*>(w);
        QVERIFY(dlg != nullptr);
        again = dlg->m_pName->text();
        withoutHistory = dlg->m_pWithoutHistory->isChecked();
        QTest::mouseClick(dlg->m_pCancel, Qt::LeftButton);
    });
    commands.OnGroupAdd();
    QVERIFY(driver.Done());
    QCOMPARE(again, QStringLiteral("A"));
    QVERIFY(withoutHistory);
    QCOMPARE(f.messenger.messages, std::vector<std::string>{"グループ名 [A] が重複しています."});
    QCOMPARE(f.GroupNames(), std::vector<std::string>{"A"});
}

void QtDialogRunnerUiTest::realTitleDialogForDroppedFile()
{
    ProgramFolder f;
    f.LoadDoc();
    f.AddGenre("G", 0);
    RecordingView view;
    QtDialogRunner runner(nullptr, &f.app, nullptr, nullptr);
    CLibraryCommands commands(f.doc.get(), &view, &runner, [] { return false; });
    ModalDriver driver;
    QStringList seen;
    driver.Then([&](QWidget* w) {
        auto* dlg = qobject_cast<CMemberDlg*>(w);
        QVERIFY(dlg != nullptr);
        seen = {dlg->windowTitle(), dlg->m_pName->text(), dlg->m_pExePath->text(),
                dlg->m_pIconPath->text()};
        QTest::keyClicks(dlg->m_pName, QStringLiteral("Dropped"));
        QTest::mouseClick(dlg->m_pOk, Qt::LeftButton);
    });
    commands.OnDropFiles({"/opt/game/run.exe", "/opt/other"});
    QVERIFY(driver.Done());
    QCOMPARE(seen, (QStringList{QStringLiteral("ジャンル[ G ]へドロップされたタイトルの編集"), QString(),
                                QStringLiteral("/opt/game/run.exe"),
                                QStringLiteral("/opt/game/run.exe")}));
    QCOMPARE(f.MemberNames(), std::vector<std::string>{"Dropped"});
    QCOMPARE(f.doc->CurrMember()->m_szIconPath, std::string("/opt/game/run.exe"));
    QCOMPARE(view.steps, (Steps{"titles", "stats"}));
}

void QtDialogRunnerUiTest::moveDialogReachesTheLibrary()
{
    ProgramFolder f;
    f.LoadDoc();
    f.AddGenre("A", 1);
    f.AddGenre("B", 0);
    RecordingView view;
    QtDialogRunner runner(nullptr, &f.app, nullptr, nullptr);
    CLibraryCommands commands(f.doc.get(), &view, &runner, [] { return false; });
    f.doc->SetCurrGroup(0);
    g_pMoveDoc = nullptr;
    ModalDriver driver;
    driver.Then([](QWidget* w) {
        auto* dlg = qobject_cast<CMemberMoveDlg*>(w);
        QVERIFY(dlg != nullptr);
        QTest::mouseClick(dlg->m_pCancel, Qt::LeftButton);
    });
    commands.OnMemberMove();
    QVERIFY(driver.Done());
    QCOMPARE(g_pMoveDoc, f.doc.get());
    QCOMPARE(f.MemberNames(), std::vector<std::string>{"A-0"});
}

QTEST_MAIN(QtDialogRunnerUiTest)
#include "QtDialogRunnerUiTest.moc"
