#include "app/translate.h"
#include "keyboard/keyids.h"
#include "lessons/lessons.h"
#include "practice/fingers.h"
#include "practice/practising.h"
#include "practice/textprep.h"
#include "store/session.h"
#include "tests/resources/xkbreference.h"
#include "tests/support/hunspellcheck.h"
#include "tests/support/screenarea.h"
#include "tests/support/testsupport.h"

#include <QFile>
#include <QPushButton>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTranslator>
#include <QXmlStreamReader>

class TestCatalogues : public QObject
{
    Q_OBJECT

    static QString lessonText(int n)
    {
        return QCoreApplication::translate("Lessons", Keys::lessonTextSource(n).toUtf8().constData());
    }
    // A token of a lesson's key list: an identifier, or "Shift_" and the identifier of a Shift-layer key.
    static QString idOf(const QString &token) { return token.startsWith("Shift_") ? token.mid(6) : token; }
    static Keys::Layer layerOf(const QString &token)
    {
        return token.startsWith("Shift_") ? Keys::Layer::Shift : Keys::Layer::Plain;
    }
    // Captions of the keys lessons 1 to n introduce, each on its lesson's layer, and the space bar.
    static QStringList captionsLearnt(int n)
    {
        QStringList captions{" "};
        for (int m = 1; m <= qMin(n, LessonState::current().lessonLimit); ++m)
            for (const QString &token : Lessons::keyOfInterestText(m).split(' ', Qt::SkipEmptyParts))
                if (Keys::characterKeyIds().contains(idOf(token)))
                    captions.append(Keys::caption(layerOf(token), idOf(token)));
        return captions;
    }
    // Whether keys with these captions type the text; a two-letter key types both its letters in one stroke.
    static bool typeable(const QString &text, const QStringList &captions)
    {
        QVector<bool> reached(text.size() + 1, false);
        reached[0] = true;
        for (int i = 0; i < text.size(); ++i)
            for (const QString &c : captions)
                if (reached[i] && QStringView(text).mid(i).startsWith(c))
                    reached[i + c.size()] = true;
        return reached.last();
    }
    // Every test runs once per catalogue; init() applies the one its row names.
    static void languageKeys(bool withEnglish = true)
    {
        QTest::addColumn<QString>("key");
        for (const char *key : {"AR_ar_AR", "AR_ar_EG", "AR_en_US"})
            if (withEnglish || QString(key) != "AR_en_US")
                QTest::newRow(key) << QString(key);
    }

private slots:
    void init() { translate::applyLanguage(QTest::currentDataTag()); }

    // The Macintosh catalogue is xkb's "mac" variant, the PC ones "basic".
    void layoutsEqualXkb_data() { languageKeys(); }
    void layoutsEqualXkb()
    {
        QFETCH(QString, key);
        const auto reference = XkbReference::variant(key == "AR_ar_EG" ? "mac" : "basic");
        QVERIFY2(reference.size() >= 48, "xkb-data's symbols/ara and keysymdef.h are needed");
        for (const auto &[id, name] : XkbReference::keyNames()) {
            QCOMPARE(Keys::caption(Keys::Layer::Plain, id) + " " + id, reference[name].value(0) + " " + id);
            QCOMPARE(Keys::caption(Keys::Layer::Shift, id) + " " + id, reference[name].value(1) + " " + id);
        }
    }

    void lessons_data() { languageKeys(); }
    void lessons()
    {
        QFETCH(QString, key);
        QSet<QString> plainKeys, shiftKeys;
        for (int n = 1; n <= LessonState::current().lessonLimit; ++n) {
            const QString text = lessonText(n);
            QVERIFY2(text.contains("<h1") && !text.contains("{{"), qPrintable(QString::number(n)));
            const QString keys = Lessons::keyOfInterestText(n);
            QVERIFY(keys != Keys::keysOfInterestSource(n));
            for (const QString &token : keys.split(' ', Qt::SkipEmptyParts)) {
                QVERIFY2(token == "Shift" || token == "Ctrl" || Keys::characterKeyIds().contains(idOf(token)),
                         qPrintable(token));
                (layerOf(token) == Keys::Layer::Shift ? shiftKeys : plainKeys).insert(idOf(token));
            }
        }
        for (const QString &id : Keys::characterKeyIds()) {
            QVERIFY2(plainKeys.contains(id), qPrintable("plain layer: " + id));
            const bool typesWithShift = !Keys::caption(Keys::Layer::Shift, id).trimmed().isEmpty();
            QVERIFY2(shiftKeys.contains(id) == typesWithShift, qPrintable("Shift layer: " + id));
        }
        // Arabic interfaces teach in Arabic, the English one in English.
        QCOMPARE(lessonText(1).contains("الدرس"), key != "AR_en_US");
        QVERIFY(lessonText(19).trimmed().isEmpty());
    }

