#include "base/languagepack.h"
#include "shell/applylanguage.h"
#include "shell/languagedialog.h"
#include "shelltest.h"
#include "testmain.h"
#include "testservices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

using Entries = QList<std::pair<int, QString>>;

namespace {
template <typename T> T* tagged(QWidget* parent, const char* tag) {
    auto* control = new T(parent);
    setTag(control, QString::fromLatin1(tag));
    return control;
}

// A window with one tagged control of every kind the language pack translates, and three
// labels whose tags are not a number, negative, or not a text tag: those keep their text.
struct TaggedWindow {
    TaggedWindow() {
        setTag(&window, QStringLiteral("STR-ID:23"));
        for (QLabel* kept : keep)
            kept->setText(QStringLiteral("keep"));
        combo->addItem(QStringLiteral("keep"));
        grid->setRowCount(3);
        grid->setColumnCount(5);
        grid->setCurrentCell(2, 1);
    }
    QWidget window;
    QMenu* menu = tagged<QMenu>(&window, "STR-ID:1");
    QAction* item = tagged<QAction>(menu, "STR-ID:6");
    QLabel* label = tagged<QLabel>(&window, "STR-ID:7");
    QPushButton* button = tagged<QPushButton>(&window, "STR-ID:2");
    QCheckBox* check = tagged<QCheckBox>(&window, "STR-ID:101");
    QGroupBox* frame = tagged<QGroupBox>(&window, "STR-ID:34");
    QLineEdit* text = tagged<QLineEdit>(&window, "STR-ID:16");
    QComboBox* combo = tagged<QComboBox>(&window, "STR-ID:7");
    QTableWidget* grid = tagged<QTableWidget>(&window, "STR-ID:37,38, 39");
    QList<QLabel*> keep{tagged<QLabel>(&window, "STR-ID:x7"), tagged<QLabel>(&window, "STR-ID:-1"),
                        tagged<QLabel>(&window, "STR:7")};
};

// The test services with the language pack replaced by one reading the given folder.
struct PackServices {
    explicit PackServices(const QString& folder) : pack(folder) {}
    TestServices test;
    LanguagePack pack;
    Services services{test.settings, test.prompts, test.clock, test.folders,
                      test.log,      test.console, pack};
};
} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    void writePack(const QString& code, const QByteArray& contents) {
        writeTestFile(m_dir.filePath(QStringLiteral("Quenlark_%1.pack").arg(code)), contents);
    }
    QString language(PackServices& s) {
        return s.test.settings.read(QStringLiteral("Locale"), QStringLiteral("Language"));
    }

