// The "Auto Answer" window over the machine: settings as typed, the list and its buttons; recorded
// message names, the list of the answering machine folder and the settings.
#include "answering/autoanswerform.h"
#include "answering/autoanswerlist.h"
#include "answering/controlerlistdialog.h"
#include "answering/messagefiles.h"
#include "answeringrig.h"
#include "testmain.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

using namespace Qt::StringLiterals;

class TestAutoAnswerForm : public QObject {
    Q_OBJECT

    template <class T> static T* control(QWidget& form, const char* name) {
        return form.findChild<T*>(QString::fromLatin1(name));
    }

private slots:
    void settingsTakeEffectAsTypedAndCloseStoresThem() {
        AnsweringRig rig;
        AutoAnswerForm form(rig.test.services, rig.machine, rig.mci);
        rig.test.prompts.queueFileName(u"/greeting.wav"_s);
        form.Command2_Click();
        rig.test.prompts.queueFileName(QString()); // cancelled
        form.Command2_Click();
        QCOMPARE(rig.machine.settings().audioFile, u"/greeting.wav"_s);
        control<QLineEdit>(form, "RingingWaitSec2Text")->setText(u"9"_s);
        QCOMPARE(rig.machine.settings().ringingWait(false), 9);
        form.Command1_Click();
        QCOMPARE(rig.test.settings.read(u"AutoAnswer"_s, u"RingingWaitSec2"_s), u"9"_s);
        QCOMPARE(rig.test.settings.read(u"AutoAnswer"_s, u"AudioFile"_s), u"/greeting.wav"_s);
    }

    void actionsFollowTheFileOfTheRow() {
        AnsweringRig rig;
        const QString bob = writeTone(rig.folder() + u"/20050801123456_bob.wav"_s, 440, 0.1);
        const QString dotted = writeTone(rig.folder() + u"/20050802000000_a.b.wav"_s, 440, 0.1);
        AutoAnswerForm form(rig.test.services, rig.machine, rig.mci);
        QVERIFY(form.list().messages().isEmpty()); // a hidden window reads the folder when shown
        form.show();
        QCOMPARE(form.list().messages().size(), 2);
        auto* play = control<QPushButton>(form, "Command3");
        QVERIFY(!play->isEnabled());
        form.selectPath(bob);
        QVERIFY(play->isEnabled());
        // A newer message comes in: the selection stays on bob's file.
        writeTone(rig.folder() + u"/20050803000000_carol.wav"_s, 440, 0.1);
        form.UpdateAutoanswerList();
        QCOMPARE(form.selectedPath(), bob);
        rig.test.prompts.queueConfirm(false);
        form.Command4_Click();
        QVERIFY(QFile::exists(bob));
        rig.test.prompts.queueConfirm(true);
        form.Command4_Click();
        QVERIFY(!QFile::exists(bob));
        QCOMPARE(form.selectedPath(), QString());
        QVERIFY(!play->isEnabled());
        // Playing to the end marks the dotted caller's message heard.
        rig.connectNotices();
        form.selectPath(dotted);
        form.Command3_Click();
        QCOMPARE(play->text(), rig.test.language.GetLanguageString(93));
        QTRY_VERIFY(QFile::exists(rig.folder() + u"/20050802000000_a.b.r.wav"_s));
        QCOMPARE(form.list().messages().value(1).caller, u"a.b"_s);
        QVERIFY(form.list().messages().value(1).heard);
    }

    // The window stores no key the remote-control scrambling cannot carry, and says why.
    void accessKeyIsCheckedOnClose() {
        AnsweringRig rig;
        AutoAnswerForm form(rig.test.services, rig.machine, rig.mci);
        auto* key = control<QLineEdit>(form, "RemoteControlKeyText");
        for (const QString& bad : {u"..."_s, u"a b"_s, QString(65, u'k')}) {
            key->setText(bad);
            form.Command1_Click();
        }
        QCOMPARE(rig.test.prompts.messages().size(), 3);
        QVERIFY(rig.test.settings.read(u"AutoAnswer"_s, u"RemoteControlKey"_s).isEmpty());
        key->setText(u"Open_Sesame.1"_s);
        form.Command1_Click();
        QCOMPARE(rig.test.settings.read(u"AutoAnswer"_s, u"RemoteControlKey"_s),
                 u"Open_Sesame.1"_s);
    }

    void controlerListStoredOnlyByOk() {
        TestServices test;
        test.settings.write(u"AutoAnswer"_s, u"Controler001"_s, u"alice"_s);
        test.settings.write(u"AutoAnswer"_s, u"Controler002"_s, u"bob"_s);
        test.settings.write(u"AutoAnswer"_s, u"Controler003"_s, u"carol"_s);
        {
            ControlerListDialog dialog(test.services);
            auto* list = control<QListWidget>(dialog, "ControlerList");
            auto* del = control<QPushButton>(dialog, "Command2");
            QVERIFY(!del->isEnabled());
            list->setCurrentRow(1);
            QVERIFY(del->isEnabled());
            dialog.Command2_Click();
            control<QLineEdit>(dialog, "ControlerText")->setText(u" alice "_s);
            dialog.Command1_Click(); // a duplicate is allowed
            QCOMPARE(dialog.entries(), (QStringList{u"alice"_s, u"carol"_s, u"alice"_s}));
        } // closed without OK: nothing changes
        QCOMPARE(test.settings.read(u"AutoAnswer"_s, u"Controler002"_s), u"bob"_s);
        ControlerListDialog dialog(test.services);
        dialog.findChild<QListWidget*>(u"ControlerList"_s)->setCurrentRow(1);
        dialog.Command2_Click();
        dialog.OKButton_Click();
        QCOMPARE(test.settings.read(u"AutoAnswer"_s, u"Controler002"_s), u"carol"_s);
        QVERIFY(test.settings.read(u"AutoAnswer"_s, u"Controler003"_s).isEmpty());
    }

