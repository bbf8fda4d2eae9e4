#pragma once

#include "platform/settingsstore.h"

#include <QDialog>

struct Services;
class QListWidget;

// Section "Locale", owned by LanguageDialog: the chosen language code.
namespace LocaleKeys {
inline constexpr SettingKey Language{"Locale", "Language", ""};
inline constexpr SettingKey all[] = {Language};
} // namespace LocaleKeys

// "Language": lists the language packs found beside the program and applies the chosen one.
class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    explicit LanguageDialog(Services& services, QWidget* parent = nullptr);

    // The code selected in LanguageList; empty when none is selected.
    QString GetLanguageSetting() const;
    // Stores the selected code in "Locale"/"Language", applies it everywhere and hides.
    void OKButton_Click();
    // Refills the list from the pack files and selects the stored language.
    void fillLanguageList();

private:
    void Form_Load();
    void selectStoredLanguage();

    Services& m_services;
    QListWidget* m_languageList;
};
