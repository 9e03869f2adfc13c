#include "app/clock.h"
#include "app/translate.h"
#include "mainmenu/harforamain.h"
#include "practice/practising.h"
#include "practice/weakkeyplan.h"
#include "reports/reportswindow.h"
#include "tests/support/loggedin.h"
#include "tests/support/xkbtyping.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBrowser>

// The weak-key practice in the windows: made from the rows the practice
// window logged, typed by the physical keys of the PC layout.
class TestWeakKeyPractice : public QObject
{
    Q_OBJECT
    LoggedIn *session = nullptr;
    HarforaMain *menu = nullptr;
    QPointer<practising> window;
    const XkbTyping keys{QStringLiteral("basic")};
    const unsigned escape = TestSupport::x11KeycodeForScanCode(1);

    void open(int lesson)
    {
        window = new practising(true, lesson, 0, nullptr);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->startMenu = menu;
        window->loginWindow = session->login;
        window->show();
    }
    QTextBrowser *editor() const { return window->textView(); }
    QPushButton *button(const char *name) const { return window->findChild<QPushButton *>(name); }
    QList<QStringList> logRows() const
    {
        return Inspector(Store::usersDbPath).rows("SELECT topic, log1, log5 FROM activitylog ORDER BY rowid");
    }
    QString shownText() const
    {
        QStringList lines;
        for (const QStringList &line : window->textLines().characters)
            lines.append(line.join(QString()));
        return lines.join(QLatin1Char(' '));
    }
    // Types the text from where the run is, `weak` by a wrong key every time, up to `count` characters.
    void typeMissing(const QString &weak, const QString &instead, int count)
    {
        for (int n = 0; n < count && !window->textLines().characters.isEmpty(); ++n) {
            const QStringList &line = window->textLines().characters.value(window->currentLine());
            const QString expected = line.value(window->currentColumn());
            if (expected.isEmpty())
                break;
            keys.type(editor(), expected.contains(weak) ? instead : expected);
        }
    }

private slots:
    void initTestCase()
    {
        Clock::setManual(true);
        session = new LoggedIn;
    }
    void init()
    {
        menu = new HarforaMain(nullptr);
        menu->loginWindow = session->login;
        session->login->lastActivityKey.clear();
        Inspector(Store::usersDbPath).exec("DELETE FROM activitylog");
        session->recorder.clear();
    }
    void cleanup()
    {
        if (window)
            window->close();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != session->login && w != menu)
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete menu;
    }
    void cleanupTestCase() { delete session; }

    void bothInterfaces_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English interface") << "AR_en_US";
        QTest::newRow("Arabic interface") << "AR_ar_AR";
    }

    // Nothing typed yet: the learner is told what to do first, the window keeps its lesson.
    void nothingRecordedYet_data() { bothInterfaces_data(); }
    void nothingRecordedYet()
    {
        QFETCH(QString, language);
        translate::applyLanguage(language);
        open(1);
        button("weak_Btn")->click();
        QCOMPARE(session->recorder.texts(), QStringList{WeakKeyPlan::nothingRecordedText()});
        QVERIFY(!window->isWeakKeyText());
        QCOMPARE(window->findChild<QLabel *>("lessonnumber")->text(), QStringLiteral("1"));

        ReportsWindow reports;
        reports.load();
        QSignalSpy wanted(&reports, &ReportsWindow::weakKeyPracticeWanted);
        reports.findChild<QPushButton *>("weakButton")->click();
        QCOMPARE(wanted.count(), 0);
        QCOMPARE(session->recorder.texts().size(), 2);
        QCOMPARE(session->recorder.texts().last(), WeakKeyPlan::nothingRecordedText());
    }

    // Practice 3 typed with one key missed every time: the next text is a
    // weak-key text holding it, typed and logged as "weak", and the one after
    // it is made afresh from the new figures.
    void weakTextAfterAMissedKey_data() { bothInterfaces_data(); }
    void weakTextAfterAMissedKey()
    {
        QFETCH(QString, language);
        translate::applyLanguage(language);
        const QString weak = QStringLiteral("ت"), instead = QStringLiteral("ن");
        open(3);
        QVERIFY(shownText().contains(weak));
        button("start_Btn_")->click();
        typeMissing(weak, instead, 150);
        TestSupport::typeX11(editor(), escape);
        QCOMPARE(logRows().size(), 1);

        button("weak_Btn")->click();
        QVERIFY(session->recorder.messages.isEmpty());
        QVERIFY(window->isWeakKeyText());
        QVERIFY(!window->findChild<QLabel *>("lessonnumber")->isVisible());
        QVERIFY(!button("next_Btn")->isEnabled() && !button("previous_Btn")->isEnabled());
        const QString text = shownText();
        QVERIFY2(text.contains(weak), qPrintable(text));
        QVERIFY(text.size() >= WeakKeyText::minimumCharacters);
        for (const QChar c : text)
            QVERIFY2(keys.types(QString(c)), qPrintable(QString(c)));

        // typed right by its keys, Shift chords included; Stop logs a "weak" row
        button("start_Btn_")->click();
        QVERIFY(!button("weak_Btn")->isEnabled());
        const QString firstLine = window->textLines().characters.value(0).join(QString());
        keys.type(editor(), firstLine);
        QCOMPARE(window->highlighter()->count(Highlighter::Wrong), 0);
        QCOMPARE(window->highlighter()->count(Highlighter::Correct), firstLine.size());
        TestSupport::typeX11(editor(), escape);
        QVERIFY(button("weak_Btn")->isEnabled());
        QCOMPARE(logRows().size(), 2);
        QCOMPARE(logRows().last().value(0), QStringLiteral("Practise"));
        QCOMPARE(logRows().last().value(1), WeakKeyPlan::logName());

        // to its end: asked for another, which starts at once on a new text
        session->recorder.replies.append(QMessageBox::Yes);
        button("start_Btn_")->click();
        for (const QStringList &line : window->textLines().characters.mid(window->currentLine()))
            keys.type(editor(), line.mid(window->currentColumn()).join(QString()));
        QCOMPARE(session->recorder.messages.size(), 1);
        QVERIFY(window->isRunning());
        QVERIFY(window->isWeakKeyText());
        QVERIFY(shownText() != text);
        QCOMPARE(window->currentLine(), 0);
        QCOMPARE(window->currentColumn(), 0);
        QCOMPARE(logRows().size(), 3);
        QCOMPARE(logRows().last().value(1), WeakKeyPlan::logName());
    }

    // From the Reports window: the start menu opens the practice window on the weak-key text.
    void fromTheReportsWindow()
    {
        translate::applyLanguage(QStringLiteral("AR_ar_AR"));
        open(3);
        button("start_Btn_")->click();
        typeMissing(QStringLiteral("ت"), QStringLiteral("ن"), 100);
        TestSupport::typeX11(editor(), escape);
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        menu->show();
        menu->findChild<QPushButton *>("report")->click();
        ReportsWindow *reports = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *r = qobject_cast<ReportsWindow *>(w))
                reports = r;
        QVERIFY(reports);
        reports->findChild<QPushButton *>("weakButton")->click();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *p = qobject_cast<practising *>(w); p && p->isVisible())
                window = p;
        QVERIFY(window);
        QVERIFY(window->isWeakKeyText());
        QVERIFY(shownText().contains(QStringLiteral("ت")));
        QVERIFY(!menu->isVisible());
        QVERIFY(session->recorder.messages.isEmpty());
    }
};

HARFORA_TEST_MAIN(TestWeakKeyPractice)
#include "test_weakkeypractice.moc"
