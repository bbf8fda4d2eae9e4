#include "mixerconfigform.h"

#include "base/services.h"
#include "shell/applylanguage.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {
QComboBox* makeCombo(QWidget* parent, const char* name) {
    auto* combo = Controls::named(new QComboBox(parent), name);
    combo->setMinimumWidth(320);
    return combo;
}

void fillCombo(QComboBox* combo, const QStringList& items, const QString& storedText) {
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(MixerConfig::choiceIndex(items, storedText));
}
} // namespace

MixerConfigForm::MixerConfigForm(Services& services, MixerConfig& config, QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_config(config),
      m_combo1(makeCombo(this, "Combo1")), m_combo2(makeCombo(this, "Combo2")) {
    setObjectName(QStringLiteral("MixerConfigForm"));
    setWindowTitle(QStringLiteral("MixerConfig"));
    buildLayout();
    connect(m_combo2, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { m_config.setChosenSource(text); });
    Form_Load();
}

void MixerConfigForm::buildLayout() {
    auto* back = Controls::button(this, "Command1", QStringLiteral("Back"), 100);
    connect(back, &QPushButton::clicked, this, &MixerConfigForm::Command1_Click);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Controls::label(this, "Label3",
                                      QStringLiteral("Select Audio Device and control, when Auto "
                                                     "Answering!!"),
                                      108),
                      0, 0, 1, 2);
    layout->addWidget(Controls::label(this, "Label1", QStringLiteral("Device :"), 109), 1, 0);
    layout->addWidget(m_combo1, 1, 1);
    layout->addWidget(Controls::label(this, "Label2", QStringLiteral("Control :"), 110), 2, 0);
    layout->addWidget(m_combo2, 2, 1);
    layout->addWidget(back, 3, 1, Qt::AlignRight);
}

void MixerConfigForm::Form_Load() {
    CenterForm(this);
    ApplyLanguage(this, m_services.language);
    // Sources are listed only for the device the switching acts on.
    m_config.loadChoice();
    fillCombo(m_combo1, m_config.deviceNames(), m_config.storedDevice());
    fillCombo(m_combo2, m_config.listedSources(), m_config.storedControl());
}

void MixerConfigForm::Command1_Click() {
    m_config.storeChoices(m_combo1->currentText(), m_combo2->currentText());
    hide();
}
