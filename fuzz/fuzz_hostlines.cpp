// Lines from the host through the whole session's router: every core present (friends list,
// chat and call trackers, the control envelope, the answering machine with remote control,
// the recorder, the contact list, darts), every window absent. Each input line is one line
// record from the attached host; the events it posts run before the next one.
#include "fuzzsession.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Fuzz::init(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Every feature that reacts to the host is on; mail stays off (it would open a socket).
    static const QList<QByteArray> settings = QByteArray("[Main]\n"
                                                         "AutoAnswerFlag=1\n"
                                                         "SendIMFlag=1\n"
                                                         "CallbackAnounceFlag=1\n"
                                                         "[BroadCastStatus]\n"
                                                         "User001=bob\n"
                                                         "User002=carol\n"
                                                         "[AnnounceBack]\n"
                                                         "CallbackHandle=bob\n"
                                                         "[AutoAnswer]\n"
                                                         "RingingWaitSec1=0\n"
                                                         "RingingWaitSec2=0\n"
                                                         "RecordingMaxSec=1\n"
                                                         "RemoteControlKey=1234\n"
                                                         "[Contact]\n"
                                                         "0000=carol\n"
                                                         "0000_group=Friends\n"
                                                         "0001=dave")
                                                  .split('\n');
    FuzzSession fuzz(settings);
    fuzz.attach();
    for (const QByteArray& line : Fuzz::lines(data, size, 256))
        fuzz.line(line);
    return 0;
}
