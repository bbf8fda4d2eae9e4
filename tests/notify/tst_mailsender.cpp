#include "notify/mailsender.h"
#include "notify/sendmailform.h"
#include "notify/smtptransport.h"
#include "testmain.h"
#include "testservices.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>

// A sender and an SMTP server on loopback that answers from a script, for replies a real server
// will not give on demand. The greeting goes out in pieces of greetingPiece bytes (0: at once),
// each on its own turn of the event loop.
class Rig : public QObject {
public:
    QByteArray greeting = "220 scripted ready\r\n";
    int greetingPiece = 0;
    QHash<QByteArray, QByteArray> replies{{"HELO", "250 hello\r\n"}, {"MAIL", "250 ok\r\n"},
                                          {"RCPT", "250 ok\r\n"},    {"DATA", "354 go\r\n"},
                                          {".", "250 queued\r\n"},   {"QUIT", "221 bye\r\n"}};
    QList<QByteArray> commands;
    QList<QByteArray> messages; // the complete ones
    int connections = 0;
    TestServices ts;
    MailSender sender{ts.services};

    Rig() {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                serve(socket);
        });
        sender.setSmtpServer(QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()));
        sender.setFrom(QStringLiteral("alice@example.org"));
        sender.setTo(QStringLiteral("bob@example.org"));
        sender.setSubject(QStringLiteral("Ringing"));
        sender.setBody(QStringLiteral("A call from carol"));
    }

private:
    void serve(QTcpSocket* socket) {
        ++connections;
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, socket,
                [this, socket, inData = false, data = QByteArray()]() mutable {
                    while (socket->canReadLine()) {
                        const QByteArray line = socket->readLine().chopped(2);
                        if (inData && line != ".")
                            data += line + "\r\n";
                        else if (inData)
                            messages << std::exchange(data, {});
                        if (!inData || line == ".")
                            inData = answer(socket, line);
                    }
                });
        sendGreeting(socket, 0);
    }
    void sendGreeting(QTcpSocket* socket, qsizetype from) {
        if (from >= greeting.size())
            return;
        const qsizetype size = greetingPiece > 0 ? greetingPiece : greeting.size();
        socket->write(greeting.mid(from, size));
        socket->flush();
        QTimer::singleShot(2, socket, [=, this] { sendGreeting(socket, from + size); });
    }
    // Answers a command or the end of the data; true when the message data follows.
    bool answer(QTcpSocket* socket, const QByteArray& line) {
        const QByteArray verb = line.split(' ').first().split(':').first();
        if (verb != ".")
            commands << line;
        const QByteArray reply = replies.value(verb, "500 what\r\n");
        socket->write(reply);
        if (verb == "QUIT")
            socket->disconnectFromHost();
        return verb == "DATA" && reply.startsWith("354");
    }
    QTcpServer m_server;
};

// A transport whose send buffer empties only when the test says so, as on a slow uplink.
class SlowLink final : public SmtpTransport {
public:
    QByteArray sent;
    qint64 unsent = 0;
    bool isClosed() const override { return false; }
    void close() override {}
    void connectToServer(const QString&, quint16) override {}
    void sendData(const QByteArray& data) override {
        sent += data;
        unsent += data.size();
    }
    qint64 pendingBytes() const override { return unsent; }
    void drain(qint64 bytes) {
        unsent -= bytes;
        emit drained();
    }
};