    void practiceTexts_data() { languageKeys(); }
    void practiceTexts()
    {
        QSet<QString> practised;
        int n = 1;
        for (; n <= Keys::lessonSlots; ++n) {
            const QString raw = PracticeText::raw(n);
            if (raw.trimmed().isEmpty())
                break;
            QVERIFY(raw != Keys::practiceTextSource(n));
            PracticeText::Lines lines;
            const QString html = PracticeText::prepare(raw, lines);
            int typed = 0;
            const QStringList learnt = captionsLearnt(n);
            for (const QStringList &line : lines.characters) {
                const QString text = line.join("");
                typed += line.size();
                QVERIFY2(text.count(' ') != 1, qPrintable(QString("practice %1 reads as a drill: %2").arg(n).arg(text)));
                QVERIFY2(typeable(text, learnt), qPrintable(QString("practice %1, keys not learnt: %2").arg(n).arg(text)));
                static const QRegularExpression bareMark("(^|\\s)[\\x{064B}-\\x{0652}]");
                QVERIFY2(!text.contains(bareMark), qPrintable(QString("practice %1, a vowel mark on no letter: %2").arg(n).arg(text)));
                for (const QString &c : line)
                    practised.insert(c);
            }
            // a lesson's text at least 600 typed characters, a reading text after the lessons 1,500
            QVERIFY2(typed >= (n > LessonState::current().lessonLimit ? 1500 : 600),
                     qPrintable(QString("practice %1: %2 characters").arg(n).arg(typed)));
            // nothing but the lines: the marks count the non-empty blocks
            QTextDocument document;
            document.setHtml(html);
            int blocks = 0;
            for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
                blocks += b.text().isEmpty() ? 0 : 1;
            QCOMPARE(blocks, lines.characters.size());
        }
        QVERIFY2(n > 18, "a practice text for every lesson");
        // the hamza forms, alef maqsura, taa marbuta and the Arabic comma and question mark
        for (const char *c : {"\u0623", "\u0625", "\u0622", "\u0624", "\u0626", "\u0621", "\u0629", "\u0649",
                              "\u060C", "\u061F"})
            QVERIFY2(practised.contains(QString::fromUtf8(c)), c);
        QCOMPARE(PracticeText::raw(n), QString(" "));
    }

    // The typed lines of practice text n, each as one text (none for an empty slot).
    static QStringList practiceLines(int n)
    {
        PracticeText::Lines lines;
        const QString raw = PracticeText::raw(n);
        if (!raw.trimmed().isEmpty())
            PracticeText::prepare(raw, lines);
        QStringList out;
        for (const QStringList &line : lines.characters)
            out.append(line.join(""));
        return out;
    }
    // Words of three letters or more, vowel marks and tatweel left out; the
    // dictionary spells a wasla's alef plain.
    static QStringList wordsOf(const QString &line)
    {
        static const QRegularExpression marks("[\\x{064B}-\\x{0652}\\x{0670}\\x{0640}]");
        static const QRegularExpression notLetter("[^\\x{0621}-\\x{064A}]+");
        QStringList words;
        for (const QString &w : QString(line).remove(marks).replace(QChar(0x0671), QChar(0x0627)).split(notLetter, Qt::SkipEmptyParts))
            if (w.size() >= 3)
                words.append(w);
        return words;
    }

