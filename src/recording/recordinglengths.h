#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <functional>

// Playing times of the recordings in seconds, kept by file name with the size and modification
// time they were measured at, so a refresh of the history measures only new or changed files.
// A plain PCM or float WAV is measured from its header; anything else through the measure
// function given (the sound layer's GetAudioFileLength), which gives 0 for an unreadable file.
class RecordingLengths {
public:
    using Measure = std::function<double(const QString& path)>;
    explicit RecordingLengths(Measure measure) : m_measure(std::move(measure)) {}

    // A file of the folder as the directory listing gives it.
    struct File {
        QString name;
        QString path;
        qint64 size = 0;
        qint64 modified = 0; // nanoseconds since the epoch
    };
    // Every regular file of the folder (no folders, no links), unsorted; read with one system
    // call per file, as a refresh of thousands of recordings needs.
    static QList<File> regularFiles(const QString& folder);

    double seconds(const File& file);
    // Drops the files not asked for since the last call, so the cache never outgrows the
    // folder. Called after each listing.
    void forgetUnlisted();
    qsizetype size() const { return m_entries.size(); }

    // The playing time a WAV header declares, or a negative value when the file is not a WAV
    // whose length its header tells (compressed formats, damaged headers).
    static double wavHeaderSeconds(const QString& path, qint64 fileSize);

private:
    struct Entry {
        qint64 size = -1;
        qint64 modified = 0;
        double seconds = 0;
        quint64 listing = 0;
    };
    quint64 m_listing = 0;
    Measure m_measure;
    QHash<QString, Entry> m_entries;
};
