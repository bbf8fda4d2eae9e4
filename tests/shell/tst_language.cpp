#include "base/languagepack.h"
#include "shell/applylanguage.h"
#include "shell/languagedialog.h"
#include "shelltest.h"
#include "testmain.h"
#include "testservices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTableWidget>

using namespace Qt::StringLiterals;

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
        setTag(&window, u"STR-ID:23"_s);
        for (QLabel* kept : keep)
            kept->setText(u"keep"_s);
        combo->addItem(u"keep"_s);
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

// The shipped packs, read through the program's own loader from the folder it ships them in.
const QStringList kCodes = {u"en"_s, u"ja"_s};

// The text numbers the program's sources name: control tags ("STR-ID:24", "STR-ID:37,38"),
// lookups (GetLanguageString(92)), and caption helpers whose last argument is the number
// after a designed caption (makeLabel(frame, "Label1", QStringLiteral("SMTP Server"), 16)).
QSet<int> numbersUsedInSources() {
    static const QRegularExpression tag(u"STR-ID:(\\d+(?:\\s*,\\s*\\d+)*)"_s);
    static const QRegularExpression lookup(u"GetLanguageString\\s*\\(\\s*(\\d+)\\s*\\)"_s);
    static const QRegularExpression helper(
        QStringLiteral("\\b\\w*(?:label|button|check|frame|menu|item|caption)\\w*\\s*\\("
                       "[^;{}]*?\"\\s*\\)?\\s*,\\s*(\\d+)\\s*\\)"),
        QRegularExpression::CaseInsensitiveOption);
    QSet<int> numbers;
    QDirIterator files(QStringLiteral(QUENLARK_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString source = QString::fromUtf8(file.readAll());
        for (const QRegularExpression* pattern : {&tag, &lookup, &helper}) {
            for (const QRegularExpressionMatch& match : pattern->globalMatch(source)) {
                for (const QString& number : match.captured(1).split(u','))
                    numbers.insert(number.trimmed().toInt());
            }
        }
    }
    return numbers;
}
} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QMap<QString, QMap<int, QString>> m_packs; // the shipped ones

    void writePack(const QString& code, const QByteArray& contents) {
        writeTestFile(m_dir.filePath(u"Quenlark_%1.pack"_s.arg(code)), contents);
    }
    QString language(PackServices& s) { return s.test.settings.read(u"Locale"_s, u"Language"_s); }

