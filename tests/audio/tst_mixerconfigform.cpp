#include "audio/mixerconfigform.h"
#include "audio/mixerlib.h"
#include "platform/mixervirtual.h"
#include "testmain.h"
#include "testservices.h"

#include <QComboBox>

namespace {
const QString kMonitor = QStringLiteral("Monitor of Speakers");
const QString kMicrophone = QStringLiteral("Microphone");

QString& defaultOf(VirtualMixer& mixer, int device = 0) {
    return mixer.devices[device].defaultSource;
}
} // namespace

class TestMixerConfigForm : public QObject {
    Q_OBJECT
    std::unique_ptr<TestServices> m_test;
    VirtualMixer m_mixer;
    MixerLib m_lib{m_mixer};

    std::unique_ptr<MixerConfigForm> load() {
        return std::make_unique<MixerConfigForm>(m_test->services, m_lib);
    }
    void store(const QString& key, const QString& value) {
        m_test->settings.write(QStringLiteral("MixerConfig"), key, value);
    }

private slots:
    void init() {
        m_test = std::make_unique<TestServices>();
        m_mixer = VirtualMixer();
    }

    void firstRunShowsFirstItemsAndBackStoresThem() {
        auto form = load();
        QCOMPARE(form->deviceCombo()->currentText(), QStringLiteral("virtual on localhost"));
        QCOMPARE(form->sourceCombo()->count(), 2);
        QCOMPARE(form->sourceCombo()->currentText(), kMonitor);
        form->Command1_Click();
        QCOMPARE(readSetting(m_test->settings, MixerConfigKeys::Device),
                 QStringLiteral("virtual on localhost"));
        QCOMPARE(readSetting(m_test->settings, MixerConfigKeys::Control), kMonitor);
        QCOMPARE(m_test->settings.strayDeletes(), 0);
    }

    void storedChoiceIsShownAgain_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("offered") << kMicrophone << kMicrophone;
        QTest::newRow("no longer offered") << "USB Headset" << kMonitor;
    }
    void storedChoiceIsShownAgain() {
        QFETCH(QString, stored);
        store(QStringLiteral("Control"), stored);
        auto form = load();
        QTEST(form->sourceCombo()->currentText(), "shown");
        form->Command1_Click();
        QTEST(readSetting(m_test->settings, MixerConfigKeys::Control), "shown");
    }

    void answeringSwitchSelectsChoiceAndRestoresSavedSource() {
        store(QStringLiteral("Control"), kMonitor);
        auto form = load();
        defaultOf(m_mixer) = QStringLiteral("mic");
        form->SaveCurrentSetting();
        form->SetMixerConfig(true);
        QCOMPARE(defaultOf(m_mixer), QStringLiteral("spk.monitor"));
        // The user picks another source in the system's mixer during the recording.
        m_mixer.devices[0].sources.append({QStringLiteral("usb"), QStringLiteral("USB"), false});
        defaultOf(m_mixer) = QStringLiteral("usb");
        form->SetMixerConfig(false);
        QCOMPARE(defaultOf(m_mixer), QStringLiteral("usb")); // the sources are not the saved ones
        m_mixer.devices[0].sources.removeLast();
        form->SetMixerConfig(false);
        QCOMPARE(defaultOf(m_mixer), QStringLiteral("mic"));
    }

    void choiceFollowsItsSourceWhenSourcesChange() {
        store(QStringLiteral("Control"), kMicrophone);
        auto form = load();
        defaultOf(m_mixer) = QStringLiteral("spk.monitor");
        m_mixer.devices[0].sources.prepend({QStringLiteral("usb"), QStringLiteral("USB"), false});
        form->SaveCurrentSetting();
        form->SetMixerConfig(true);
        QCOMPARE(defaultOf(m_mixer), QStringLiteral("mic"));
        form->SetMixerConfig(false);
        QCOMPARE(defaultOf(m_mixer), QStringLiteral("spk.monitor"));
    }

    void switchingUsesFirstDeviceWithASelectedSource() {
        MixerDevice silent = m_mixer.devices[0];
        silent.name = QStringLiteral("first");
        silent.defaultSource.clear();
        m_mixer.devices.prepend(silent);
        auto form = load();
        QCOMPARE(form->config().foundDeviceIndex(), 1);
        QCOMPARE(form->deviceCombo()->count(), 2);
        form->SaveCurrentSetting();
        form->SetMixerConfig(true);
        QCOMPARE(defaultOf(m_mixer, 1), QStringLiteral("spk.monitor"));
        QCOMPARE(defaultOf(m_mixer, 0), QString());
    }

    void withoutDevicesListsStayEmptyAndNothingSwitches() {
        m_mixer.devices.clear();
        store(QStringLiteral("Device"), QStringLiteral("gone"));
        auto form = load();
        QCOMPARE(form->deviceCombo()->count(), 0);
        QCOMPARE(form->sourceCombo()->count(), 0);
        QCOMPARE(form->config().savedSourceIndex(), qint16(-1));
        form->SetMixerConfig(true);
        form->SetMixerConfig(false);
        QCOMPARE(m_mixer.writes, 0);
        form->Command1_Click();
        QCOMPARE(readSetting(m_test->settings, MixerConfigKeys::Device), QString());
    }
};

QUENLARK_TEST_MAIN(TestMixerConfigForm)
#include "tst_mixerconfigform.moc"
