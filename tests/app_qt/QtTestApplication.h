#pragma once
// The QApplication of a Qt test program: made once before the first test
// and kept to the end.

#include <QApplication>
#include <gtest/gtest.h>

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "kadrel_test";
        static char* argv[] = {name, nullptr};
        if (!qApp)
            new QApplication(argc, argv);
    }
};

inline ::testing::Environment* const g_qtApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);
