#pragma once

#include "reports/activityreader.h"

#include <QWidget>
#include <functional>

class HeatMap;
class ProgressChart;
class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;
class QTabWidget;

// What the logged-in learner's activity log tells: speed and accuracy run
// by run, the keyboard as a heat map of misses and slowness, the characters
// missed most and what was typed instead, per-finger figures, lessons read
// and texts finished; the runs can be exported to CSV.
class ReportsWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ReportsWindow(QWidget *parent = nullptr);
    // Reads the rows of the current user from the users database in use.
    void load();
    // Shows what the rows of one user tell (load() reads them from the file).
    void display(const Activity &activity);
    const Activity &activity() const { return shownActivity; }
    // The CSV of every run to a file; false (with a message) when it cannot be written.
    bool exportTo(const QString &file);
    // Asks for the file Export writes; tests answer instead of a dialog.
    std::function<QString(QWidget *)> chooseExportFile;

    static constexpr int listed = 10;
    // How a character or a typed key reads in a list ("space", "Caps Lock", ...).
    static QString shown(const QString &typed);
    static QString fingerName(int finger, int hand);

signals:
    // The learner asked for a weak-key practice and has keystrokes to make it from.
    void weakKeyPracticeWanted();

private slots:
    void showChart();
    void weakKeysClicked();
    void showHeat();
    void exportClicked();

private:
    QWidget *buildProgressTab();
    QWidget *buildKeyboardTab();
    QWidget *buildMistakesTab();
    QTableWidget *table(const char *name, const QStringList &headers);
    void fillMistakes(const KeyTable &keys);
    void fillFingers(const KeyTable &keys);
    void fillSummary();

    Activity shownActivity;
    QLabel *summary;
    QTabWidget *tabs;
    QComboBox *textChoice, *measureChoice, *layerChoice;
    QCheckBox *bestOnly;
    ProgressChart *chart;
    HeatMap *heat;
    QTableWidget *missedTable, *confusionTable, *fingerTable;
};
