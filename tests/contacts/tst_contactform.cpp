// The contact window over its core: the grid model, header clicks, the popup, closing.
#include "contacts/contactform.h"
#include "contactstest.h"
#include "testmain.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

class TestContactForm : public QObject {
    Q_OBJECT
private slots:
    void theGridFollowsTheCoreThroughEveryChange() {
        Contacts contacts({"carol|Work", "bob|Friends", "dave|Friends"}, false);
        QAbstractItemModelTester tester(&contacts.core.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        ContactForm form(contacts.test.services, contacts.core);
        QTableView* grid = form.grid();
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QString("NAME +"));
        auto* del = form.findChild<QPushButton*>("Command3");
        QVERIFY(!del->isEnabled());

        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect row1 = grid->visualRect(grid->model()->index(1, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row1.center());
        QCOMPARE(contacts.selected(), QString("carol"));
        QVERIFY(del->isEnabled());
        QVERIFY(form.RowHitTest(row1.center().y()));
        QVERIFY(!form.RowHitTest(grid->visualRect(grid->model()->index(0, 0)).center().y()));

        QHeaderView* header = grid->horizontalHeader();
        const int nameX = header->sectionViewportPosition(0) + 10;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(nameX, 5));
        QCOMPARE(contacts.rows(), QStringList({"dave", "carol", "bob"}));
        QCOMPARE(grid->currentIndex().row(), 1); // still on carol

        auto* display = form.findChild<QComboBox*>("DisplayGroupCombo");
        display->setCurrentIndex(int(contacts.core.displayItems().indexOf("Friends")));
        QCOMPARE(contacts.rows(), QStringList({"dave", "bob"}));
        QVERIFY(!grid->currentIndex().isValid());
        contacts.reply("USER bob ONLINESTATUS ONLINE");
        form.findChild<QLineEdit*>("ContactText")->setText("eve");
        form.findChild<QComboBox*>("GroupCombo")->setEditText("Friends");
        form.findChild<QPushButton*>("Command2")->click();
        QCOMPARE(contacts.rows(), QStringList({"eve", "dave", "bob"}));
        QCOMPARE(form.findChild<QLineEdit*>("ContactText")->text(), QString());

        form.close(); // the title bar's close saves like Close
        QVERIFY(!form.isVisible());
        QCOMPARE(contacts.test.settings.read("Contact", "DisplayGroup"), QString("Friends"));
        QCOMPARE(contacts.test.settings.read("Contact", "0000"), QString("eve"));
    }
};

QUENLARK_TEST_MAIN(TestContactForm)
#include "tst_contactform.moc"
