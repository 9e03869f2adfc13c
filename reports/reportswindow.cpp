#include "reports/reportswindow.h"

#include "app/messages.h"
#include "keyboard/keyboardpanel.h"
#include "keyboard/keyids.h"
#include "practice/leveltest.h"
#include "practice/textprep.h"
#include "practice/weakkeyplan.h"
#include "reports/heatmap.h"
#include "reports/keyplaces.h"
#include "reports/progress.h"
#include "reports/progresschart.h"
#include "reports/runcsv.h"
#include "store/activityrows.h"
#include "store/passwordhash.h"
#include "store/session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

ReportsWindow::ReportsWindow(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ReportsWindow"));
    setWindowTitle(tr("Reports"));
    setWindowIcon(QIcon(QStringLiteral(":/images/icons/graph-icon.png")));
    setMinimumSize(760, 520);
    resize(900, 560);
    auto *layout = new QVBoxLayout(this);
    summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setWordWrap(true);
    layout->addWidget(summary);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->addTab(buildProgressTab(), tr("Speed and accuracy"));
    tabs->addTab(buildKeyboardTab(), tr("Keyboard"));
    tabs->addTab(buildMistakesTab(), tr("Mistakes"));
    fingerTable = table("fingerTable", {tr("Finger"), tr("Right"), tr("Wrong"), tr("Correct %"), tr("Keys per minute")});
    tabs->addTab(fingerTable, tr("Fingers"));
    layout->addWidget(tabs, 1);
    auto *buttons = new QHBoxLayout;
    auto *weakButton = new QPushButton(tr("Practise my weak keys"), this);
    weakButton->setObjectName(QStringLiteral("weakButton"));
    auto *exportButton = new QPushButton(tr("Export to CSV"), this);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    auto *closeButton = new QPushButton(tr("Close"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    buttons->addWidget(weakButton);
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(weakButton, &QPushButton::clicked, this, &ReportsWindow::weakKeysClicked);
    connect(exportButton, &QPushButton::clicked, this, &ReportsWindow::exportClicked);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    chooseExportFile = [](QWidget *owner) {
        return QFileDialog::getSaveFileName(owner, tr("Export to CSV"), QDir::homePath() + QStringLiteral("/harfora.csv"),
                                            tr("CSV files (*.csv)"));
    };
}

QWidget *ReportsWindow::buildProgressTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *controls = new QHBoxLayout;
    textChoice = new QComboBox(page);
    textChoice->setObjectName(QStringLiteral("textChoice"));
    bestOnly = new QCheckBox(tr("Best run per text"), page);
    bestOnly->setObjectName(QStringLiteral("bestOnly"));
    controls->addWidget(new QLabel(tr("Practice text:"), page));
    controls->addWidget(textChoice);
    controls->addWidget(bestOnly);
    controls->addStretch();
    layout->addLayout(controls);
    chart = new ProgressChart(page);
    layout->addWidget(chart, 1);
    connect(textChoice, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ReportsWindow::showChart);
    connect(bestOnly, &QCheckBox::toggled, this, &ReportsWindow::showChart);
    return page;
}

QWidget *ReportsWindow::buildKeyboardTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *controls = new QHBoxLayout;
    measureChoice = new QComboBox(page);
    measureChoice->setObjectName(QStringLiteral("measureChoice"));
    measureChoice->addItems({tr("Error rate"), tr("Slowness")});
    layerChoice = new QComboBox(page);
    layerChoice->setObjectName(QStringLiteral("layerChoice"));
    layerChoice->addItems({tr("Plain layer"), tr("Shift layer")});
    controls->addWidget(measureChoice);
    controls->addWidget(layerChoice);
    controls->addStretch();
    layout->addLayout(controls);
    heat = new HeatMap(page);
    layout->addWidget(heat);
    auto *legend = new QLabel(tr("Pale keys went well, dark red keys worst; grey keys were not practised."), page);
    legend->setObjectName(QStringLiteral("heatLegend"));
    legend->setWordWrap(true);
    layout->addWidget(legend);
    layout->addStretch();
    connect(measureChoice, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ReportsWindow::showHeat);
    connect(layerChoice, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ReportsWindow::showHeat);
    return page;
}

