#include "app/translate.h"
#include "keyboard/keyids.h"
#include "lessons/lessons.h"
#include "practice/textprep.h"
#include "store/session.h"
#include "tests/support/testsupport.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTranslator>
#include <QXmlStreamReader>

// The standard Arabic PC layout as printed on keyboards, written out here
// independently of the content files: plain and Shift caption of every key.
static const char *const pcLayout[48][3] = {
    {"R1_1", "ذ", "ّ"}, {"R1_2", "1", "!"}, {"R1_3", "2", "@"}, {"R1_4", "3", "#"}, {"R1_5", "4", "$"},
    {"R1_6", "5", "%"}, {"R1_7", "6", "^"}, {"R1_8", "7", "&"}, {"R1_9", "8", "*"}, {"R1_10", "9", "("},
    {"R1_11", "0", ")"}, {"R1_12", "-", "_"}, {"R1_13", "=", "+"},
    {"R2_1", "ض", "َ"}, {"R2_2", "ص", "ً"}, {"R2_3", "ث", "ُ"}, {"R2_4", "ق", "ٌ"}, {"R2_5", "ف", "لإ"},
    {"R2_6", "غ", "إ"}, {"R2_7", "ع", "‘"}, {"R2_8", "ه", "÷"}, {"R2_9", "خ", "×"}, {"R2_10", "ح", "؛"},
    {"R2_11", "ج", "<"}, {"R2_12", "د", ">"},
    {"R3_1", "ش", "ِ"}, {"R3_2", "س", "ٍ"}, {"R3_3", "ي", "]"}, {"R3_4", "ب", "["}, {"R3_5", "ل", "لأ"},
    {"R3_6", "ا", "أ"}, {"R3_7", "ت", "ـ"}, {"R3_8", "ن", "،"}, {"R3_9", "م", "/"}, {"R3_10", "ك", ":"},
    {"R3_11", "ط", "\""}, {"R3_12", "\\", "|"},
    {"R4_1", "\\", "|"}, {"R4_2", "ئ", "~"}, {"R4_3", "ء", "ْ"}, {"R4_4", "ؤ", "}"}, {"R4_5", "ر", "{"},
    {"R4_6", "لا", "لآ"}, {"R4_7", "ى", "آ"}, {"R4_8", "ة", "’"}, {"R4_9", "و", ","}, {"R4_10", "ز", "."},
    {"R4_11", "ظ", "؟"},
};

class TestCatalogues : public QObject
{
    Q_OBJECT

