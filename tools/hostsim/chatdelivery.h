#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

// How chats between two users reach the receiver, for tests of programs that must cope with
// late, lost or repeated messages: held until released, the next N dropped, the next N
// delivered twice, or each one delayed. Rules are per direction, FROM to TO; "*" (or an empty
// handle) stands for any user. Without a rule a chat is delivered at once.
class ChatDelivery {
public:
    enum class Fate { Delivered, Held, Dropped, Duplicated, Delayed };
    struct Rule {
        bool hold = false;
        int drop = 0;
        int duplicate = 0;
        int delayMs = 0;
    };
    struct HeldChat {
        QString from;
        QString to;
        uint id = 0;
    };

    void setHold(const QString& from, const QString& to, bool on) { rule(from, to).hold = on; }
    void dropNext(const QString& from, const QString& to, int count) {
        rule(from, to).drop = count;
    }
    void duplicateNext(const QString& from, const QString& to, int count) {
        rule(from, to).duplicate = count;
    }
    void setDelay(const QString& from, const QString& to, int ms) { rule(from, to).delayMs = ms; }
    void clear() { rules_.clear(); }

    // The fate of the next chat from FROM to TO; counts down the drop and duplicate rules.
    Fate decide(const QString& from, const QString& to, int* delayMs);
    void keep(const QString& from, const QString& to, uint id) { held_.push_back({from, to, id}); }
    // Stops holding FROM to TO and hands back the chats held for it, oldest first.
    std::vector<HeldChat> release(const QString& from, const QString& to);

    static QString fateName(Fate fate);
    QStringList describe() const;

private:
    static QString key(const QString& from, const QString& to);
    static bool matches(const QString& pattern, const QString& handle);
    Rule& rule(const QString& from, const QString& to) { return rules_[key(from, to)]; }
    Rule* ruleFor(const QString& from, const QString& to);

    std::map<QString, Rule> rules_;
    std::vector<HeldChat> held_;
};
