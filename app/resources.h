#pragma once

#include <QIcon>
#include <QString>

namespace Resources {
// Registers the embedded resource tree (pictures, catalogues, empty database).
void registerAll();

// An icon of one of our PNG pictures, decoded as PNG straight away: an icon
// made from a file name first loads every image plugin to ask whether it reads
// the file (a few milliseconds at start-up).
QIcon pngIcon(const QString &path);
}
