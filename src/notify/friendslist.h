#pragma once

#include "host/hostlinetarget.h"

#include <QAbstractTableModel>
#include <QSet>
#include <QStringList>

#include <functional>

// The signed-in user's friends as the host lists them ("SEARCH FRIENDS", asked once per run),
// for the question whether a handle is a friend (announce back limited to friends). It lives
// for the whole run, whether its window "Friends" was ever shown or not; the window's grid
// "FriendsGrid" is a view over this model (one column, one friend per row).
class FriendsList : public QAbstractTableModel, public HostLineTarget {
    Q_OBJECT
public:
    // sendCommand sends one host command line (the host link's SendCommandToSkype).
    explicit FriendsList(std::function<void(const QString&)> sendCommand,
                         QObject* parent = nullptr);

    // Sends "SEARCH FRIENDS" the first time it is called; later calls do nothing.
    void SearchFriends();
    // Takes a line that begins with "USERS ": the comma-separated handles replace the list.
    // An empty list empties the rows but keeps their number. The line is left as it is.
    void SetSkypeResponse(QString& line) override;
    // True when the handle is exactly (case-sensitively) one of the friends.
    bool IsFriend(const QString& handle) const;
    const QStringList& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::function<void(const QString&)> m_send;
    bool m_searched = false;
    QStringList m_rows;
    QSet<QString> m_friends;
};
