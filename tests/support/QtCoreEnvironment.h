#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>

// Processes, timers and nested event loops need an application object: a test program
// registers this environment once (AddGlobalTestEnvironment), and the first to set one
// up makes it.
class QtCoreEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (QCoreApplication::instance())
            return;
        static int argc = 1;
        static char name[] = "zarn2_core_tests";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);  // lives until the program ends
    }
};
