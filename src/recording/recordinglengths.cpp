#include "recordinglengths.h"

#include <QFile>
#include <QtEndian>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Format tags whose byte rate gives the playing time exactly.
constexpr quint16 kPcm = 1;
constexpr quint16 kFloat = 3;
constexpr quint16 kExtensible = 0xFFFE;
// The fmt chunk and the data chunk's header sit near the start of every file the program
// writes; a header spread further is measured the slow way.
constexpr qsizetype kHeaderBytes = 1024;

quint32 le32(const char* at) {
    return qFromLittleEndian<quint32>(at);
}
quint16 le16(const char* at) {
    return qFromLittleEndian<quint16>(at);
}
} // namespace

double RecordingLengths::wavHeaderSeconds(const QString& path, qint64 fileSize) {
    // Plain system calls: a folder of thousands of recordings is read at every first listing.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    QByteArray head(kHeaderBytes, Qt::Uninitialized);
    const ssize_t got = ::read(fd, head.data(), size_t(head.size()));
    ::close(fd);
    head.truncate(got < 0 ? 0 : qsizetype(got));
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return -1;
    quint32 byteRate = 0;
    for (qint64 at = 12; at + 8 <= head.size();) {
        const QByteArray id = head.mid(at, 4);
        const qint64 size = le32(head.constData() + at + 4);
        if (id == "fmt " && size >= 16 && at + 8 + 16 <= head.size()) {
            const quint16 tag = le16(head.constData() + at + 8);
            if (tag != kPcm && tag != kFloat && tag != kExtensible)
                return -1;
            byteRate = le32(head.constData() + at + 8 + 8);
        } else if (id == "data") {
            if (byteRate == 0)
                return -1;
            // A header not yet rewritten after the last samples: count what the file holds.
            const qint64 available = fileSize - (at + 8);
            return double(qMin(size, available)) / byteRate;
        }
        at += 8 + size + (size & 1);
    }
    return -1;
}

QList<RecordingLengths::File> RecordingLengths::regularFiles(const QString& folder) {
    QList<File> files;
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return files;
    const QString prefix = folder + u'/';
    struct stat info {};
    while (const dirent* entry = readdir(dir)) {
        // The entry's type spares a system call for folders and links.
        if ((entry->d_type != DT_REG && entry->d_type != DT_UNKNOWN) ||
            fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode))
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        files.append({name, prefix + name, qint64(info.st_size),
                      qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec});
    }
    closedir(dir);
    return files;
}

double RecordingLengths::seconds(const File& file) {
    Entry& entry = m_entries[file.name];
    entry.listing = m_listing;
    if (entry.size == file.size && entry.modified == file.modified)
        return entry.seconds;
    double seconds = wavHeaderSeconds(file.path, file.size);
    if (seconds < 0)
        seconds = m_measure ? m_measure(file.path) : 0;
    entry = {file.size, file.modified, seconds, m_listing};
    return seconds;
}

void RecordingLengths::forgetUnlisted() {
    m_entries.removeIf([this](const auto& it) { return it.value().listing != m_listing; });
    ++m_listing;
}
