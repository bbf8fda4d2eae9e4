// The recording history with many recordings: the time to open its window (the folder read and
// every length measured from cold), to refresh the list after one recording was saved or one
// deleted (lengths come from the cache), and to click a row (two rows repainted, whatever the
// list's size). Runs offscreen; prints each figure against its target.
#include "audio/mcilib.h"
#include "platform/soundvirtual.h"
#include "recording/recordingform.h"
#include "recording/recordinghistory.h"
#include "recording/recordingstatus.h"
#include "testservices.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr double kOpenTargetMs = 300;
constexpr double kRefreshTargetMs = 50;

// A WAV of 16-bit mono samples at 16 kHz, one second long: header and silence.
QByteArray wavBytes() {
    constexpr quint32 rate = 16000, dataBytes = rate * 2;
    QByteArray bytes(44 + dataBytes, '\0');
    auto put32 = [&bytes](int at, quint32 v) { qToLittleEndian(v, bytes.data() + at); };
    auto put16 = [&bytes](int at, quint16 v) { qToLittleEndian(v, bytes.data() + at); };
    bytes.replace(0, 4, "RIFF");
    put32(4, 36 + dataBytes);
    bytes.replace(8, 8, "WAVEfmt ");
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, rate);
    put32(28, rate * 2);
    put16(32, 2);
    put16(34, 16);
    bytes.replace(36, 4, "data");
    put32(40, dataBytes);
    return bytes;
}

QString nameOf(int i) {
    const QDateTime at = QDateTime(QDate(2020, 1, 1), QTime(0, 0)).addSecs(qint64(i) * 61);
    return at.toString(QStringLiteral("yyyyMMddhhmmss")) +
           QStringLiteral("_caller%1.wav").arg(i % 50);
}

double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Wall time and the CPU time of this process: on a machine shared with other work the wall
// time also holds the time others ran.
struct Timer {
    QElapsedTimer wall;
    double cpuStart = 0;
    void restart() {
        cpuStart = cpuMs();
        wall.start();
    }
    double wallMs() const { return double(wall.nsecsElapsed()) / 1e6; }
    double cpu() const { return cpuMs() - cpuStart; }
};

void report(const char* what, int count, const Timer& timer, double target, int per = 1) {
    const double wall = timer.wallMs() / per, cpu = timer.cpu() / per;
    const char* unit = per > 1 ? "us" : "ms";
    const double scale = per > 1 ? 1000 : 1;
    std::printf("%-24s %6d recordings: %9.3f %s wall, %9.3f %s CPU", what, count, wall * scale,
                unit, cpu * scale, unit);
    if (target > 0)
        std::printf("  (target <= %.0f ms: %s)", target, wall <= target ? "met" : "MISSED");
    std::printf("\n");
}

void run(int count) {
    TestServices test;
    test.folders.createDataFolders();
    const QString folder = test.folders.recordingPath();
    const QByteArray wav = wavBytes();
    for (int i = 0; i < count; ++i) {
        QFile file(folder + u'/' + nameOf(i));
        if (!file.open(QIODevice::WriteOnly) || file.write(wav) != wav.size()) {
            std::printf("cannot write %s\n", qPrintable(file.fileName()));
            return;
        }
    }
    MCILib mci(std::make_unique<VirtualSoundBackend>(test.tempPath() + QStringLiteral("/unsaved")));
    RecordingStatus status;
    RecordingHistory history(test.services, mci, status);

    Timer timer;
    timer.restart();
    RecordingForm form(test.services, history);
    form.show();
    QCoreApplication::processEvents();
    report("open the window", count, timer, count >= 10000 ? kOpenTargetMs : 0);

    QFile added(folder + u'/' + nameOf(count));
    if (!added.open(QIODevice::WriteOnly) || added.write(wav) != wav.size())
        return;
    added.close();
    timer.restart();
    history.UpdateRecordingList();
    QCoreApplication::processEvents();
    report("refresh after a save", count, timer, kRefreshTargetMs);

    QFile::remove(folder + u'/' + nameOf(count / 2));
    timer.restart();
    history.UpdateRecordingList();
    QCoreApplication::processEvents();
    report("refresh after a delete", count, timer, kRefreshTargetMs);

    constexpr int clicks = 2000;
    QRandomGenerator random(7);
    timer.restart();
    for (int i = 0; i < clicks; ++i) {
        history.selectRow(int(random.bounded(quint32(history.entries().size()))));
        QCoreApplication::processEvents();
    }
    report("row click (mean)", count, timer, 0, clicks);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("bench_recording_history: a row click should cost the same at both sizes\n");
    for (int count : {1000, 10000})
        run(count);
    return 0;
}
