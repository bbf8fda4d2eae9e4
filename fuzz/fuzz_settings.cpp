// The settings file as a user may have edited it by hand: "[Section]" and "key=value" lines
// fill the store, then every list and section is read back through the real stores (the
// report recipients, the contact list, the answering machine's settings, the mail settings,
// the call-back announcement) and written again. Last, a whole session starts on that store
// and attaches, doing every load step the program does at start.
#include "fuzzsession.h"
#include "fuzzsupport.h"

#include "answering/autoanswersettings.h"
#include "contacts/contactlist.h"
#include "contacts/contactstore.h"
#include "notify/broadcastrecipients.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Fuzz::init(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> lines = Fuzz::lines(data, size, 512);
    {
        MemorySettingsStore store;
        fillSettings(store, lines);
        BroadcastRecipients recipients(store);
        recipients.Load();
        recipients.Save();
        DebugConsole console;
        ContactList contacts;
        const QString group = ContactStore::LoadContacts(store, contacts, console);
        ContactStore::SaveContacts(store, contacts, group);
        AutoAnswerSettings answering;
        answering.load(store);
        answering.save(store);
        // The real store refuses to delete a key that is not there.
        if (store.strayDeletes() != 0)
            __builtin_trap();
    }
    FuzzSession fuzz(lines);
    fuzz.attach();
    return 0;
}
