#include "autostart.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
const QString kFileName = QStringLiteral("org.quenlark.Quenlark.desktop");

// A string value of a desktop entry: a backslash is written twice, a line break as \n.
QString escapeValue(QString text) {
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'\n', QStringLiteral("\\n"));
    text.replace(u'\r', QStringLiteral("\\r"));
    text.replace(u'\t', QStringLiteral("\\t"));
    return text;
}
} // namespace

AutostartEntry::AutostartEntry(QString configHome, QString program)
    : m_configHome(std::move(configHome)), m_program(std::move(program)) {}

QString AutostartEntry::userConfigHome() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.config"));
}

QString AutostartEntry::filePath() const {
    return m_configHome + QStringLiteral("/autostart/") + kFileName;
}

bool AutostartEntry::isEnabled() const {
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    for (QByteArray line : file.readAll().split('\n')) {
        line = line.trimmed();
        line.replace(' ', QByteArray());
        if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false")
            return false;
    }
    return true;
}

bool AutostartEntry::setEnabled(bool on) {
    m_error.clear();
    const QString path = filePath();
    if (!on) {
        if (!QFileInfo::exists(path) || QFile::remove(path))
            return true;
        m_error = QStringLiteral("cannot remove %1").arg(path);
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).path())) {
        m_error = QStringLiteral("cannot create %1").arg(QFileInfo(path).path());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(entryText(m_program)) < 0 ||
        !file.commit()) {
        m_error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QString AutostartEntry::execArgument(const QString& program) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString argument = program;
    argument.replace(u'%', QStringLiteral("%%"));
    if (std::any_of(argument.cbegin(), argument.cend(),
                    [](QChar c) { return reserved.contains(c); })) {
        QString quoted;
        for (QChar c : std::as_const(argument)) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                quoted += u'\\';
            quoted += c;
        }
        argument = u'"' + quoted + u'"';
    }
    return escapeValue(argument);
}

QByteArray AutostartEntry::entryText(const QString& program) {
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Quenlark\n"
                                        "Comment=Answering machine beside your chat client\n"
                                        "Exec=%1\n"
                                        "TryExec=%2\n"
                                        "Icon=org.quenlark.Quenlark\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(execArgument(program), escapeValue(program));
    return text.toUtf8();
}
