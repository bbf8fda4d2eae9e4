#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The language table: numbered texts read from "Quenlark_<code>.pack" in the shipped-files
// folder. Lines that are empty or do not start with a digit are comments; any other line is
// "number:text", and anything after a second ":" is dropped.
class LanguagePack {
public:
    struct Entry {
        int number;
        QString text;
    };

    explicit LanguagePack(QString packFolder) : m_folder(std::move(packFolder)) {}

    // Rebuilds the table from the pack of that language; a missing file leaves it empty.
    void LoadLanguagePack(const QString& code);
    // The first entry with that number, or "?".
    QString GetLanguageString(int number) const;

    // The codes of the pack files in the folder, sorted ascending.
    QStringList availableCodes() const;
    // The code a pack file name carries, or empty text when the name does not qualify.
    static QString codeFromFileName(const QString& fileName);
    static QList<Entry> parse(const QByteArray& contents);

    QString packPath(const QString& code) const;
    const QString& folder() const { return m_folder; }
    const QString& currentCode() const { return m_code; }
    const QList<Entry>& entries() const { return m_entries; }

private:
    QString m_folder;
    QString m_code;
    QList<Entry> m_entries;
};
