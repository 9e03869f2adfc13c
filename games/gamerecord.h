#pragma once

#include <QString>
#include <QStringList>

// The activity-log row of a finished falling-letters game, topic "Game":
// log1 "falling", log2 letters hit, log3 letters lost, log4 the level
// reached, log5 the drilled letters (escaped as in a practice row's
// per-key figures) separated by spaces, log6 empty. The reports read log2
// and log3 back (reports/activityreader.cpp).
namespace GameRecord {
constexpr char topic[] = "Game";
// topic, log1 .. log6; empty when nothing was hit or lost (no game played).
QStringList row(int hits, int lost, int level, const QStringList &letters);
}
