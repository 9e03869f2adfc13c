#include "app/translate.h"
#include "mainmenu/harforamain.h"
#include "reports/progresschart.h"
#include "reports/heatmap.h"
#include "reports/reportswindow.h"
#include "tests/store/storefixture.h"
#include "tests/support/testsupport.h"
#include "tests/support/typedrun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtCharts/QLineSeries>

// The Reports window over rows the typing run writes, in both directions.
namespace {
using TypedRun::plain;

double heatOf(ReportsWindow &window, const QString &id)
{
    return window.findChild<HeatMap *>("heatMap")->heatOf(id);
}

// Every visible descendant lies inside its parent: nothing is cut off.
QStringList cutOff(QWidget *root)
{
    QStringList cut;
    for (QWidget *w : root->findChildren<QWidget *>())
        if (w->isVisibleTo(root) && w->parentWidget() && !w->isWindow() &&
            !w->parentWidget()->rect().contains(w->geometry()) && !w->inherits("QAbstractScrollArea") &&
            w->parentWidget()->objectName() != "qt_scrollarea_viewport")
            cut.append(w->objectName() + '/' + w->metaObject()->className());
    return cut;
}
}

class TestReportsWindow : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    MessageRecorder recorder;

private slots:
    void initTestCase()
    {
        freshProfile(home);
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
        translate::applyLanguage("AR_en_US");
        Store::currentUser = "user1";
        // R3_9 pressed three times where R3_8 is expected, in two texts.
        TypedRun::log("3", "R3_7 R3_8 R3_7 R3_8 R3_7 R3_8 _ R3_4", "R3_7 R3_9 R3_7 R3_9 R3_7 R3_8 R5_5 R3_4", 12);
        TypedRun::log("5", "R3_8 R3_4 R3_8 R3_4", "R3_9 R3_4 R3_8 R3_4", 6);
        TypedRun::log("5", "R3_8 R3_4 R3_8 R3_4", "R3_8 R3_4 R3_8 R3_4", 4);
        Store::currentUser = "someone else";
        TypedRun::log("3", "R3_4 R3_4", "R3_2 R3_2", 3);
        Store::currentUser = "user1";
    }

    void showsTheLearnersRuns_data()
    {
        QTest::addColumn<int>("direction");
        QTest::newRow("left to right") << int(Qt::LeftToRight);
        QTest::newRow("right to left") << int(Qt::RightToLeft);
    }
    void showsTheLearnersRuns()
    {
        QFETCH(int, direction);
        QGuiApplication::setLayoutDirection(Qt::LayoutDirection(direction));
        ReportsWindow window;
        window.load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.layoutDirection(), Qt::LayoutDirection(direction));
        QCOMPARE(window.activity().runs.size(), 3);
        // the confusion that was planned comes first, with the finger that should have typed it
        auto *confusions = window.findChild<QTableWidget *>("confusionTable");
        QCOMPARE(confusions->rowCount(), 1);
        QCOMPARE(confusions->item(0, 0)->text(), plain("R3_9") + " typed for " + plain("R3_8"));
        QCOMPARE(confusions->item(0, 1)->text(), QString("3"));
        QCOMPARE(confusions->item(0, 2)->text(), QString("right middle"));
        // that finger's figures: 4 of its 7 strokes right, 57 % correct
        auto *fingers = window.findChild<QTableWidget *>("fingerTable");
        QStringList middle;
        for (int r = 0; r < fingers->rowCount(); ++r)
            if (fingers->item(r, 0)->text() == "right middle")
                middle << fingers->item(r, 1)->text() << fingers->item(r, 2)->text() << fingers->item(r, 3)->text();
        QCOMPARE(middle, (QStringList{"4", "3", "57"}));
        auto *missed = window.findChild<QTableWidget *>("missedTable");
        QCOMPARE(missed->item(0, 0)->text(), plain("R3_8"));
        // the missed key is the hottest of the plain layer; keys never typed are grey
        QCOMPARE(heatOf(window, "R3_8"), 1.0);
        QVERIFY(heatOf(window, "R3_7") < 0.5);
        QCOMPARE(heatOf(window, "R1_1"), -1.0);
        window.findChild<QComboBox *>("layerChoice")->setCurrentIndex(1);
        QCOMPARE(heatOf(window, "R3_8"), -1.0);
        // one point per run, one per text for the best runs, the runs of one text
        auto *chart = window.findChild<ProgressChart *>("progressChart");
        QCOMPARE(chart->speedSeries()->count(), 3);
        QCOMPARE(chart->speedSeries()->at(2).y(), 60.0); // 4 right in 4 s
        window.findChild<QComboBox *>("textChoice")->setCurrentIndex(2);
        QCOMPARE(chart->accuracySeries()->count(), 2);
        window.findChild<QCheckBox *>("bestOnly")->setChecked(true);
        QCOMPARE(chart->accuracySeries()->count(), 1);
        QCOMPARE(chart->accuracySeries()->at(0).y(), 100.0);
        // fits a small screen; nothing cut off on any page
        QVERIFY(window.frameGeometry().width() <= 1024 && window.frameGeometry().height() <= 600);
        auto *tabs = window.findChild<QTabWidget *>("tabs");
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            QCoreApplication::processEvents();
            QCOMPARE(cutOff(&window), QStringList());
        }
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void exportsEveryRun()
    {
        ReportsWindow window;
        window.load();
        QTemporaryDir dir;
        const QString file = dir.filePath("runs.csv");
        window.chooseExportFile = [&](QWidget *) { return file; };
        recorder.clear();
        window.findChild<QPushButton *>("exportButton")->click();
        QCOMPARE(recorder.messages.size(), 1);
        QFile csv(file);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith("date,text,seconds,speed,accuracy,"));
        // text 3: 6 right of 8 in 12 s
        QCOMPARE(lines[1].section(',', 1, 7), QString("3,12,30,75,6,2,0"));
        const QStringList header = lines[0].split(',');
        const int wrong = header.indexOf(plain("R3_8") + " errors");
        QVERIFY(wrong > 0);
        QCOMPARE(lines[1].section(',', wrong, wrong), QString("2"));
        QCOMPARE(lines[2].section(',', wrong, wrong), QString("1"));
        window.chooseExportFile = [&](QWidget *) { return dir.filePath("no/such/folder/runs.csv"); };
        recorder.clear();
        window.findChild<QPushButton *>("exportButton")->click();
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(recorder.messages[0].kind, Messages::Kind::Warning);
    }

    void startMenuOpensIt()
    {
        HarforaMain menu(nullptr);
        auto *grid = menu.findChild<QGridLayout *>("TTmaingrid");
        auto *report = menu.findChild<QPushButton *>("report");
        QVERIFY(report);
        QCOMPARE(grid->itemAtPosition(0, 4)->widget(), report);
        QCOMPARE(grid->itemAtPosition(0, 5)->widget()->objectName(), QString("settings"));
        QCOMPARE(qobject_cast<QLabel *>(grid->itemAtPosition(1, 4)->widget())->text(), QString("Reports"));
        report->click();
        ReportsWindow *opened = shownWindows<ReportsWindow>().value(0);
        QVERIFY(opened);
        QCOMPARE(opened->activity().runs.size(), 3);
        report->click(); // a second click raises the same window
        QCOMPARE(shownWindows<ReportsWindow>().size(), 1);
        opened->close();
    }
};

HARFORA_TEST_MAIN(TestReportsWindow)
#include "test_reportswindow.moc"