private slots:
    void initTestCase() {
        LanguagePack pack(QStringLiteral(QUENLARK_SHIPPED_DIR));
        for (const QString& code : kCodes) {
            QVERIFY2(pack.availableCodes().contains(code), qPrintable(code));
            pack.LoadLanguagePack(code);
            for (const LanguagePack::Entry& entry : pack.entries())
                m_packs[code].insert(entry.number, entry.text); // a repeat shrinks the map
        }
    }

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
        QDir(m_dir.path()).mkdir(u"Quenlark_pt.pack"_s); // a folder, not a pack
        writePack(u"en"_s, "10:Record Start\n10:Second\n");
        LanguagePack pack(m_dir.path());
        QCOMPARE(pack.availableCodes(), (QStringList{"de", "en", "ja", "zh_TW"}));
        QCOMPARE(LanguagePack::codeFromFileName(u"Quenlark_en.x.pack"_s), u"en"_s);
        QCOMPARE(pack.GetLanguageString(10), u"?"_s); // nothing loaded yet
        pack.LoadLanguagePack(u"en"_s);
        QCOMPARE(pack.GetLanguageString(10), u"Record Start"_s);
        QCOMPARE(pack.GetLanguageString(11), u"?"_s);
        pack.LoadLanguagePack(u"fr"_s); // no such file: the old table is gone
        QCOMPARE(pack.GetLanguageString(10), u"?"_s);
    }

    void applyLanguageTranslatesTaggedControls() {
        writePack(u"de"_s, "1:Datei\n2:Eigenschaften\n6:Verbergen\n7:Anruf\n"
                           "16:Server\n23:Sprache\n34:Audio\n37:Zeit\n38:Von\n"
                           "101:Status per IM\n");
        LanguagePack pack(m_dir.path());
        pack.LoadLanguagePack(u"de"_s);
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
        writePack(u"de"_s, "23:Sprache\n41:Kontakt\n42:Gruppe\n");
        LanguagePack pack(m_dir.path());
        QWidget window;
        setTag(&window, u"STR-ID:23"_s);
        auto* layout = new QGridLayout(&window);
        auto* caption = tagged<QLabel>(&window, "STR-ID:41");
        caption->setText(u"Contact"_s);
        auto* field = new QLineEdit(&window);
        auto* groupCaption = tagged<QLabel>(&window, "STR-ID:42");
        auto* combo = new QComboBox(&window);
        combo->setEditable(true);
        auto* frame = new QGroupBox(u"Recording File List"_s, &window);
        auto* inFrame = new QListWidget(frame);
        auto* alone = new QListWidget(&window);
        layout->addWidget(caption, 0, 0);
        layout->addWidget(field, 0, 1);
        layout->addWidget(groupCaption, 1, 0);
        layout->addWidget(combo, 1, 1);
        layout->addWidget(frame, 2, 0);
        layout->addWidget(alone, 2, 1);
        ApplyLanguage(&window, pack); // no pack loaded: every text is "?"
        pack.LoadLanguagePack(u"de"_s);
        ApplyLanguage(&window, pack);
        QCOMPARE(caption->buddy(), field);
        QCOMPARE(groupCaption->buddy(), combo);
        QCOMPARE(combo->lineEdit()->accessibleName(), u"Gruppe"_s);
        QCOMPARE(inFrame->accessibleName(), u"Recording File List"_s);
        QCOMPARE(alone->accessibleName(), u"Sprache"_s);
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
            s.test.settings.write(u"Locale"_s, u"Language"_s, stored);
        TaggedWindow loaded; // loaded before the dialog: translated by its load step
        LanguageDialog dialog(s.services);
        QCOMPARE(dialog.GetLanguageSetting(), selected);
        auto* list = dialog.findChild<QListWidget*>(u"LanguageList"_s);
        QCOMPARE(list->count(), codes.size());
        QCOMPARE(list->selectedItems().size(), selected.isEmpty() ? 0 : 1);
        auto* ok = dialog.findChild<QPushButton*>(u"OKButton"_s);
        QCOMPARE(ok->text(), selected.isEmpty() ? u"?"_s : selected);
        QCOMPARE(loaded.window.windowTitle(), u"?"_s); // 23 is in no pack
    }

    void okStoresTheTrimmedCodeAndAppliesIt() {
        writePack(u"en"_s, "7:Record Call\n");
        writePack(u" de "_s, "7:Anruf\n");
        PackServices s(m_dir.path());
        LanguageDialog dialog(s.services);
        TaggedWindow later;
        dialog.show();
        auto* list = dialog.findChild<QListWidget*>(u"LanguageList"_s);
        QCOMPARE(list->item(0)->text(), u" de "_s); // " " sorts before letters
        list->setCurrentRow(0);
        QTest::mouseClick(dialog.findChild<QPushButton*>(u"OKButton"_s), Qt::LeftButton);
        QCOMPARE(language(s), u"de"_s);
        QCOMPARE(later.label->text(), u"Anruf"_s);
        QVERIFY(!dialog.isVisible());
        list->setCurrentRow(1);
        dialog.OKButton_Click();
        QCOMPARE(language(s), u"en"_s);
        QCOMPARE(later.label->text(), u"Record Call"_s);
        QCOMPARE(s.test.settings.strayDeletes(), 0); // the first OK had nothing to delete
    }

    void everyLineIsOneNonEmptyTextWithoutRepeats() {
        for (const QString& code : kCodes) {
            QFile file(LanguagePack(QStringLiteral(QUENLARK_SHIPPED_DIR)).packPath(code));
            QVERIFY(file.open(QIODevice::ReadOnly));
            int textLines = 0;
            for (const QByteArray& line : file.readAll().split('\n')) {
                const bool text = !line.isEmpty() && line.at(0) >= '0' && line.at(0) <= '9';
                textLines += text;
                QVERIFY2(!text || line.count(':') == 1, line.constData()); // a second ":" cuts
            }
            QCOMPARE(m_packs[code].size(), textLines);
            for (const QString& text : std::as_const(m_packs[code]))
                QVERIFY2(!text.trimmed().isEmpty(), qPrintable(code));
        }
    }

    void packsHoldTheSameNumbersEveryOneUsedAndDistinctToggles() {
        const QMap<int, QString>& en = m_packs[u"en"_s];
        QCOMPARE(en.keys(), m_packs[u"ja"_s].keys());
        const QSet<int> used = numbersUsedInSources();
        QVERIFY(used.contains(10) && used.contains(108)); // the scan does find tags and helpers
        for (int number : used)
            QVERIFY2(en.contains(number), qPrintable(u"no text %1"_s.arg(number)));
        // The program tells states apart by these captions, so each group must differ.
        for (const QString& code : kCodes) {
            for (const QList<int>& group :
                 QList<QList<int>>{{10, 11}, {92, 93}, {117, 118, 119, 120}}) {
                QSet<QString> texts;
                for (int number : group)
                    texts.insert(m_packs[code].value(number));
                QVERIFY2(texts.size() == group.size(), qPrintable(code));
            }
        }
    }
};

QUENLARK_TEST_MAIN(TestLanguage)
#include "tst_language.moc"
