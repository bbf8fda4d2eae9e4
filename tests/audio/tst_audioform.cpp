#include "audio/audioform.h"
#include "testmain.h"
#include "testservices.h"

#include <QLineEdit>

class TestAudioForm : public QObject {
    Q_OBJECT
private slots:
    void loadAsksHostForItsDevices() {
        TestServices test;
        QStringList sent;
        AudioForm form(test.services, [&sent](const QString& line) { sent.append(line); });
        QCOMPARE(sent, (QStringList{"GET AUDIO_IN", "GET AUDIO_OUT"}));
        QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("AudioInText")), form.audioInText());
    }

    void repliesFillTheirBoxes_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("audioIn");
        QTest::addColumn<QString>("audioOut");
        QTest::newRow("in") << "AUDIO_IN Built-in Mic [0]"
                            << "Built-in Mic [0]"
                            << "old out";
        QTest::newRow("out") << "AUDIO_OUT USB Speakers"
                             << "old in"
                             << "USB Speakers";
        QTest::newRow("in, no device") << "AUDIO_IN"
                                       << ""
                                       << "old out";
        QTest::newRow("blanks around") << "  AUDIO_OUT Speakers "
                                       << "old in"
                                       << "Speakers";
        QTest::newRow("longer word") << "AUDIO_INPUT x"
                                     << "old in"
                                     << "old out";
        QTest::newRow("command echo") << "GET AUDIO_IN"
                                      << "old in"
                                      << "old out";
        QTest::newRow("error") << "ERROR 7 AUDIO_IN unknown"
                               << "old in"
                               << "old out";
        QTest::newRow("call") << "CALL 12 STATUS RINGING"
                              << "old in"
                              << "old out";
    }
    void repliesFillTheirBoxes() {
        QFETCH(QString, line);
        TestServices test;
        AudioForm form(test.services, {});
        form.audioInText()->setText(QStringLiteral("old in"));
        form.audioOutText()->setText(QStringLiteral("old out"));
        QString routed = line;
        form.SetSkypeResponse(routed);
        QTEST(form.audioInText()->text(), "audioIn");
        QTEST(form.audioOutText()->text(), "audioOut");
        QCOMPARE(routed, line); // later targets see the line unchanged
    }
};

QUENLARK_TEST_MAIN(TestAudioForm)
#include "tst_audioform.moc"
