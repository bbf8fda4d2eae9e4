#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Every line exchanged with the clients, both ways, with the time it passed.
class Transcript {
public:
    enum class Direction { FromClient, ToClient, Event };
    struct Entry {
        QDateTime time;
        QString user;
        QString peer;
        Direction direction;
        QString line;
    };

    void add(const QString& user, const QString& peer, Direction direction, const QString& line);
    QStringList lines() const;
    bool save(const QString& path, QString* error) const;
    static QString format(const Entry& entry);
    // Called for every line as it is added (the script object's LineExchanged signal).
    void setListener(std::function<void(const Entry&)> listener) {
        listener_ = std::move(listener);
    }

private:
    QList<Entry> entries_;
    std::function<void(const Entry&)> listener_;
};
