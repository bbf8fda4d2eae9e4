// Remote control between two copies: the owner's copy ("owner") and the answering machine at
// home ("home"), each a machine and a remote control core, joined by a fake chat wire that
// carries the control messages through each side's envelope.
#include "answering/controlerlist.h"
#include "answering/remoteclient.h"
#include "answering/remotecontrol.h"
#include "answeringrig.h"
#include "base/genlib.h"
#include "testmain.h"

#include <QRegularExpression>

#include <map>

using namespace Qt::StringLiterals;
using State = AnsweringState;

namespace {

struct Wire;

struct Side {
    Side(const QString& name, Wire& wire);
    void line(const QString& text) { rig.line(text); }
    QStringList calls() const { return rig.ports.commands.filter(QRegularExpression(u"^CALL "_s)); }

    QString handle;
    AnsweringRig rig;
    ControlEnvelope envelope;
    RemoteControl remote;
};

// Control messages wait on the wire until pump(), as between two hosts; every one is logged
// as "from>to words".
struct Wire {
    std::map<QString, Side*> sides;
    QList<std::array<QString, 3>> queue;
    QStringList log;
    qint32 messageId = 0;

    void send(const QString& from, const QString& line) {
        const QString prefix = u"MESSAGE "_s;
        if (!line.startsWith(prefix))
            return; // "SET MESSAGE n SEEN"
        const qsizetype blank = line.indexOf(u' ', prefix.size());
        const QString to = line.mid(prefix.size(), blank - prefix.size());
        const QString text = line.mid(blank + 1);
        log << from + u'>' + to + u' ' + text.section(u' ', 2);
        queue.append({from, to, text});
    }
    void pump() {
        while (!queue.isEmpty()) {
            const auto [from, to, text] = queue.takeFirst();
            if (const auto it = sides.find(to); it != sides.end())
                it->second->envelope.Dispatch(++messageId, text, from);
        }
    }
    QStringList take() { return std::exchange(log, {}); }
};

Side::Side(const QString& name, Wire& wire)
    : handle(name), envelope([this, &wire](const QString& l) { wire.send(handle, l); }),
      remote(rig.test.services, rig.machine, rig.mci,
             [this, &wire](const QString& l) { wire.send(handle, l); }) {
    wire.sides[name] = this;
    envelope.setHandler(ControlEnvelope::Feature::AutoAnswer, &remote);
}

struct Pair {
    Wire wire;
    Side owner{u"owner"_s, wire};
    Side home{u"home"_s, wire};
    RemoteAutoAnswerClient client{owner.remote};
    QString older;

    Pair() {
        // "ab" scrambles with the salt "10" (p = '1' = 49, q = '0' = 48) to "10XJ":
        // a (1) + 49 -> 50 = X; b (2) + 97 -> 36 = J.
        home.rig.machine.settings().remoteControlKey = u"ab"_s;
        ControlerList::save(home.rig.test.settings, {u"owner"_s});
        older = writeTone(home.rig.folder() + u"/20050801123456_bob.wav"_s, 440, 0.2);
        writeTone(home.rig.folder() + u"/20050802090000_carol.r.wav"_s, 880, 0.2);
    }
    // A raw control message from a user to a side; its answers stay on the wire.
    void inject(Side& to, const QString& from, const QString& words) {
        to.envelope.Dispatch(++wire.messageId, u"@@Quenlark@@ AutoAnswer "_s + words, from);
    }
    void toHome(const QString& words) { inject(home, u"owner"_s, words); }
    QString login() {
        toHome(u"AUTH 1234 10XJ"_s);
        const QStringList answer = wire.take();
        return answer.value(0).section(u' ', 4);
    }
};

} // namespace

