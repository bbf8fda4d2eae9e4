#include "shell/languagepack.h"
#include "testmain.h"

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

// The shipped packs, read through the program's own loader from the folder it ships them in.
namespace {

const QStringList kCodes = {QStringLiteral("en"), QStringLiteral("ja")};

QMap<int, QString> loadPack(const QString& code) {
    LanguagePack pack(QStringLiteral(QUENLARK_SHIPPED_DIR));
    pack.LoadLanguagePack(code);
    QMap<int, QString> texts;
    for (const LanguagePack::Entry& entry : pack.entries())
        texts.insert(entry.number, entry.text); // a repeated number shrinks the map
    return texts;
}

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
    QDirIterator files(QStringLiteral(QUENLARK_SOURCE_DIR "/src"),
                       {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
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
        const QStringList shipped =
            LanguagePack(QStringLiteral(QUENLARK_SHIPPED_DIR)).availableCodes();
        for (const QString& code : kCodes) {
            QVERIFY2(shipped.contains(code), qPrintable(code));
            m_packs.insert(code, loadPack(code));
        }
    }

    void everyLineIsOneTextWithoutEmptiesOrRepeats() {
        for (const QString& code : kCodes) {
            QFile file(LanguagePack(QStringLiteral(QUENLARK_SHIPPED_DIR)).packPath(code));
            QVERIFY(file.open(QIODevice::ReadOnly));
            int textLines = 0;
            for (const QByteArray& line : file.readAll().split('\n')) {
                if (line.isEmpty() || line.at(0) < '0' || line.at(0) > '9')
                    continue;
                ++textLines;
                // A second ":" would silently cut the text.
                QVERIFY2(line.count(':') == 1, line.constData());
            }
            QCOMPARE(m_packs[code].size(), textLines);
            for (auto it = m_packs[code].cbegin(); it != m_packs[code].cend(); ++it)
                QVERIFY2(!it.value().trimmed().isEmpty(),
                         qPrintable(code + u' ' + QString::number(it.key())));
        }
    }

    void bothPacksHoldTheSameNumbers() {
        const QList<int> en = m_packs[QStringLiteral("en")].keys();
        const QList<int> ja = m_packs[QStringLiteral("ja")].keys();
        const QSet<int> enSet(en.cbegin(), en.cend()), jaSet(ja.cbegin(), ja.cend());
        const QSet<int> onlyOne = (enSet | jaSet) - (enSet & jaSet);
        QStringList numbers;
        for (int number : onlyOne)
            numbers << QString::number(number);
        QVERIFY2(onlyOne.isEmpty(),
                 qPrintable(QStringLiteral("in one pack only: ") + numbers.join(u' ')));
    }

    void englishCarriesTheDefaultTextsAndJapaneseIsDecoded() {
        const QMap<int, QString>& en = m_packs[QStringLiteral("en")];
        const QList<std::pair<int, const char*>> defaults = {
            {1, "File"},
            {6, "Close"},
            {10, "Record Start"},
            {21, "OK"},
            {24, "Show"},
            {47, "Darts"},
            {92, "Play"},
            {100, "Back"},
            {104, "Auto Answering"},
            {20, "Skype Handle for Call/Message back"}};
        for (const auto& [number, text] : defaults)
            QCOMPARE(en.value(number), QString::fromLatin1(text));
        QCOMPARE(m_packs[QStringLiteral("ja")].value(6), QStringLiteral("閉じる"));
    }

    // The program tells states apart by these captions, so each group must differ.
    void toggledCaptionsDiffer() {
        const QList<QList<int>> groups = {{10, 11}, {92, 93}, {117, 118, 119, 120}};
        for (const QString& code : kCodes) {
            for (const QList<int>& group : groups) {
                QSet<QString> texts;
                for (int number : group)
                    texts.insert(m_packs[code].value(number));
                QVERIFY2(texts.size() == group.size(), qPrintable(code));
            }
        }
    }

    void everyNumberTheSourcesUseIsInBothPacks() {
        const QSet<int> used = numbersUsedInSources();
        QVERIFY(used.contains(10) && used.contains(108)); // the scan does find tags and helpers
        for (int number : used) {
            for (const QString& code : kCodes)
                QVERIFY2(m_packs[code].contains(number),
                         qPrintable(QStringLiteral("%1 lacks text %2").arg(code).arg(number)));
        }
    }
};

QUENLARK_TEST_MAIN(TestLanguagePacks)
#include "tst_languagepacks.moc"
