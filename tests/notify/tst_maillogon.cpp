#include "memorysecretstore.h"
#include "notify/keychainsecretstore.h"
#include "notify/mailpassword.h"
#include "notify/mailsender.h"
#include "notify/sendmailform.h"
#include "testmain.h"
#include "testservices.h"

#include <QComboBox>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The mail window's login settings: security, user name, and the password that only the
// secret store may keep.
class TestMailLogon : public QObject {
    Q_OBJECT
    template <typename T> static T* control(QWidget& form, const char* name) {
        return form.findChild<T*>(QLatin1String(name));
    }

private slots:
    void windowKeepsThePasswordOnlyInTheSecretStore_data() {
        QTest::addColumn<bool>("available");
        QTest::newRow("secret service") << true;
        QTest::newRow("none: this run only") << false;
    }
    void windowKeepsThePasswordOnlyInTheSecretStore() {
        QFETCH(bool, available);
        TestServices ts;
        ts.language.LoadLanguagePack("en");
        Services& services = ts.services;
        ts.settings.write("SendMail", "SMTPServer", "Mail.Example.org");
        ts.settings.write("SendMail", "UserName", "alice");
        auto owned = std::make_unique<MemorySecretStore>();
        MemorySecretStore* store = owned.get();
        store->available = available;
        QMap<QString, QString> entries;
        {
            MailSender sender(services, nullptr, std::move(owned));
            SendMailForm form(services, sender);
            auto* status = control<QLabel>(form, "SecretStatusLabel");
            QTRY_COMPARE(status->text(),
                         available ? ts.language.GetLanguageString(904)
                                   : ts.language.GetLanguageString(905).arg("no secret service"));
            control<QComboBox>(form, "SecurityCombo")->setCurrentIndex(1);
            QTest::keyClicks(control<QLineEdit>(form, "PasswordText"), "s3cret");
            QCOMPARE(form.mailSender().password().password(), QStringLiteral("s3cret"));
            control<QPushButton>(form, "Command2")->click();
            QTRY_COMPARE(store->writes, available ? 1 : 0);
            entries = store->entries;
        }
        QCOMPARE(ts.settings.read("SendMail", "Security"), QStringLiteral("STARTTLS"));
        QCOMPARE(ts.settings.read("SendMail", "UserName"), QStringLiteral("alice"));
        for (const QString& key : ts.settings.keys("SendMail"))
            QVERIFY(!ts.settings.read("SendMail", key).contains("s3cret"));
        // The next run finds the password in the store, or asks again.
        auto again = std::make_unique<MemorySecretStore>();
        again->entries = entries;
        again->available = available;
        MailSender sender(services, nullptr, std::move(again));
        SendMailForm form(services, sender);
        QTRY_COMPARE(control<QLineEdit>(form, "PasswordText")->text(),
                     available ? QStringLiteral("s3cret") : QString());
        QCOMPARE(control<QComboBox>(form, "SecurityCombo")->currentIndex(), 1);
    }

    // The desktop's store on a bus without a secret service: unavailable, and nothing falls
    // back to a file.
    void keychainWithoutSecretServiceSaysSo() {
        if (QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface()) {
            const QString names =
                (bus->activatableServiceNames().value() + bus->registeredServiceNames().value())
                    .join(u' ');
            if (names.contains("secrets") || names.contains("kwalletd"))
                QSKIP("this bus has a secret service: the test leaves it alone");
        }
        KeychainSecretStore store;
        QSignalSpy read(&store, &SecretStore::readDone);
        QSignalSpy written(&store, &SecretStore::writeDone);
        store.read(QStringLiteral("SendMail/alice@example.org"));
        store.write(QStringLiteral("SendMail/alice@example.org"), QStringLiteral("s3cret"));
        QTRY_VERIFY_WITH_TIMEOUT(read.size() == 1 && written.size() == 1, 30000);
        QCOMPARE(read[0][1].value<SecretStore::Result>(), SecretStore::Result::Unavailable);
        QCOMPARE(written[0][1].toBool(), false);
        QProcess grep; // QtKeychain's plain-text fallback would write a settings file
        grep.start("grep", {"-r", "-q", "s3cret", qEnvironmentVariable("HOME")});
        QVERIFY(grep.waitForFinished() && grep.exitCode() == 1);
    }
};

QUENLARK_TEST_MAIN(TestMailLogon)
#include "tst_maillogon.moc"
