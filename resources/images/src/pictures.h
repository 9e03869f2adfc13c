#pragma once

#include <QString>

// Draws the icons into the given folder (mirroring ":/images/").
void drawIcons(const QString &folder);
