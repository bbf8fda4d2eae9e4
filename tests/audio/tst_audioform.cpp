#include "audio/audioform.h"
#include "testmain.h"
#include "testservices.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

class TestAudioForm : public QObject {
    Q_OBJECT
private slots:
    void loadAsksHostForItsDevices() {
        TestServices test;
        QStringList sent;
        AudioForm form(test.services, [&sent](const QString& line) { sent.append(line); });
        QCOMPARE(sent, (QStringList{"GET AUDIO_IN", "GET AUDIO_OUT"}));
    }

    void repliesFillTheirBoxes_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("audioIn");
        QTest::addColumn<QString>("audioOut");
        const char* const rows[][3] = {{"AUDIO_IN Built-in Mic [0]", "Built-in Mic [0]", "old out"},
                                       {"AUDIO_OUT USB Speakers", "old in", "USB Speakers"},
                                       {"AUDIO_IN", "", "old out"},
                                       {"  AUDIO_OUT Speakers ", "old in", "Speakers"},
                                       {"AUDIO_INPUT x", "old in", "old out"},
                                       {"ERROR 7 AUDIO_IN unknown", "old in", "old out"}};
        for (const auto& [line, audioIn, audioOut] : rows)
            QTest::newRow(line) << QString(line) << QString(audioIn) << QString(audioOut);
    }
    void repliesFillTheirBoxes() {
        QFETCH(QString, line);
        TestServices test;
        AudioForm form(test.services, {});
        form.audioInText()->setText(u"old in"_s);
        form.audioOutText()->setText(u"old out"_s);
        QString routed = line;
        form.SetSkypeResponse(routed);
        QTEST(form.audioInText()->text(), "audioIn");
        QTEST(form.audioOutText()->text(), "audioOut");
        QCOMPARE(routed, line); // later targets see the line unchanged
    }
};

QUENLARK_TEST_MAIN(TestAudioForm)
#include "tst_audioform.moc"
