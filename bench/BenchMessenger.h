#pragma once

#include "platform/IMessenger.h"

#include <cstdio>
#include <cstdlib>
#include <string>

// The message seam of the benchmarks. A benchmark's library never has anything to report:
// a message means the measurement went wrong, so it is printed and the program stops.
// Questions are counted and answered with `answer`.
class BenchMessenger final : public IMessenger {
public:
    explicit BenchMessenger(bool answer = false) : m_bAnswer(answer) {}

    void ShowMessage(const std::string& text) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
        std::exit(4);
    }
    bool AskYesNo(const std::string& text) override
    {
        ++questions;
        std::fprintf(stderr, "question (answered %s): %s\n", m_bAnswer ? "yes" : "no", text.c_str());
        return m_bAnswer;
    }

    int questions = 0;

private:
    bool m_bAnswer;
    Messenger::Override m_install{*this};
};
