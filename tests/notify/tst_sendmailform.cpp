#include "notify/mailsender.h"
#include "notify/sendmailform.h"
#include "testmain.h"
#include "testservices.h"

#include <QLineEdit>
#include <QPushButton>

class TestSendMailForm : public QObject {
    Q_OBJECT
private slots:
    void loadShowsStoredSettingsInTranslatedWindow() {
        TestServices ts;
        ts.settings.write("SendMail", "SMTPServer", "mail.example.org");
        ts.settings.write("SendMail", "MailAddress", "bob@example.org");
        writeTestFile(ts.tempPath() + "/packs/Quenlark_xx.pack",
                      "15:Mail window\n16:Server\n17:Sender\n18:Recipient\n6:Shut\n");
        LanguagePack pack(ts.tempPath() + "/packs");
        pack.LoadLanguagePack("xx");
        Services services{ts.settings, ts.prompts, ts.clock, ts.folders, ts.log, ts.console, pack};
        SendMailForm form(services);
        QCOMPARE(form.windowTitle(), QStringLiteral("Mail window"));
        QCOMPARE(form.findChild<QPushButton*>("Command2")->text(), QStringLiteral("Shut"));
        QCOMPARE(form.findChild<QLineEdit*>("SMTPServerText")->text(),
                 QStringLiteral("mail.example.org"));
        QCOMPARE(form.findChild<QLineEdit*>("ToText")->text(), QStringLiteral("bob@example.org"));
        QVERIFY(form.findChild<QLineEdit*>("FromText")->text().isEmpty());
        for (const char* name : {"SubjectText", "AttachmentText", "Text6", "Command1"})
            QVERIFY2(form.findChild<QWidget*>(name), name);
    }

    void callerFieldsShowAndTypedFieldsReachSender() {
        TestServices ts;
        SendMailForm form(ts.services);
        form.setSubject(QStringLiteral("Ringing"));
        form.setAttachment(QStringLiteral("/tmp/x.b64"));
        QCOMPARE(form.findChild<QLineEdit*>("SubjectText")->text(), QStringLiteral("Ringing"));
        QCOMPARE(form.findChild<QLineEdit*>("AttachmentText")->text(),
                 QStringLiteral("/tmp/x.b64"));
        form.findChild<QLineEdit*>("FromText")->setText(QStringLiteral("alice@example.org"));
        QCOMPARE(form.mailSender().from(), QStringLiteral("alice@example.org"));
    }

    void closeSavesSettingsAndHides() {
        TestServices ts;
        SendMailForm form(ts.services);
        form.show();
        form.findChild<QLineEdit*>("SMTPServerText")->setText(QStringLiteral(" smtp.example.org "));
        form.findChild<QPushButton*>("Command2")->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(ts.settings.read("SendMail", "SMTPServer"), QStringLiteral("smtp.example.org"));
    }

    void sendQueuesMailAndStatusReachesMainWindow() {
        TestServices ts;
        SendMailForm form(ts.services);
        QSignalSpy status(&form, &SendMailForm::mailStatusChanged);
        form.findChild<QLineEdit*>("SMTPServerText")->setText(QStringLiteral("127.0.0.1:1"));
        form.findChild<QPushButton*>("Command1")->click();
        QCOMPARE(form.mailSender().queue().size(), 1);
        QCOMPARE(form.mailStatus(), QStringLiteral("Conectting"));
        QCOMPARE(status.size(), 1);
        form.mailSender().Timer1_Timer();
        QCOMPARE(form.mailSender().queue().first().note, QStringLiteral("Time Out Err[Connect]"));
    }
};

QUENLARK_TEST_MAIN(TestSendMailForm)
#include "tst_sendmailform.moc"
