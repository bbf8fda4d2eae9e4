// The host simulator's side of the link: attach modes, the payload rules and the plain replies.
#include "hostsimharness.h"
#include "testmain.h"

class HostSimLinkTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<HostSimProcess> sim_;
    std::unique_ptr<TestClient> client_;

    void start(const QStringList& arguments = {}) {
        sim_ = std::make_unique<HostSimProcess>(
            QStringList{QStringLiteral("--user"), QStringLiteral("alice@") + bus_->address()} +
            arguments);
        QVERIFY(sim_->isReady());
        client_ = std::make_unique<TestClient>(bus_->address(), QStringLiteral("client"));
    }
    void attach() {
        client_->discover();
        QTRY_COMPARE(client_->attachStatuses, QList<uint>{0});
        QCOMPARE(client_->host, sim_->hostName(QStringLiteral("alice")));
    }

private slots:
    void init() {
        bus_ = std::make_unique<PrivateBus>();
        QVERIFY(!bus_->address().isEmpty());
    }
    void cleanup() {
        client_.reset();
        sim_.reset(); // kills the simulator
        bus_.reset();
    }

    // Pending then granted from the command line; refused, and a mode it does not know,
    // through the control object.
    void attachModes() {
        start({QStringLiteral("--attach"), QStringLiteral("pending:300")});
        client_->discover();
        QTRY_COMPARE(client_->attachStatuses, (QList<uint>{1, 0}));
        QCOMPARE(client_->command(QStringLiteral("PING")), 1u);
        QVERIFY(!client_->waitFor(QStringLiteral("PONG")).isEmpty());
        TestClient refused(bus_->address(), QStringLiteral("refused"));
        control(client_->connection(), QStringLiteral("SetAttachMode"),
                {QStringLiteral("refused")});
        refused.discover();
        QTRY_COMPARE(refused.attachStatuses, QList<uint>{2});
        QCOMPARE(refused.command(QStringLiteral("PING")), 0u);
        QString error;
        control(client_->connection(), QStringLiteral("SetAttachMode"), {QStringLiteral("maybe")},
                &error);
        QVERIFY(!error.isEmpty());
    }

    // The replies the program's tests do not already meet (PONG, the user, the friends, a
    // full name and an unknown user are answered in tst_hostsim_integration,
    // tst_hostsim_users and tst_contacts_hostsim).
    void repliesLikeAHost_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("reply");
        QTest::newRow("audio in") << "GET AUDIO_IN"
                                  << "AUDIO_IN mic";
        QTest::newRow("country of two words") << "GET USER carol COUNTRY"
                                              << "USER carol COUNTRY United States";
        QTest::newRow("unknown property") << "GET USER bob SHOESIZE"
                                          << "ERROR 10 Invalid property";
        QTest::newRow("unknown command") << "DANCE"
                                         << "ERROR 2 Unknown command";
        QTest::newRow("no such call") << "GET CALL 9999 PARTNER_HANDLE"
                                      << "ERROR 11 Invalid call id";
        QTest::newRow("no such message") << "GET CHATMESSAGE 9999 BODY"
                                         << "ERROR 14 Invalid message id";
    }
    void repliesLikeAHost() {
        QFETCH(QString, command);
        QFETCH(QString, reply);
        start();
        attach();
        QCOMPARE(client_->command(command), 1u);
        QCOMPARE(client_->waitFor(QStringLiteral("(PONG|USERS |AUDIO|USER |ERROR|CURRENT).*")),
                 reply);
    }

    void lastOnlineIsATimeStamp() {
        start();
        attach();
        client_->command(QStringLiteral("GET USER dave LASTONLINETIMESTAMP"));
        const QString line = client_->waitFor(QStringLiteral("USER dave LASTONLINETIMESTAMP \\d+"));
        QVERIFY2(!line.isEmpty(), qPrintable(client_->lines.join(QLatin1Char('|'))));
        const qint64 stamp = line.section(QLatin1Char(' '), 3).toLongLong();
        QVERIFY(stamp < QDateTime::currentSecsSinceEpoch());
        QVERIFY(stamp > QDateTime::currentSecsSinceEpoch() - 7 * 86400);
    }

    void payloadIsCutLikeTheProgramDoes_data() {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("reply");
        QTest::newRow("no terminator") << QByteArray("PING") << "PONG";
        QTest::newRow("zero in the middle") << QByteArray("PING\0GARBAGE\0", 13) << "PONG";
        QTest::newRow("zero first") << QByteArray("\0PING", 5) << "ERROR 2 Unknown command";
        QTest::newRow("utf-8") << QByteArray("GET USER \xe5\xa4\xaa\xe9\x83\x8e FULLNAME\0", 26)
                               << QString::fromUtf8("USER \xe5\xa4\xaa\xe9\x83\x8e FULLNAME ");
    }
    void payloadIsCutLikeTheProgramDoes() {
        QFETCH(QByteArray, payload);
        QFETCH(QString, reply);
        start();
        attach();
        QCOMPARE(client_->commandPayload(payload), 1u);
        QCOMPARE(client_->waitFor(QStringLiteral("(PONG|ERROR|USER ).*")), reply);
    }

    void commandFromAClientNotAttachedIsNotProcessed() {
        start();
        attach();
        TestClient stranger(bus_->address(), QStringLiteral("stranger"));
        stranger.host = client_->host; // it never discovered, so the host does not know it
        QCOMPARE(stranger.command(QStringLiteral("PING")), 0u);
        QTest::qWait(200);
        QVERIFY(stranger.lines.isEmpty());
        QVERIFY(!control(client_->connection(), QStringLiteral("Transcript"))
                     .toStringList()
                     .filter(QStringLiteral("ignored: not attached"))
                     .isEmpty());
    }

    void statusChangesReachTheUser() {
        start();
        attach();
        client_->command(QStringLiteral("GET USER zed ONLINESTATUS")); // asked about: watched
        control(client_->connection(), QStringLiteral("SetStatus"),
                {QStringLiteral("bob"), QStringLiteral("AWAY")});
        QVERIFY(!client_->waitFor(QStringLiteral("USER bob ONLINESTATUS AWAY")).isEmpty());
        control(client_->connection(), QStringLiteral("SetStatus"),
                {QStringLiteral("alice"), QStringLiteral("DND")});
        QVERIFY(!client_->waitFor(QStringLiteral("USERSTATUS DND")).isEmpty());
        client_->command(QStringLiteral("SET USERSTATUS ONLINE"));
        QVERIFY(!client_->waitFor(QStringLiteral("USERSTATUS ONLINE")).isEmpty());
    }

    void endsCleanlyOnQuitAndTerm_data() {
        QTest::addColumn<bool>("bySignal");
        QTest::newRow("Quit") << false;
        QTest::newRow("SIGTERM") << true;
    }
    void endsCleanlyOnQuitAndTerm() {
        QFETCH(bool, bySignal);
        start();
        QProcess& process = sim_->process();
        QTest::qWait(200); // stdin is not read with --no-console: nothing ends it early
        QCOMPARE(process.state(), QProcess::Running);
        if (bySignal)
            process.terminate();
        else
            control(client_->connection(), QStringLiteral("Quit"));
        QVERIFY(process.waitForFinished(5000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
    }
};

QUENLARK_TEST_MAIN(HostSimLinkTest)
#include "tst_hostsim_link.moc"
