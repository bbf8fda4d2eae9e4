#include "contactgridmodel.h"

#include "contactlist.h"

#include <QColor>
#include <QDateTime>

namespace {
const char* const kHeaders[kContactColumns] = {"NAME",    "FULLNAME", "ONLINESTATUS",
                                               "COUNTRY", "GROUP",    "LASTONLINETIMESTAMP"};
const QColor kWhite(255, 255, 255);
const QColor kSelected(255, 255, 64);
const QColor kOnline(128, 255, 128);
const QColor kHeader(196, 196, 196);
} // namespace

ContactGridModel::ContactGridModel(const ContactList& list, QObject* parent)
    : QAbstractTableModel(parent), m_list(list) {}

int ContactGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_list.rowCount();
}

int ContactGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kContactColumns;
}

QString ContactGridModel::lastOnlineText(qint64 seconds) {
    if (seconds == 0)
        return {};
    const QDateTime time = QDateTime::fromSecsSinceEpoch(seconds).toLocalTime();
    // A time beyond the calendar shows as the number the host sent.
    if (!time.isValid())
        return QString::number(seconds);
    return time.toString(QStringLiteral("yyyy/MM/dd hh:mm.ss"));
}

QString ContactGridModel::cellText(const ContactRecord& record, ContactColumn column) {
    if (const QString* text = contactText(record, column))
        return *text;
    return lastOnlineText(record.LastOnline);
}

QVariant ContactGridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ContactRecord& record = m_list.at(m_list.indexOfRow(index.row()));
    switch (role) {
    case Qt::DisplayRole:
        return cellText(record, static_cast<ContactColumn>(index.column()));
    case Qt::BackgroundRole:
        // The online colour is painted after the selection colour.
        if (index.column() <= 2 && record.OnlineStatus == QLatin1String("ONLINE"))
            return kOnline;
        return index.row() == m_list.markedRow() ? kSelected : kWhite;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QString ContactGridModel::headerText(int column) const {
    QString text = QString::fromLatin1(kHeaders[column]);
    if (column == int(m_sortColumn))
        text += m_ascending ? QStringLiteral(" +") : QStringLiteral(" -");
    return text;
}

QVariant ContactGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kContactColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return headerText(section);
    case Qt::BackgroundRole:
        return kHeader;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

void ContactGridModel::setSortMarker(ContactColumn column, bool ascending) {
    m_sortColumn = column;
    m_ascending = ascending;
    emit headerDataChanged(Qt::Horizontal, 0, kContactColumns - 1);
}

void ContactGridModel::rowChanged(int row) {
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, kContactColumns - 1));
}
