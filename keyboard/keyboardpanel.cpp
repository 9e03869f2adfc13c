#include "keyboard/keyboardpanel.h"

#include "keyboard/keyids.h"

#include <QCoreApplication>
#include <QFrame>
#include <QPushButton>

namespace KeyboardPanel {

const char styleSheet[] = R"(QPushButton:enabled {
    border: 2px solid #8f8f91;
    border-radius: 6px;
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #8C8F8C, stop: 1 #000000);
    color: white;
}
QPushButton:pressed {
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #f6f7fa, stop: 1 #dadbde);
}
#pushButton_24, #pushButton_19, #pushButton_38, #pushButton_48, #pushButton_47, #pushButton_52, #pushButton_16 {
    border: 0px;
    border-radius: 6px;
    background-color: gray;
}
#pushButton_47:pressed, #pushButton_52:pressed, #pushButton_16:pressed {
    background:lightblue;
}
)";

namespace {
const int rowY[Keys::rowCount] = {12, 47, 82, 117};
const int rowX[Keys::rowCount][Keys::longestRow] = {
    {41, 75, 109, 143, 177, 211, 246, 280, 314, 348, 382, 416, 451},
    {84, 118, 152, 186, 220, 255, 289, 323, 357, 391, 425, 460},
    {94, 128, 162, 196, 230, 265, 299, 333, 367, 401, 435, 470},
    {86, 120, 154, 188, 222, 257, 291, 325, 359, 393, 427},
};

struct NamedKey {
    const char *name;
    const char *text;
    QRect geometry;
};

QPushButton *addButton(QFrame *frame, const QString &name, const QRect &geometry)
{
    auto *button = new QPushButton(frame);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}
}

QFrame *build(QWidget *parent, const Options &options)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName("frame");
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Raised);
    frame->setMidLineWidth(0);
    frame->setMinimumSize(0, 10);
    frame->setMaximumSize(800, 190);
    frame->setStyleSheet(QString(styleSheet) + options.extraStyle);

    for (int row = 1; row <= Keys::rowCount; ++row)
        for (int column = 1; column <= Keys::rowLength(row); ++column) {
            QPushButton *key = addButton(frame, "PushButton_" + Keys::idFor(row, column),
                                         QRect(rowX[row - 1][column - 1], rowY[row - 1], 32, 32));
            key->setMinimumSize(32, 32);
            key->setMaximumSize(32, 32);
            // A picture of the physical keys: captions as typed, brackets
            // not mirrored by an Arabic window.
            key->setLayoutDirection(Qt::LeftToRight);
        }

    const NamedKey named[] = {
        {"pushButton_16", "BACK", QRect(486, 11, 60, 32)},
        {"pushButton_48", "TAB", QRect(41, 47, 40, 32)},
        {"pushButton_19", nullptr, QRect(495, 46, 48, 32)},
        {"pushButton_24", "Enter", QRect(504, 46, 41, 68)},
        {"pushButton_38", "CAPS", QRect(41, 82, 50, 32)},
        {options.ctrlName, "CTRL", QRect(42, 117, 40, 32)},
        {"PushButton_Shift", "SHIFT", QRect(461, 117, 85, 32)},
        {"Space", nullptr, QRect(159, 154, 281, 32)},
    };
    for (const NamedKey &n : named) {
        QPushButton *button = addButton(frame, n.name, n.geometry);
        if (n.text)
            button->setText(QCoreApplication::translate(options.context, n.text));
    }
    frame->findChild<QPushButton *>("pushButton_19")->setStyleSheet("QPushButton:enabled {\n    color: black;\n }\n");
    // The two halves of the Enter key: the lower one is drawn over the upper.
    frame->findChild<QPushButton *>("pushButton_24")->raise();
    return frame;
}

QPushButton *key(QWidget *root, const QString &id)
{
    return root->findChild<QPushButton *>("PushButton_" + id);
}

QString shownCaption(const QString &caption)
{
    QString shown = caption;
    shown.replace('&', "&&"); // a lone "&" would mark a mnemonic and vanish
    if (!shown.isEmpty() && shown.at(0).category() == QChar::Mark_NonSpacing)
        shown.prepend(QChar(0x25CC)); // a bare haraka needs a carrier to be seen
    for (const QChar c : caption)
        if (c.hasMirrored()) { // an Arabic window would draw "(" as ")"
            shown = QChar(0x202A) + shown + QChar(0x202C);
            break;
        }
    return shown;
}

void setCaptions(QWidget *root, int layer)
{
    if (layer < 0 || layer > 2)
        return;
    for (const QString &id : Keys::characterKeyIds())
        if (QPushButton *button = key(root, id))
            button->setText(shownCaption(Keys::caption(static_cast<Keys::Layer>(layer), id)));
}

// The text a key shows, read back as the caption it shows (shownCaption undone).
QString caption(const QPushButton *button)
{
    QString text = button->text();
    if (text.size() >= 2 && text.startsWith(QChar(0x202A)) && text.endsWith(QChar(0x202C)))
        text = text.mid(1, text.size() - 2);
    if (text.size() >= 2 && text.at(0) == QChar(0x25CC) && text.at(1).category() == QChar::Mark_NonSpacing)
        text.remove(0, 1);
    return text.replace(QLatin1String("&&"), QLatin1String("&"));
}
}
