#include "notify/mailsender.h"
#include "notify/sendmailform.h"
#include "testmain.h"
#include "testservices.h"

#include <QLineEdit>
#include <QPushButton>

class TestSendMailForm : public QObject {
    Q_OBJECT
    static QLineEdit* field(SendMailForm& form, const char* name) {
        return form.findChild<QLineEdit*>(QLatin1String(name));
    }
    static QPushButton* button(SendMailForm& form, const char* name) {
        return form.findChild<QPushButton*>(QLatin1String(name));
    }

private slots:
    void storedSettingsShowInTranslatedWindow() {
        TestServices ts;
        ts.settings.write("SendMail", "SMTPServer", "mail.example.org");
        ts.settings.write("SendMail", "MailAddress", "bob@example.org");
        writeTestFile(ts.tempPath() + "/packs/Quenlark_xx.pack", "15:Mail window\n6:Shut\n");
        LanguagePack pack(ts.tempPath() + "/packs");
        pack.LoadLanguagePack("xx");
        Services services{ts.settings, ts.prompts, ts.clock, ts.folders, ts.log, ts.console, pack};
        SendMailForm form(services);
        QCOMPARE(form.windowTitle(), QStringLiteral("Mail window"));
        QCOMPARE(button(form, "Command2")->text(), QStringLiteral("Shut"));
        QCOMPARE(field(form, "SMTPServerText")->text(), QStringLiteral("mail.example.org"));
        QCOMPARE(field(form, "ToText")->text(), QStringLiteral("bob@example.org"));
        QVERIFY(field(form, "FromText")->text().isEmpty());
    }

    void typedFieldsReachSenderAndCloseSavesThemTrimmed() {
        TestServices ts;
        {
            SendMailForm form(ts.services);
            form.setSubject(QStringLiteral("Ringing"));
            form.setAttachment(QStringLiteral("/tmp/x.b64"));
            QCOMPARE(field(form, "SubjectText")->text(), QStringLiteral("Ringing"));
            QCOMPARE(field(form, "AttachmentText")->text(), QStringLiteral("/tmp/x.b64"));
            form.show();
            field(form, "SMTPServerText")->setText(QStringLiteral(" smtp.example.org:2525 "));
            field(form, "FromText")->setText(QStringLiteral("alice@example.org"));
            QCOMPARE(form.mailSender().from(), QStringLiteral("alice@example.org"));
            button(form, "Command2")->click();
            QVERIFY(!form.isVisible());
        }
        SendMailForm reloaded(ts.services);
        QCOMPARE(field(reloaded, "SMTPServerText")->text(),
                 QStringLiteral("smtp.example.org:2525"));
        QCOMPARE(reloaded.mailSender().from(), QStringLiteral("alice@example.org"));
        QCOMPARE(ts.settings.strayDeletes(), 0);
    }

    void sendQueuesMailAndStatusReachesMainWindow() {
        TestServices ts;
        SendMailForm form(ts.services);
        QSignalSpy status(&form, &SendMailForm::mailStatusChanged);
        field(form, "SMTPServerText")->setText(QStringLiteral("127.0.0.1:1"));
        button(form, "Command1")->click();
        QCOMPARE(form.mailSender().queue().size(), 1);
        QCOMPARE(form.mailStatus(), QStringLiteral("Conectting"));
        QCOMPARE(status.size(), 1);
        form.mailSender().Timer1_Timer();
        QCOMPARE(form.mailSender().queue().first().note, QStringLiteral("Time Out Err[Connect]"));
    }
};

QUENLARK_TEST_MAIN(TestSendMailForm)
#include "tst_sendmailform.moc"
