#pragma once

#include <QDebug>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QtEndian>

#include <sndfile.h>
#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <memory>
#include <numbers>
#include <vector>

// Support for the sound tests: WAV files through libsndfile and their analysis, scoped
// environment and file size limits, and PulseAudio daemons of a test's own.
namespace SoundTest {

// Sends MCI command strings in turn: each must succeed, or give the status written after " -> ".
// <tone> stands for the quoted tone, <dir> for the folder. False, with a warning, at a mismatch.
template <class Mci>
bool run(Mci& mci, const QStringList& commands, const QString& tone, const QString& dir) {
    for (const QString& line : commands) {
        const QStringList parts = line.split(QStringLiteral(" -> "));
        QString command = parts[0], result;
        command.replace(QStringLiteral("<tone>"), u'"' + tone + u'"')
            .replace(QStringLiteral("<dir>"), dir);
        const int status = mci.mSendString(command, result);
        if (status != parts.value(1).toInt()) {
            qWarning() << command << "->" << status << result;
            return false;
        }
    }
    return true;
}

// A sine tone as 16-bit PCM WAV, after silentSeconds of silence; false when the file cannot be
// written.
inline bool writeTone(const QString& path, double hz, double seconds, int rate = 16000,
                      int channels = 1, double amplitude = 0.5, double silentSeconds = 0) {
    SF_INFO info{0, rate, channels, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0, 0};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    const auto silent = sf_count_t(silentSeconds * rate),
               frames = silent + sf_count_t(seconds * rate);
    std::vector<float> samples(size_t(silent * channels));
    for (sf_count_t i = silent; i < frames; ++i)
        samples.insert(samples.end(), size_t(channels),
                       float(amplitude * std::sin(2 * std::numbers::pi * hz * double(i) / rate)));
    const bool written = file && sf_writef_float(file, samples.data(), frames) == frames;
    sf_close(file);
    return written;
}

struct Sound {
    bool valid = false;
    int rate = 0, channels = 0, format = 0;
    std::vector<float> mono; // the first channel
    double seconds() const { return rate ? double(mono.size()) / rate : 0; }
};

inline Sound readSound(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return {};
    std::vector<float> frames(size_t(info.frames * info.channels));
    const sf_count_t got = sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    Sound sound{got == info.frames, info.samplerate, info.channels, info.format, {}};
    for (sf_count_t i = 0; i < got; ++i)
        sound.mono.push_back(frames[size_t(i * info.channels)]);
    return sound;
}

// The sizes a WAV header declares, against the file's real size (readers differ in how they
// treat a stale header).
struct WavSizes {
    qint64 riff = -1, data = -1; // RIFF and data chunk sizes; -1 without them
    qint64 dataBytes = 0;        // bytes from the start of the data to the end of the file
    qint64 fileBytes = 0;
    bool upToDate() const { return data == dataBytes && riff + 8 == fileBytes; }
};

inline WavSizes wavSizes(const QString& path) {
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    auto le32 = [&bytes](qsizetype at) {
        return qint64(qFromLittleEndian<quint32>(bytes.data() + at));
    };
    WavSizes sizes{.fileBytes = bytes.size()};
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return sizes;
    sizes.riff = le32(4);
    for (qsizetype at = 12; at + 8 <= bytes.size(); at += 8 + le32(at + 4) + (le32(at + 4) & 1)) {
        if (bytes.mid(at, 4) == "data") {
            sizes.data = le32(at + 4);
            sizes.dataBytes = bytes.size() - at - 8;
            break;
        }
    }
    return sizes;
}

// Power of one frequency in the samples (Goertzel).
inline double powerAt(const std::vector<float>& samples, int rate, double hz) {
    const double coeff = 2 * std::cos(2 * std::numbers::pi * hz / rate);
    double s1 = 0, s2 = 0;
    for (float x : samples)
        s2 = std::exchange(s1, x + coeff * s1 - s2);
    return s1 * s1 + s2 * s2 - coeff * s1 * s2;
}

// The strongest frequency between 100 Hz and 2 kHz, in 10 Hz steps.
inline double dominantHz(const std::vector<float>& samples, int rate) {
    double best = 0, bestPower = -1;
    for (double hz = 100; hz <= 2000; hz += 10) {
        if (const double power = powerAt(samples, rate, hz); power > bestPower)
            std::tie(best, bestPower) = std::pair(hz, power);
    }
    return best;
}

inline double rms(const std::vector<float>& samples) {
    double sum = 0;
    for (float x : samples)
        sum += double(x) * x;
    return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
}

// The first time (s) from which a 100 ms window of the sound is dominated by hz; -1 if never.
inline double firstHeard(const Sound& sound, double hz) {
    const size_t window = size_t(sound.rate) / 10;
    for (size_t at = 0; at + window <= sound.mono.size(); at += window / 2) {
        const std::vector<float> part(sound.mono.begin() + long(at),
                                      sound.mono.begin() + long(at + window));
        if (rms(part) > 0.05 && std::abs(dominantHz(part, sound.rate) - hz) < 15)
            return double(at) / sound.rate;
    }
    return -1;
}

// A full disk for one scope: no file of this process may grow beyond bytes.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{bytes, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
    rlimit old{};
};

