#pragma once

#include <QApplication>
#include <QStandardPaths>
#include <QtTest>

// QTEST_MAIN with Qt's test-mode standard paths, so no test touches the user's real files.
#define QUENLARK_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char** argv) {                                                          \
        QStandardPaths::setTestModeEnabled(true);                                              \
        QApplication app(argc, argv);                                                          \
        app.setOrganizationName(QStringLiteral("Quenlark"));                                   \
        app.setApplicationName(QStringLiteral("Quenlark"));                                    \
        TestClass test;                                                                        \
        return QTest::qExec(&test, argc, argv);                                                \
    }
