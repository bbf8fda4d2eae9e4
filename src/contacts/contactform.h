#pragma once

#include <QWidget>

struct Services;
class ContactFormCore;
class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;

// "Contact": the watched contacts in a grid (ContactFlexGrid) with the display-group filter,
// sorting by a clicked header, and Add, Del, Call and Close; the right button over the
// selected row opens PopupMenu. Every control shows the state of ContactFormCore, which keeps
// polling the host while the window is hidden. Closing the window saves like Close.
class ContactForm : public QWidget {
    Q_OBJECT
public:
    ContactForm(Services& services, ContactFormCore& core, QWidget* parent = nullptr);

    // Whether a vertical position in the grid lies on its selected data row.
    bool RowHitTest(int y) const;

    QTableView* grid() const { return m_grid; }
    QMenu* popupMenu() const { return m_popup; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void bindCore();
    void Form_Load();
    void showGroupLists();
    void showSelection(int row);
    void UpdateButtons();
    void Command1_Click();
    void popupRequested(const QPoint& position);

    Services& m_services;
    ContactFormCore& m_core;
    QTableView* m_grid;
    QLineEdit* m_contactText;
    QComboBox* m_groupCombo;
    QComboBox* m_displayGroupCombo;
    QPushButton* m_add;
    QPushButton* m_del;
    QPushButton* m_call;
    QMenu* m_popup;
    QAction* m_callItem;
    bool m_showing = false; // the controls are being set from the core
};