// An environment variable set for one scope.
struct EnvOverride {
    EnvOverride(const char* var, const QByteArray& value) : name(var), old(qgetenv(var)) {
        qputenv(name, value);
    }
    ~EnvOverride() { had ? qputenv(name, old) : qunsetenv(name); }
    const char* name;
    bool had = qEnvironmentVariableIsSet(name);
    QByteArray old;
};

// What pactl prints, trimmed; empty when it fails.
inline QString pactl(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    const bool ok = process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0;
    return ok ? QString::fromUtf8(process.readAllStandardOutput()).trimmed() : QString();
}

// Starts a PulseAudio daemon of the test's own with these modules and gives its server
// address, or an empty one when it does not answer within five seconds.
inline QString startPulse(QProcess& daemon, const QString& runtimeDir, const QStringList& modules) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    env.remove(QStringLiteral("PULSE_SERVER"));
    daemon.setProcessEnvironment(env);
    const QString socket = runtimeDir + QStringLiteral("/native");
    QStringList args{QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                     QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--system=no"),
                     QStringLiteral("--load=module-native-protocol-unix socket=") + socket};
    for (const QString& module : modules)
        args << QStringLiteral("--load=") + module;
    daemon.start(QStringLiteral("pulseaudio"), args);
    const QString server = QStringLiteral("unix:") + socket;
    for (int i = 0; i < 50 && daemon.waitForStarted(3000); ++i) {
        if (!pactl({QStringLiteral("-s"), server, QStringLiteral("info")}).isEmpty())
            return server;
        QThread::msleep(100);
    }
    return QString();
}

// A sound card for an end-to-end test: a PulseAudio of the test's own with the sink "spk" and
// the source "mic" as defaults, made this process's server, and a player that keeps the sink
// running (a running sink hands its monitor's samples out at once, as a sound card does).
// Null when the daemon does not start.
inline std::unique_ptr<EnvOverride> startSpeakerRig(QProcess& daemon, QProcess& keepAlive,
                                                    const QString& runtimeDir) {
    const QString server = startPulse(
        daemon, runtimeDir,
        {QStringLiteral(
             "module-null-sink sink_name=spk sink_properties=device.description=Speakers"),
         QStringLiteral("module-null-source source_name=mic")});
    if (server.isEmpty())
        return nullptr;
    auto serverVariable = std::make_unique<EnvOverride>("PULSE_SERVER", server.toUtf8());
    pactl({QStringLiteral("set-default-sink"), QStringLiteral("spk")});
    pactl({QStringLiteral("set-default-source"), QStringLiteral("mic")});
    keepAlive.start(QStringLiteral("pacat"),
                    {QStringLiteral("--playback"), QStringLiteral("/dev/zero")});
    return serverVariable;
}

} // namespace SoundTest
