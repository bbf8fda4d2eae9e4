// The "Auto Answer" window over the machine: settings as typed, the list and its buttons.
#include "answering/autoanswerform.h"
#include "answeringrig.h"
#include "testmain.h"

#include <QLineEdit>
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
};

QUENLARK_TEST_MAIN(TestAutoAnswerForm)
#include "tst_autoanswerform.moc"
