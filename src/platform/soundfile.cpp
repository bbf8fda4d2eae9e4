#include "soundfile.h"

#include "sound.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace SoundFile {

SNDFILE* openForReading(const QString& path, SF_INFO& info, int& status) {
    info = SF_INFO{};
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        status = MciError::FileNotFound;
        return nullptr;
    }
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    status = file ? MciError::None : MciError::InvalidFile;
    if (file && (info.samplerate <= 0 || info.channels <= 0)) {
        sf_close(file);
        status = MciError::InvalidFile;
        return nullptr;
    }
    return file;
}

qint64 lengthMs(const QString& path) {
    SF_INFO info;
    int status = 0;
    SNDFILE* file = openForReading(path, info, status);
    if (!file)
        return -1;
    sf_close(file);
    return (info.frames * 1000 + info.samplerate / 2) / info.samplerate;
}

namespace {

bool copyFile(const QString& from, const QString& to) {
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const qint64 got = in.read(buffer.data(), qint64(buffer.size()));
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if (out.write(buffer.data(), got) != got)
            return false;
    }
    // Flush and close before the rename so a full disk shows up here, not later.
    return out.flush() && (out.close(), out.error() == QFileDevice::NoError);
}

} // namespace

int moveInto(const QString& from, const QString& target) {
    if (target.isEmpty() || !QFileInfo(QFileInfo(target).absolutePath()).isDir())
        return MciError::FileNotSaved;
    const QByteArray source = QFile::encodeName(from);
    const QByteArray dest = QFile::encodeName(target);
    if (std::rename(source.constData(), dest.constData()) == 0)
        return MciError::None;
    if (errno != EXDEV)
        return MciError::FileNotSaved;
    // Another file system: copy beside the target, then rename, so the target never holds
    // half a recording.
    const QString partial = target + QStringLiteral(".partial");
    if (!copyFile(from, partial) ||
        std::rename(QFile::encodeName(partial).constData(), dest.constData()) != 0) {
        QFile::remove(partial);
        return MciError::FileNotSaved;
    }
    QFile::remove(from);
    return MciError::None;
}

} // namespace SoundFile

WavRecordFile::~WavRecordFile() {
    discard();
}

bool WavRecordFile::open() {
    if (m_file)
        return true;
    SF_INFO info{};
    int mode = SFM_RDWR;
    if (m_path.isEmpty()) {
        QDir().mkpath(m_folder);
        m_path = m_folder + QStringLiteral("/recording-") +
                 QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".wav");
        info.samplerate = SoundFile::RecordRate;
        info.channels = SoundFile::RecordChannels;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        mode = SFM_WRITE;
        m_frames = 0;
    }
    m_file = sf_open(QFile::encodeName(m_path).constData(), mode, &info);
    if (!m_file)
        return false;
    sf_command(m_file, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
    if (mode == SFM_RDWR)
        sf_seek(m_file, 0, SEEK_END);
    return true;
}

bool WavRecordFile::write(const qint16* samples, qint64 frames) {
    if (!m_file)
        return false;
    const sf_count_t written = sf_writef_short(m_file, samples, frames);
    m_frames += written;
    return written == frames;
}

bool WavRecordFile::writeSilence(qint64 frames) {
    static const qint16 zeros[1024] = {};
    while (frames > 0) {
        const qint64 chunk = std::min<qint64>(frames, 1024);
        if (!write(zeros, chunk))
            return false;
        frames -= chunk;
    }
    return true;
}

void WavRecordFile::close() {
    if (m_file)
        sf_close(m_file);
    m_file = nullptr;
}

int WavRecordFile::saveTo(const QString& target) {
    if (m_path.isEmpty() && !open())
        return MciError::FileNotSaved;
    close();
    const int status = SoundFile::moveInto(m_path, target);
    if (status == MciError::None) {
        m_path.clear();
        m_frames = 0;
    }
    return status;
}

void WavRecordFile::keep() {
    close();
    m_path.clear();
    m_frames = 0;
}

void WavRecordFile::discard() {
    close();
    if (!m_path.isEmpty())
        QFile::remove(m_path);
    m_path.clear();
    m_frames = 0;
}
