// Scrambling speed: the constant-time shift against the one-step-at-a-time walk it replaced,
// checked for agreement on a million random inputs, and the throughput of whole keys.
#include "base/genlib.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <random>
#include <vector>

namespace {
struct Input {
    QChar c;
    int steps;
};

constexpr int kInputs = 1'000'000;
// Step counts as keys of up to 16 characters reach them (the count grows by up to 255 per
// character), plus a few negative ones as an overflowing 16-bit count gives.
constexpr int kMaxSteps = 16 * 255;
// The shift must not cost more than a tenth of the walk at these step counts; the gap widens
// with longer keys, whose counts run higher.
constexpr double kSpeedUpTarget = 10.0;
constexpr double kKeysPerSecondTarget = 100'000.0;

std::vector<Input> drawInputs(std::mt19937& random) {
    std::uniform_int_distribution<int> letter(0, 63);
    std::uniform_int_distribution<int> steps(-32, kMaxSteps);
    std::vector<Input> inputs;
    inputs.reserve(kInputs);
    for (int i = 0; i < kInputs; ++i)
        inputs.push_back({GEnLib::kCryptAlphabet.at(letter(random)), steps(random)});
    return inputs;
}

template <typename Shift>
double timeShifts(const std::vector<Input>& inputs, std::vector<QString>& results, Shift shift) {
    results.clear();
    results.reserve(inputs.size());
    QElapsedTimer timer;
    timer.start();
    for (const Input& input : inputs)
        results.push_back(shift(input.c, input.steps));
    return static_cast<double>(timer.nsecsElapsed());
}

QStringList drawKeys(std::mt19937& random, int count, int length) {
    std::uniform_int_distribution<int> letter(0, 62); // keys never hold "."
    QStringList keys;
    for (int i = 0; i < count; ++i) {
        QString key;
        for (int k = 0; k < length; ++k)
            key += GEnLib::kCryptAlphabet.at(letter(random));
        keys << key;
    }
    return keys;
}

// The scrambled key as the walk alone would make it, to show what the constant-time shift saves
// on whole keys (the walk's cost grows with the square of the key length).
QString scrambleByWalking(const QString& key, int p, int q) {
    QString result;
    int steps = 0;
    for (qsizetype k = 0; k < key.size(); ++k) {
        steps += k % 2 == 0 ? p : q;
        result += GEnLib::ShiftCryptCharByWalking(key.at(k), steps);
    }
    return result;
}

struct KeyFigures {
    double keysPerSecond = 0;
    double walkKeysPerSecond = 0;
    bool sameResult = true;
};

KeyFigures timeKeys(const QStringList& keys) {
    const QString salt = QStringLiteral("9D"); // "9" = 57 is odd: steps 57, 68, 57, ...
    KeyFigures figures;
    QStringList scrambled;
    QElapsedTimer timer;
    timer.start();
    for (const QString& key : keys)
        scrambled << GEnLib::ConvertStringToCryptString(key, salt);
    figures.keysPerSecond = keys.size() * 1e9 / static_cast<double>(timer.nsecsElapsed());
    timer.restart();
    QStringList walked;
    for (const QString& key : keys)
        walked << salt + scrambleByWalking(key, 57, 68);
    figures.walkKeysPerSecond = keys.size() * 1e9 / static_cast<double>(timer.nsecsElapsed());
    figures.sameResult = scrambled == walked;
    return figures;
}
} // namespace

int main() {
    std::mt19937 random(20050614);
    const std::vector<Input> inputs = drawInputs(random);
    std::vector<QString> walked;
    std::vector<QString> computed;
    const double walkNs = timeShifts(inputs, walked, GEnLib::ShiftCryptCharByWalking);
    const double fastNs = timeShifts(inputs, computed, GEnLib::ShiftCryptChar);
    int agree = 0;
    for (int i = 0; i < kInputs; ++i)
        agree += walked[i] == computed[i] ? 1 : 0;
    const double speedUp = walkNs / fastNs;

    std::printf("ShiftCryptChar vs ShiftCryptCharByWalking, %d random inputs (steps -32..%d)\n",
                kInputs, kMaxSteps);
    std::printf("  agreement:  %d of %d (target: all)  %s\n", agree, kInputs,
                agree == kInputs ? "OK" : "MISMATCH");
    std::printf("  walk:       %8.1f ns per shift\n", walkNs / kInputs);
    std::printf("  constant:   %8.1f ns per shift\n", fastNs / kInputs);
    std::printf("  speed-up:   %8.1fx (target >= %.0fx)  %s\n", speedUp, kSpeedUpTarget,
                speedUp >= kSpeedUpTarget ? "OK" : "BELOW TARGET");

    std::printf("ConvertStringToCryptString throughput (walk alone for comparison)\n");
    bool keysAgree = true;
    for (int length : {8, 32, 120}) {
        const QStringList keys = drawKeys(random, 5'000, length);
        const KeyFigures figures = timeKeys(keys);
        keysAgree = keysAgree && figures.sameResult;
        std::printf("  %3d-character keys: %10.0f keys/s (target >= %.0f)  %s;  walk %9.0f "
                    "keys/s, %6.1fx%s\n",
                    length, figures.keysPerSecond, kKeysPerSecondTarget,
                    figures.keysPerSecond >= kKeysPerSecondTarget ? "OK" : "SLOW",
                    figures.walkKeysPerSecond, figures.keysPerSecond / figures.walkKeysPerSecond,
                    figures.sameResult ? "" : "  RESULTS DIFFER");
    }
    // Figures are printed, not enforced; only a wrong result fails the run.
    return agree == kInputs && keysAgree ? 0 : 1;
}
