#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

class QWidget;

// Drives the program's windows from outside, for end-to-end tests and benchmarks: only when
// the program is started with --automation, the object /org/quenlark/Automation (interface
// org.quenlark.Automation1, bus name org.quenlark.Automation) on the program's session bus
// presses buttons, types into text boxes, selects rows and reads controls, each found by the
// object name of its window and its own, exactly as a user's click or typing would.
class Automation : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenlark.Automation1")
public:
    explicit Automation(QObject* parent = nullptr) : QObject(parent) {}
    // False (with the reason) when the object or the name cannot be had on the bus.
    bool open(QDBusConnection bus, QString* error);

public slots:
    // A button's click; false when the control is missing, hidden or disabled.
    Q_SCRIPTABLE bool Click(const QString& window, const QString& control);
    // Replaces a text box's text, as typed.
    Q_SCRIPTABLE bool SetText(const QString& window, const QString& control, const QString& text);
    // Selects a row of a list (the row becomes the current one).
    Q_SCRIPTABLE bool SelectRow(const QString& window, const QString& control, int row);
    // The rows of a list, or the one text of a label, text box or button; empty when missing.
    Q_SCRIPTABLE QStringList Read(const QString& window, const QString& control);
    // The texts of the message boxes on screen.
    Q_SCRIPTABLE QStringList Notices();

private:
    static QWidget* find(const QString& window, const QString& control);
};