    // A practice text does not wear a word out: none is typed more than ten times.
    void wordRepeats_data() { languageKeys(); }
    void wordRepeats()
    {
        for (int n = 1; n <= Keys::lessonSlots; ++n) {
            QHash<QString, int> counts;
            for (const QString &line : practiceLines(n))
                for (const QString &w : wordsOf(line))
                    QVERIFY2(++counts[w] <= 10, qPrintable(QString("practice %1: %2").arg(n).arg(w)));
        }
    }

    // Letters come in the order of their frequency in the course's own reading texts: the eight
    // commonest are taught in the first three lessons and none of the fifteen commonest is left
    // to the last lesson of letters; every hamza form comes before the number row.
    void keyOrder_data() { languageKeys(); }
    void keyOrder()
    {
        QHash<QChar, int> frequency;
        for (int n = LessonState::current().lessonLimit + 1; n <= Keys::lessonSlots; ++n)
            for (const QString &line : practiceLines(n))
                for (const QChar c : line)
                    if (c.isLetter())
                        ++frequency[c];
        QVERIFY(frequency.size() > 25);
        QList<QChar> common = frequency.keys();
        std::sort(common.begin(), common.end(), [&](QChar a, QChar b) { return frequency[a] > frequency[b]; });
        const QString early = captionsLearnt(3).join("");
        QString lastLetters;
        int lastLetterLesson = 0, lastHamzaLesson = 0, firstDigitLesson = 0;
        const QString hamzaForms = QString::fromUtf8("\u0623\u0625\u0622\u0624\u0626\u0621");
        for (int m = 1; m <= LessonState::current().lessonLimit; ++m) {
            QString brought, letters;
            bool plain = true;
            for (const QString &token : Lessons::keyOfInterestText(m).split(' ', Qt::SkipEmptyParts))
                if (Keys::characterKeyIds().contains(idOf(token))) {
                    const QString caption = Keys::caption(layerOf(token), idOf(token));
                    brought += caption;
                    if (caption.size() == 1 && caption[0].isLetter()) // a ligature key brings no letter of its own
                        letters += caption;
                    plain = plain && layerOf(token) == Keys::Layer::Plain;
                }
            if (std::any_of(brought.begin(), brought.end(), [&](QChar c) { return hamzaForms.contains(c); }))
                lastHamzaLesson = m;
            if (!firstDigitLesson && std::any_of(brought.begin(), brought.end(), [](QChar c) { return c.isDigit(); }))
                firstDigitLesson = m;
            if (m < LessonState::current().lessonLimit - 2 && plain && !letters.isEmpty()) { // the last three lessons go over all
                lastLetterLesson = m;
                lastLetters = letters;
            }
        }
        for (QChar c : common.mid(0, 8))
            QVERIFY2(early.contains(c), qPrintable(QString("taught after lesson 3: ") + c));
        for (QChar c : common.mid(0, 15))
            QVERIFY2(!lastLetters.contains(c), qPrintable(QString("left to lesson %1: %2").arg(lastLetterLesson).arg(c)));
        QVERIFY2(lastHamzaLesson > 0 && firstDigitLesson > lastHamzaLesson,
                 qPrintable(QString("hamza forms until lesson %1, digits from %2").arg(lastHamzaLesson).arg(firstDigitLesson)));
    }

    // A line of real text, not a drill: it holds a word of three letters or more, not all the same.
    static bool isProse(const QString &line)
    {
        for (const QString &token : line.split(' ', Qt::SkipEmptyParts)) {
            QSet<QChar> letters;
            int length = 0;
            for (const QChar c : token)
                if (c.category() == QChar::Letter_Other) {
                    letters.insert(c);
                    ++length;
                }
            if (length >= 3 && letters.size() >= 2)
                return true;
        }
        return false;
    }

