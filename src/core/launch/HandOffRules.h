#pragma once

#include "platform/Seam.h"

// How long a play looks for the game a title handed its start to, and how often: a
// client may update the game before it starts it. Tests shorten them.
struct HandOffRules {
    int graceMs = 60 * 1000;  // from the end of the command the play started
    int lookMs = 1000;        // between two looks while the game has not appeared
    // A start that only hands over to a copy already open ends within seconds; a command
    // that ran longer was played, whatever else is open.
    int handOverMs = 10 * 1000;

    enum class Step {
        Follow,    // the game runs: wait for it
        OpenCopy,  // the request went to a copy that was already open: nothing to time
        LookAgain,
        GiveUp     // the play is what the command itself lasted
    };
    // What follows a look that found the game or not, and a copy open from before or
    // not, `sinceEndMs` after the command ended. Only a client's game is waited for (a
    // program that leaves its game to another process has started it by the time it ends),
    // and only a quick command (one that ended within handOverMs, and the grace time)
    // handed its start over.
    Step Next(bool found, bool openCopy, bool byClient, bool quickCommand, long long sinceEndMs) const
    {
        if (found)
            return Step::Follow;
        if (openCopy && quickCommand)
            return Step::OpenCopy;
        return byClient && sinceEndMs < graceMs ? Step::LookAgain : Step::GiveUp;
    }
};

template <>
HandOffRules& Seam<HandOffRules>::Fallback();

using HandOff = Seam<HandOffRules>;
