#include "widgetprompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {
QString titleOr(const QString& title) {
    return title.isEmpty() ? QStringLiteral("Quenlark") : title;
}
} // namespace

void WidgetPrompts::message(const QString& text, const QString& title) {
    QMessageBox::information(QApplication::activeWindow(), titleOr(title), text);
}

bool WidgetPrompts::confirm(const QString& text, const QString& title) {
    return QMessageBox::question(QApplication::activeWindow(), titleOr(title), text,
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

QString WidgetPrompts::openFileName(const QString& title, const QString& folder,
                                    const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
}
