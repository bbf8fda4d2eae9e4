#pragma once

#include <QObject>
#include <QString>

// Where the mail password is kept between runs: the desktop's secret service, never the
// settings file. Every call answers later with its signal.
class SecretStore : public QObject {
    Q_OBJECT
public:
    enum class Result { Found, Missing, Unavailable };
    Q_ENUM(Result)
    using QObject::QObject;

    virtual void read(const QString& key) = 0;
    // An empty secret removes the entry.
    virtual void write(const QString& key, const QString& secret) = 0;

signals:
    // Unavailable: no secret service answered, or it refused; error says what happened.
    void readDone(const QString& key, SecretStore::Result result, const QString& secret,
                  const QString& error);
    void writeDone(const QString& key, bool ok, const QString& error);
};