class TestRemoteControl : public QObject {
    Q_OBJECT

private slots:
    void wholeExchangeBetweenTwoCopies() {
        Pair p;
        QSignalSpy notices(&p.client, &RemoteAutoAnswerClient::notice);
        QVERIFY(p.client.Command2_Click(u" home "_s, u"ab"_s));
        QVERIFY(p.client.timer1Active());
        QVERIFY(p.wire.log.value(0).startsWith(u"owner>home AUTH "_s));
        p.wire.pump();
        const QString key = p.home.remote.sessionKey();
        QVERIFY(key.toInt() >= 0 && key.toInt() <= 10000);
        QCOMPARE(p.owner.remote.sessionKey(), key);
        const QStringList exchange = p.wire.take();
        const QString nonce = exchange.value(0).section(u' ', 2, 2);
        QCOMPARE(exchange,
                 (QStringList{u"owner>home AUTH "_s + nonce + u' ' +
                                  GEnLib::GetCryptString(u"ab"_s, p.owner.rig.test.clock),
                              u"home>owner AUTH "_s + nonce + u" OK "_s + key,
                              u"owner>home LIST "_s + key,
                              u"home>owner RECORD "_s + key + u" 2005/08/02 09:00.00 carol"_s,
                              u"home>owner RECORD "_s + key + u" 2005/08/01 12:34.56 bob"_s}));
        QCOMPARE(p.client.lines(),
                 (QStringList{u"2005/08/02 09:00.00 carol"_s, u"2005/08/01 12:34.56 bob"_s}));

        // The owner asks for bob's message; the machine calls back and plays it.
        QVERIFY(p.client.Command3_Click(u"2005/08/01 12:34.56 bob"_s));
        QCOMPARE(p.owner.rig.machine.stateText(), u"RemoteRequest"_s);
        p.wire.pump();
        QCOMPARE(p.wire.take(),
                 QStringList{u"owner>home PLAY "_s + key + u" 2005/08/01 12:34.56 bob"_s});
        QCOMPARE(p.home.rig.machine.stateText(), u"Remote"_s);
        QCOMPARE(p.home.calls(), QStringList{u"CALL owner"_s});
        p.home.line(u"CALL 31 STATUS ROUTING"_s);
        p.owner.rig.ports.incoming.insert(12);
        p.owner.line(u"CALL 12 STATUS RINGING"_s);
        QCOMPARE(p.owner.rig.machine.state(), State::Idle); // left for the owner to answer
        QCOMPARE(p.owner.rig.machine.ringingTimerActive(), false);
        p.home.line(u"CALL 31 STATUS INPROGRESS"_s);
        QCOMPARE(p.home.rig.machine.stateText(), u"RemoteAnswer"_s);
        QCOMPARE(p.home.rig.ports.mixer, (QStringList{u"save"_s, u"on"_s}));
        p.home.rig.notice(u"aap1"_s);
        QCOMPARE(p.home.rig.machine.state(), State::Idle);
        QCOMPARE(p.home.rig.ports.commands.last(), u"SET CALL 31 STATUS FINISHED"_s);
        QCOMPARE(p.home.rig.ports.mixer.last(), u"off"_s);
        QCOMPARE(p.home.rig.messages(),
                 (QStringList{u"20050801123456_bob.r.wav"_s, u"20050802090000_carol.r.wav"_s}));

        p.client.Timer1_Timer(); // the list came: no time-out
        p.client.Command1_Click();
        p.wire.pump();
        QCOMPARE(p.wire.take(),
                 (QStringList{u"owner>home BYE "_s + key, u"home>owner BYE "_s + key}));
        QVERIFY(p.home.remote.sessionKey().isEmpty() && p.home.remote.remoteUser().isEmpty());
        QVERIFY(!p.home.remote.timer2Active());
        QVERIFY(!p.owner.remote.controllerMode());
        QCOMPARE(notices.size(), 0);
    }

