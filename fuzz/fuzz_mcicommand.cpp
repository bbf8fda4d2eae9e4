// MCI command strings: the program builds them from settings and from host texts (a file
// path, a caller's handle), so the parser must take any text apart safely.
#include "fuzzsupport.h"

#include "audio/mcicommand.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Fuzz::init(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(Fuzz::bytes(data, size));
    (void)parseMciCommand(text);
    bool ok = false;
    (void)splitMciWords(text, ok);
    return 0;
}
