#include "mcinotices.h"

#include "mcilib.h"

MciNotices::MciNotices(MCILib& mci, QObject* parent) : QObject(parent) {
    connect(&mci, &MCILib::mciNotify, this, [this](const QString& alias) { dispatch(alias); });
}

void MciNotices::claim(const QString& alias, Handler handler) {
    m_owners.insert(alias.toLower(), std::move(handler));
}

void MciNotices::release(const QString& alias) {
    m_owners.remove(alias.toLower());
}

void MciNotices::dispatch(const QString& alias) {
    const auto owner = m_owners.constFind(alias.toLower());
    if (owner != m_owners.constEnd())
        (*owner)(alias);
    else if (m_fallback)
        m_fallback(alias);
}
