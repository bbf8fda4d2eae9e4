#include "notify/mailsender.h"
#include "testmain.h"
#include "testservices.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

// An SMTP server on loopback that answers from a script, for replies a real server will not
// give on demand. Each greeting piece is written on its own turn of the event loop.
class ScriptedSmtpServer : public QObject {
public:
    QList<QByteArray> greeting{"220 scripted ready\r\n"};
    QHash<QByteArray, QByteArray> replies{{"HELO", "250 hello\r\n"}, {"MAIL", "250 ok\r\n"},
                                          {"RCPT", "250 ok\r\n"},    {"DATA", "354 go\r\n"},
                                          {".", "250 queued\r\n"},   {"QUIT", "221 bye\r\n"}};
    QList<QByteArray> commands;
    QList<QByteArray> messages;
    int connections = 0;

    ScriptedSmtpServer() {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }
    quint16 port() const { return m_server.serverPort(); }

private:
    struct Session {
        QByteArray buffer;
        QByteArray data;
        bool inData = false;
    };

    void serve(QTcpSocket* socket) {
        ++connections;
        socket->setParent(this);
        auto session = std::make_shared<Session>();
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, session] {
            session->buffer += socket->readAll();
            qsizetype end;
            while ((end = session->buffer.indexOf("\r\n")) >= 0) {
                const QByteArray line = session->buffer.left(end);
                session->buffer.remove(0, end + 2);
                handleLine(socket, *session, line);
            }
        });
        sendGreeting(socket, 0);
    }

    void sendGreeting(QTcpSocket* socket, int piece) {
        if (piece >= greeting.size())
            return;
        socket->write(greeting[piece]);
        socket->flush();
        QTimer::singleShot(2, socket, [this, socket, piece] { sendGreeting(socket, piece + 1); });
    }

    void handleLine(QTcpSocket* socket, Session& session, const QByteArray& line) {
        if (session.inData) {
            if (line != ".") {
                session.data += line + "\r\n";
                return;
            }
            session.inData = false;
            messages << session.data;
            session.data.clear();
            socket->write(replies.value("."));
            return;
        }
        commands << line;
        const QByteArray verb = line.split(' ').first().split(':').first().toUpper();
        const QByteArray reply = replies.value(verb, "500 what\r\n");
        socket->write(reply);
        if (verb == "DATA" && reply.startsWith("354"))
            session.inData = true;
        if (verb == "QUIT")
            socket->disconnectFromHost();
    }

    QTcpServer m_server;
};

class TestMailSender : public QObject {
    Q_OBJECT

    static void configure(MailSender& sender, quint16 port) {
        sender.setSmtpServer(QStringLiteral("127.0.0.1:%1").arg(port));
        sender.setFrom(QStringLiteral("alice@example.org"));
        sender.setTo(QStringLiteral("bob@example.org"));
        sender.setSubject(QStringLiteral("Ringing"));
        sender.setBody(QStringLiteral("A call from carol"));
    }

private slots:
    void deliversMailThroughWholeConversation() {
        TestServices ts;
        ScriptedSmtpServer server;
        MailSender sender(ts.services);
        configure(sender, server.port());
        QSignalSpy status(&sender, &MailSender::mailStatusChanged);
        sender.SendMail();
        QCOMPARE(sender.queue().first().state, qint32(MailSender::Sending));
        QTRY_COMPARE_WITH_TIMEOUT(sender.text6(), QStringLiteral("OK"), 5000);
        const QList<QByteArray> expected{"HELO 127.0.0.1", "MAIL FROM:<alice@example.org>",
                                         "RCPT TO:<bob@example.org>", "DATA", "QUIT"};
        QCOMPARE(server.commands, expected);
        QCOMPARE(server.messages.size(), 1);
        QVERIFY(server.messages.first().contains("\r\nSubject: Ringing\r\n"));
        QStringList shown;
        for (const QList<QVariant>& args : status)
            shown << args.first().toString();
        QCOMPARE(shown, QStringList({"Conectting", "Sending HELO", "Sending FROM", "Sending RCPT",
                                     "Sending DATA", "Sending QUIT", ""}));
        QVERIFY(sender.queue().isEmpty());
        QVERIFY(sender.tag().isEmpty());
        QVERIFY(!sender.timer1Active());
    }

    void greetingInAnyShapeStartsConversation_data() {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QList<QByteArray> bytes;
        for (char c : QByteArray("220 ready\r\n"))
            bytes << QByteArray(1, c);
        QTest::newRow("single bytes") << bytes;
        QTest::newRow("multi-line") << QList<QByteArray>{"220-welcome\r\n220-rules\r\n220 go\r\n"};
        QTest::newRow("multi-line split mid-line")
            << QList<QByteArray>{"220-wel", "come\r\n22", "0 go\r", "\n"};
    }
    void greetingInAnyShapeStartsConversation() {
        QFETCH(QList<QByteArray>, pieces);
        TestServices ts;
        ScriptedSmtpServer server;
        server.greeting = pieces;
        MailSender sender(ts.services);
        configure(sender, server.port());
        sender.SendMail();
        QTRY_COMPARE_WITH_TIMEOUT(sender.text6(), QStringLiteral("OK"), 5000);
        QCOMPARE(server.messages.size(), 1);
    }

