// The real message boxes with Qt's own texts in Japanese, whatever the locale (the test
// runs under LANG=C.UTF-8).
#include "app/QtMessenger.h"
#include "app/QtTranslations.h"
#include "support/ModalDriver.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>

class QtMessengerUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(QtTranslations::InstallJapanese(*qApp)); }
    void questionButtonsAreJapaneseWithMnemonics_data();
    void questionButtonsAreJapaneseWithMnemonics();
};

void QtMessengerUiTest::questionButtonsAreJapaneseWithMnemonics_data()
{
    QTest::addColumn<int>("press");
    QTest::addColumn<bool>("answer");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("no") << int(QMessageBox::No) << false;
}

void QtMessengerUiTest::questionButtonsAreJapaneseWithMnemonics()
{
    QFETCH(int, press);
    QFETCH(bool, answer);
    QStringList texts;
    ModalDriver driver;
    driver.Then([&texts, press](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        QVERIFY(box);
        texts << box->button(QMessageBox::Yes)->text() << box->button(QMessageBox::No)->text();
        box->button(static_cast<QMessageBox::StandardButton>(press))->click();
    });
    QtMessenger messenger;
    QCOMPARE(messenger.AskYesNo("続けますか？"), answer);
    QCOMPARE(texts, QStringList({QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")}));
}

QTEST_MAIN(QtMessengerUiTest)
#include "QtMessengerUiTest.moc"
