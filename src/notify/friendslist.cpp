#include "friendslist.h"

#include "base/genlibtext.h"

FriendsList::FriendsList(std::function<void(const QString&)> sendCommand, QObject* parent)
    : QAbstractTableModel(parent), m_send(std::move(sendCommand)) {}

void FriendsList::SearchFriends() {
    if (m_searched)
        return;
    m_searched = true;
    if (m_send)
        m_send(QStringLiteral("SEARCH FRIENDS"));
}

void FriendsList::SetSkypeResponse(QString& line) {
    if (!line.startsWith(QLatin1String("USERS ")))
        return;
    const QStringView list = GEnLib::TrimmedBlanks(QStringView(line).sliced(6));
    beginResetModel();
    m_friends.clear();
    if (list.isEmpty()) {
        // No friends: the cells are emptied, the rows stay.
        for (QString& row : m_rows)
            row.clear();
    } else {
        m_rows.clear();
        for (const QStringView handle : list.split(u',')) {
            m_rows.append(GEnLib::TrimmedBlanks(handle).toString());
            if (!m_rows.last().isEmpty())
                m_friends.insert(m_rows.last());
        }
    }
    endResetModel();
}

bool FriendsList::IsFriend(const QString& handle) const {
    return m_friends.contains(handle);
}

int FriendsList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FriendsList::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant FriendsList::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return m_rows.at(index.row());
}