    void refusedRecipientEndsPolitely() {
        TestServices ts;
        ScriptedSmtpServer server;
        server.replies["RCPT"] = "550 no such user\r\n";
        MailSender sender(ts.services);
        configure(sender, server.port());
        sender.SendMail();
        QTRY_COMPARE_WITH_TIMEOUT(sender.text6(), QStringLiteral("ERR : 550"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(sender.queue().isEmpty(), 5000);
        QCOMPARE(server.commands.last(), QByteArray("QUIT"));
        QVERIFY(!server.commands.contains("DATA"));
        QVERIFY(sender.mailStatus().isEmpty());
    }

    void silentServerTimesOutAndNextMailStarts() {
        TestServices ts;
        ScriptedSmtpServer server;
        server.greeting.clear();
        MailSender sender(ts.services);
        configure(sender, server.port());
        sender.SendMail();
        sender.SendMail();
        QTRY_COMPARE_WITH_TIMEOUT(server.connections, 1, 5000);
        QVERIFY(sender.timer1Active());
        sender.Timer1_Timer();
        QCOMPARE(sender.queue().size(), 2);
        QCOMPARE(sender.queue()[0].state, qint32(MailSender::Failed));
        QCOMPARE(sender.queue()[0].note, QStringLiteral("Time Out Err[Connect]"));
        QCOMPARE(sender.queue()[1].state, qint32(MailSender::Sending));
        QCOMPARE(sender.tag(), QStringLiteral("Connect"));
        QCOMPARE(sender.mailStatus(), QStringLiteral("Conectting"));
        QTRY_COMPARE_WITH_TIMEOUT(server.connections, 2, 5000);
    }

    void queuedMailsGoOneAfterAnotherWithTheirOwnSubjects() {
        TestServices ts;
        ScriptedSmtpServer server;
        MailSender sender(ts.services);
        configure(sender, server.port());
        sender.setSubject(QStringLiteral("first"));
        sender.SendMail();
        sender.SendMail();
        QCOMPARE(sender.queue()[1].state, qint32(MailSender::Waiting));
        // Once the first message is out, the caller fills the field for the second.
        connect(&sender, &MailSender::mailStatusChanged, &sender, [&sender](const QString& text) {
            if (text == QStringLiteral("Sending QUIT"))
                sender.setSubject(QStringLiteral("second"));
        });
        QTRY_COMPARE_WITH_TIMEOUT(server.messages.size(), 2, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(sender.queue().isEmpty(), 5000);
        QVERIFY(server.messages[0].contains("Subject: first\r\n"));
        QVERIFY(server.messages[1].contains("Subject: second\r\n"));
        QCOMPARE(server.connections, 2);
        QCOMPARE(sender.text6(), QStringLiteral("OK"));
    }

    void unreadableAttachmentFailsMailAndNextStarts() {
        TestServices ts;
        ScriptedSmtpServer server;
        MailSender sender(ts.services);
        configure(sender, server.port());
        sender.setAttachment(ts.tempPath() + QStringLiteral("/missing.wav"));
        sender.SendMail();
        sender.setAttachment(QString());
        sender.SendMail();
        QTRY_COMPARE_WITH_TIMEOUT(sender.queue().size(), 1, 5000);
        QCOMPARE(sender.queue()[0].state, qint32(MailSender::Failed));
        QCOMPARE(sender.queue()[0].note, QStringLiteral("53"));
        QTRY_COMPARE_WITH_TIMEOUT(server.messages.size(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(sender.text6(), QStringLiteral("OK"), 5000);
        QVERIFY(!server.messages[0].contains("multipart"));
    }

    void settingsRoundTripTrimmed() {
        TestServices ts;
        {
            MailSender sender(ts.services);
            sender.setSmtpServer(QStringLiteral(" mail.example.org:2525 "));
            sender.setFrom(QStringLiteral("alice@example.org"));
            sender.SaveSettings();
            sender.setTo(QStringLiteral("bob@example.org"));
            sender.SaveSettings();
        }
        MailSender reloaded(ts.services);
        reloaded.LoadSettings();
        QCOMPARE(reloaded.smtpServer(), QStringLiteral("mail.example.org:2525"));
        QCOMPARE(reloaded.from(), QStringLiteral("alice@example.org"));
        QCOMPARE(reloaded.to(), QStringLiteral("bob@example.org"));
        QCOMPARE(ts.settings.strayDeletes(), 0);
    }
};

QUENLARK_TEST_MAIN(TestMailSender)
#include "tst_mailsender.moc"