QWidget *ReportsWindow::buildMistakesTab()
{
    auto *page = new QWidget;
    auto *layout = new QHBoxLayout(page);
    missedTable = table("missedTable", {tr("Character"), tr("Wrong"), tr("Right"), tr("Finger")});
    confusionTable = table("confusionTable", {tr("Mistake"), tr("Times"), tr("Finger")});
    auto *missed = new QVBoxLayout;
    missed->addWidget(new QLabel(tr("Missed most often"), page));
    missed->addWidget(missedTable);
    auto *confused = new QVBoxLayout;
    confused->addWidget(new QLabel(tr("Typed instead"), page));
    confused->addWidget(confusionTable);
    layout->addLayout(missed);
    layout->addLayout(confused);
    return page;
}

QTableWidget *ReportsWindow::table(const char *name, const QStringList &headers)
{
    auto *t = new QTableWidget(0, headers.size(), this);
    t->setObjectName(QLatin1String(name));
    t->setHorizontalHeaderLabels(headers);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void ReportsWindow::load()
{
    QVector<ActivityLogRow> rows;
    QString problem;
    if (!ActivityRows::read(Store::usersDbPath, passwordHash(Store::currentUser), rows, &problem))
        Messages::warning(this, tr("Error"), tr("The activity log could not be read.") + QLatin1Char('\n') + problem);
    display(ActivityReader::read(rows));
}

void ReportsWindow::display(const Activity &activity)
{
    shownActivity = activity;
    const QSignalBlocker blocker(textChoice);
    textChoice->clear();
    textChoice->addItem(tr("All texts"), QString());
    for (const QString &text : Progress::texts(activity.runs))
        textChoice->addItem(text == QLatin1String("weak") ? tr("Weak keys") : tr("Text %1").arg(text), text);
    heat->setFigures(activity.keys);
    fillMistakes(activity.keys);
    fillFingers(activity.keys);
    fillSummary();
    showChart();
    showHeat();
}

void ReportsWindow::showChart()
{
    QVector<PracticeRun> runs = Progress::ofText(shownActivity.runs, textChoice->currentData().toString());
    if (bestOnly->isChecked())
        runs = Progress::bestPerText(runs);
    chart->setRuns(runs);
}

void ReportsWindow::showHeat()
{
    heat->showMeasure(measureChoice->currentIndex() == 1 ? HeatMap::Measure::Slowness : HeatMap::Measure::ErrorRate,
                      layerChoice->currentIndex() == 1);
}

namespace {
QTableWidgetItem *cell(const QString &text, bool number = false)
{
    auto *item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignCenter);
    return item;
}

QString fingerOf(const QString &character)
{
    const KeyPlaces::Place place = KeyPlaces::of(character);
    return ReportsWindow::fingerName(place.finger, place.hand);
}
}

QString ReportsWindow::shown(const QString &typed)
{
    if (typed.isEmpty())
        return tr("a key that types nothing");
    if (typed == QLatin1String(" "))
        return tr("space");
    if (typed == QLatin1String("R3_1"))
        return tr("Caps Lock");
    static const char *const named[] = {QT_TR_NOOP("Shift"), QT_TR_NOOP("Enter"), QT_TR_NOOP("Ctrl"),
                                        QT_TR_NOOP("Alt"), QT_TR_NOOP("Tab"), QT_TR_NOOP("Backspace")};
    for (const char *name : named)
        if (typed == QLatin1String(name))
            return tr(name);
    return KeyboardPanel::shownCaption(typed);
}

QString ReportsWindow::fingerName(int finger, int hand)
{
    static const char *const names[] = {
        QT_TR_NOOP("left thumb"),  QT_TR_NOOP("left index"),  QT_TR_NOOP("left middle"),
        QT_TR_NOOP("left ring"),   QT_TR_NOOP("left little"), QT_TR_NOOP("right thumb"),
        QT_TR_NOOP("right index"), QT_TR_NOOP("right middle"), QT_TR_NOOP("right ring"),
        QT_TR_NOOP("right little")};
    if (finger == 0)
        return tr("thumb");
    if (finger < 0 || finger > 4 || hand < 0 || hand > 1)
        return QString();
    return tr(names[hand * 5 + finger]);
}

void ReportsWindow::fillMistakes(const KeyTable &keys)
{
    const auto missed = Progress::mostMissed(keys, listed);
    missedTable->setRowCount(missed.size());
    for (int r = 0; r < missed.size(); ++r) {
        missedTable->setItem(r, 0, cell(shown(missed[r].first)));
        missedTable->setItem(r, 1, cell(QString::number(missed[r].second.errors), true));
        missedTable->setItem(r, 2, cell(QString::number(missed[r].second.hits), true));
        missedTable->setItem(r, 3, cell(fingerOf(missed[r].first)));
    }
    const auto pairs = Progress::commonest(shownActivity.confusions, listed);
    confusionTable->setRowCount(pairs.size());
    for (int r = 0; r < pairs.size(); ++r) {
        const Confusion &pair = pairs[r].first;
        confusionTable->setItem(r, 0, cell(tr("%1 typed for %2").arg(shown(pair.second), shown(pair.first))));
        confusionTable->setItem(r, 1, cell(QString::number(pairs[r].second), true));
        confusionTable->setItem(r, 2, cell(fingerOf(pair.first)));
    }
}

