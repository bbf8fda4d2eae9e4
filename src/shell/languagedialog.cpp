#include "languagedialog.h"

#include "applylanguage.h"
#include "base/languagepack.h"
#include "base/loglib.h"
#include "base/services.h"
#include "centerform.h"
#include "controls.h"
#include "platform/settingsstore.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

LanguageDialog::LanguageDialog(Services& services, QWidget* parent)
    : QDialog(parent), m_services(services), m_languageList(new QListWidget(this)) {
    Controls::named(this, "LanguageDialog", 23);
    setWindowTitle(QStringLiteral("Language"));
    Controls::named(m_languageList, "LanguageList");
    auto* ok = Controls::button(this, "OKButton", QStringLiteral("OK"), 21);
    ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_languageList);
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &LanguageDialog::OKButton_Click);
    connect(m_languageList, &QListWidget::itemDoubleClicked, this, &LanguageDialog::OKButton_Click);
    Form_Load();
}

void LanguageDialog::Form_Load() {
    TraceScope trace(m_services.log, "LanguageDialog", "Form_Load");
    resize(240, 260);
    CenterForm(this);
    fillLanguageList();
    ApplyLanguageToAll(m_services.language, GetLanguageSetting());
    ApplyLanguage(this, m_services.language);
}

void LanguageDialog::fillLanguageList() {
    m_languageList->clear();
    m_languageList->addItems(m_services.language.availableCodes());
    selectStoredLanguage();
}

void LanguageDialog::selectStoredLanguage() {
    const QString stored = readSetting(m_services.settings, LocaleKeys::Language);
    QList<QListWidgetItem*> matches = m_languageList->findItems(stored, Qt::MatchExactly);
    if (matches.isEmpty() || stored.isEmpty())
        matches = m_languageList->findItems(QStringLiteral("en"), Qt::MatchExactly);
    if (!matches.isEmpty())
        m_languageList->setCurrentItem(matches.first());
    else if (m_languageList->count() > 0)
        m_languageList->setCurrentRow(0);
}

QString LanguageDialog::GetLanguageSetting() const {
    const QListWidgetItem* item = m_languageList->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void LanguageDialog::OKButton_Click() {
    TraceScope trace(m_services.log, "LanguageDialog", "OKButton_Click");
    const QString code = GetLanguageSetting();
    deleteIfPresent(m_services.settings, LocaleKeys::Language);
    writeSetting(m_services.settings, LocaleKeys::Language, code.trimmed());
    ApplyLanguageToAll(m_services.language, code);
    hide();
}
