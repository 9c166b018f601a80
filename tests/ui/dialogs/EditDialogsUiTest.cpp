// The title and genre dialogs and the path fields that take dropped files.
#include "app/CZarn2App.h"
#include "dialogs/CDropEdit.h"
#include "dialogs/CGroupDlg.h"
#include "dialogs/CImportGamesDlg.h"
#include "dialogs/CImportPlaysDlg.h"
#include "dialogs/CMemberDlg.h"
#include "dialogs/CPlayDlg.h"
#include "dialogs/CPlayLogDlg.h"
#include "history/PlayLogEdit.h"
#include "support/FakeClock.h"
#include "support/FakeUrlHandlers.h"
#include "support/ModalDriver.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedMessenger.h"
#include "support/ScriptedShellOpen.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QDateTimeEdit>
#include <QSpinBox>
#include <QTreeView>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// The file chooser seam: records the filters it was given and answers `answer`.
struct ChooserScript {
    QString answer;
    QStringList filters;
    int calls = 0;
    CMemberDlg::FileChooser Chooser()
    {
        return [this](QWidget*, const QStringList& f) {
            ++calls;
            filters = f;
            return answer;
        };
    }
};

std::string Std(const QString& text) { return text.toStdString(); }

}  // namespace

class EditDialogsUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void memberValidationStopsAtFirstEmptyField_data();
    void memberValidationStopsAtFirstEmptyField();
    void memberSetDataFillsControls();
    void memberShownAgainWithLastConfirmedValues();
    void browseExecutableFillsIconOnlyWhenEmpty_data();
    void browseExecutableFillsIconOnlyWhenEmpty();
    void browseIconAndCancelledChooser();
    void filerButtonOpensTheSettingsFiler();
    void memberLayoutFromDialogUnits();
    void dropTakesFirstLocalFileOrAUrlTheDesktopOpens_data();
    void dropTakesFirstLocalFileOrAUrlTheDesktopOpens();
    void desktopEntrySuggestsTheName_data();
    void desktopEntrySuggestsTheName();
    void dropEventReplacesWholeText();
    void groupDialogRoundTrip();
    void groupNameFieldNotAllSelectedOnFocus();
    void playLogDialogFlow();
    void importDialogShowsTheNamesOfTheTickedGames();
    void importDialogsShowTheirWholeTexts();
};

void EditDialogsUiTest::memberValidationStopsAtFirstEmptyField_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("message");  // empty: accepted
    QTest::newRow("all empty") << "" << "" << "" << "タイトル名が入力されていません.";
    QTest::newRow("no name") << "" << "/g" << "/i" << "タイトル名が入力されていません.";
    QTest::newRow("no exe") << "Game" << "" << "" << "ゲームパスが入力されていません.";
    QTest::newRow("no icon") << "Game" << "/g" << "" << "アイコンパスが入力されていません.";
    QTest::newRow("spaces are a name") << "  " << "/g" << "/i" << "";
    QTest::newRow("complete") << "Game" << "/g" << "/i" << "";
}

void EditDialogsUiTest::memberValidationStopsAtFirstEmptyField()
{
    QFETCH(QString, name);
    QFETCH(QString, exe);
    QFETCH(QString, icon);
    QFETCH(QString, message);
    ScriptedMessenger messenger;
    CMemberDlg dlg(nullptr);
    dlg.SetData("cap", "", "", "", 1, 0);
    dlg.InitDialog();
    dlg.setModal(true);
    dlg.show();
    dlg.m_pName->setText(name);
    dlg.m_pExePath->setText(exe);
    dlg.m_pIconPath->setText(icon);
    dlg.m_pManual->setChecked(true);
    dlg.m_pUseMedia->setChecked(true);
    QTest::mouseClick(dlg.m_pOk, Qt::LeftButton);

    if (message.isEmpty()) {
        QVERIFY(messenger.messages.empty());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(!dlg.isVisible());
    } else {
        QCOMPARE(messenger.messages.size(), size_t(1));
        QCOMPARE(QString::fromStdString(messenger.messages[0]), message);
        QVERIFY(dlg.isVisible());  // stays open with the user's entries
        QCOMPARE(dlg.m_pName->text(), name);
    }
    // The controls were read either way.
    QCOMPARE(dlg.m_szName, Std(name));
    QCOMPARE(dlg.m_szExePath, Std(exe));
    QCOMPARE(dlg.m_nAutoTiming, 0);
    QCOMPARE(dlg.m_nUseMedia, 1);
}