    void unsafeHandlesAreReplaced_data() {
        QTest::addColumn<QString>("handle");
        QTest::addColumn<QString>("safe");
        QTest::newRow("plain") << u"bob"_s << u"bob"_s;
        QTest::newRow("path") << u"../../etc/x"_s << u"_._.._etc_x"_s;
        QTest::newRow("quotes and back slash") << u"a\"b'c\\d"_s << u"a_b_c_d"_s;
        QTest::newRow("control") << u"a\nb\tc"_s << u"a_b_c"_s;
        QTest::newRow("reads as heard") << u"bob.r"_s << u"bob_r"_s;
        QTest::newRow("empty") << QString() << u"unknown"_s;
    }
    void unsafeHandlesAreReplaced() {
        QFETCH(QString, handle);
        QFETCH(QString, safe);
        QCOMPARE(MessageFiles::safeCaller(handle), safe);
        QVERIFY(MessageFiles::parse(u"20050801123456_"_s + safe + u".wav"_s).valid);
    }

    void listIsNewestFirstWithMarksAndLengths() {
        AnsweringRig rig;
        const QString dir = rig.folder();
        writeTone(dir + u"/20050801123456_bob.wav"_s, 440, 2.5);        // 2.5 -> 2
        writeTone(dir + u"/20050802090000_carol.r.wav"_s, 440, 3.5);    // 3.5 -> 4
        writeTone(dir + u"/20050803090000_john.smith.wav"_s, 440, 0.4); // 0.4 -> 0
        writeTestFile(dir + u"/20050805090000_broken.wav"_s, "not a sound");
        // Not messages: no caller, a short stamp, not a stamp, not a sound file.
        for (const QString& name : {u"20050804090000_.wav"_s, u"2005080112345_bob.wav"_s,
                                    u"2005080112345x_bob.wav"_s, u"20050806090000_bob.txt"_s})
            writeTone(dir + u'/' + name, 440, 0.1);
        AutoAnswerList list(rig.mci);
        list.UpdateAutoanswerList(dir);
        QStringList rows;
        for (const RecordedMessage& m : list.messages())
            rows << u"%1|%2|%3|%4"_s.arg(m.date, m.caller).arg(m.heard).arg(m.seconds);
        QCOMPARE(rows, (QStringList{u"2005/08/05 09:00.00|broken|0|0"_s,
                                    u"2005/08/03 09:00.00|john.smith|0|0"_s,
                                    u"2005/08/02 09:00.00|carol|1|4"_s,
                                    u"2005/08/01 12:34.56|bob|0|2"_s}));
        QCOMPARE(list.indexOf(dir + u"/20050801123456_bob.wav"_s), 3);
        QCOMPARE(list.indexOf(u"2005/08/02 09:00.00"_s, u"carol"_s), 2);
        QCOMPARE(list.recordLines(u"42"_s).value(2), u"RECORD 42 2005/08/02 09:00.00 carol"_s);
    }

    void settingsRoundTrip() {
        TestServices test;
        const AutoAnswerSettings saved{u"/g.wav"_s, u"30"_s,  u"0"_s,  u"60"_s,
                                       true,        u"a@b"_s, u"key"_s};
        saved.save(test.settings);
        QCOMPARE(test.settings.read(u"AutoAnswer"_s, u"MailFlagCheck"_s), u"1"_s);
        AutoAnswerSettings loaded;
        loaded.load(test.settings);
        QVERIFY(std::tie(loaded.audioFile, loaded.ringingWaitSec1, loaded.ringingWaitSec2,
                         loaded.recordingMaxSec, loaded.mailFlag, loaded.mailAddress,
                         loaded.remoteControlKey) ==
                std::tie(saved.audioFile, saved.ringingWaitSec1, saved.ringingWaitSec2,
                         saved.recordingMaxSec, saved.mailFlag, saved.mailAddress,
                         saved.remoteControlKey));
    }

    void recordingLimitIsKeptInRange_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("seconds");
        QTest::newRow("typed") << u"45"_s << 45;
        QTest::newRow("zero") << u"0"_s << 1;
        QTest::newRow("huge") << u"99999999"_s << 3600;
        QTest::newRow("text") << u"long"_s << 20;
    }
    void recordingLimitIsKeptInRange() {
        QFETCH(QString, text);
        QFETCH(int, seconds);
        AutoAnswerSettings settings;
        settings.recordingMaxSec = text;
        QCOMPARE(settings.recordingMax(), seconds);
    }
};

QUENLARK_TEST_MAIN(TestAutoAnswerForm)
#include "tst_autoanswerform.moc"
