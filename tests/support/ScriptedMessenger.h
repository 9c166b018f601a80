#pragma once

#include "platform/IMessenger.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Stands in for message boxes in tests: records every text shown or asked, and answers
// questions from a queue (No when the queue is empty), after running a test's action
// (where the user would take a while). Installs itself while it lives.
class ScriptedMessenger final : public IMessenger {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::string& text) override
    {
        questions.push_back(text);
        if (onAsk)
            onAsk();
        if (answers.empty())
            return false;
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    void AnswerNext(bool yes) { answers.push_back(yes); }
    void Clear()
    {
        messages.clear();
        questions.clear();
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers;
    std::function<void()> onAsk;

private:
    Messenger::Override m_install{*this};
};