void EditDialogsUiTest::memberSetDataFillsControls()
{
    CMemberDlg dlg(nullptr);
    dlg.SetData("タイトル[ X ]の編集", "X", "/a/x.exe", "/a/x.ico", 0, 1);
    dlg.InitDialog();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("タイトル[ X ]の編集"));
    QCOMPARE(dlg.m_pName->text(), QStringLiteral("X"));
    QCOMPARE(dlg.m_pExePath->text(), QStringLiteral("/a/x.exe"));
    QCOMPARE(dlg.m_pIconPath->text(), QStringLiteral("/a/x.ico"));
    QVERIFY(dlg.m_pManual->isChecked());
    QVERIFY(!dlg.m_pAuto->isChecked());
    QVERIFY(dlg.m_pUseMedia->isChecked());

    dlg.SetData("c", "", "", "", 1, 0);
    dlg.InitDialog();
    QVERIFY(dlg.m_pAuto->isChecked());
    QVERIFY(!dlg.m_pUseMedia->isChecked());
}

void EditDialogsUiTest::memberShownAgainWithLastConfirmedValues()
{
    ScriptedMessenger messenger;
    CMemberDlg dlg(nullptr);
    dlg.SetData("c", "", "/p", "/p", 1, 0);
    ModalDriver driver;
    driver.Then([&](QWidget*) {
        dlg.m_pName->setText(QStringLiteral("Typed"));
        dlg.m_pAuto->setChecked(false);
        dlg.m_pManual->setChecked(true);
        dlg.m_pOk->click();
    });
    QString shownAgain;
    bool manualAgain = false;
    driver.Then([&](QWidget*) {
        shownAgain = dlg.m_pName->text();
        manualAgain = dlg.m_pManual->isChecked();
        dlg.m_pCancel->click();
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
    QCOMPARE(shownAgain, QStringLiteral("Typed"));
    QVERIFY(manualAgain);
    QVERIFY(driver.Done());
}

void EditDialogsUiTest::browseExecutableFillsIconOnlyWhenEmpty_data()
{
    QTest::addColumn<QString>("iconBefore");
    QTest::addColumn<QString>("iconAfter");
    QTest::newRow("icon empty") << "" << "/games/run.exe";
    QTest::newRow("icon set") << "/icons/a.ico" << "/icons/a.ico";
}

void EditDialogsUiTest::browseExecutableFillsIconOnlyWhenEmpty()
{
    QFETCH(QString, iconBefore);
    QFETCH(QString, iconAfter);
    ChooserScript script{QStringLiteral("/games/run.exe")};
    CMemberDlg dlg(nullptr);
    dlg.SetFileChooser(script.Chooser());
    dlg.m_pIconPath->setText(iconBefore);
    QTest::mouseClick(dlg.m_pBrowseExe, Qt::LeftButton);
    QCOMPARE(dlg.m_pExePath->text(), QStringLiteral("/games/run.exe"));
    QCOMPARE(dlg.m_pIconPath->text(), iconAfter);
    QCOMPARE(script.filters, CMemberDlg::ExeFilters());
}

void EditDialogsUiTest::browseIconAndCancelledChooser()
{
    ChooserScript script{QStringLiteral("/icons/b.ico")};
    CMemberDlg dlg(nullptr);
    dlg.SetFileChooser(script.Chooser());
    dlg.m_pExePath->setText(QStringLiteral("/g"));
    QTest::mouseClick(dlg.m_pBrowseIcon, Qt::LeftButton);
    QCOMPARE(dlg.m_pIconPath->text(), QStringLiteral("/icons/b.ico"));
    QCOMPARE(dlg.m_pExePath->text(), QStringLiteral("/g"));
    QCOMPARE(script.filters, CMemberDlg::IconFilters());

    script.answer.clear();  // cancelled: nothing changes
    QTest::mouseClick(dlg.m_pBrowseExe, Qt::LeftButton);
    QTest::mouseClick(dlg.m_pBrowseIcon, Qt::LeftButton);
    QCOMPARE(dlg.m_pExePath->text(), QStringLiteral("/g"));
    QCOMPARE(dlg.m_pIconPath->text(), QStringLiteral("/icons/b.ico"));

    // The named filters first, every file last.
    QVERIFY(CMemberDlg::ExeFilters().first().startsWith(QStringLiteral("ゲームタイトル(*.exe) ")));
    QVERIFY(CMemberDlg::IconFilters().first().startsWith(QStringLiteral("アイコン(*.ico,*.exe) ")));
    QVERIFY(CMemberDlg::ExeFilters().last().endsWith(QStringLiteral("(*)")));
}

void EditDialogsUiTest::filerButtonOpensTheSettingsFiler()
{
    ScriptedShellOpen shell;
    CZarn2App app;
    app.Filer = "nautilus";
    CMemberDlg dlg(&app);
    QTest::mouseClick(dlg.m_pFiler, Qt::LeftButton);
    QCOMPARE(shell.calls, std::vector<std::string>{"nautilus|"});
}

void EditDialogsUiTest::memberLayoutFromDialogUnits()
{
    CMemberDlg dlg(nullptr);
    if (dlg.logicalDpiX() != 96)
        QSKIP("layout numbers are for a 96 dpi screen");
    // 322 x 161 units; OK at 174,132 60x16; x * 6 / 4, y * 13 / 8, halves rounded up.
    QCOMPARE(dlg.size(), QSize(483, 262));
    QCOMPARE(dlg.m_pOk->geometry(), QRect(261, 215, 90, 26));
    QCOMPARE(dlg.m_pExePath->geometry(), QRect(18, 117, 222, 20));
    QVERIFY(dlg.m_pOk->isDefault());
    QCOMPARE(dlg.m_pFiler->text(), QStringLiteral("ファイラー起動"));
    QCOMPARE(dlg.m_pOk->font().pointSizeF(), 10.0);
    QCOMPARE(dlg.m_pBrowseExe->font().pointSizeF(), 8.0);
}

void EditDialogsUiTest::dropTakesFirstLocalFileOrAUrlTheDesktopOpens_data()
{
    QTest::addColumn<QStringList>("urls");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("three files") << QStringList{u"file:///a/one.exe"_s, u"file:///b/two.exe"_s, u"file:///c/3"_s}
                                 << u""_s << "/a/one.exe";
    QTest::newRow("remote first") << QStringList{u"https://x.org/f"_s, u"file:///home/u/g.exe"_s} << u""_s
                                  << "/home/u/g.exe";
    QTest::newRow("no handler for the URL") << QStringList{u"https://x.org/f"_s} << u""_s << u""_s;
    QTest::newRow("japanese path") << QStringList{u"file:///ゲーム/起動.exe"_s} << u""_s << u"/ゲーム/起動.exe"_s;
    QTest::newRow("URL its handler opens") << QStringList{u"https://x.org/f"_s, u"steam://rungameid/10"_s} << u""_s
                                           << u"steam://rungameid/10"_s;
    QTest::newRow("URL as text") << QStringList{} << u" lutris:rungameid/3\n"_s << u"lutris:rungameid/3"_s;
    QTest::newRow("text that is no URL") << QStringList{} << u"steam: not a link"_s << u""_s;
    QTest::newRow("plain text") << QStringList{} << u"plain"_s << u""_s;
}

void EditDialogsUiTest::dropTakesFirstLocalFileOrAUrlTheDesktopOpens()
{
    QFETCH(QStringList, urls);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    FakeUrlHandlers handlers;
    handlers.handlers["steam"] = {"steam.desktop", ""};
    handlers.handlers["lutris"] = {"lutris.desktop", ""};
    QMimeData data;
    QList<QUrl> list;
    for (const QString& u : urls)
        list.append(QUrl(u));
    if (!list.isEmpty())
        data.setUrls(list);
    if (!text.isEmpty())
        data.setText(text);
    QCOMPARE(CDropEdit::FirstProgram(&data), expected);
}

// A desktop entry as the program names the title, when no name was typed.
void EditDialogsUiTest::desktopEntrySuggestsTheName_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::newRow("japanese name") << u"Name=Mines\nName[ja]=マインズ"_s << u""_s << u"マインズ"_s;
    QTest::newRow("plain name") << u"Name=Mines\nName[de]=Minen"_s << u""_s << u"Mines"_s;
    QTest::newRow("typed name kept") << u"Name=Mines"_s << u"My mines"_s << u"My mines"_s;
    QTest::newRow("not an entry") << u""_s << u""_s << u""_s;
}

void EditDialogsUiTest::desktopEntrySuggestsTheName()
{
    QFETCH(QString, keys);
    QFETCH(QString, typed);
    QFETCH(QString, name);
    TempDir dir;
    const std::string entry = dir / "mines.desktop";
    TempDir::WriteBytes(entry, keys.isEmpty() ? "text" : "[Desktop Entry]\nType=Application\nExec=x\n" + Std(keys));
    // Set at the start (a file dropped on the main window), chosen, dropped on the field and
    // typed into it.
    CMemberDlg started(nullptr);
    started.SetData("c", Std(typed), entry, entry, 1, 0);
    started.InitDialog();
    QCOMPARE(started.m_pName->text(), name);

    ChooserScript script{QString::fromStdString(entry)};
    CMemberDlg chosen(nullptr);
    chosen.SetFileChooser(script.Chooser());
    chosen.m_pName->setText(typed);
    QTest::mouseClick(chosen.m_pBrowseExe, Qt::LeftButton);
    QCOMPARE(chosen.m_pName->text(), name);

    // Drops reach a field only through the drag manager: the field's text and signal as a
    // drop leaves them.
    CMemberDlg dropped(nullptr);
    dropped.m_pName->setText(typed);
    dropped.m_pExePath->setText(QString::fromStdString(entry));
    Q_EMIT dropped.m_pExePath->Dropped();
    QCOMPARE(dropped.m_pName->text(), name);

    // Typed: once the field loses the focus (or Return is pressed in it).
    CMemberDlg typedIn(nullptr);
    typedIn.m_pName->setText(typed);
    QTest::keyClicks(typedIn.m_pExePath, QString::fromStdString(entry));
    QCOMPARE(typedIn.m_pName->text(), typed);
    Q_EMIT typedIn.m_pExePath->editingFinished();
    QCOMPARE(typedIn.m_pName->text(), name);
}

void EditDialogsUiTest::dropEventReplacesWholeText()
{
    // Drops reach a field only through the drag manager: call the handlers directly.
    struct Field : CDropEdit {
        using CDropEdit::dragEnterEvent;
        using CDropEdit::dropEvent;
    } edit;
    edit.setText(QStringLiteral("old text"));
    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("file:///x/first.exe")), QUrl(QStringLiteral("file:///y/2.exe"))});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    edit.dragEnterEvent(&enter);
    QVERIFY(enter.isAccepted());
    edit.dropEvent(&drop);
    QCOMPARE(edit.text(), QStringLiteral("/x/first.exe"));

    QMimeData textOnly;
    textOnly.setText(QStringLiteral("plain"));
    QDropEvent refused(QPointF(5, 5), Qt::CopyAction, &textOnly, Qt::LeftButton, Qt::NoModifier);
    QDragEnterEvent refusedEnter(QPoint(5, 5), Qt::CopyAction, &textOnly, Qt::LeftButton,
                                 Qt::NoModifier);
    edit.dragEnterEvent(&refusedEnter);
    QVERIFY(!refusedEnter.isAccepted());
    edit.dropEvent(&refused);
    QCOMPARE(edit.text(), QStringLiteral("/x/first.exe"));
    QVERIFY(edit.acceptDrops());
}

