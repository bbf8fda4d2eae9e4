// The two lists read back from the user's folders: the darts history file ("Arrowfall.hist",
// the input as it stands) and the recordings folder, whose file names carry the time and the
// caller (each input line names one file, holding that line as its contents).
#include "fuzzsupport.h"

#include "audio/mcilib.h"
#include "games/recordlib.h"
#include "platform/audiochoice.h"
#include "recording/recordinghistory.h"
#include "recording/recordingstatus.h"
#include "testservices.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Fuzz::init(argc, argv);
    return 0;
}

namespace {
void dartsHistory(const QByteArray& contents) {
    const QString path = Fuzz::scratch() + QStringLiteral("/Arrowfall.hist");
    Fuzz::writeFile(path, contents);
    RecordLib history;
    history.LoadGameRecords(path);
    // What was read is written again in the file's own form, and reads back the same.
    for (const GameRecord& record : history.records()) {
        GameRecord again;
        if (!RecordLib::parseLine(RecordLib::formatLine(record), &again))
            __builtin_trap();
    }
    history.SaveGameRecords(path);
    RecordLib reloaded;
    reloaded.LoadGameRecords(path);
    if (reloaded.records().size() != history.records().size())
        __builtin_trap();
}

void recordingList(const QList<QByteArray>& names, TestServices& test) {
    const QString folder = test.folders.recordingPath();
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    for (const QByteArray& name : names) {
        const QString file = QFile::decodeName(name);
        // Only names a folder can hold.
        if (file.isEmpty() || file.size() > 200 || file.contains(u'/') || name.contains('\0') ||
            file == u"." || file == u"..")
            continue;
        Fuzz::writeFile(folder + u'/' + file, name);
    }
    MCILib mci{AudioChoice::fromEnvironment(Fuzz::scratch()).createSound()};
    RecordingStatus status;
    RecordingHistory history{test.services, mci, status};
    history.UpdateRecordingList();
    for (qsizetype row = 0; row < history.entries().size(); ++row)
        (void)history.GetSelectedRecordingPath(int(row));
    history.UpdateRecordingList();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TestServices test;
    dartsHistory(Fuzz::bytes(data, size));
    recordingList(Fuzz::lines(data, size, 32), test);
    return 0;
}
