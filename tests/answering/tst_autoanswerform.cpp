// The "Auto Answer" window over the machine: settings as typed, the list and its buttons.
#include "answering/autoanswerform.h"
#include "answering/controlerlistdialog.h"
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
        QCOMPARE(control<QLineEdit>(form, "RingingWaitSec1Text")->text(), u"15"_s);
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
};

QUENLARK_TEST_MAIN(TestAutoAnswerForm)
#include "tst_autoanswerform.moc"