    void refusalAndTimeOutReachTheOwner() {
        Pair p;
        QSignalSpy notices(&p.client, &RemoteAutoAnswerClient::notice);
        QVERIFY(!p.client.Command2_Click(u""_s, u"ab"_s));
        QVERIFY(!p.client.Command2_Click(u"home"_s, u"  "_s));
        QVERIFY(!p.client.timer1Active() && p.wire.log.isEmpty());
        QVERIFY(p.client.Command2_Click(u"home"_s, u"abc"_s));
        p.wire.pump();
        QVERIFY(p.wire.log.value(1).endsWith(u" REFUSE"_s));
        QVERIFY(p.owner.remote.controllerMode()); // waits until the time-out
        p.client.Timer1_Timer();
        QCOMPARE(notices.size(), 2); // the refusal, then the time-out
        QVERIFY(!p.owner.remote.controllerMode());
        QVERIFY(p.home.remote.sessionKey().isEmpty());
    }

    void authRules() {
        Pair p;
        p.inject(p.home, u"stranger"_s, u"AUTH 1234 10XJ"_s);
        QCOMPARE(p.wire.take(), QStringList{}); // not on the controller list
        for (const QString& bad : {u"AUTH 1234"_s, u"AUTH x1 10XJ"_s, u"AUTH 1234 10XJ extra"_s,
                                   u"AUTH "_s + QString(1000000, u'9') + u" 10XJ"_s})
            p.toHome(bad);
        QCOMPARE(p.wire.take(), QStringList{});
        for (const QString& key : {QString(), u"..."_s}) {
            p.home.rig.machine.settings().remoteControlKey = key;
            p.toHome(u"AUTH 7 10"_s); // a bare salt
            QCOMPARE(p.wire.take(), QStringList{u"home>owner AUTH 7 REFUSE"_s});
        }
        p.home.rig.machine.settings().remoteControlKey = u"ab"_s;
        const QString key = p.login();
        QCOMPARE(key, p.home.remote.sessionKey());
        QVERIFY(!key.isEmpty());
        QVERIFY(p.home.remote.timer2Active());
        // One session at a time, even with the right key.
        p.toHome(u"AUTH 99 10XJ"_s);
        QCOMPARE(p.wire.take(), QStringList{u"home>owner AUTH 99 REFUSE"_s});
        // Answers are no requests, and a wrong or missing key gets nothing.
        for (const QString& bad :
             {u"AUTH 5 OK 17"_s, u"LIST"_s, u"LIST 0"_s + key, u"LIST "_s + key + u" x"_s,
              u"BYE 1"_s + key, u"RECORD "_s + key + u" 2005/08/01 12:34.56 bob"_s})
            p.toHome(bad);
        QCOMPARE(p.wire.take(), QStringList{});
    }