private slots:
    void init() {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void packLinesFollowTheFormat_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<Entries>("entries");
        addRow("plain", QByteArray("24:Open\n25:About\n"), Entries{{24, "Open"}, {25, "About"}});
        addRow("cut at the second colon", QByteArray("24:Time: 10\n"), Entries{{24, "Time"}});
        addRow("comments, blank lines, no digit first",
               QByteArray("# header\n\nen:English\n 5:lead blank\n7:Record Call\n"),
               Entries{{7, "Record Call"}});
        addRow("number not decimal", QByteArray("12x:bad\n99999999999:too big\n3 :blank\n"),
               Entries{{3, "blank"}});
        addRow("no colon, empty text", QByteArray("8\n9:\n"), Entries{{9, ""}});
        addRow("CRLF, no final line end", QByteArray("1:File\r\n2:Properties ..."),
               Entries{{1, "File"}, {2, "Properties ..."}});
        addRow("blanks kept", QByteArray("20: Call back :x\n"), Entries{{20, " Call back "}});
        addRow("byte-order mark, UTF-8",
               QByteArray("\xEF\xBB\xBF"
                          "1:ファイル\n"),
               Entries{{1, "ファイル"}});
    }
    void packLinesFollowTheFormat() {
        QFETCH(QByteArray, contents);
        QFETCH(Entries, entries);
        Entries parsed;
        for (const LanguagePack::Entry& entry : LanguagePack::parse(contents))
            parsed.append({entry.number, entry.text});
        QCOMPARE(parsed, entries);
    }

    void packsAreFoundByFileNameAndLookupTakesTheFirstEntry() {
        for (const char* name :
             {"Quenlark_ja.pack", "Quenlark_zh_TW.pack", "Xuenlark_de.pack", "Quenlark_x.pack",
              "Q_fr.pack", "Quenlark_es.pack.bak", "Quenlark_it.txt"})
            writeTestFile(m_dir.filePath(QString::fromLatin1(name)), "1:x\n");
        QDir(m_dir.path()).mkdir(QStringLiteral("Quenlark_pt.pack")); // a folder, not a pack
        writePack(QStringLiteral("en"), "10:Record Start\n10:Second\n");
        LanguagePack pack(m_dir.path());
        QCOMPARE(pack.availableCodes(), (QStringList{"de", "en", "ja", "zh_TW"}));
        QCOMPARE(LanguagePack::codeFromFileName(QStringLiteral("Quenlark_en.x.pack")),
                 QStringLiteral("en"));
        QCOMPARE(pack.GetLanguageString(10), QStringLiteral("?")); // nothing loaded yet
        pack.LoadLanguagePack(QStringLiteral("en"));
        QCOMPARE(pack.GetLanguageString(10), QStringLiteral("Record Start"));
        QCOMPARE(pack.GetLanguageString(11), QStringLiteral("?"));
        pack.LoadLanguagePack(QStringLiteral("fr")); // no such file: the old table is gone
        QCOMPARE(pack.GetLanguageString(10), QStringLiteral("?"));
    }

    void applyLanguageTranslatesTaggedControls() {
        writePack(QStringLiteral("de"), "1:Datei\n2:Eigenschaften\n6:Verbergen\n7:Anruf\n"
                                        "16:Server\n23:Sprache\n34:Audio\n37:Zeit\n38:Von\n"
                                        "101:Status per IM\n");
        LanguagePack pack(m_dir.path());
        pack.LoadLanguagePack(QStringLiteral("de"));
        TaggedWindow w;
        ApplyLanguage(&w.window, pack);
        QStringList texts{w.window.windowTitle(), w.menu->title(),  w.item->text(),
                          w.label->text(),        w.button->text(), w.check->text(),
                          w.frame->title(),       w.text->text(),   w.combo->itemText(0)};
        for (QLabel* keep : w.keep)
            texts << keep->text();
        QCOMPARE(w.grid->columnCount(), 3);
        for (int column = 0; column < 3; ++column)
            texts << w.grid->horizontalHeaderItem(column)->text();
        // Combo boxes keep their items; a grid gets one heading per listed number.
        QCOMPARE(texts, (QStringList{"Sprache", "Datei", "Verbergen", "Anruf", "Eigenschaften",
                                     "Status per IM", "Audio", "Server", "keep", "keep", "keep",
                                     "keep", "Zeit", "Von", "?"}));
        QCOMPARE(w.combo->count(), 1);
        QCOMPARE(w.grid->currentRow(), 2); // the current cell stays
        QCOMPARE(w.grid->currentColumn(), 1);
    }

    // A screen reader speaks every control that takes the focus: a field by the caption left of
    // it (in the pack's words, after a switch too), a list in a titled box by the box, a list
    // without either by the window, the field of an editable combo box by the box's caption.
    void applyLanguageNamesControlsForScreenReaders() {
        writePack(QStringLiteral("de"), "23:Sprache\n41:Kontakt\n42:Gruppe\n");
        LanguagePack pack(m_dir.path());
        QWidget window;
        setTag(&window, QStringLiteral("STR-ID:23"));
        auto* layout = new QGridLayout(&window);
        auto* caption = tagged<QLabel>(&window, "STR-ID:41");
        caption->setText(QStringLiteral("Contact"));
        auto* field = new QLineEdit(&window);
        auto* groupCaption = tagged<QLabel>(&window, "STR-ID:42");
        auto* combo = new QComboBox(&window);
        combo->setEditable(true);
        auto* frame = new QGroupBox(QStringLiteral("Recording File List"), &window);
        auto* inFrame = new QListWidget(frame);
        auto* alone = new QListWidget(&window);
        layout->addWidget(caption, 0, 0);
        layout->addWidget(field, 0, 1);
        layout->addWidget(groupCaption, 1, 0);
        layout->addWidget(combo, 1, 1);
        layout->addWidget(frame, 2, 0);
        layout->addWidget(alone, 2, 1);
        ApplyLanguage(&window, pack); // no pack loaded: every text is "?"
        pack.LoadLanguagePack(QStringLiteral("de"));
        ApplyLanguage(&window, pack);
        QCOMPARE(caption->buddy(), field);
        QCOMPARE(groupCaption->buddy(), combo);
        QCOMPARE(combo->lineEdit()->accessibleName(), QStringLiteral("Gruppe"));
        QCOMPARE(inFrame->accessibleName(), QStringLiteral("Recording File List"));
        QCOMPARE(alone->accessibleName(), QStringLiteral("Sprache"));
    }

    void languageDialogSelectsTheStoredLanguage_data() {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("selected");
        const QStringList three{"ja", "en", "fr"};
        addRow("stored is there", three, "fr", "fr");
        addRow("stored missing, en there", three, "de", "en");
        addRow("no en: first in order", QStringList{"ja", "fr"}, "de", "fr");
        addRow("no packs", QStringList(), "en", "");
    }
    void languageDialogSelectsTheStoredLanguage() {
        QFETCH(QStringList, codes);
        QFETCH(QString, stored);
        QFETCH(QString, selected);
        for (const QString& code : codes)
            writePack(code, "21:" + code.toUtf8() + "\n");
        PackServices s(m_dir.path());
        if (!stored.isEmpty())
            s.test.settings.write(QStringLiteral("Locale"), QStringLiteral("Language"), stored);
        TaggedWindow loaded; // loaded before the dialog: translated by its load step
        LanguageDialog dialog(s.services);
        QCOMPARE(dialog.GetLanguageSetting(), selected);
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("LanguageList"));
        QCOMPARE(list->count(), codes.size());
        QCOMPARE(list->selectedItems().size(), selected.isEmpty() ? 0 : 1);
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OKButton"));
        QCOMPARE(ok->text(), selected.isEmpty() ? QStringLiteral("?") : selected);
        QCOMPARE(loaded.window.windowTitle(), QStringLiteral("?")); // 23 is in no pack
    }

    void okStoresTheTrimmedCodeAndAppliesIt() {
        writePack(QStringLiteral("en"), "7:Record Call\n");
        writePack(QStringLiteral(" de "), "7:Anruf\n");
        PackServices s(m_dir.path());
        LanguageDialog dialog(s.services);
        TaggedWindow later;
        dialog.show();
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("LanguageList"));
        QCOMPARE(list->item(0)->text(), QStringLiteral(" de ")); // " " sorts before letters
        list->setCurrentRow(0);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OKButton")),
                          Qt::LeftButton);
        QCOMPARE(language(s), QStringLiteral("de"));
        QCOMPARE(later.label->text(), QStringLiteral("Anruf"));
        QVERIFY(!dialog.isVisible());
        list->setCurrentRow(1);
        dialog.OKButton_Click();
        QCOMPARE(language(s), QStringLiteral("en"));
        QCOMPARE(later.label->text(), QStringLiteral("Record Call"));
        QCOMPARE(s.test.settings.strayDeletes(), 0); // the first OK had nothing to delete
    }
};

QUENLARK_TEST_MAIN(TestLanguage)
#include "tst_language.moc"
