#pragma once

#include "app/mainformcore.h"
#include "host/skypeapihandler.h"

// The main window's core on a host link of its own, as Session builds the two, for tests and
// benchmarks that need no feature.
class MainLink : public MainFormCore {
public:
    MainLink(Services& services, HostTransport& transport)
        : MainFormCore(services, m_link), m_link(services, transport, *this) {
        plugInto();
    }

private:
    SkypeAPIHandler m_link;
};