    static QString tr(const char *context, const QString &source)
    {
        return QCoreApplication::translate(context, source.toUtf8().constData());
    }
    static QSet<QString> plainCaptions()
    {
        QSet<QString> set;
        for (const QString &id : Keys::characterKeyIds())
            for (QChar c : Keys::caption(Keys::Layer::Plain, id))
                set.insert(QString(c));
        return set;
    }
    static bool isKeyToken(const QString &token)
    {
        if (token == "Shift" || token == "Ctrl")
            return true;
        const QString id = token.startsWith("Shift_") ? token.mid(6) : token;
        return Keys::characterKeyIds().contains(id);
    }

private slots:
    void catalogues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("Arabic, PC") << "AR_ar_AR";
        QTest::newRow("Arabic, Mac") << "AR_ar_EG";
        QTest::newRow("English, PC") << "AR_en_US";
    }

    void layoutsComplete_data() { catalogues_data(); }
    void layoutsComplete()
    {
        QFETCH(QString, key);
        translate::applyLanguage(key);
        QSet<QString> plain;
        for (const QString &id : Keys::characterKeyIds()) {
            const QString p = Keys::caption(Keys::Layer::Plain, id), s = Keys::caption(Keys::Layer::Shift, id);
            QVERIFY2(p != "key_" + id && !p.isEmpty() && p.size() <= 2, qPrintable(id));
            QVERIFY2(s != "Shift_" + id && !s.isEmpty() && s.size() <= 2, qPrintable(id));
            QCOMPARE(Keys::caption(Keys::Layer::Ctrl, id), "Ctrl_" + id);
            plain.insert(p);
        }
        QVERIFY(plain.size() >= 46); // one caption may repeat (the two backslash keys)
    }

    void pcLayoutMatchesTheIndependentList_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("Arabic") << "AR_ar_AR";
        QTest::newRow("English") << "AR_en_US";
    }
    void pcLayoutMatchesTheIndependentList()
    {
        QFETCH(QString, key);
        translate::applyLanguage(key);
        for (const auto &row : pcLayout) {
            QCOMPARE(Keys::caption(Keys::Layer::Plain, row[0]), QString::fromUtf8(row[1]));
            QCOMPARE(Keys::caption(Keys::Layer::Shift, row[0]), QString::fromUtf8(row[2]));
        }
    }

    void lessons_data() { catalogues_data(); }
    void lessons()
    {
        QFETCH(QString, key);
        translate::applyLanguage(key);
        QSet<QString> plainKeys, shiftKeys;
        for (int n = 1; n <= Lessons::lessonLimit; ++n) {
            const QString text = tr("Lessons", Keys::lessonTextSource(n));
            QVERIFY2(text != Keys::lessonTextSource(n) && text.contains("<h1"), qPrintable(QString::number(n)));
            QVERIFY2(!text.contains("{{"), "a placeholder was left in the lesson");
            const QString keys = Lessons::keyOfInterestText(n);
            QVERIFY(keys != Keys::keysOfInterestSource(n));
            const QStringList tokens = keys.split(' ', Qt::SkipEmptyParts);
            for (const QString &token : tokens) {
                QVERIFY2(isKeyToken(token), qPrintable(token));
                if (token.startsWith("R"))
                    (tokens.contains("Shift") ? shiftKeys : plainKeys).insert(token);
            }
        }
        for (const QString &id : Keys::characterKeyIds()) {
            QVERIFY2(plainKeys.contains(id), qPrintable("plain layer: " + id));
            QVERIFY2(shiftKeys.contains(id), qPrintable("Shift layer: " + id));
        }
        // Arabic interfaces teach in Arabic, the English one in English.
        const QString first = tr("Lessons", Keys::lessonTextSource(1));
        QCOMPARE(first.contains("الدرس"), key != "AR_en_US");
        QCOMPARE(first.contains("Lesson 1"), key == "AR_en_US");
        // later slots stay blank or untranslated
        QVERIFY(tr("Lessons", Keys::lessonTextSource(19)).trimmed().isEmpty());
        QCOMPARE(tr("Lessons", Keys::lessonTextSource(25)), Keys::lessonTextSource(25));
    }

    void practiceTexts_data() { catalogues_data(); }
    void practiceTexts()
    {
        QFETCH(QString, key);
        translate::applyLanguage(key);
        const QSet<QString> typeable = plainCaptions() + QSet<QString>{" "};
        int n = 1;
        for (; n <= Keys::lessonSlots; ++n) {
            const QString raw = PracticeText::raw(n);
            if (raw.trimmed().isEmpty())
                break;
            QVERIFY(raw != Keys::practiceTextSource(n));
            PracticeText::Lines lines;
            const QString html = PracticeText::prepare(raw, lines);
            QVERIFY2(lines.characters.size() >= 3, qPrintable(QString("practice %1").arg(n)));
            for (const QStringList &line : lines.characters)
                for (const QString &c : line)
                    QVERIFY2(typeable.contains(c), qPrintable(QString("practice %1: %2").arg(n).arg(line.join(""))));
            // nothing but the lines: the marks count the non-empty blocks
            QTextDocument document;
            document.setHtml(html);
            int blocks = 0;
            for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
                blocks += b.text().isEmpty() ? 0 : 1;
            QCOMPARE(blocks, lines.characters.size());
        }
        QVERIFY2(n > 18, "a practice text for every lesson");
        QCOMPARE(PracticeText::raw(n), QString(" "));
    }

    void interfaceTextsTranslated_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("Arabic, PC") << "AR_ar_AR";
        QTest::newRow("Arabic, Mac") << "AR_ar_EG";
    }
    void interfaceTextsTranslated()
    {
        QFETCH(QString, key);
        translate::applyLanguage(key);
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
            if (catalogue->translate(t.first.toUtf8(), t.second.toUtf8()).isEmpty())
                missing.append(t.first + ": " + t.second);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join("\n")));
    }
};

HARFORA_TEST_MAIN(TestCatalogues)
#include "test_catalogues.moc"