void ReportsWindow::fillFingers(const KeyTable &keys)
{
    const QVector<KeyPlaces::FingerFigures> fingers = KeyPlaces::perFinger(keys);
    fingerTable->setRowCount(0);
    for (int hand = 0; hand <= 1; ++hand)
        for (int finger = 4; finger >= 0; --finger) {
            const KeyPlaces::FingerFigures &f = fingers[hand * 5 + finger];
            if (f.hits + f.errors == 0)
                continue;
            const int r = fingerTable->rowCount();
            fingerTable->insertRow(r);
            fingerTable->setItem(r, 0, cell(fingerName(finger, hand)));
            fingerTable->setItem(r, 1, cell(QString::number(f.hits), true));
            fingerTable->setItem(r, 2, cell(QString::number(f.errors), true));
            fingerTable->setItem(r, 3, cell(QString::number(f.accuracy()), true));
            fingerTable->setItem(r, 4, cell(f.speed() < 0 ? QString() : QString::number(f.speed()), true));
        }
}

void ReportsWindow::fillSummary()
{
    const QVector<PracticeRun> &runs = shownActivity.runs;
    const int finished = Progress::textsFinished(runs, [](const QString &text) {
        bool isNumber = false;
        const int lesson = text.toInt(&isNumber);
        PracticeText::Lines lines;
        if (!isNumber || lesson < 1 || lesson > Keys::lessonSlots)
            return 0;
        PracticeText::practiceText(lesson, false, lines);
        int characters = 0;
        for (const QStringList &line : lines.characters)
            characters += line.size();
        return characters;
    });
    QString text = tr("Runs: %1. Best speed: %2, mean speed: %3 correct characters per minute; mean accuracy: %4 %.")
                       .arg(runs.size())
                       .arg(std::max(0, Progress::bestSpeed(runs)))
                       .arg(std::max(0, Progress::meanSpeed(runs)))
                       .arg(std::max(0, Progress::meanAccuracy(runs)));
    text += QLatin1Char(' ') + tr("Lessons read: %1; practice texts finished: %2; games played: %3.")
                                   .arg(shownActivity.lessonsRead.size())
                                   .arg(finished)
                                   .arg(shownActivity.games);
    if (!shownActivity.tests.isEmpty()) {
        const LevelTestRun &last = shownActivity.tests.last();
        const LevelTest::Result result{last.minutes, last.seconds, last.correct, last.wrong};
        text += QLatin1Char(' ') + tr("Level tests: %1; the last: %2 correct characters per minute, %3 % correct, "
                                      "level %4, continue with lesson %5.")
                                       .arg(shownActivity.tests.size())
                                       .arg(result.speed())
                                       .arg(result.accuracy())
                                       .arg(result.bandName())
                                       .arg(last.lesson);
    }
    if (shownActivity.rowsLeftOut + shownActivity.entriesSkipped > 0)
        text += QLatin1Char(' ') + tr("Left out as unreadable: %1 rows, %2 entries.")
                                       .arg(shownActivity.rowsLeftOut)
                                       .arg(shownActivity.entriesSkipped);
    summary->setText(text);
}

bool ReportsWindow::exportTo(const QString &file)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(RunCsv::write(shownActivity.runs).toUtf8()) < 0 || !out.commit()) {
        Messages::warning(this, tr("Error"), tr("The runs could not be written to %1.").arg(file) +
                                                 QLatin1Char('\n') + out.errorString());
        return false;
    }
    return true;
}

void ReportsWindow::exportClicked()
{
    const QString file = chooseExportFile ? chooseExportFile(this) : QString();
    if (!file.isEmpty() && exportTo(file))
        Messages::information(this, tr("Done"), tr("The runs were written to %1.").arg(file));
}

void ReportsWindow::weakKeysClicked()
{
    if (WeakKeyPlan(shownActivity).isPossible())
        emit weakKeyPracticeWanted();
    else
        Messages::information(this, tr("Info"), WeakKeyPlan::nothingRecordedText());
}
