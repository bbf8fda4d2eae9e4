// The simulator's users at run time: lookups in any letter case, changed details pushed to
// the clients that follow a user, added users, and late GET USER replies.
#include "hostsimharness.h"
#include "testmain.h"

class HostSimUsersTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<HostSimProcess> sim_;
    std::unique_ptr<TestClient> client_;

    QVariant call(const QString& method, const QVariantList& arguments, QString* error = nullptr) {
        return control(client_->connection(), method, arguments, error);
    }

private slots:
    void init() {
        bus_ = std::make_unique<PrivateBus>();
        sim_ = std::make_unique<HostSimProcess>(
            QStringList{QStringLiteral("--user"), QStringLiteral("alice@") + bus_->address()});
        QVERIFY(sim_->isReady());
        client_ = std::make_unique<TestClient>(bus_->address(), QStringLiteral("client"));
        client_->discover();
        QTRY_COMPARE(client_->attachStatuses, QList<uint>{0});
    }
    void cleanup() {
        client_.reset();
        sim_.reset();
        bus_.reset();
    }

    void usersAreFoundInAnyCaseAndChangesArePushed() {
        client_->command(QStringLiteral("GET USER CAROL FULLNAME"));
        QCOMPARE(client_->waitFor(QStringLiteral("USER .*")),
                 QStringLiteral("USER carol FULLNAME Carol King"));
        call(QStringLiteral("SetUserProperty"), {"Carol", "country", "New  Zealand"});
        QCOMPARE(client_->waitFor(QStringLiteral("USER .*")),
                 QStringLiteral("USER carol COUNTRY New  Zealand"));
        QString error;
        call(QStringLiteral("SetUserProperty"), {"carol", "lastonline", "soon"}, &error);
        QVERIFY(!error.isEmpty());

        call(QStringLiteral("AddUser"), {"zed", "Zed Shaw", "Iceland", "away"});
        call(QStringLiteral("AddUser"), {"ZED", "", "", ""}, &error);
        QVERIFY(error.contains(QStringLiteral("exists")));
        client_->command(QStringLiteral("GET USER zed ONLINESTATUS"));
        QCOMPARE(client_->waitFor(QStringLiteral("USER .*")),
                 QStringLiteral("USER zed ONLINESTATUS AWAY"));
    }

    void delayedUserRepliesComeAfterLaterCommands() {
        call(QStringLiteral("SetUserReplyDelay"), {300});
        client_->command(QStringLiteral("GET USER bob FULLNAME"));
        client_->command(QStringLiteral("PING"));
        QCOMPARE(client_->waitFor(QStringLiteral("(PONG|USER .*)")), QStringLiteral("PONG"));
        QCOMPARE(client_->waitFor(QStringLiteral("(PONG|USER .*)")),
                 QStringLiteral("USER bob FULLNAME Bob Marley"));
    }
};

QUENLARK_TEST_MAIN(HostSimUsersTest)
#include "tst_hostsim_users.moc"
