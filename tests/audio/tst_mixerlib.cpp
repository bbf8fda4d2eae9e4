#include "audio/mixerconfigform.h"
#include "audio/mixerlib.h"
#include "platform/mixervirtual.h"
#include "testmain.h"
#include "testservices.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

namespace {
MixerSource source(const char* name, const char* description) {
    return {QString::fromLatin1(name), QString::fromLatin1(description), false, false};
}
} // namespace

// The mixer layer and its configuration window on the virtual mixer: one device with a monitor
// of the speakers ("spk.monitor") and the microphone ("mic"), which is the default source.
class TestMixerLib : public QObject {
    Q_OBJECT
    std::unique_ptr<TestServices> m_test;
    VirtualMixer m_mixer;
    MixerLib m_lib{m_mixer};
    std::unique_ptr<MixerConfig> m_config;

    QString& defaultSource(int device = 0) { return m_mixer.devices[device].defaultSource; }
    std::unique_ptr<MixerConfigForm> loadForm(const QString& storedControl = {}) {
        if (!storedControl.isEmpty())
            m_test->settings.write(u"MixerConfig"_s, u"Control"_s, storedControl);
        m_config = std::make_unique<MixerConfig>(m_test->settings, m_lib);
        return std::make_unique<MixerConfigForm>(m_test->services, *m_config);
    }

private slots:
    void init() {
        m_test = std::make_unique<TestServices>();
        m_mixer = VirtualMixer();
    }

    void itemTextsAreUniqueDescriptions() {
        MixerDevice device;
        device.sources = {source("mic", ""), source("a", "USB"), source("b", "USB"),
                          source("c", "Line")};
        QCOMPARE(MixerLib::itemTexts(device), (QStringList{"mic", "USB (a)", "USB (b)", "Line"}));
    }

    void selectedItemIsTheDefaultSource_data() {
        QTest::addColumn<QString>("defaultSource");
        QTest::addColumn<QString>("selected");
        QTest::newRow("known") << u"mic"_s << u"Microphone"_s;
        QTest::newRow("gone") << u"gone"_s << QString();
    }
    void selectedItemIsTheDefaultSource() {
        QFETCH(QString, defaultSource);
        this->defaultSource() = defaultSource;
        QStringList names;
        qint32 id = 0, count = 0;
        QTEST(m_lib.GetRecordingSources(0, names, id, count), "selected");
        QCOMPARE(names, (QStringList{"Monitor of Speakers", "Microphone"}));
        QCOMPARE(count, 2);
        QCOMPARE(id, MixerLib::selectorId(m_mixer.devices.first()));
        QVERIFY(id != 0);
    }

