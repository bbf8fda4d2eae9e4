#pragma once

#include "contacts/contactformcore.h"
#include "contacts/contactstore.h"
#include "testservices.h"

#include <QtTest>

// A contact list over the test services: the stored list ("handle|group" per position), a
// link whose label and idleness the test sets, and the lines it sent.
struct Contacts {
    explicit Contacts(const QStringList& stored = {}, bool load = true) {
        for (int i = 0; i < stored.size(); ++i) {
            writeSetting(test.settings, ContactKeys::Handle, i, stored[i].section(u'|', 0, 0));
            writeSetting(test.settings, ContactKeys::Group, i, stored[i].section(u'|', 1));
        }
        test.console.setEnabled(true);
        if (load)
            core.Form_Load();
    }
    // The handles of the grid's rows, top to bottom.
    QStringList rows() const {
        QStringList handles;
        for (int row = 0; row < core.list().rowCount(); ++row)
            handles << core.list().at(core.list().indexOfRow(row)).Handle;
        return handles;
    }
    QString selected() const {
        const int row = core.selectedRow();
        return row < 0 ? QString() : rows().value(row);
    }
    void reply(const QString& text) {
        QString line = text;
        core.SetSkypeResponse(line);
    }
    const ContactRecord& contact(const QString& handle) {
        return core.list().at(core.list().find(handle));
    }

    TestServices test;
    QStringList sent;
    QString linkStatus = QStringLiteral("Connecting");
    bool idle = true;
    ContactFormCore core{test.services,
                         ContactLink{[this](const QString& line) { sent << line; },
                                     [this] { return linkStatus; }, [this] { return idle; }}};
};