    // Everything the layout types is practised in real text across the course, not only in drills:
    // each letter, vowel mark, digit and Arabic punctuation mark at least 20 times, every other sign
    // 5 times. The backslash, broken bar, circumflex and at sign have no place in Arabic prose.
    void practisedInText_data() { languageKeys(); }
    void practisedInText()
    {
        QHash<QChar, int> typed;
        for (int n = 1; n <= Keys::lessonSlots; ++n)
            for (const QString &line : practiceLines(n))
                if (isProse(line))
                    for (const QChar c : line)
                        ++typed[c];
        const QString arabicPunctuation = QString::fromUtf8("\u060C\u061B\u061F.!:()\u00AB\u00BB-");
        const QString drillsOnly = QStringLiteral("\\\u00A6^@");
        for (const QString &id : Keys::characterKeyIds())
            for (const Keys::Layer layer : {Keys::Layer::Plain, Keys::Layer::Shift}) {
                const QString caption = Keys::caption(layer, id);
                if (caption.size() != 1 || caption.trimmed().isEmpty() || drillsOnly.contains(caption))
                    continue;
                const QChar c = caption[0];
                const bool core = c.category() == QChar::Letter_Other || c.category() == QChar::Mark_NonSpacing ||
                                  c.isDigit() || arabicPunctuation.contains(c);
                QVERIFY2(typed.value(c) >= (core ? 20 : 5),
                         qPrintable(QString("%1 (%2): %3 times in real text").arg(caption, id).arg(typed.value(c))));
            }
    }

    // Words of three letters or more of practice texts 9 and later, by text.
    static QMap<int, QSet<QString>> practiceWords()
    {
        QMap<int, QSet<QString>> wordsByText;
        for (int n = 9; n <= Keys::lessonSlots && !practiceLines(n).isEmpty(); ++n)
            for (const QString &line : practiceLines(n))
                for (const QString &w : wordsOf(line))
                    wordsByText[n].insert(w);
        return wordsByText;
    }

    // The practice window sets each line of every practice text on one line of its own, in both
    // reading directions: the lines fit the window's text width in its font.
    void practiceLinesFit_data() { languageKeys(); }
    void practiceLinesFit()
    {
        QFETCH(QString, key);
        QGuiApplication::setLayoutDirection(key == "AR_en_US" ? Qt::LeftToRight : Qt::RightToLeft);
        // the smallest screen the window is made for: a netbook's, with a panel
        ScreenArea netbook(QRect(0, 0, 1024, 600), QRect(0, 0, 1024, 570));
        practising window(true, 1, 0, nullptr);
        window.show();
        auto *editor = window.findChild<QTextBrowser *>("editor");
        auto *next = window.findChild<QPushButton *>("next_Btn");
        QVERIFY(editor && next);
        int n = 1;
        for (;; ++n) {
            QTextDocument *document = editor->document();
            document->documentLayout()->documentSize(); // lays the text out at the editor's width
            for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
                QVERIFY2(b.layout()->lineCount() <= 1,
                         qPrintable(QString("practice %1 wraps: %2").arg(n).arg(b.text())));
            if (!next->isEnabled())
                break;
            next->click();
        }
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        QVERIFY(n > 18);
    }

    // From practice 9 on the texts are real Arabic: Debian's Arabic dictionary,
    // asked through hunspell, knows nearly every word of three letters or more.
    void dictionaryShare_data() { languageKeys(); }
    void dictionaryShare()
    {
        if (HunspellCheck::program().isEmpty())
            QSKIP("needs the hunspell program and hunspell-ar's dictionary (scripts/setup.sh installs them)");
        const QStringList poor = HunspellCheck::poorlyKnown(practiceWords(), 0.97);
        QVERIFY2(poor.isEmpty(), qPrintable("practice " + poor.join("\npractice ")));
    }

