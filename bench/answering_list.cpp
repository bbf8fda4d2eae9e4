// Refresh of the recorded messages list with 100, 1,000 and 10,000 short messages (warm
// cache), and the RECORD lines a remote LIST of 1,000 messages is answered with.
#include "answering/autoanswerlist.h"
#include "audio/mcilib.h"
#include "platform/audiochoice.h"
#include "platform/sound.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// n messages of 0.1 s each, by three callers, one a second apart.
void fill(const QString& folder, int n) {
    QDir().mkpath(folder);
    SF_INFO info{0, 16000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0, 0};
    const QString first = folder + QStringLiteral("/first.wav");
    SNDFILE* file = sf_open(QFile::encodeName(first).constData(), SFM_WRITE, &info);
    std::vector<short> silence(1600);
    sf_writef_short(file, silence.data(), sf_count_t(silence.size()));
    sf_close(file);
    const QDateTime start(QDate(2024, 1, 1), QTime(0, 0));
    const char* callers[] = {"bob", "carol", "john.smith"};
    for (int i = 0; i < n; ++i) {
        const QString name = start.addSecs(i).toString(QStringLiteral("yyyyMMddHHmmss")) + u'_' +
                             QString::fromLatin1(callers[i % 3]) +
                             QString::fromLatin1(i % 2 ? ".r.wav" : ".wav");
        QFile::copy(first, folder + u'/' + name);
    }
    QFile::remove(first);
}

double medianMs(const std::function<void()>& work, int runs) {
    std::vector<double> ms;
    work(); // warms the cache
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    MCILib mci(AudioChoice::fromEnvironment(dir.filePath(QStringLiteral("tmp"))).createSound());
    AutoAnswerList list(mci);
    std::printf("recorded messages list refresh (median of warm runs):\n");
    double perMessage100 = 0;
    for (const auto& [n, targetMs] : {std::pair{100, 0.0}, {1000, 100.0}, {10000, 1000.0}}) {
        const QString folder = dir.filePath(QStringLiteral("m%1").arg(n));
        fill(folder, n);
        const double ms = medianMs([&] { list.UpdateAutoanswerList(folder); }, n > 1000 ? 3 : 7);
        if (n == 100)
            perMessage100 = ms / n;
        std::printf("  %5d messages: %8.1f ms  (%.1f us a message, %.2fx the 100-message rate)", n,
                    ms, ms * 1000 / n, ms / n / perMessage100);
        if (targetMs > 0)
            std::printf("   target <= %.0f ms   %s", targetMs, ms <= targetMs ? "MET" : "MISSED");
        std::printf("\n");
        if (n == 1000) {
            const double lines = medianMs([&] { (void)list.recordLines(QStringLiteral("42")); }, 7);
            std::printf("  remote LIST of 1000 rows (RECORD lines from the list): %.2f ms   "
                        "target <= 50 ms   %s\n",
                        lines, lines <= 50 ? "MET" : "MISSED");
        }
    }
    return 0;
}
