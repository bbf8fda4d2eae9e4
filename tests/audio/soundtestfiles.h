#pragma once

#include <QFile>
#include <QString>

#include <sndfile.h>

#include <cmath>
#include <numbers>
#include <vector>

// Test sound files written and read with libsndfile.
namespace SoundTest {

// A sine tone of amplitude 0.5 as 16-bit PCM WAV; false when the file cannot be written.
inline bool writeTone(const QString& path, double hz, double seconds, int rate = 16000,
                      int channels = 1) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const auto frames = sf_count_t(seconds * rate);
    std::vector<float> samples(size_t(frames * channels));
    for (sf_count_t i = 0; i < frames; ++i) {
        const float value = float(0.5 * std::sin(2 * std::numbers::pi * hz * double(i) / rate));
        for (int c = 0; c < channels; ++c)
            samples[size_t(i * channels + c)] = value;
    }
    const sf_count_t written = sf_writef_float(file, samples.data(), frames);
    sf_close(file);
    return written == frames;
}

struct Sound {
    bool valid = false;
    int rate = 0;
    int channels = 0;
    int format = 0;
    std::vector<float> mono; // the first channel
    double seconds() const { return rate ? double(mono.size()) / rate : 0; }
};

inline Sound readSound(const QString& path) {
    Sound sound;
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return sound;
    std::vector<float> frames(size_t(info.frames * info.channels));
    const sf_count_t got = sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    sound.valid = got == info.frames;
    sound.rate = info.samplerate;
    sound.channels = info.channels;
    sound.format = info.format;
    for (sf_count_t i = 0; i < got; ++i)
        sound.mono.push_back(frames[size_t(i * info.channels)]);
    return sound;
}

// The sizes a WAV header declares, against the file's real size. Readers differ in how they
// treat a stale header; these numbers show one.
struct WavSizes {
    bool ok = false;      // RIFF/WAVE with a data chunk
    qint64 riff = 0;      // RIFF chunk size: file size - 8 when up to date
    qint64 data = 0;      // data chunk size
    qint64 dataBytes = 0; // bytes from the start of the data to the end of the file
    bool upToDate() const { return ok && data == dataBytes && riff + 8 == dataBytes + dataOffset; }
    qint64 dataOffset = 0;
};

inline WavSizes wavSizes(const QString& path) {
    WavSizes sizes;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return sizes;
    const QByteArray bytes = file.readAll();
    auto le32 = [&bytes](qsizetype at) {
        return qint64(quint8(bytes[at])) | qint64(quint8(bytes[at + 1])) << 8 |
               qint64(quint8(bytes[at + 2])) << 16 | qint64(quint8(bytes[at + 3])) << 24;
    };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return sizes;
    sizes.riff = le32(4);
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const qint64 size = le32(at + 4);
        if (bytes.mid(at, 4) == "data") {
            sizes.ok = true;
            sizes.data = size;
            sizes.dataOffset = at + 8;
            sizes.dataBytes = bytes.size() - sizes.dataOffset;
            break;
        }
        at += 8 + size + (size & 1);
    }
    return sizes;
}

// Power of one frequency in the samples (Goertzel).
inline double powerAt(const std::vector<float>& samples, int rate, double hz) {
    const double coeff = 2 * std::cos(2 * std::numbers::pi * hz / rate);
    double s1 = 0, s2 = 0;
    for (float x : samples) {
        const double s0 = x + coeff * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - coeff * s1 * s2;
}

// The strongest frequency between 100 Hz and 2 kHz, in 10 Hz steps.
inline double dominantHz(const std::vector<float>& samples, int rate) {
    double best = 0, bestPower = -1;
    for (double hz = 100; hz <= 2000; hz += 10) {
        const double power = powerAt(samples, rate, hz);
        if (power > bestPower) {
            bestPower = power;
            best = hz;
        }
    }
    return best;
}

inline double rms(const std::vector<float>& samples) {
    double sum = 0;
    for (float x : samples)
        sum += double(x) * x;
    return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
}

} // namespace SoundTest