class TestMailSender : public QObject {
    Q_OBJECT
    static QLineEdit* field(SendMailForm& form, const char* name) {
        return form.findChild<QLineEdit*>(QLatin1String(name));
    }
    static QPushButton* button(SendMailForm& form, const char* name) {
        return form.findChild<QPushButton*>(QLatin1String(name));
    }

private slots:
    void deliversMailThroughWholeConversation_data() {
        QTest::addColumn<QByteArray>("greeting");
        QTest::addColumn<int>("piece");
        const QByteArray multiLine = "220-welcome\r\n220-rules\r\n220 go\r\n";
        QTest::newRow("one line") << QByteArray("220 ready\r\n") << 0;
        QTest::newRow("multi-line") << multiLine << 0;
        QTest::newRow("multi-line in single bytes") << multiLine << 1;
        QTest::newRow("multi-line split mid-line") << multiLine << 7;
    }
    void deliversMailThroughWholeConversation() {
        Rig rig;
        QFETCH(QByteArray, greeting);
        QFETCH(int, piece);
        rig.greeting = greeting;
        rig.greetingPiece = piece;
        rig.sender.SendMail();
        QTRY_COMPARE_WITH_TIMEOUT(rig.sender.text6(), QStringLiteral("OK"), 5000);
        const QList<QByteArray> expected{"HELO 127.0.0.1", "MAIL FROM:<alice@example.org>",
                                         "RCPT TO:<bob@example.org>", "DATA", "QUIT"};
        QCOMPARE(rig.commands, expected);
        QCOMPARE(rig.messages.size(), 1);
        QVERIFY(rig.messages.first().contains("\r\nSubject: Ringing\r\n"));
        QCOMPARE(rig.sender.mailStatus(), QString());
        QVERIFY(rig.sender.queue().isEmpty());
        QVERIFY(!rig.sender.timer1Active());
    }

