#include "contactpoller.h"

#include "contactlist.h"

#include <algorithm>

namespace {
const char* const kProperties[] = {"ONLINESTATUS", "FULLNAME", "LASTONLINETIMESTAMP", "COUNTRY"};

// A contact whose handle may not be sent is never asked about, so it never waits in line.
bool waiting(const ContactRecord& record) {
    return record.QueriedAt == 0 && record.Sendable;
}
} // namespace

ContactPoller::ContactPoller(ContactList& list, ContactLink link, QObject* parent)
    : QObject(parent), m_list(list), m_link(std::move(link)) {
    m_timer1.setInterval(1000);
    m_timer2.setInterval(20000);
    connect(&m_timer1, &QTimer::timeout, this, &ContactPoller::Timer1_Timer);
    connect(&m_timer2, &QTimer::timeout, this, &ContactPoller::Timer2_Timer);
}

void ContactPoller::start() {
    m_querySequence = 0;
    m_timer1.start();
    m_timer2.start();
}

void ContactPoller::Timer1_Timer() {
    // Only while the link is up and supervised, and never ahead of waiting host traffic.
    if (m_link.linkStatus() != QLatin1String("Connecting") || !m_link.idle())
        return;
    QueryNextContact();
}

void ContactPoller::QueryNextContact() {
    const std::vector<ContactRecord>& records = m_list.records();
    const auto next = std::find_if(records.begin(), records.end(), waiting);
    if (next == records.end())
        return;
    ContactRecord& record = m_list.at(int(next - records.begin()));
    record.QueriedAt = ++m_querySequence;
    const QString prefix = QStringLiteral("GET USER ") + record.Handle + u' ';
    for (const char* property : kProperties)
        m_link.send(prefix + QLatin1String(property));
}

void ContactPoller::Timer2_Timer() {
    // The oldest asked contact before the first one still waiting goes back in line.
    ContactRecord* oldest = nullptr;
    for (int i = 0; i < m_list.count(); ++i) {
        ContactRecord& record = m_list.at(i);
        if (!record.Sendable)
            continue;
        if (record.QueriedAt == 0)
            break;
        if (!oldest || record.QueriedAt < oldest->QueriedAt)
            oldest = &record;
    }
    if (oldest)
        oldest->QueriedAt = 0;
}
