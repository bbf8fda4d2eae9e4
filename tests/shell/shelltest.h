#pragma once

#include <QtTest>

// One data row in a single line: addRow("name", column1, column2, ...).
template <typename... Values> void addRow(const char* name, const Values&... values) {
    (QTest::newRow(name) << ... << values);
}
