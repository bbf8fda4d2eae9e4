#pragma once

#include <QString>

class LanguagePack;
class QObject;
class QWidget;

// Controls carry the number of their text in the "tag" property: "STR-ID:24", or for a grid a
// list of column headings "STR-ID:37,38,39,40".
inline constexpr const char* kTagProperty = "tag";
void setTag(QObject* control, const QString& tag);
QString tagOf(const QObject* control);

// Replaces the title of the window and the texts of its tagged controls, in control order.
void ApplyLanguage(QWidget* window, const LanguagePack& pack);
// Loads the pack of that language, then applies it to every window loaded at this moment.
void ApplyLanguageToAll(LanguagePack& pack, const QString& code);
