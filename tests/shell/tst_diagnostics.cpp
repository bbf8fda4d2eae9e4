#include "base/debugconsole.h"
#include "base/loglib.h"
#include "shell/consoleform.h"
#include "shelltest.h"
#include "testmain.h"
#include "testservices.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

// The trace log and the debug console: both stay silent unless the settings ask for output.
class TestDiagnostics : public QObject {
    Q_OBJECT
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void logLevelGatesLines_data() {
        QTest::addColumn<int>("threshold");
        QTest::addColumn<QByteArray>("written"); // each line is the level it was written at
        addRow("level 0 writes only -1", 0, QByteArray("-1\r\n"));
        addRow("level 1", 1, QByteArray("-1\r\n1\r\n2\r\n10\r\n"));
        addRow("level 2 drops traces", 2, QByteArray("-1\r\n2\r\n10\r\n"));
        addRow("level 10", 10, QByteArray("-1\r\n10\r\n"));
    }
    void logLevelGatesLines() {
        QFETCH(int, threshold);
        QFETCH(QByteArray, written);
        QTemporaryDir dir;
        LogLib log(dir.filePath(QStringLiteral("logfile.txt")));
        log.SetLogLevel(threshold);
        for (int level : {-1, 0, 1, 2, 10})
            log.WriteLog(QString::number(level), level);
        QCOMPARE(contents(log.filePath()), written);
    }

    void everyCallAppendsOneLineToTheFileOnDisk() {
        QTemporaryDir dir;
        LogLib log(dir.filePath(QStringLiteral("logfile.txt")));
        log.SetLogLevel(1);
        {
            TraceScope trace(log, "MainForm", "Form_load");
            // The entry line is on disk while the operation still runs.
            QCOMPARE(contents(log.filePath()), QByteArray(">>> MainForm:Form_load\r\n"));
        }
        QVERIFY(QFile::remove(log.filePath())); // the user may delete the file at any time
        { TraceScope trace(log, "Link", "Handler", QStringLiteral("CALL 5 STATUS RINGING")); }
        log.WriteLog(QStringLiteral("Ü"), -1);
        QCOMPARE(contents(log.filePath()),
                 QByteArray(">>> Link:Handler[CALL 5 STATUS RINGING]\r\n<<< Link:Handler\r\n"
                            "\xC3\x9C\r\n"));
    }

    void unopenableLogLosesLinesQuietly() {
        QTemporaryDir dir;
        LogLib(dir.path()).WriteLog(QStringLiteral("lost"), -1); // a folder where the file is
        const QString missing = dir.filePath(QStringLiteral("no/such/folder/logfile.txt"));
        LogLib(missing).WriteLog(QStringLiteral("lost"), -1);
        QVERIFY(!QFile::exists(missing));
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

    void consoleWindowKeepsTheLastTenInViewAndSendsCommandsUnchanged() {
        TestServices test;
        test.console.ConsolePrint(QStringLiteral("dropped")); // the gate is closed: not kept
        test.console.StatusPrint(QStringLiteral("dropped"));
        test.console.setEnabled(true);
        test.console.ConsolePrint(QStringLiteral("line 1")); // start-up facts come first
        ConsoleForm form(test.services);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (int i = 2; i <= 40; ++i)
            test.console.ConsolePrint(QStringLiteral("line %1").arg(i));
        QListWidget* list = form.consoleList();
        QCOMPARE(list->count(), 40);
        QCOMPARE(list->item(0)->text(), QStringLiteral("line 1"));
        // Lines 31 to 40 in view, the newest at the bottom, older ones scrolled away.
        const QRect view = list->viewport()->rect();
        for (int row = 30; row < 40; ++row)
            QVERIFY(view.contains(list->visualItemRect(list->item(row))));
        QVERIFY(!view.intersects(list->visualItemRect(list->item(0))));

        QSignalSpy sent(&form, &ConsoleForm::commandEntered);
        auto* command = form.findChild<QLineEdit*>(QStringLiteral("CommandText"));
        for (const QString& text : {QStringLiteral(" GET USER  echo123 FULLNAME "), QString()}) {
            command->setText(text);
            QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command2")),
                              Qt::LeftButton);
            QCOMPARE(sent.takeFirst().at(0).toString(), text); // sent as it is, even empty
        }
        test.console.StatusPrint(QStringLiteral("Connected"));
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        QVERIFY(!form.isVisible()); // Exit only hides: the lists go on filling
        test.console.StatusPrint(QStringLiteral("still recorded while hidden"));
        QCOMPARE(form.statusList()->count(), 2);
        QCOMPARE(test.console.statusLines().size(), 2);
    }
};

QUENLARK_TEST_MAIN(TestDiagnostics)
#include "tst_diagnostics.moc"
