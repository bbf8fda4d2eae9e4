#include "audio/mixerlib.h"
#include "platform/mixervirtual.h"
#include "testmain.h"

Q_DECLARE_METATYPE(MixerSource)

namespace {
MixerSource source(const char* name, const char* description, bool monitor = false) {
    return {QString::fromLatin1(name), QString::fromLatin1(description), monitor, false};
}
} // namespace

class TestMixerLib : public QObject {
    Q_OBJECT
    VirtualMixer m_mixer;
    MixerLib m_lib{m_mixer};

private slots:
    void init() { m_mixer = VirtualMixer(); }

    void itemTextsAreUniqueDescriptions_data() {
        QTest::addColumn<QList<MixerSource>>("sources");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("descriptions")
            << QList{source("spk.monitor", "Monitor of Speakers", true), source("mic", "Mic")}
            << QStringList{"Monitor of Speakers", "Mic"};
        QTest::newRow("no description gives the name")
            << QList{source("mic", "")} << QStringList{"mic"};
        QTest::newRow("shared description names each source")
            << QList{source("a", "USB Audio"), source("b", "USB Audio"), source("c", "Line")}
            << QStringList{"USB Audio (a)", "USB Audio (b)", "Line"};
    }
    void itemTextsAreUniqueDescriptions() {
        QFETCH(QList<MixerSource>, sources);
        QFETCH(QStringList, texts);
        MixerDevice device;
        device.sources = sources;
        QCOMPARE(MixerLib::itemTexts(device), texts);
    }

    void selectedItemIsTheDefaultSource() {
        QStringList names;
        qint32 id = 0, count = 0;
        QCOMPARE(m_lib.GetRecordingSources(0, names, id, count), QStringLiteral("Microphone"));
        QCOMPARE(names, (QStringList{"Monitor of Speakers", "Microphone"}));
        QCOMPARE(count, 2);
        QCOMPARE(id, MixerLib::selectorId(m_mixer.devices.first()));
        QVERIFY(id != 0);
    }

    void unknownDefaultSourceStillReportsSelector() {
        m_mixer.devices[0].defaultSource = QStringLiteral("gone");
        QStringList names;
        qint32 id = 0, count = 0;
        QCOMPARE(m_lib.GetRecordingSources(0, names, id, count), QString());
        QCOMPARE(names.size(), 2);
        QCOMPARE(count, 2);
        QVERIFY(id != 0);
    }

    void missingDeviceGivesNothing() {
        QStringList names{QStringLiteral("stale")};
        qint32 id = 5, count = 5;
        QCOMPARE(m_lib.GetRecordingSources(1, names, id, count), QString());
        QVERIFY(names.isEmpty());
        QCOMPARE(id, 0);
        QCOMPARE(count, 0);
        m_mixer.devices.clear();
        QCOMPARE(m_lib.GetMixerDevices(names), qint16(0));
        QVERIFY(names.isEmpty());
        QVERIFY(!m_lib.SelectRecordingSource(1, 2, 0, 0));
    }

    void selectWritesOnlyAValidCurrentChoice_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("sourcesChanged");
        QTest::addColumn<bool>("failWrites");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("defaultSource");
        QTest::newRow("monitor") << 0 << false << false << true << "spk.monitor";
        QTest::newRow("index past the end") << 2 << false << false << false << "mic";
        QTest::newRow("negative index") << -1 << false << false << false << "mic";
        QTest::newRow("sources changed since read") << 0 << true << false << false << "mic";
        QTest::newRow("server refuses") << 0 << false << true << false << "mic";
    }
    void selectWritesOnlyAValidCurrentChoice() {
        QFETCH(int, index);
        QFETCH(bool, sourcesChanged);
        QFETCH(bool, failWrites);
        QStringList names;
        qint32 id = 0, count = 0;
        m_lib.GetRecordingSources(0, names, id, count);
        if (sourcesChanged)
            m_mixer.devices[0].sources.prepend(source("usb", "Headset"));
        m_mixer.failWrites = failWrites;
        QTEST(m_lib.SelectRecordingSource(id, count, index, 0), "result");
        QTEST(m_mixer.devices[0].defaultSource, "defaultSource");
    }

    void microphoneMuteActsOnFirstNonMonitorSource() {
        m_mixer.devices[0].sources.append(source("line", "Line In"));
        m_lib.SetMicrophoneMute(0, 1);
        QVERIFY(m_mixer.devices[0].sources[1].muted);
        QVERIFY(!m_mixer.devices[0].sources[0].muted);
        QVERIFY(!m_mixer.devices[0].sources[2].muted);
        m_lib.SetMicrophoneMute(0, 0);
        QVERIFY(!m_mixer.devices[0].sources[1].muted);
    }
};

QUENLARK_TEST_MAIN(TestMixerLib)
#include "tst_mixerlib.moc"
