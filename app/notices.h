#pragma once

#include <QString>
#include <functional>

// How code without windows (the store) tells the learner something. The
// application forwards notices to its message boxes; tests record them.
namespace Notices {

enum class Kind { Warning, Information };

using Sink = std::function<void(Kind kind, const QString &title, const QString &text)>;

// Installs a sink (an empty one writes notices to the debug log); returns the previous one.
Sink setSink(Sink sink);

void warning(const QString &title, const QString &text);
void information(const QString &title, const QString &text);
}
