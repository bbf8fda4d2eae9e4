#include "audioform.h"

#include "base/services.h"
#include "shell/applylanguage.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace {
QLineEdit* makeText(QWidget* parent, const char* name) {
    auto* text = Controls::lineEdit(parent, name);
    text->setReadOnly(true);
    text->setMinimumWidth(320);
    return text;
}

// The device a reply names: the rest of the line after its first word, which may hold blanks.
// Nothing when the line is not a reply with that first word.
std::optional<QString> replyValue(const QString& line, QLatin1String word) {
    const QString words = line.trimmed();
    if (!words.startsWith(word))
        return std::nullopt;
    const QStringView rest = QStringView(words).mid(word.size());
    if (rest.isEmpty())
        return QString();
    if (rest.front() != QLatin1Char(' '))
        return std::nullopt;
    return rest.mid(1).toString();
}
} // namespace

AudioForm::AudioForm(Services& services, std::function<void(const QString&)> sendCommand,
                     QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_sendCommand(std::move(sendCommand)),
      m_audioInText(makeText(this, "AudioInText")), m_audioOutText(makeText(this, "AudioOutText")) {
    Controls::named(this, "AudioForm", 34);
    setWindowTitle(QStringLiteral("Audio"));
    auto* close = Controls::button(this, "Command1", QStringLiteral("Close"), 6);
    connect(close, &QPushButton::clicked, this, &AudioForm::Command1_Click);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Controls::label(this, "Label1", QStringLiteral("Audio In Device"), 27), 0, 0);
    layout->addWidget(m_audioInText, 0, 1);
    layout->addWidget(Controls::label(this, "Label2", QStringLiteral("Audio Out Device"), 28), 1,
                      0);
    layout->addWidget(m_audioOutText, 1, 1);
    layout->addWidget(close, 2, 1, Qt::AlignRight);
    Form_Load();
}

void AudioForm::Form_Load() {
    CenterForm(this);
    ApplyLanguage(this, m_services.language);
    send(QStringLiteral("GET AUDIO_IN"));
    send(QStringLiteral("GET AUDIO_OUT"));
}

void AudioForm::send(const QString& line) {
    if (m_sendCommand)
        m_sendCommand(line);
}

void AudioForm::SetSkypeResponse(QString& line) {
    if (const auto audioIn = replyValue(line, QLatin1String("AUDIO_IN"))) {
        m_audioInText->setText(*audioIn);
        return;
    }
    if (const auto audioOut = replyValue(line, QLatin1String("AUDIO_OUT")))
        m_audioOutText->setText(*audioOut);
}
