#pragma once

#include <QString>

class QTextStream;

// The report of a whole users database for teachers and scripts: CSV, one
// line per account, header
// user,runs,first,last,best_speed,mean_speed,mean_accuracy,most_missed,top_confusion
// (ISO dates of the first and last run, speeds in correct characters per
// minute, accuracy in percent, up to five most-missed characters separated
// by spaces and the commonest pair "expected>typed", the characters escaped
// as in the activity log; a figure without runs is empty).
namespace ClassReport {
constexpr char header[] = "user,runs,first,last,best_speed,mean_speed,mean_accuracy,most_missed,top_confusion";
// 0 when written; 2 with a message on `errors` when the file is missing,
// damaged or no users database. The file is opened read-only.
int write(const QString &file, QTextStream &out, QTextStream &errors);
// One CSV field, quoted where it needs to be.
QString field(const QString &text);
}