    void authIsRateLimitedAndLogged() {
        Pair p;
        for (int i = 0; i < RemoteControl::kRefusalLimit; ++i) {
            p.home.rig.test.clock.advance(60);
            p.toHome(u"AUTH 1 10XK"_s);
        }
        QCOMPARE(p.wire.take().size(), RemoteControl::kRefusalLimit);
        p.toHome(u"AUTH 1 10XJ"_s); // muted, even with the right key
        QCOMPARE(p.wire.take(), QStringList{});
        p.home.rig.test.clock.advance(RemoteControl::kBlockSec);
        QVERIFY(!p.login().isEmpty());
        QFile log(p.home.rig.test.log.filePath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        // Five refused, one muted (and the line that mutes), one granted.
        QCOMPARE(text.count(u"AUTH from owner"_s), 8);
        QCOMPARE(text.count(u"muted"_s), 2);
    }

    // PLAY names a row of the list exactly; the machine plays that row's file, only when idle,
    // and only into the call it placed.
    void playOnlyListedMessagesIntoItsOwnCall() {
        Pair p;
        const QString privateCall = writeTone(
            p.home.rig.test.folders.recordingPath() + u"/20050801123456_bob.wav"_s, 440, 0.2);
        const QString key = p.login();
        for (const QString& item : {u"2005/08/01 12:34.56"_s, u"2005/08/01 12:34.56 bob x"_s,
                                    u"2005/08/01 12:34.56 ../Recording/20050801123456_bob"_s,
                                    u"2005/08/01 12:34.56 \"bob\""_s, u"2005/08/01 12:34.57 bob"_s,
                                    u"2005/08/01  12:34.56 bob"_s, u"2005/08/01 12:34.56 bob\n"_s})
            p.toHome(u"PLAY "_s + key + u' ' + item);
        QCOMPARE(p.home.calls(), QStringList{});
        QCOMPARE(p.home.rig.machine.state(), State::Idle);

        p.home.rig.driveTo(State::Recording); // busy: ignored
        p.toHome(u"PLAY "_s + key + u" 2005/08/01 12:34.56 bob"_s);
        QCOMPARE(p.home.rig.machine.state(), State::Recording);
        p.home.line(u"CALL 7 STATUS FINISHED"_s);

        for (int i = 0; i < 3; ++i)
            p.toHome(u"PLAY "_s + key + u" 2005/08/01 12:34.56 bob"_s);
        QCOMPARE(p.home.calls(), QStringList{u"CALL owner"_s});
        QCOMPARE(p.home.rig.machine.remotePlayPath(), p.older);
        p.home.line(u"CALL 8 STATUS RINGING"_s); // an incoming call is not the call back
        p.home.line(u"CALL 31 STATUS ROUTING"_s);
        QCOMPARE(p.home.rig.machine.remoteCallId(), u"31"_s);
        p.home.line(u"CALL 8 STATUS INPROGRESS"_s); // answered by hand
        QCOMPARE(p.home.rig.machine.state(), State::Remote);
        // Nobody answers: after a minute the call is hung up.
        p.home.rig.machine.RemoteTimer_Timer();
        QCOMPARE(p.home.rig.machine.state(), State::Idle);
        QCOMPARE(p.home.rig.ports.commands.last(), u"SET CALL 31 STATUS FINISHED"_s);
        QVERIFY(QFile::exists(p.older) && QFile::exists(privateCall));

        // The remote user hangs up during the playback: nothing is marked heard.
        p.toHome(u"PLAY "_s + key + u" 2005/08/01 12:34.56 bob"_s);
        p.home.line(u"CALL 32 STATUS ROUTING"_s);
        p.home.line(u"CALL 32 STATUS INPROGRESS"_s);
        QCOMPARE(p.home.rig.machine.state(), State::RemoteAnswer);
        p.home.line(u"CALL 32 STATUS FINISHED"_s);
        QCOMPARE(p.home.rig.machine.state(), State::Idle);
        QVERIFY(QFile::exists(p.older));

        // The end of the session ends a call back still waiting to be answered.
        p.toHome(u"PLAY "_s + key + u" 2005/08/01 12:34.56 bob"_s);
        p.home.line(u"CALL 33 STATUS ROUTING"_s);
        p.toHome(u"BYE "_s + key);
        QCOMPARE(p.wire.take(), QStringList{u"home>owner BYE "_s + key});
        QCOMPARE(p.home.rig.machine.state(), State::Idle);
        QCOMPARE(p.home.rig.ports.commands.last(), u"SET CALL 33 STATUS FINISHED"_s);
    }

    void sessionEndsAfterSixtyTicks() {
        Pair p;
        const QString key = p.login();
        for (int i = 1; i < RemoteControl::kSessionTicks; ++i)
            p.home.remote.Timer2_Timer();
        QCOMPARE(p.home.remote.sessionMinutes(), 59);
        QCOMPARE(p.wire.take(), QStringList{});
        p.home.remote.Timer2_Timer();
        QCOMPARE(p.wire.take(), QStringList{u"home>owner BYE "_s + key});
        QVERIFY(p.home.remote.sessionKey().isEmpty() && !p.home.remote.timer2Active());
    }

    // While waiting as a controller, only the answers of the machine asked count.
    void controllerTakesOnlyItsMachine() {
        Pair p;
        ControlerList::save(p.owner.rig.test.settings, {u"home"_s, u"mallory"_s});
        QVERIFY(p.client.Command2_Click(u"home"_s, u"ab"_s));
        const QString nonce = p.wire.take().value(0).section(u' ', 2, 2);
        QSignalSpy records(&p.owner.remote, &RemoteControl::recordReceived);
        p.inject(p.owner, u"mallory"_s, u"AUTH "_s + nonce + u" OK 5"_s);
        p.inject(p.owner, u"home"_s, u"AUTH 1"_s + nonce + u" OK 5"_s);
        p.inject(p.owner, u"home"_s, u"AUTH "_s + nonce + u" OK x5"_s);
        p.inject(p.owner, u"home"_s, u"RECORD 5 2005/08/01 12:34.56 bob"_s);
        p.inject(p.owner, u"mallory"_s, u"AUTH 3 10XJ"_s); // no machine role meanwhile
        QVERIFY(p.owner.remote.sessionKey().isEmpty());
        QCOMPARE(records.size(), 0);
        QCOMPARE(p.wire.take(), QStringList{});
        p.inject(p.owner, u"home"_s, u"AUTH "_s + nonce + u" OK 5"_s);
        p.inject(p.owner, u"mallory"_s, u"RECORD 5 2005/08/01 12:34.56 bob"_s);
        p.inject(p.owner, u"mallory"_s, u"BYE 5"_s);
        p.inject(p.owner, u"home"_s, u"RECORD 5 2005/08/01 12:34.56 bob"_s);
        QCOMPARE(p.client.lines(), QStringList{u"2005/08/01 12:34.56 bob"_s});
        QCOMPARE(p.wire.take(), QStringList{u"owner>home LIST 5"_s});
        // A play request waits only from an idle machine.
        p.owner.rig.driveTo(State::CheckRinging);
        QVERIFY(!p.client.Command3_Click(u"2005/08/01 12:34.56 bob"_s));
        QVERIFY(!p.client.Command3_Click(u"2005/08/01 12:34.56 eve"_s));
        QCOMPARE(p.wire.take(), QStringList{});
        // BYE from the machine ends the session; the answering BYE is not answered again.
        p.inject(p.owner, u"home"_s, u"BYE 5"_s);
        QCOMPARE(p.wire.take(), QStringList{u"owner>home BYE 5"_s});
        QVERIFY(!p.owner.remote.controllerMode());
    }

    // A stored list stops at its first gap; a save leaves nothing behind a gap to come back.
    void controlerListKeys() {
        TestServices t;
        t.settings.write(u"AutoAnswer"_s, u"Controler001"_s, u"alice"_s);
        t.settings.write(u"AutoAnswer"_s, u"Controler003"_s, u"bob"_s);
        QCOMPARE(ControlerList::load(t.settings), QStringList{u"alice"_s});
        QVERIFY(!ControlerList::contains(t.settings, u"bob"_s));
        ControlerList::save(t.settings, {u"dave"_s});
        t.settings.write(u"AutoAnswer"_s, u"Controler002"_s, u"x"_s);
        QCOMPARE(ControlerList::load(t.settings), (QStringList{u"dave"_s, u"x"_s}));
        QVERIFY(ControlerList::contains(t.settings, u"dave"_s));
        QVERIFY(!ControlerList::contains(t.settings, u"Dave"_s));
    }

    void accessKeyRules() {
        QVERIFY(RemoteControl::accessKeyProblem(u"Secret_1.x"_s).isEmpty());
        QVERIFY(RemoteControl::accessKeyProblem(QString(64, u'a')).isEmpty());
        for (const QString& bad :
             {QString(), u"."_s, u"...."_s, u"a b"_s, u"abc!"_s, u"ä"_s, QString(65, u'a')})
            QVERIFY2(!RemoteControl::accessKeyProblem(bad).isEmpty(), qPrintable(bad));
        QCOMPARE(RemoteControl::OpenSession(0.0), u"0"_s);
        QCOMPARE(RemoteControl::OpenSession(0.99999999), u"10000"_s);
        QCOMPARE(RemoteControl::OpenSession(0.1), u"1000"_s); // 1000.5: halves to even
        QCOMPARE(RemoteControl::OpenSession(0.0001), u"2"_s); // 1.5
    }
};

QUENLARK_TEST_MAIN(TestRemoteControl)
#include "tst_remotecontrol.moc"
