#pragma once

#include "reports/activityreader.h"

#include <QString>

// The runs as CSV for a spreadsheet: one line per run with its date, text
// number, seconds, speed and accuracy, the right, wrong and skipped
// characters, then for every character practised (escaped as in the
// activity log) its hits, errors and mean milliseconds.
namespace RunCsv {
QString write(const QVector<PracticeRun> &runs);
}