    void selectWritesOnlyAValidCurrentChoice_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("sourcesChanged");
        QTest::addColumn<bool>("failWrites");
        QTest::addColumn<QString>("defaultSource");
        QTest::newRow("monitor") << 0 << false << false << "spk.monitor";
        QTest::newRow("index past the end") << 2 << false << false << "mic";
        QTest::newRow("negative index") << -1 << false << false << "mic";
        QTest::newRow("sources changed since read") << 0 << true << false << "mic";
        QTest::newRow("server refuses") << 0 << false << true << "mic";
    }
    void selectWritesOnlyAValidCurrentChoice() {
        QFETCH(int, index);
        QFETCH(bool, sourcesChanged);
        QFETCH(bool, failWrites);
        QFETCH(QString, defaultSource);
        QStringList names;
        qint32 id = 0, count = 0;
        m_lib.GetRecordingSources(0, names, id, count);
        if (sourcesChanged)
            m_mixer.devices[0].sources.prepend(source("usb", "Headset"));
        m_mixer.failWrites = failWrites;
        QCOMPARE(m_lib.SelectRecordingSource(id, count, index, 0), defaultSource == "spk.monitor");
        QCOMPARE(this->defaultSource(), defaultSource);
    }

    // The microphone's line in the mix is a loopback of the first real source; muting it
    // never mutes the source itself, which the host needs for the call.
    void microphoneInMixIsALoopbackOfFirstNonMonitorSource() {
        m_mixer.devices[0].sources.append(source("line", "Line In"));
        QCOMPARE(m_lib.GetMicrophoneMute(0), 1);
        m_lib.SetMicrophoneMute(0, 0);
        QCOMPARE(m_mixer.loopbackSource, QStringLiteral("mic"));
        QCOMPARE(m_lib.GetMicrophoneMute(0), 0);
        m_lib.SetMicrophoneMute(0, 1);
        QVERIFY(m_mixer.loopbackSource.isEmpty());
        QCOMPARE(m_lib.GetMicrophoneMute(0), 1);
        for (const MixerSource& s : m_mixer.devices[0].sources)
            QVERIFY(!s.muted);
    }

    void formShowsStoredChoiceAndBackStoresIt_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("first run") << QString() << u"Monitor of Speakers"_s;
        QTest::newRow("offered") << u"Microphone"_s << u"Microphone"_s;
        QTest::newRow("no longer offered") << u"USB Headset"_s << u"Monitor of Speakers"_s;
    }
    void formShowsStoredChoiceAndBackStoresIt() {
        QFETCH(QString, stored);
        auto form = loadForm(stored);
        QCOMPARE(form->deviceCombo()->currentText(), u"virtual on localhost"_s);
        QCOMPARE(form->sourceCombo()->count(), 2);
        QTEST(form->sourceCombo()->currentText(), "shown");
        form->Command1_Click();
        QCOMPARE(readSetting(m_test->settings, MixerConfigKeys::Device), u"virtual on localhost"_s);
        QTEST(readSetting(m_test->settings, MixerConfigKeys::Control), "shown");
        QCOMPARE(m_test->settings.strayDeletes(), 0);
    }

    void answeringSwitchSelectsChoiceAndRestoresSavedSource() {
        auto form = loadForm(u"Monitor of Speakers"_s);
        form->SaveCurrentSetting();
        form->SetMixerConfig(true);
        QCOMPARE(defaultSource(), u"spk.monitor"_s);
        // The user picks another source in the system's mixer during the recording.
        m_mixer.devices[0].sources.append(source("usb", "USB"));
        defaultSource() = u"usb"_s;
        form->SetMixerConfig(false);
        QCOMPARE(defaultSource(), u"usb"_s); // the sources are not the saved ones
        m_mixer.devices[0].sources.removeLast();
        form->SetMixerConfig(false);
        QCOMPARE(defaultSource(), u"mic"_s);
    }

    void choiceFollowsItsSourceWhenSourcesChange() {
        auto form = loadForm(u"Microphone"_s);
        defaultSource() = u"spk.monitor"_s;
        m_mixer.devices[0].sources.prepend(source("usb", "USB"));
        form->SaveCurrentSetting();
        form->SetMixerConfig(true);
        QCOMPARE(defaultSource(), u"mic"_s);
        form->SetMixerConfig(false);
        QCOMPARE(defaultSource(), u"spk.monitor"_s);
    }

    void switchingUsesFirstDeviceWithASelectedSource() {
        const MixerDevice copy = m_mixer.devices[0];
        m_mixer.devices.prepend(copy);
        m_mixer.devices[0].name = u"first"_s;
        defaultSource(0).clear();
        auto form = loadForm();
        QCOMPARE(form->deviceCombo()->count(), 2);
        form->SaveCurrentSetting();
        form->SetMixerConfig(true);
        QCOMPARE(defaultSource(1), u"spk.monitor"_s);
        QCOMPARE(defaultSource(0), QString());
    }

    void withoutDevicesNothingIsListedOrSwitched() {
        m_mixer.devices.clear();
        m_test->settings.write(u"MixerConfig"_s, u"Device"_s, u"gone"_s);
        auto form = loadForm();
        QVERIFY(form->deviceCombo()->count() == 0 && form->sourceCombo()->count() == 0);
        form->SetMixerConfig(true);
        form->SetMixerConfig(false);
        QCOMPARE(m_mixer.writes, 0);
        form->Command1_Click();
        QCOMPARE(readSetting(m_test->settings, MixerConfigKeys::Device), QString());
    }
};

QUENLARK_TEST_MAIN(TestMixerLib)
#include "tst_mixerlib.moc"
