#include "shell/applylanguage.h"
#include "shell/languagedialog.h"
#include "shell/languagepack.h"
#include "testmain.h"
#include "testservices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using Entries = QList<std::pair<int, QString>>;

namespace {
Entries entriesOf(const QList<LanguagePack::Entry>& list) {
    Entries result;
    for (const LanguagePack::Entry& entry : list)
        result.append({entry.number, entry.text});
    return result;
}

template <typename T> T* tagged(QWidget* parent, const char* name, const QString& tag) {
    auto* control = new T(parent);
    control->setObjectName(QString::fromLatin1(name));
    setTag(control, tag);
    if (parent->layout())
        parent->layout()->addWidget(control);
    return control;
}

// A window with one tagged control of every kind the language pack translates.
struct TaggedWindow {
    TaggedWindow() {
        setTag(&window, QStringLiteral("STR-ID:23"));
        window.setWindowTitle(QStringLiteral("untranslated"));
        new QVBoxLayout(&window);
        auto* bar = new QMenuBar(&window);
        menu = bar->addMenu(QStringLiteral("File"));
        setTag(menu, QStringLiteral("STR-ID:1"));
        item = menu->addAction(QStringLiteral("Hide"));
        setTag(item, QStringLiteral("STR-ID:6"));
        label = tagged<QLabel>(&window, "Label4", QStringLiteral("STR-ID:7"));
        button = tagged<QPushButton>(&window, "Command1", QStringLiteral("STR-ID:2"));
        check = tagged<QCheckBox>(&window, "SendIMCheck", QStringLiteral("STR-ID:101"));
        frame = tagged<QGroupBox>(&window, "Frame1", QStringLiteral("STR-ID:34"));
        text = tagged<QLineEdit>(&window, "Text1", QStringLiteral("STR-ID:16"));
        negative = tagged<QLabel>(&window, "Label9", QStringLiteral("STR-ID:-1"));
        notANumber = tagged<QLabel>(&window, "Label8", QStringLiteral("STR-ID:x7"));
        untagged = tagged<QLabel>(&window, "Label6", QStringLiteral("STR:7"));
        combo = tagged<QComboBox>(&window, "Combo1", QStringLiteral("STR-ID:7"));
        grid = tagged<QTableWidget>(&window, "FlexGrid1", QStringLiteral("STR-ID:37,38, 39"));
        for (QLabel* keep : {negative, notANumber, untagged})
            keep->setText(QStringLiteral("keep"));
        combo->addItem(QStringLiteral("keep"));
        grid->setRowCount(3);
        grid->setColumnCount(5);
        grid->setCurrentCell(2, 1);
    }
    QWidget window;
    QMenu* menu;
    QAction* item;
    QLabel *label, *negative, *notANumber, *untagged;
    QPushButton* button;
    QCheckBox* check;
    QGroupBox* frame;
    QLineEdit* text;
    QComboBox* combo;
    QTableWidget* grid;
};
} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    void writePack(const QString& name, const QByteArray& contents) {
        writeTestFile(m_dir.filePath(name), contents);
    }

