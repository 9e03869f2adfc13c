#include "app/catalogues.h"
#include "keyboard/keyids.h"
#include "practice/textprep.h"
#include "tests/support/coresupport.h"

using PracticeText::Lines;

class TestTextPrep : public QObject
{
    Q_OBJECT
    static QString ref(const QString &text)
    {
        QString out;
        for (QChar c : text)
            out += QString("&#%1;").arg(c.unicode(), 4, 10, QChar('0'));
        return out;
    }
    static QString paragraph(const QString &line) { return "<p align=\"right\"><line>" + line + "</p>"; }

private slots:
    void references_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        // "&#0038;" decodes to "&", which spells "&#1578;" with the text after
        // it; replacing the later reference everywhere decodes that one too
        const QStringList rows[] = {{"two letters", "&#1578;&#1606;", "تن"}, {"three digits", "&#162;x", "&#162;x"},
            {"five digits", "&#15780;", "&#15780;"}, {"mixed", "a&#0032;b&#1578;&#12345;", "a bت&#12345;"},
            {"repeated", "&#1578;-&#1578;", "ت-ت"}, {"code 0", "&#0000;", QString(QChar(0xFFFD))},
            {"no semicolon", "&#1578", "&#1578"}, {"chained", "&#0038;#1578;&#1578;", "تت"},
            {"chained, not found again", "&#0038;#1578;", "&#1578;"}};
        for (const QStringList &row : rows)
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2];
    }
    void references()
    {
        QFETCH(QString, input);
        QFETCH(QString, output);
        QCOMPARE(PracticeText::decodeReferences(input), output);
    }

    // A line with at most one space is a drill, shown spaced out letter by letter.
    void lineKinds_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        const QString letters = QString("تنمكبيسشلا").repeated(2);
        QString spaced;
        for (QChar c : letters)
            spaced += QString(c) + ' ';
        const QString words = ref("بيت") + " " + ref("سمك") + " " + ref("نمر");
        QTest::newRow("twenty letters") << ref(letters) << int(PracticeText::Spaced) << letters << "<line>" + spaced + "</p>";
        QTest::newRow("one space") << ref("تن") + " " + ref("مك") << int(PracticeText::Spaced) << "تن مك" << "<line>ت ن   م ك </p>";
        QTest::newRow("markup characters") << "&#0060;&#0038;&#0062;" << int(PracticeText::Spaced) << "<&>" << "<line>&lt; &amp; &gt; </p>";
        QTest::newRow("words") << words << int(PracticeText::AsWritten) << "بيت سمك نمر" << words; // left for the renderer
    }
    void lineKinds()
    {
        QFETCH(QString, line);
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Lines lines;
        const QString html = PracticeText::prepare(paragraph(line), lines);
        QCOMPARE(lines.kinds, QList<int>{kind});
        QCOMPARE(lines.characters, QList<QStringList>{typed.split("", Qt::SkipEmptyParts)});
        QVERIFY2(html.contains(shown), qPrintable(html));
    }

    void identicalLines()
    {
        Lines lines;
        const QString line = ref("تنت");
        PracticeText::prepare(paragraph(line) + paragraph(line), lines);
        QCOMPARE(lines.kinds, (QList<int>{PracticeText::Spaced, PracticeText::AsWritten}));
        QCOMPARE(lines.characters[0], (QStringList{"ت", "ن", "ت"}));
        QCOMPARE(lines.characters[1], (QStringList{"ت", " ", "ن", " ", "ت", " "}));
    }

    void markupCleaning()
    {
        Lines lines;
        const QString html = PracticeText::prepare(
            "<p style=\"font-size:14.0pt;color:red\"><font face=\"x\" size=3>a</font>b   c</p>", lines);
        QCOMPARE(html, QString("<p style=\" ;color:red\">ab  c</p>"));
        QVERIFY(lines.characters.isEmpty());
        QVERIFY(lines.kinds.isEmpty());
    }

    void searchRestartsAfterTheLineStart()
    {
        Lines lines;
        lines.characters.append(QStringList{"old"});
        lines.kinds.append(7);
        PracticeText::prepare("<line>ab<line>c d e<", lines);
        // "<line>ab<" then "<line>c d e<"; the caller's earlier lines stay, the kinds restart
        QCOMPARE(lines.characters.size(), 3);
        QCOMPARE(lines.characters[1], (QStringList{"a", "b"}));
        QCOMPARE(lines.kinds, (QList<int>{PracticeText::Spaced, PracticeText::AsWritten}));
    }

    void numbersAndUntranslated()
    {
        Catalogues::apply("AR_ar_AR");
        Lines lines;
        for (int outside : {0, 34, -5})
            QVERIFY(PracticeText::practiceText(outside, outside < 0, lines).isEmpty());
        QVERIFY(PracticeText::practiceText(1, true, lines).contains("<line>&#"));
        QVERIFY(lines.characters.isEmpty()); // slots outside and unprocessed texts give no lines
        PracticeText::practiceText(1, false, lines);
        QVERIFY(!lines.characters.isEmpty());
        Catalogues::apply(QString()); // no catalogue: every slot untranslated
        QCOMPARE(PracticeText::practiceText(33, false, lines), Keys::practiceTextSource(33));
    }

    void hostileInput_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("unterminated") << "<p><line>&#1578;&#1578;";
        QTest::newRow("line at end") << "abc<line>";
        QTest::newRow("empty line") << "<line><line><";
        QTest::newRow("nested") << QString("<line><font>").repeated(2000) + "x<";
        // Long inputs of the same shapes are the benchmark's and the fuzz corpus's.
        QTest::newRow("more lines than kept") << QString("<line>a<").repeated(6000);
        QTest::newRow("references spelling references") << QString("<line>&#0038;#0038;<").repeated(6000);
    }
    void hostileInput()
    {
        QFETCH(QString, input);
        Lines lines;
        const QString html = PracticeText::prepare(input, lines);
        QVERIFY(lines.characters.size() <= 5000); // a text is cut at 5000 lines, whatever it holds
        QCOMPARE(lines.characters.size(), lines.kinds.size());
        QVERIFY(html.size() <= qMax(input.size() * 4, 1 << 16));
    }
};

HARFORA_CORE_TEST_MAIN(TestTextPrep)
#include "test_textprep.moc"