    // Every sentence naming a finger is generated: outside the key table and the
    // finger paragraph no finger is named with its hand, and there each caption
    // stands under the finger the practice window's finger table gives it.
    void fingerStatements_data() { languageKeys(); }
    void fingerStatements()
    {
        QFETCH(QString, key);
        const bool arabic = key != "AR_en_US";
        const QStringList arNames = {"", "السبابة اليسرى", "الوسطى اليسرى", "البنصر الأيسر", "الخنصر الأيسر",
                                     "", "السبابة اليمنى", "الوسطى اليمنى", "البنصر الأيمن", "الخنصر الأيمن"};
        const QStringList enNames = {"", "left index finger", "left middle finger", "left ring finger",
                                     "left little finger", "", "right index finger", "right middle finger",
                                     "right ring finger", "right little finger"};
        const QRegularExpression handWritten(
            arabic ? "(السبابة|الوسطى|البنصر|الخنصر|سبابت\\w*)\\s+(اليسرى|اليمنى|الأيسر|الأيمن)"
                   : "(left|right) (index|middle|ring|little) finger");
        const QRegularExpression generated("<table.*</table>|<p[^>]*class=\"fingers\">.*?</p>",
                                           QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpression fingerParagraph("<p[^>]*class=\"fingers\">.*?</p>");
        const QRegularExpression token("<span class=\"finger\">([^<]*)</span>|<b>([^<]*)</b>");
        for (int n = 1; n <= LessonState::current().lessonLimit; ++n) {
            const QString text = lessonText(n);
            QVERIFY2(!QString(text).remove(generated).contains(handWritten), qPrintable(QString::number(n)));
            const QString paragraph = fingerParagraph.match(text).captured(0);
            const QString keys = Lessons::keyOfInterestText(n);
            // every lesson that brings keys of the plain layer says which finger types each
            QVERIFY2(n > 15 || keys.contains("Shift_") || !paragraph.isEmpty(), qPrintable(QString::number(n)));
            QMultiHash<QString, QString> stated; // finger name -> caption
            QString statedFinger;
            for (auto it = token.globalMatch(paragraph); it.hasNext();) {
                const auto m = it.next();
                if (!m.captured(1).isEmpty())
                    statedFinger = m.captured(1);
                else
                    stated.insert(statedFinger, QTextDocumentFragment::fromHtml(m.captured(2)).toPlainText());
            }
            for (const QString &listed : keys.split(' ', Qt::SkipEmptyParts)) {
                const QString id = idOf(listed);
                if (!id.startsWith("R"))
                    continue;
                int finger = 0, hand = 0;
                Fingers::assign(id.mid(1, 1).toInt(), id.mid(3).toInt(), finger, hand);
                const QString name = (arabic ? arNames : enNames).value(hand * 5 + finger);
                const QString caption = Keys::caption(layerOf(listed), id);
                QVERIFY2(text.contains(QString("%1</td><td>%2").arg(caption.toHtmlEscaped().replace("&quot;", "\""), name)),
                         qPrintable(QString("lesson %1, key table: %2").arg(n).arg(id)));
                QVERIFY2(paragraph.isEmpty() || stated.contains(name, caption),
                         qPrintable(QString("lesson %1, finger sentence: %2").arg(n).arg(id)));
            }
        }
    }

    void interfaceTextsTranslated_data() { languageKeys(false); }
    void interfaceTextsTranslated()
    {
        QTranslator *catalogue = translate::currentTranslator();
        QVERIFY(catalogue);
        // every text the code passes through the catalogue, as lupdate finds it
        QFile extracted(HARFORA_INTERFACE_TS);
        QVERIFY(extracted.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&extracted);
        QList<QPair<QString, QString>> texts;
        QString context;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.isStartElement() && xml.name() == QLatin1String("source"))
                texts.append({context, xml.readElementText()});
        }
        QVERIFY(texts.size() > 80);
        // texts composed at run time
        texts.append({"Login", QString("Default password for User1 is ") + Store::defaultPassword +
                                   " and to avoid this hint change the password or delete User1 and create "
                                   "another one with different name. This hint stays 10 sec"});
        for (const char *panel : {"Lessons", "KeyBoardMap"})
            for (const char *name : {"BACK", "TAB", "Enter", "CAPS", "CTRL", "SHIFT"})
                texts.append(qMakePair(QString(panel), QString(name)));
        for (const auto &t : QList<QPair<QString, QString>>(texts))
            if (t.first == "game1")
                texts.append({"game2", t.second});
        QStringList missing;
        for (const auto &t : texts)
            if (catalogue->translate(t.first.toUtf8().constData(), t.second.toUtf8().constData()).isEmpty())
                missing.append(t.first + ": " + t.second);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join("\n")));
    }
};

HARFORA_TEST_MAIN(TestCatalogues)
#include "test_catalogues.moc"
