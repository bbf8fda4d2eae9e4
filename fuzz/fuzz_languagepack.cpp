// A language pack file: the loader reads it from the shipped-files folder, where a user may
// drop a pack of their own.
#include "fuzzsupport.h"

#include "base/languagepack.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Fuzz::init(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString folder = Fuzz::scratch();
    Fuzz::writeFile(folder + QStringLiteral("/Quenlark_xx.pack"), Fuzz::bytes(data, size));
    LanguagePack pack(folder);
    pack.LoadLanguagePack(QStringLiteral("xx"));
    for (const LanguagePack::Entry& entry : pack.entries())
        (void)pack.GetLanguageString(entry.number);
    (void)pack.GetLanguageString(1);
    return 0;
}