void EditDialogsUiTest::groupDialogRoundTrip()
{
    CGroupDlg dlg;
    dlg.m_szCaption = "ジャンルの編集";
    dlg.m_szName = "RPG";
    dlg.m_nPlayMode = 1;
    ModalDriver driver;
    driver.Then([&](QWidget*) {
        QCOMPARE(dlg.windowTitle(), QStringLiteral("ジャンルの編集"));
        QCOMPARE(dlg.m_pName->text(), QStringLiteral("RPG"));
        QVERIFY(dlg.m_pWithoutHistory->isChecked());
        dlg.m_pWithHistory->setChecked(true);
        dlg.m_pOk->click();
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QCOMPARE(dlg.m_szName, std::string("RPG"));  // no validation, name unchanged
    QCOMPARE(dlg.m_nPlayMode, 0);

    driver.Then([&](QWidget*) {
        dlg.m_pName->clear();
        dlg.m_pOk->click();
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));  // an empty name is the caller's business
    QCOMPARE(dlg.m_szName, std::string());
}

void EditDialogsUiTest::groupNameFieldNotAllSelectedOnFocus()
{
    CGroupDlg dlg;
    dlg.m_szName = "新規ジャンル";
    dlg.InitDialog();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.m_pOk->setFocus(Qt::OtherFocusReason);
    dlg.m_pName->setFocus(Qt::TabFocusReason);
    QVERIFY(dlg.m_pName->hasFocus());
    QVERIFY(!dlg.m_pName->hasSelectedText());
    QCOMPARE(dlg.m_pName->text(), QStringLiteral("新規ジャンル"));
}

// The play log dialog edits only its edit: a play changed and added in the play dialog (a
// start in the future refused, an overlap asked about), plays deleted with the Delete key,
// and Cancel and Esc asking while changes are pending.
void EditDialogsUiTest::playLogDialogFlow()
{
    FakeClock clock;  // 2009/03/07 21:05:09
    ScriptedMessenger messenger;
    PlayLogEdit edit(RawPlayLog::Split("2009/03/01,10:00:00\r\n60\r\n2009/03/02,10:00:00\r\n60\r\n"
                                       "2009/03/03,10:00:00\r\n60\r\n"));
    CPlayLogDlg dlg(edit);
    auto rows = [&dlg] {
        QStringList texts;
        for (int row = 0; row < dlg.m_pList->model()->rowCount(); ++row)
            texts << dlg.m_pList->model()->index(row, 0).data().toString() + u" "_s +
                         dlg.m_pList->model()->index(row, 1).data().toString();
        return texts;
    };
    auto setStart = [](QWidget* play, QDateTime start) {
        static_cast<CPlayDlg*>(play)->m_pStart->setDateTime(start);
    };
    ModalDriver driver;
    driver.Then([&](QWidget*) {
        QCOMPARE(dlg.SelectedRows(), std::vector<int>{1});
        QVERIFY(dlg.m_pChange->isEnabled());
        dlg.m_pChange->click();
        QCOMPARE(rows(), (QStringList{u"2009/03/01 10:00:00 0:01:00"_s, u"2009/03/02 10:00:00 2:01:05"_s,
                                      u"2009/03/03 10:00:00 0:01:00"_s}));
        messenger.AnswerNext(false);
        dlg.m_pAdd->click();
        QCOMPARE(messenger.messages, std::vector<std::string>{"開始日時が現在より後です. 現在までの日時にして下さい."});
        QCOMPARE(messenger.questions, std::vector<std::string>{"ほかのプレイと時間が重なっています. 記録しますか ?"});
        QCOMPARE(dlg.SelectedRows(), std::vector<int>{0});  // the added play, in its place
        QCOMPARE(rows().first(), u"2009/02/28 23:30:00 1:00:00"_s);

        dlg.Select({1, 3});
        QVERIFY(!dlg.m_pChange->isEnabled());
        QTest::keyClick(dlg.m_pList, Qt::Key_Delete);
        QCOMPARE(rows(), (QStringList{u"2009/02/28 23:30:00 1:00:00"_s, u"2009/03/02 10:00:00 2:01:05"_s}));

        messenger.Clear();
        messenger.AnswerNext(false);
        dlg.m_pCancel->click();
        QVERIFY(dlg.isVisible());
        messenger.AnswerNext(true);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QCOMPARE(messenger.questions.size(), size_t(2));
    });
    driver.Then([&](QWidget* play) {
        auto* p = static_cast<CPlayDlg*>(play);
        QCOMPARE(p->windowTitle(), u"プレイ"_s);
        QCOMPARE(p->m_pStart->dateTime().toString(u"yyyy/MM/dd HH:mm:ss"_s), u"2009/03/02 10:00:00"_s);
        p->m_pHours->setValue(2);
        p->m_pSeconds->setValue(5);
        p->m_pOk->click();
    });
    driver.Then([&](QWidget* play) {
        auto* p = static_cast<CPlayDlg*>(play);
        QCOMPARE(p->m_pStart->dateTime().toString(u"yyyy/MM/dd HH:mm:ss"_s), u"2009/03/07 21:05:09"_s);
        setStart(play, QDateTime(QDate(2009, 3, 7), QTime(21, 5, 10), Qt::UTC));
        p->m_pOk->click();  // refused: later than now
        setStart(play, QDateTime(QDate(2009, 3, 1), QTime(9, 30), Qt::UTC));
        p->m_pHours->setValue(1);
        p->m_pOk->click();  // overlaps the first play: the user answers No
        QVERIFY(p->isVisible());
        setStart(play, QDateTime(QDate(2009, 2, 28), QTime(23, 30), Qt::UTC));
        p->m_pOk->click();
    });
    dlg.Select({1});
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
    QVERIFY(driver.Done());
    QVERIFY(edit.Changed());  // the caller writes nothing after a rejection
}

namespace {

// Whether a label shows its whole text on its one line, or its cut text with the whole of
// it in the tooltip.
bool ShowsWhole(const QLabel* label, const QString& whole)
{
    const bool fits = label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
    return fits && (label->text() == whole || label->toolTip() == whole);
}

}  // namespace

// A registered game cannot be ticked; OK waits for a game that will be registered and a
// genre that can take it; the names shown are the plan's, changed ones marked.
void EditDialogsUiTest::importDialogShowsTheNamesOfTheTickedGames()
{
    ProgramFolder f;
    f.Build([](CZarn2Doc& doc) {
        ProgramFolder::AddGenre(doc, "G", 0);
        doc.AddMember("Portal", "steam://rungameid/400", "", 1, 0);
    });
    CZarn2Doc& doc = f.LoadDoc();
    FoundGames found;
    found.games = {{"Portal", "Steam", "steam://rungameid/400", "", false},
                   {"Half-Life: Alyx", "Steam", "steam://rungameid/1", "", false},
                   {"Mines", "デスクトップ", "/usr/share/applications/mines.desktop", "mines", true}};
    found.Problem("/home/u/.steam/steam/steamapps/appmanifest_5.acf", "壊れています");
    GameImport import(doc, found);
    CImportGamesDlg dlg(import, {{}, "G", false});
    QTreeWidget* list = dlg.m_pList;
    QVERIFY(!(list->topLevelItem(0)->flags() & Qt::ItemIsEnabled));
    QVERIFY(list->topLevelItem(0)->text(CImportGamesDlg::kRegistered).startsWith(u"登録済み"_s));
    QVERIFY(!dlg.m_pOk->isEnabled());
    QVERIFY(dlg.m_pProblems->toPlainText().contains(u"appmanifest_5.acf : 壊れています"_s));

    list->topLevelItem(1)->setCheckState(CImportGamesDlg::kGame, Qt::Checked);
    QVERIFY(dlg.m_pOk->isEnabled());
    QCOMPARE(list->topLevelItem(1)->text(CImportGamesDlg::kRegistered), u"Half-Life： Alyx *"_s);
    QVERIFY(!list->topLevelItem(1)->toolTip(CImportGamesDlg::kRegistered).isEmpty());

    dlg.m_pGenre->setCurrentIndex(dlg.m_pGenre->count() - 1);  // a new genre
    dlg.m_pNewGenre->setText(u"a/b"_s);
    QVERIFY(!dlg.m_pOk->isEnabled());
    QVERIFY(!dlg.m_pGenreProblem->text().isEmpty());
    dlg.m_pNewGenre->setText(u"Steam"_s);
    dlg.TickAll(true);
    QVERIFY(dlg.m_pOk->isEnabled());
    ImportChoice choice = dlg.Choice();
    QCOMPARE(choice.ticked, (std::vector<int>{1, 2}));
    QVERIFY(choice.newGenre);
    QCOMPARE(choice.genre, std::string("Steam"));
    QCOMPARE(choice.shown, import.Plan(choice));
    if (qEnvironmentVariableIsSet("ZARN2_SHOT"))
        dlg.grab().save(qEnvironmentVariable("ZARN2_SHOT"));
}

// The import dialogs' texts are never cut short unseen: a genre's problem, a game that is
// not registered and the file of the plays show whole, or cut with the whole in the tooltip.
void EditDialogsUiTest::importDialogsShowTheirWholeTexts()
{
    ProgramFolder f;
    f.Build([](CZarn2Doc& doc) { ProgramFolder::AddGenre(doc, "G", 0); });
    CZarn2Doc& doc = f.LoadDoc();
    const std::string taken(100, 'x');
    TempDir::WriteBytes(doc.m_pApp->m_szDataDir + "/" + taken + ".Zarn", "");
    FoundGames found;
    found.games = {{"Far", "デスクトップ", "/" + std::string(300, 'p') + ".desktop", "", false}};
    GameImport import(doc, found);
    CImportGamesDlg games(import, {{0}, "G", false});
    QTreeWidgetItem* far = games.m_pList->topLevelItem(0);
    QVERIFY(far->text(CImportGamesDlg::kRegistered).startsWith(u"登録されません"_s));
    QCOMPARE(far->toolTip(CImportGamesDlg::kRegistered), far->text(CImportGamesDlg::kRegistered));
    games.m_pGenre->setCurrentIndex(games.m_pGenre->count() - 1);
    for (const QString& genre : {u"\U0001F3AE ゲーム"_s, QString::fromStdString(taken)}) {
        games.m_pNewGenre->setText(genre);
        const QString problem = QString::fromStdString(import.GenreProblem(games.Choice()));
        QVERIFY2(!problem.isEmpty() && ShowsWhole(games.m_pGenreProblem, problem), qPrintable(genre));
        QVERIFY(!games.m_pGenreProblem->geometry().intersects(games.m_pLegend->geometry()));
    }

    const std::string file = "/home/user/" + std::string(120, 'd') + "/プレイ記録.csv";
    CImportPlaysDlg plays(file, {{"G", "T", 1, false, false, {}}});
    QVERIFY(ShowsWhole(plays.m_pFile, QStringLiteral("<%1> のプレイ記録を各タイトルのログに加えます.")
                                          .arg(QString::fromStdString(file))));
    QVERIFY(plays.m_pAbout->heightForWidth(plays.m_pAbout->width()) <= plays.m_pAbout->height());
}

QTEST_MAIN(EditDialogsUiTest)
#include "EditDialogsUiTest.moc"
