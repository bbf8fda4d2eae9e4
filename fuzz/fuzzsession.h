#pragma once

#include "hosttransportfake.h"
#include "testservices.h"
#include "testsession.h"

#include <QByteArray>
#include <QList>

#include <memory>

// The whole program core on test backends, as main() puts it together, with every window
// absent: the platform services in a fresh temporary folder (so no input sees what an earlier
// one left), the fake host transport and the virtual sound backend.
struct FuzzSession {
    explicit FuzzSession(const QList<QByteArray>& settingsLines = {});
    // Attaches to the host and tells the program who the user is.
    void attach();
    // One line from the host, then the events it posted.
    void line(const QByteArray& text);

    TestServices test;
    FakeHostTransport transport;
    std::unique_ptr<Session> session;
};

// Reads hand-edited settings: "[Section]" starts a section, "key=value" stores a text.
void fillSettings(MemorySettingsStore& store, const QList<QByteArray>& lines);
