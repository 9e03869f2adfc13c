#include "app/catalogues.h"
#include "keyboard/keyids.h"
#include "practice/textprep.h"
#include "tests/support/coresupport.h"
#include "tests/support/hunspellcheck.h"

// The level-test texts and the weak-key vocabulary of every catalogue.
class TestTestContent : public QObject
{
    Q_OBJECT

    static QString testSource(int n)
    {
        return QStringLiteral("add text of level test %1 here in the translation file").arg(n);
    }
    // Every character the layout's keys type, on both layers.
    static QString layoutCharacters()
    {
        QString characters = QStringLiteral(" ");
        for (const QString &id : Keys::characterKeyIds())
            characters += Keys::caption(Keys::Layer::Plain, id) + Keys::caption(Keys::Layer::Shift, id);
        return characters;
    }
    static void catalogues()
    {
        QTest::addColumn<QString>("key");
        for (const char *key : {"AR_ar_AR", "AR_ar_EG", "AR_en_US"})
            QTest::newRow(key) << QString::fromLatin1(key);
    }
    static bool hunspellMissing() { return HunspellCheck::program().isEmpty(); }

private slots:
    void init() { Catalogues::apply(QString::fromLatin1(QTest::currentDataTag())); }

    // At least twenty texts of 1,500 typed characters or more, set in lines of
    // words as the practice texts are, typeable on the catalogue's layout.
    void testTexts_data() { catalogues(); }
    void testTexts()
    {
        const QString typeable = layoutCharacters();
        QSet<QString> practiceLines;
        for (int n = 1; n <= Keys::lessonSlots; ++n) {
            PracticeText::Lines lines;
            PracticeText::practiceText(n, false, lines);
            for (const QStringList &line : lines.characters)
                practiceLines.insert(line.join(QString()));
        }
        QMap<int, QSet<QString>> wordsByText;
        QSet<QString> firstLines;
        int n = 1;
        for (;; ++n) {
            const QByteArray source = testSource(n).toUtf8();
            const QString raw = QCoreApplication::translate("TypingTest", source.constData());
            if (raw == testSource(n))
                break;
            PracticeText::Lines lines;
            PracticeText::prepare(raw, lines);
            int typed = 0;
            QString text;
            for (int i = 0; i < lines.characters.size(); ++i) {
                const QString line = lines.characters[i].join(QString());
                QVERIFY2(lines.kinds[i] == PracticeText::AsWritten, qPrintable(QStringLiteral("test %1 reads as a drill: %2").arg(n).arg(line)));
                QVERIFY2(line.size() <= 27, qPrintable(QStringLiteral("test %1: %2").arg(n).arg(line)));
                QVERIFY2(!practiceLines.contains(line), qPrintable(QStringLiteral("test %1 is practised: %2").arg(n).arg(line)));
                for (const QChar c : line)
                    QVERIFY2(typeable.contains(c), qPrintable(QStringLiteral("test %1: %2 in %3").arg(n).arg(c).arg(line)));
                typed += line.size();
                text += line + QLatin1Char(' ');
            }
            QVERIFY2(typed >= 1500, qPrintable(QStringLiteral("test %1: %2 characters").arg(n).arg(typed)));
            QVERIFY2(!firstLines.contains(text.left(40)), qPrintable(QStringLiteral("test %1 repeats another").arg(n)));
            firstLines.insert(text.left(40));
            // prose: sentences with the Arabic comma and a full stop
            QVERIFY(text.contains(QChar(0x060C)) && text.contains(QLatin1Char('.')));
            wordsByText[n] = HunspellCheck::longWords(text);
        }
        QVERIFY2(n > 20, qPrintable(QStringLiteral("%1 texts").arg(n - 1)));

        if (hunspellMissing())
            QSKIP("needs the hunspell program and hunspell-ar's dictionary (scripts/setup.sh installs them)");
        const QStringList poor = HunspellCheck::poorlyKnown(wordsByText, 0.97);
        QVERIFY2(poor.isEmpty(), qPrintable("test " + poor.join("\ntest ")));
    }

    // Three thousand distinct real words or more, the layout types them all,
    // and the Shift layer's letters and lam-alef are well represented.
    void vocabulary_data() { catalogues(); }
    void vocabulary()
    {
        const QStringList words = QCoreApplication::translate("WeakKeys", "vocabulary").split(QLatin1Char(' '));
        const QSet<QString> distinct(words.begin(), words.end());
        QCOMPARE(distinct.size(), words.size());
        QVERIFY2(words.size() >= 3000, qPrintable(QString::number(words.size())));
        const QString typeable = layoutCharacters();
        QMap<QChar, int> shiftLetters{{QChar(0x0623), 0}, {QChar(0x0625), 0}, {QChar(0x0622), 0}, {QChar(0x0624), 0},
                                      {QChar(0x0626), 0}, {QChar(0x0629), 0}, {QChar(0x0649), 0}};
        int withShift = 0, withLamAlef = 0;
        static const QRegularExpression lamAlef(QStringLiteral("\\x{0644}[\\x{0627}\\x{0623}\\x{0625}\\x{0622}]"));
        for (const QString &w : words) {
            bool shifted = false;
            for (const QChar c : w) {
                QVERIFY2(c.unicode() >= 0x0621 && c.unicode() <= 0x064A && typeable.contains(c), qPrintable(w));
                if (shiftLetters.contains(c)) {
                    ++shiftLetters[c];
                    shifted = true;
                }
            }
            withShift += shifted ? 1 : 0;
            withLamAlef += w.contains(lamAlef) ? 1 : 0;
        }
        QVERIFY2(withShift * 4 >= words.size(), qPrintable(QString::number(withShift)));
        QVERIFY2(withLamAlef >= 200, qPrintable(QString::number(withLamAlef)));
        for (auto it = shiftLetters.cbegin(); it != shiftLetters.cend(); ++it)
            QVERIFY2(it.value() >= 30, qPrintable(QStringLiteral("%1: %2 words").arg(it.key()).arg(it.value())));

        if (hunspellMissing())
            QSKIP("needs the hunspell program and hunspell-ar's dictionary (scripts/setup.sh installs them)");
        QSet<QString> misses;
        const double share = HunspellCheck::knownShare(HunspellCheck::longWords(words.join(QLatin1Char(' '))), &misses);
        QVERIFY2(share >= 0.97, qPrintable(QStringLiteral("%1 % known; unknown: %2").arg(share * 100).arg(QStringList(misses.values()).join(' '))));
        qInfo("%d words, %d with a Shift-layer letter, %d with lam-alef, %.2f %% known to hunspell", int(words.size()),
              withShift, withLamAlef, share * 100);
    }
};

HARFORA_CORE_TEST_MAIN(TestTestContent)
#include "test_testcontent.moc"
