#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class MCILib;

// Hands each completion notice of the sound layer to the owner of its alias: every core
// object claims its aliases when it is built, so another window's playback never ends the
// answering machine's greeting. A notice for an alias nobody claims goes to the fallback,
// which is the host link's MCINotifyTarget switch.
class MciNotices : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const QString& alias)>;

    explicit MciNotices(MCILib& mci, QObject* parent = nullptr);

    // MCI names ignore case; a second claim of the same alias replaces the first.
    void claim(const QString& alias, Handler handler);
    void release(const QString& alias);
    void setFallback(Handler fallback) { m_fallback = std::move(fallback); }

    void dispatch(const QString& alias);

private:
    QHash<QString, Handler> m_owners; // by lower-case alias
    Handler m_fallback;
};
