#pragma once

#include <QString>

class QFrame;
class QPushButton;
class QWidget;

// The on-screen keyboard drawn from push buttons, one per key, shared by the
// lesson viewer and the key-selection dialog. The program finds keys by
// object name ("PushButton_R1_1" ...), so the names are fixed.
namespace KeyboardPanel {

struct Options {
    const char *ctrlName;      // "PushButton_Ctrl" or "PushButton_CTRL"
    const char *context;       // translation context of the key texts
    QString extraStyle;        // rules appended to the panel style sheet
};

// Builds the panel named "frame" as a child of `parent`, with every key.
QFrame *build(QWidget *parent, const Options &options);

// Sets every character key's text to its caption in the layer (0 plain,
// 1 Shift, 2 Ctrl); any other layer changes nothing.
void setCaptions(QWidget *root, int layer);

// The caption a key shows: the catalogue's for a character key (as set by
// setCaptions), the text itself for a named key.
QString caption(const QPushButton *button);

// How a caption is shown on a key: "&" escaped from mnemonics, a bare
// combining mark on a dotted-circle carrier.
QString shownCaption(const QString &caption);

// The character key with the given identifier, or null.
QPushButton *key(QWidget *root, const QString &id);

extern const char styleSheet[];
}
