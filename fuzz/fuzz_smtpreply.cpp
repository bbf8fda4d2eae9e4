// Replies from an SMTP server, in pieces as the socket delivers them: the first byte of the
// input says where the pieces end, the rest is the server's bytes.
#include "fuzzsupport.h"

#include "notify/smtpprotocol.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Fuzz::init(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const qsizetype piece = qsizetype(data[0] % 64) + 1;
    const QByteArray received = Fuzz::bytes(data + 1, size - 1);
    SmtpReplyReader reader;
    SmtpReplyReader::Reply reply;
    for (qsizetype at = 0; at < received.size(); at += piece) {
        reader.append(received.mid(at, piece));
        while (reader.takeReply(reply)) {
        }
    }
    // The server field of the settings is hand-edited too.
    (void)ParseServerText(QString::fromUtf8(received.left(received.indexOf('\n'))));
    return 0;
}
