#include "base/languagepack.h"
#include "testmain.h"

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

// The shipped packs, read through the program's own loader from the folder it ships them in.
namespace {
const QStringList kCodes = {QStringLiteral("en"), QStringLiteral("ja")};

// The text numbers the program's sources name: control tags ("STR-ID:24", "STR-ID:37,38"),
// lookups (GetLanguageString(92)), and caption helpers whose last argument is the number
// after a designed caption (makeLabel(frame, "Label1", QStringLiteral("SMTP Server"), 16)).
QSet<int> numbersUsedInSources() {
    static const QRegularExpression tag(QStringLiteral("STR-ID:(\\d+(?:\\s*,\\s*\\d+)*)"));
    static const QRegularExpression lookup(
        QStringLiteral("GetLanguageString\\s*\\(\\s*(\\d+)\\s*\\)"));
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

class TestLanguagePacks : public QObject {
    Q_OBJECT
    QMap<QString, QMap<int, QString>> m_packs;

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
        const QMap<int, QString>& en = m_packs[QStringLiteral("en")];
        QCOMPARE(en.keys(), m_packs[QStringLiteral("ja")].keys());
        const QSet<int> used = numbersUsedInSources();
        QVERIFY(used.contains(10) && used.contains(108)); // the scan does find tags and helpers
        for (int number : used)
            QVERIFY2(en.contains(number), qPrintable(QStringLiteral("no text %1").arg(number)));
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

QUENLARK_TEST_MAIN(TestLanguagePacks)
#include "tst_languagepacks.moc"
