// The notification windows over their cores: the recipients window and its settings, the
// announce-back window and its settings, the friends window.
#include "memorysettingsstore.h"
#include "notify/announcebackform.h"
#include "notify/broadcaststatusform.h"
#include "notify/trackerforms.h"
#include "testmain.h"
#include "trackerrig.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

namespace {
template <typename Control> Control* find(QWidget& window, const char* name) {
    auto* control = window.findChild<Control*>(QString::fromLatin1(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

QStringList storedRecipients(const MemorySettingsStore& store) {
    QStringList values;
    for (const QString& key : store.keys(QStringLiteral("BroadCastStatus")))
        values << key + u'=' + store.read(QStringLiteral("BroadCastStatus"), key);
    return values;
}
} // namespace

class TestNotifyForms : public QObject {
    Q_OBJECT

private slots:
    // The list ends at the first gap; an entry that is no handle is skipped.
    void recipientsLoadUpToTheFirstGap() {
        TrackerRig rig;
        rig.test.settings.write("BroadCastStatus", "User001", "bob");
        rig.test.settings.write("BroadCastStatus", "User002", "carol dave");
        rig.test.settings.write("BroadCastStatus", "User003", " eve ");
        rig.test.settings.write("BroadCastStatus", "User005", "frank");
        BroadCastStatusForm form(rig.test.services, rig.recipients);
        QCOMPARE(rig.recipients.users(), (QStringList{"bob", "eve"}));
        QCOMPARE(find<QListWidget>(form, "UserList")->count(), 2);
        QVERIFY(!find<QPushButton>(form, "Command1")->isEnabled());
    }

    void recipientsWindowAddsDeletesAndStoresOnClose() {
        TrackerRig rig;
        rig.test.settings.write("BroadCastStatus", "User001", "bob");
        rig.test.settings.write("BroadCastStatus", "User002", "carol");
        BroadCastStatusForm form(rig.test.services, rig.recipients);
        QLineEdit* text = find<QLineEdit>(form, "UserText");
        text->setText(QStringLiteral("   "));
        find<QPushButton>(form, "Command2")->click();
        QVERIFY(text->text().isEmpty());
        text->setText(QStringLiteral(" dave "));
        find<QPushButton>(form, "Command2")->click();
        QCOMPARE(rig.recipients.users(), (QStringList{"bob", "carol", "dave"}));
        find<QListWidget>(form, "UserList")->setCurrentRow(1);
        QVERIFY(find<QPushButton>(form, "Command1")->isEnabled());
        find<QPushButton>(form, "Command1")->click();
        QVERIFY(!find<QPushButton>(form, "Command1")->isEnabled());
        form.close(); // the title bar stores nothing
        QCOMPARE(storedRecipients(rig.test.settings),
                 (QStringList{"User001=bob", "User002=carol"}));
        find<QPushButton>(form, "Command4")->click();
        QCOMPARE(storedRecipients(rig.test.settings), (QStringList{"User001=bob", "User002=dave"}));
        QCOMPARE(rig.test.settings.strayDeletes(), 0);
    }

    // The handle takes effect as typed; only OK stores it, trimmed, with the friends switch.
    // (How "On" and "Off" read is met with the settings helpers in tst_settingsstore.)
    void announceBackSettingsAreStoredOnlyByOk() {
        TrackerRig rig;
        rig.test.settings.write("AnnounceBack", "CallbackOnlyFriends", "On");
        rig.test.settings.write("AnnounceBack", "CallbackHandle", "zed");
        AnnounceBackForm form(rig.test.services, rig.announceBack);
        QVERIFY(find<QCheckBox>(form, "CallbackOnlyToFriendsCheck")->isChecked());
        find<QLineEdit>(form, "CallbackHandleText")->setText(QStringLiteral(" max "));
        QCOMPARE(rig.announceBack.callbackHandle(), QStringLiteral(" max "));
        form.close();
        QCOMPARE(rig.test.settings.read("AnnounceBack", "CallbackHandle"), QStringLiteral("zed"));
        find<QCheckBox>(form, "CallbackOnlyToFriendsCheck")->setChecked(false);
        find<QPushButton>(form, "Command1")->click();
        QCOMPARE(rig.test.settings.read("AnnounceBack", "CallbackHandle"), QStringLiteral("max"));
        QCOMPARE(rig.test.settings.read("AnnounceBack", "CallbackOnlyFriends"),
                 QStringLiteral("Off"));
        QCOMPARE(rig.test.settings.strayDeletes(), 0);
    }

    // The list is asked for once per run and outlives its window.
    void friendsWindowShowsTheListAndOnlyHides() {
        TrackerRig rig;
        {
            FriendsForm form(rig.test.services, rig.friends);
            rig.host(QStringLiteral("USERS bob, carol"));
            QCOMPARE(form.grid()->model()->rowCount(), 2);
            form.show();
            form.Command1_Click();
            QVERIFY(form.isHidden());
        }
        FriendsForm again(rig.test.services, rig.friends);
        QCOMPARE(rig.sent, QStringList{"SEARCH FRIENDS"});
        QVERIFY(rig.friends.IsFriend(QStringLiteral("carol")));
    }
};

QUENLARK_TEST_MAIN(TestNotifyForms)
#include "tst_notifyforms.moc"