private slots:
    void init() {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void packLinesFollowTheFormat_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<Entries>("entries");
        QTest::newRow("plain") << QByteArray("24:Open\n25:About\n")
                               << Entries{{24, "Open"}, {25, "About"}};
        QTest::newRow("cut at the second colon")
            << QByteArray("24:Time: 10\n") << Entries{{24, "Time"}};
        QTest::newRow("comments and blank lines")
            << QByteArray("# header\n\nen:English\n 5:lead blank\n7:Record Call\n")
            << Entries{{7, "Record Call"}};
        QTest::newRow("number not decimal")
            << QByteArray("12x:bad\n99999999999:too big\n3 :blank before colon\n")
            << Entries{{3, "blank before colon"}};
        QTest::newRow("no colon, empty text") << QByteArray("8\n9:\n") << Entries{{9, ""}};
        QTest::newRow("CRLF lines, no final line end")
            << QByteArray("1:File\r\n2:Properties ...")
            << Entries{{1, "File"}, {2, "Properties ..."}};
        QTest::newRow("blanks kept in text")
            << QByteArray("20: Call back :x\n") << Entries{{20, " Call back "}};
        QTest::newRow("byte-order mark first") << QByteArray("\xEF\xBB\xBF"
                                                             "1:File\n")
                                               << Entries{{1, "File"}};
        QTest::newRow("UTF-8 text") << QByteArray("1:ファイル\n") << Entries{{1, "ファイル"}};
    }
    void packLinesFollowTheFormat() {
        QFETCH(QByteArray, contents);
        QFETCH(Entries, entries);
        QCOMPARE(entriesOf(LanguagePack::parse(contents)), entries);
    }

    void lookupTakesTheFirstEntryAndMissingGivesQuestionMark() {
        writePack(QStringLiteral("Quenlark_en.pack"), "10:Record Start\n10:Second\n");
        LanguagePack pack(m_dir.path());
        QCOMPARE(pack.GetLanguageString(10), QStringLiteral("?"));
        pack.LoadLanguagePack(QStringLiteral("en"));
        QCOMPARE(pack.GetLanguageString(10), QStringLiteral("Record Start"));
        QCOMPARE(pack.GetLanguageString(11), QStringLiteral("?"));
        pack.LoadLanguagePack(QStringLiteral("fr")); // no such file: the old table is gone
        QVERIFY(pack.entries().isEmpty());
        QCOMPARE(pack.GetLanguageString(10), QStringLiteral("?"));
    }

    void codesComeFromQualifyingFileNames() {
        for (const char* name :
             {"Quenlark_en.pack", "Quenlark_ja.pack", "Quenlark_zh_TW.pack", "Xuenlark_de.pack",
              "Quenlark_x.pack", "Q_fr.pack", "Quenlark_es.pack.bak", "Quenlark_it.txt"})
            writePack(QString::fromLatin1(name), "1:x\n");
        QDir(m_dir.path()).mkdir(QStringLiteral("Quenlark_pt.pack")); // a folder, not a pack
        const LanguagePack pack(m_dir.path());
        QCOMPARE(pack.availableCodes(),
                 (QStringList{QStringLiteral("de"), QStringLiteral("en"), QStringLiteral("ja"),
                              QStringLiteral("zh_TW")}));
        QCOMPARE(LanguagePack::codeFromFileName(QStringLiteral("Quenlark_e.pack1")), QString());
        QCOMPARE(LanguagePack::codeFromFileName(QStringLiteral("Quenlark_en.x.pack")),
                 QStringLiteral("en"));
    }

    void applyLanguageTranslatesTaggedControls() {
        writePack(QStringLiteral("Quenlark_de.pack"),
                  "1:Datei\n2:Eigenschaften\n6:Verbergen\n7:Anruf aufnehmen\n16:Server\n"
                  "23:Sprache\n34:Audio\n37:Zeit\n38:Von\n101:Status per IM\n");
        LanguagePack pack(m_dir.path());
        pack.LoadLanguagePack(QStringLiteral("de"));
        TaggedWindow w;
        ApplyLanguage(&w.window, pack);
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Sprache"));
        QCOMPARE(w.menu->title(), QStringLiteral("Datei"));
        QCOMPARE(w.item->text(), QStringLiteral("Verbergen"));
        QCOMPARE(w.label->text(), QStringLiteral("Anruf aufnehmen"));
        QCOMPARE(w.button->text(), QStringLiteral("Eigenschaften"));
        QCOMPARE(w.check->text(), QStringLiteral("Status per IM"));
        QCOMPARE(w.frame->title(), QStringLiteral("Audio"));
        QCOMPARE(w.text->text(), QStringLiteral("Server"));
        for (QLabel* keep : {w.negative, w.notANumber, w.untagged})
            QCOMPARE(keep->text(), QStringLiteral("keep"));
        QCOMPARE(w.combo->itemText(0), QStringLiteral("keep"));
        QCOMPARE(w.combo->count(), 1);
        // One heading per listed number; 39 is not in the pack.
        QCOMPARE(w.grid->columnCount(), 3);
        QCOMPARE(w.grid->horizontalHeaderItem(0)->text(), QStringLiteral("Zeit"));
        QCOMPARE(w.grid->horizontalHeaderItem(1)->text(), QStringLiteral("Von"));
        QCOMPARE(w.grid->horizontalHeaderItem(2)->text(), QStringLiteral("?"));
        QCOMPARE(w.grid->currentRow(), 2);
        QCOMPARE(w.grid->currentColumn(), 1);
    }

    void languageDialogSelectsTheStoredLanguage_data() {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("selected");
        const QStringList three{QStringLiteral("ja"), QStringLiteral("en"), QStringLiteral("fr")};
        const QStringList noEnglish{QStringLiteral("ja"), QStringLiteral("fr")};
        QTest::newRow("stored is there") << three << QStringLiteral("fr") << QStringLiteral("fr");
        QTest::newRow("stored missing, en there")
            << three << QStringLiteral("de") << QStringLiteral("en");
        QTest::newRow("nothing stored") << three << QString() << QStringLiteral("en");
        QTest::newRow("no en: first in order")
            << noEnglish << QStringLiteral("de") << QStringLiteral("fr");
        QTest::newRow("no packs") << QStringList() << QStringLiteral("en") << QString();
    }
    void languageDialogSelectsTheStoredLanguage() {
        QFETCH(QStringList, codes);
        QFETCH(QString, stored);
        QFETCH(QString, selected);
        for (const QString& code : codes)
            writePack(QStringLiteral("Quenlark_%1.pack").arg(code), "21:" + code.toUtf8() + "\n");
        TestServices test;
        if (!stored.isEmpty())
            test.settings.write(QStringLiteral("Locale"), QStringLiteral("Language"), stored);
        LanguagePack pack(m_dir.path());
        Services services{test.settings, test.prompts, test.clock, test.folders,
                          test.log,      test.console, pack};
        TaggedWindow loaded; // loaded before the dialog: translated by its load step
        LanguageDialog dialog(services);
        QCOMPARE(dialog.GetLanguageSetting(), selected);
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("LanguageList"));
        QCOMPARE(list->count(), codes.size());
        QCOMPARE(list->selectedItems().size(), selected.isEmpty() ? 0 : 1);
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OKButton"));
        QCOMPARE(ok->text(), selected.isEmpty() ? QStringLiteral("?") : selected);
        QCOMPARE(loaded.window.windowTitle(), QStringLiteral("?")); // 23 is in no pack
    }

    void okStoresTheTrimmedCodeAndAppliesIt() {
        writePack(QStringLiteral("Quenlark_en.pack"), "7:Record Call\n");
        writePack(QStringLiteral("Quenlark_ de .pack"), "7:Anruf\n");
        TestServices test;
        LanguagePack pack(m_dir.path());
        Services services{test.settings, test.prompts, test.clock, test.folders,
                          test.log,      test.console, pack};
        LanguageDialog dialog(services);
        TaggedWindow later;
        dialog.show();
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("LanguageList"));
        QCOMPARE(list->item(0)->text(), QStringLiteral(" de ")); // " " sorts before letters
        list->setCurrentRow(0);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OKButton")),
                          Qt::LeftButton);
        QCOMPARE(test.settings.read(QStringLiteral("Locale"), QStringLiteral("Language")),
                 QStringLiteral("de"));
        QCOMPARE(test.settings.strayDeletes(), 0); // nothing stored before: no delete
        QCOMPARE(later.label->text(), QStringLiteral("Anruf"));
        QVERIFY(!dialog.isVisible());

        list->setCurrentRow(1);
        dialog.OKButton_Click();
        QCOMPARE(test.settings.read(QStringLiteral("Locale"), QStringLiteral("Language")),
                 QStringLiteral("en"));
        QCOMPARE(test.settings.strayDeletes(), 0);
        QCOMPARE(later.label->text(), QStringLiteral("Record Call"));
    }
};

QUENLARK_TEST_MAIN(TestLanguage)
#include "tst_language.moc"
