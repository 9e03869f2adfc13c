#pragma once

#include <QString>

// Runs typed without a window and logged the way the practice window logs
// them, for the tests that read the activity log back.
namespace TypedRun {
// The plain caption of key `id` in the active layout.
QString plain(const QString &id);
// Types `strokes` (key identifiers) over a one-line text of key identifiers
// ("_" a space) for `seconds` ticks and logs the run as text `lesson`.
void log(const QString &lesson, const QString &text, const QString &strokes, int seconds);
}
