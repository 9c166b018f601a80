#pragma once

#include "launch/IMediaPrompt.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Stands in for the insert/remove prompt: records caption and message, runs a test's
// action (where the user would take a while), answers from a queue (Cancel when it is
// empty). Installs itself while it lives.
class ScriptedMediaPrompt final : public IMediaPrompt {
public:
    bool Ask(const std::string& caption, const std::string& message) override
    {
        asked.push_back(caption + "|" + message);
        if (onAsk)
            onAsk();
        if (answers.empty())
            return false;
        bool ok = answers.front();
        answers.pop_front();
        return ok;
    }
    void AnswerNext(bool ok) { answers.push_back(ok); }

    std::vector<std::string> asked;  // "caption|message"
    std::deque<bool> answers;
    std::function<void()> onAsk;

private:
    MediaPrompt::Override m_install{*this};
};
