#pragma once
// Every Qt warning fails the test that caused it (see test_main.cpp), unless
// the test provokes it on purpose and says so with this guard.

#include <QString>

class ExpectedQtWarning {
public:
    // Warnings that start with prefix are expected while the guard lives.
    explicit ExpectedQtWarning(const QString &prefix);
    ~ExpectedQtWarning();
    ExpectedQtWarning(const ExpectedQtWarning &) = delete;
    ExpectedQtWarning &operator=(const ExpectedQtWarning &) = delete;
};
