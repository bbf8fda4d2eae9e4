#pragma once

#include "notify/mailmessagestream.h"
#include "notify/secretstore.h"
#include "notify/smtplogin.h"
#include "notify/smtpprotocol.h"
#include "notify/smtptransport.h"
#include "platform/settingsstore.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <memory>

struct Services;
class MailPassword;

// Section "SendMail", owned by MailSender: the mail window's fields and the server login (the
// password is in the secret store, never here).
namespace SendMailKeys {
inline constexpr SettingKey SMTPServer{"SendMail", "SMTPServer", ""};
inline constexpr SettingKey SenderMailAddress{"SendMail", "SenderMailAddress", ""};
inline constexpr SettingKey MailAddress{"SendMail", "MailAddress", ""};
inline constexpr SettingKey Security{"SendMail", "Security", "None"};
inline constexpr SettingKey UserName{"SendMail", "UserName", ""};
inline constexpr SettingKey all[] = {SMTPServer, SenderMailAddress, MailAddress, Security,
                                     UserName};
} // namespace SendMailKeys

// The logic of the mail window: its fields, the queue of mails and the SMTP conversation that
// sends them one at a time, driven by the server's replies and a 65-second inactivity timer.
class MailSender : public QObject {
    Q_OBJECT
public:
    enum RecordState { Waiting = 0, Sending = 1, Failed = 2, Done = -1 };
    struct Record {
        qint32 sequence = 0;
        QByteArray header;
        QByteArray boundary; // empty for a plain mail
        QString attachmentPath;
        QString subject; // as the fields held them when the mail was queued
        QString body;
        qint32 state = Waiting;
        QString note;      // why a failed mail failed
        bool test = false; // the Test button's: no mail, the conversation ends after the login
    };
    static constexpr int kTimeoutMs = 65000;

    // Uses a real socket and the desktop's secret store.
    explicit MailSender(Services& services, QObject* parent = nullptr);
    MailSender(Services& services, std::unique_ptr<SmtpTransport> transport,
               QObject* parent = nullptr);
    // Null transport or secrets: the real ones.
    MailSender(Services& services, std::unique_ptr<SmtpTransport> transport,
               std::unique_ptr<SecretStore> secrets, QObject* parent = nullptr);
    ~MailSender() override;

    // The window's fields: settings and the parameters of the next mail.
    QString smtpServer() const { return m_smtpServer; }
    QString from() const { return m_from; }
    QString to() const { return m_to; }
    QString subject() const { return m_subject; }
    QString body() const { return m_body; }
    QString attachment() const { return m_attachment; }
    void setSmtpServer(const QString& text);
    void setFrom(const QString& text);
    void setTo(const QString& text);
    void setSubject(const QString& text);
    void setBody(const QString& text);
    void setAttachment(const QString& text);
    SmtpSecurity security() const { return m_security; }
    QString user() const { return m_user; }
    void setSecurity(SmtpSecurity security);
    void setUser(const QString& text);
    // The password: kept in the secret store, never in the settings.
    MailPassword& password() { return *m_password; }

    // "OK", "ERR : " + reply code, or empty while a mail waits.
    QString text6() const { return m_text6; }
    // What the main window's MailStatusLabel shows.
    QString mailStatus() const { return m_mailStatus; }
    // The conversation state: empty when idle, else "Connect" ... "Quit".
    QString tag() const { return m_tag; }
    const QList<Record>& queue() const { return m_queue; }
    bool timer1Active() const { return m_timer1.isActive(); }
    int timer1RemainingMs() const { return m_timer1.remainingTime(); }

    void LoadSettings();
    // Deletes the stored keys, then stores the trimmed fields.
    void SaveSettings();

    // Queues a mail built from the fields and starts sending when the line is free.
    void SendMail();
    // Queues a mail with this subject, body and attachment (empty: a plain mail), leaving the
    // fields as they are. Each record keeps its own, so mails queued together never mix.
    void QueueMail(const QString& subject, const QString& body, const QString& attachment);
    // Starts the next waiting mail unless one is being sent.
    void ExecSend();
    // No reply for 65 s: the mail being sent fails and the next one starts.
    void Timer1_Timer();
    // Queues a trial of the connection and the login that sends no mail; testFinished tells.
    void Test();

signals:
    void mailStatusChanged(const QString& text);
    void text6Changed(const QString& text);
    void fieldsChanged();
    // The outcome of Test, in the language pack's words.
    void testFinished(bool passed, const QString& outcome);
    // A queued mail is done with (sent, refused or failed); its attachment file may go.
    void mailFinished(const QString& attachmentPath);
    // A mail (not a test) failed: the server's refusal in its own words, or why it could not
    // be delivered.
    void mailFailed(const QString& reason);

private:
    void DataArrival(const QByteArray& data);
    void handleReply(const SmtpReplyReader::Reply& reply);
    void connectTransport();
    void startConnection();
    bool handleLoginReply(const SmtpReplyReader::Reply& reply);
    void applyLoginStep(const SmtpLogin::Step& step);
    void loggedIn();
    void encrypted();
    void securityFailed(const QString& text);
    void endTest(const Record& record, const QString& failure);
    void sendLine(const QByteArray& line);
    void sendMessage(Record& record);
    void pumpMessage();
    void finishConversation();
    void failSending(const QString& note, bool clearStatus);
    void RemoveDoneRecords();
    void restartTimer1();
    Record* sendingRecord();
    void setTag(const QString& tag) { m_tag = tag; }
    void setMailStatus(const QString& text);
    void setText6(const QString& text);
    void setField(QString& field, const QString& text);

    Services& m_services;
    std::unique_ptr<SmtpTransport> m_transport;
    QTimer m_timer1;
    SmtpReplyReader m_replies;
    std::unique_ptr<MailMessageStream> m_stream;
    std::unique_ptr<SmtpLogin> m_login; // while a secured or authenticated conversation runs
    MailPassword* m_password;           // child
    QList<Record> m_queue;
    qint32 m_nextSequence = 1;
    QString m_tag;
    QString m_text6;
    QString m_refusal; // the server's reply that ended the conversation with "ERR"
    QString m_mailStatus;
    QString m_smtpServer;
    QString m_from;
    QString m_to;
    QString m_subject;
    QString m_body;
    QString m_attachment;
    SmtpSecurity m_security = SmtpSecurity::None;
    QString m_user;
};
