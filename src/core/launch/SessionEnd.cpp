#include "launch/SessionEnd.h"

#include "launch/CPlayJournal.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

SessionEnd::SessionEnd()
{
    int fd = TerminationSignals::Watch();
    if (fd < 0)
        return;  // no pipe: the signals end the launcher at once, as they always did
    m_pNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(m_pNotifier.get(), &QSocketNotifier::activated, this, &SessionEnd::OnSignal);
}

SessionEnd::~SessionEnd()
{
    TerminationSignals::Unwatch();
}

void SessionEnd::OnSignal()
{
    if (int signal = TerminationSignals::Take())
        End(signal);
}

void SessionEnd::End(int signal)
{
    if (m_nSignal != 0)
        return;
    m_nSignal = signal;
    if (CPlayJournal* journal = CPlayJournal::Running())
        journal->Keep();
    // Every loop ends, the nested ones of a play or a dialog included: a dialog ended so
    // reads as cancelled, a question as answered No.
    QCoreApplication::exit(0);
}
