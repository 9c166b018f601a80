#include "launch/IMciService.h"
#include "launch/OpticalDriveTable.h"
#include "launch/CDiscCommands.h"
#include "support/FakeDriveTable.h"
#include "support/ScriptedMessenger.h"

#include <QtTest>

namespace {

// Records the commands and fails every open, so no real tray moves.
class RefusingService final : public IMciService {
public:
    int Send(const std::string& command, std::string& answer) override
    {
        sent.push_back(command);
        answer.clear();
        return 263;
    }
    std::string ErrorText(int code) const override { return "refused " + std::to_string(code); }
    std::vector<std::string> sent;
};

}  // namespace

class CDiscCommandsUiTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachCommandRescansAndStartsItsSequence();
    void installsTheWindowsPromptAndWaiterWhileItLives();
};

void CDiscCommandsUiTest::eachCommandRescansAndStartsItsSequence()
{
    ScriptedMessenger messenger;
    RefusingService service;
    MciService::Override useService(service);
    FakeDriveTable drives;
    CDiscCommands commands;
    using Slot = void (CDiscCommands::*)();
    for (Slot slot : {&CDiscCommands::OnTrayOpen, &CDiscCommands::OnTrayClose, &CDiscCommands::OnInstall}) {
        drives.List({"stale"});  // a stale table: the command must rebuild it
        service.sent.clear();
        messenger.Clear();
        (commands.*slot)();
        QVERIFY(drives.names[0] != "stale");
        QCOMPARE(service.sent.size(), size_t{1});
        QVERIFY(service.sent[0].rfind("open ", 0) == 0);
        QCOMPARE(messenger.messages, std::vector<std::string>{"refused 263"});
    }
}

void CDiscCommandsUiTest::installsTheWindowsPromptAndWaiterWhileItLives()
{
    IMediaPrompt* before = &MediaPrompt::Get();
    IWaiter* waiterBefore = &Waiter::Get();
    {
        CDiscCommands commands;
        QVERIFY(&MediaPrompt::Get() != before);
        QVERIFY(dynamic_cast<PaintingWaiter*>(&Waiter::Get()));
    }
    QCOMPARE(&MediaPrompt::Get(), before);
    QCOMPARE(&Waiter::Get(), waiterBefore);
}

QTEST_MAIN(CDiscCommandsUiTest)
#include "CDiscCommandsUiTest.moc"