    void refusedRecipientEndsPolitely() {
        Rig rig;
        rig.replies["RCPT"] = "550 no such user\r\n";
        QSignalSpy failed(&rig.sender, &MailSender::mailFailed);
        rig.sender.SendMail();
        QTRY_COMPARE_WITH_TIMEOUT(rig.sender.text6(), QStringLiteral("ERR : 550"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(rig.sender.queue().isEmpty(), 5000);
        QCOMPARE(failed.size(), 1); // in the server's words, for the desktop notification
        QCOMPARE(failed[0][0].toString(), QStringLiteral("550 no such user"));
        QCOMPARE(rig.commands.last(), QByteArray("QUIT"));
        QVERIFY(!rig.commands.contains("DATA"));
        QVERIFY(rig.sender.mailStatus().isEmpty());
    }

    void silentServerTimesOutAndNextMailStarts() {
        Rig rig;
        rig.greeting.clear();
        QSignalSpy failed(&rig.sender, &MailSender::mailFailed);
        rig.sender.SendMail();
        rig.sender.SendMail();
        QTRY_COMPARE_WITH_TIMEOUT(rig.connections, 1, 5000);
        QVERIFY(rig.sender.timer1Active());
        rig.sender.Timer1_Timer();
        QCOMPARE(failed.size(), 1);
        QCOMPARE(failed[0][0].toString(), QStringLiteral("Time Out Err[Connect]"));
        QCOMPARE(rig.sender.queue().size(), 2);
        QCOMPARE(rig.sender.queue()[0].state, qint32(MailSender::Failed));
        QCOMPARE(rig.sender.queue()[0].note, QStringLiteral("Time Out Err[Connect]"));
        QCOMPARE(rig.sender.mailStatus(), QStringLiteral("Conectting"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.connections, 2, 5000);
    }

    void messageStillLeavingTheSocketIsNoSilence() {
        TestServices ts;
        auto owned = std::make_unique<SlowLink>();
        SlowLink* link = owned.get();
        MailSender sender(ts.services, std::move(owned));
        sender.SendMail();
        for (const char* reply :
             {"220 hi\r\n", "250 a\r\n", "250 b\r\n", "250 c\r\n", "354 go\r\n"})
            emit link->dataArrived(reply);
        QVERIFY(link->sent.endsWith("\r\n.\r\n")); // handed over whole, not yet on the wire
        // Longer than the second to which a timer this long is rounded.
        QTest::qWait(1600);
        const int before = sender.timer1RemainingMs();
        link->drain(link->unsent / 2);
        QVERIFY(sender.timer1RemainingMs() > before + 500);
        QCOMPARE(sender.tag(), QStringLiteral("Body"));
    }

    // Each mail keeps the subject, body and attachment it was queued with: later changes of
    // the fields, and mails queued by code, never mix into it.
    void queuedMailsKeepTheirOwnSubjectAndBody() {
        Rig rig;
        rig.sender.setSubject(QStringLiteral("first"));
        rig.sender.setBody(QStringLiteral("recorded message"));
        rig.sender.SendMail();
        rig.sender.QueueMail(QStringLiteral("ring report"), {}, {});
        rig.sender.setSubject(QStringLiteral("changed later"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.connections == 2 && rig.sender.queue().isEmpty(), 5000);
        QCOMPARE(rig.messages.size(), 2);
        QVERIFY(rig.messages[0].contains("Subject: first\r\n"));
        QVERIFY(rig.messages[0].contains("recorded message"));
        QVERIFY(rig.messages[1].contains("Subject: ring report\r\n"));
        QVERIFY(!rig.messages[1].contains("recorded message"));
        QCOMPARE(rig.sender.subject(), QStringLiteral("changed later"));
        QCOMPARE(rig.sender.text6(), QStringLiteral("OK"));
    }

    void unreadableAttachmentFailsMailAndNextStarts() {
        Rig rig;
        rig.sender.setAttachment(rig.ts.tempPath() + QStringLiteral("/missing.wav"));
        rig.sender.SendMail();
        rig.sender.setAttachment(QString());
        rig.sender.SendMail();
        QTRY_COMPARE_WITH_TIMEOUT(rig.sender.queue().size(), 1, 5000);
        QCOMPARE(rig.sender.queue()[0].state, qint32(MailSender::Failed));
        QCOMPARE(rig.sender.queue()[0].note, QStringLiteral("53"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.sender.text6(), QStringLiteral("OK"), 5000);
        QCOMPARE(rig.messages.size(), 1);
        QVERIFY(!rig.messages[0].contains("multipart"));
    }

    void windowSendsItsFieldsAndCloseSavesThemTrimmed() {
        Rig rig; // its scripted server receives the window's mail
        {
            MailSender sender(rig.ts.services);
            SendMailForm form(rig.ts.services, sender);
            QSignalSpy status(&form, &SendMailForm::mailStatusChanged);
            form.setSubject(QStringLiteral("Ringing"));
            form.show();
            field(form, "SMTPServerText")->setText(rig.sender.smtpServer());
            field(form, "FromText")->setText(QStringLiteral("alice@example.org"));
            field(form, "ToText")->setText(QStringLiteral("bob@example.org"));
            button(form, "Command1")->click();
            QCOMPARE(form.mailStatus(), QStringLiteral("Conectting"));
            QTRY_COMPARE_WITH_TIMEOUT(rig.messages.size(), 1, 5000);
            QVERIFY(rig.messages[0].contains("\r\nSubject: Ringing\r\n"));
            QTRY_VERIFY_WITH_TIMEOUT(status.size() > 5 && form.mailStatus().isEmpty(), 5000);
            field(form, "SMTPServerText")->setText(QStringLiteral(" smtp.example.org:2525 "));
            button(form, "Command2")->click();
            QVERIFY(!form.isVisible());
        }
        MailSender reloadedSender(rig.ts.services);
        SendMailForm reloaded(rig.ts.services, reloadedSender);
        QCOMPARE(field(reloaded, "SMTPServerText")->text(),
                 QStringLiteral("smtp.example.org:2525"));
        QCOMPARE(reloaded.mailSender().from(), QStringLiteral("alice@example.org"));
        QCOMPARE(field(reloaded, "ToText")->text(), QStringLiteral("bob@example.org"));
        QCOMPARE(rig.ts.settings.strayDeletes(), 0);
    }
};

QUENLARK_TEST_MAIN(TestMailSender)
#include "tst_mailsender.moc"
