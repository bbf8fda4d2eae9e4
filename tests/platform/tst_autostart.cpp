// The login start entry: written and removed, read as the desktop reads it, its Exec line
// quoted so that any program path starts that program.
#include "platform/autostart.h"
#include "testmain.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    // Writing, removing and failing are driven through the File menu in tst_mainform.
    void theEntryStartsTheProgramUnlessTheDesktopSwitchedItOff() {
        QTemporaryDir config;
        AutostartEntry entry(config.path(), QStringLiteral("/usr/bin/quenlark"));
        QVERIFY(entry.setEnabled(true));
        QFile file(entry.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        file.close();
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains("\nExec=/usr/bin/quenlark\n"));
        QVERIFY(text.contains("\nTryExec=/usr/bin/quenlark\n"));
        for (const QByteArray& off :
             {QByteArray("Hidden=true"), QByteArray("X-GNOME-Autostart-enabled = false")}) {
            QVERIFY(entry.setEnabled(true));
            QVERIFY(entry.isEnabled());
            QVERIFY(file.open(QIODevice::Append));
            file.write(off + '\n');
            file.close();
            QVERIFY2(!entry.isEnabled(), off.constData());
        }
    }

    void execArgument_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("argument");
        QTest::newRow("plain") << "/usr/bin/quenlark"
                               << "/usr/bin/quenlark";
        QTest::newRow("blank") << "/opt/My Apps/quenlark"
                               << "\"/opt/My Apps/quenlark\"";
        QTest::newRow("percent") << "/opt/100%/quenlark"
                                 << "/opt/100%%/quenlark";
        // Inside quotes $ and \ take a backslash; the value's own escaping doubles each one.
        QTest::newRow("dollar") << "/opt/a$b/quenlark"
                                << "\"/opt/a\\\\$b/quenlark\"";
        QTest::newRow("backslash") << "/opt/a\\b/q"
                                   << "\"/opt/a\\\\\\\\b/q\"";
        QTest::newRow("quote") << "/opt/it's/q"
                               << "\"/opt/it's/q\"";
    }

    void execArgument() {
        QFETCH(QString, program);
        QFETCH(QString, argument);
        QCOMPARE(AutostartEntry::execArgument(program), argument);
    }

    void entriesForAwkwardPathsAreValid() {
        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed");
        QTemporaryDir config;
        AutostartEntry entry(config.path(), QStringLiteral("/opt/My $Apps/\"q\\uen%lark`"));
        QVERIFY(entry.setEnabled(true));
        QProcess check;
        check.start(validator, {entry.filePath()});
        QVERIFY(check.waitForFinished());
        QCOMPARE(check.readAll(), QByteArray());
        QCOMPARE(check.exitCode(), 0);
    }

    void configHomeFollowsXdgConfigHome() {
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", "/tmp/elsewhere/");
        QCOMPARE(AutostartEntry::userConfigHome(), QStringLiteral("/tmp/elsewhere"));
        qputenv("XDG_CONFIG_HOME", "relative/is/ignored");
        QCOMPARE(AutostartEntry::userConfigHome(), QDir::homePath() + "/.config");
        qputenv("XDG_CONFIG_HOME", saved);
    }
};

QUENLARK_TEST_MAIN(TestAutostart)
#include "tst_autostart.moc"
