#include "languagepack.h"

#include <QDir>
#include <QFile>

namespace {
const QString kPrefix = QStringLiteral("Quenlark_");

bool parseLine(const QByteArray& raw, LanguagePack::Entry& entry) {
    QString line = QString::fromUtf8(raw);
    if (line.endsWith(u'\r'))
        line.chop(1);
    if (line.isEmpty() || !line.at(0).isDigit() || line.at(0).unicode() > '9')
        return false;
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0)
        return false;
    bool ok = false;
    const int number = line.left(colon).trimmed().toInt(&ok);
    if (!ok)
        return false; // the number part is not a decimal number: outside the format
    entry.number = number;
    entry.text = line.mid(colon + 1).section(u':', 0, 0);
    return true;
}
} // namespace

QList<LanguagePack::Entry> LanguagePack::parse(const QByteArray& contents) {
    QList<Entry> entries;
    for (const QByteArray& raw : contents.split('\n')) {
        Entry entry;
        if (parseLine(raw, entry))
            entries.append(std::move(entry));
    }
    return entries;
}

void LanguagePack::LoadLanguagePack(const QString& code) {
    m_entries.clear();
    m_code = code;
    QFile file(packPath(code));
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_entries = parse(file.readAll());
}

QString LanguagePack::GetLanguageString(int number) const {
    for (const Entry& entry : m_entries) {
        if (entry.number == number)
            return entry.text;
    }
    return QStringLiteral("?");
}

QString LanguagePack::packPath(const QString& code) const {
    return m_folder + u'/' + kPrefix + code + QStringLiteral(".pack");
}

QString LanguagePack::codeFromFileName(const QString& fileName) {
    // The code runs from the tenth character to the first "." at or after it; that "." must
    // lie after the eleventh character, so codes have at least two characters.
    if (fileName.size() < 15)
        return {};
    const qsizetype dot = fileName.indexOf(u'.', 9);
    if (dot <= 10)
        return {};
    return fileName.mid(9, dot - 9);
}

QStringList LanguagePack::availableCodes() const {
    QStringList codes;
    const QStringList names =
        QDir(m_folder).entryList({QStringLiteral("*.pack")}, QDir::Files | QDir::Readable);
    for (const QString& name : names) {
        const QString code = codeFromFileName(name);
        if (!code.isEmpty())
            codes << code;
    }
    codes.sort(Qt::CaseSensitive);
    return codes;
}
