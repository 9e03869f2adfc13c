#include "practice/practising.h"

#include "app/resources.h"

#include <QGridLayout>
#include <QLCDNumber>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTextBrowser>

// The practice window's form: header, text, buttons and displays.
namespace {
const char formStyle[] = "\n#lcdspeed \n{\ncolor: red;\n}\n#lcdcorrect{\ncolor: green;\n}\n#lcdtimer\n{\ncolor: blue;\n}";

QLCDNumber *lcd(const char *name, int digits, const QString &tip)
{
    auto *number = new QLCDNumber(digits);
    number->setObjectName(name);
    number->setSegmentStyle(QLCDNumber::Flat);
    number->setFrameShape(QFrame::NoFrame);
    number->setFixedSize(80, 80);
    number->setToolTip(tip);
    return number;
}
}

void practising::buildForm()
{
    setObjectName("practising");
    setWindowTitle(tr("Dialog"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // Smaller than before where a small screen needs it: the layout's own minimum.
    resize(800, 600);
    setFocusPolicy(Qt::ClickFocus);
    setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    setStyleSheet(formStyle);

    auto *grid = new QGridLayout(this);
    auto *header = new QHBoxLayout;
    lessonlbl = new QLabel(tr("Practise lesson number"));
    lessonlbl->setObjectName("lessonlbl");
    lessonlbl->setFont(QFont("Arial", 22));
    lessonnumber = new QLabel("1");
    lessonnumber->setObjectName("lessonnumber");
    QFont big = lessonnumber->font();
    big.setPointSize(26);
    lessonnumber->setFont(big);
    header->addStretch();
    header->addWidget(lessonlbl);
    header->addWidget(lessonnumber);
    header->addStretch();
    // Beside the text, not in the button row: eight columns would not fit a small screen.
    weak_Btn = new QPushButton(Resources::pngIcon(":/images/icons/learn1.PNG"), tr("Practise my weak keys"));
    weak_Btn->setObjectName("weak_Btn");
    weak_Btn->setIconSize(QSize(32, 32));
    weak_Btn->setToolTip(tr("A text made from the keys you miss most and type slowest"));
    header->addWidget(weak_Btn);
    grid->addLayout(header, 0, 0, 1, 7);

    editor = new QTextBrowser;
    editor->setObjectName("editor");
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setTabChangesFocus(false);
    editor->setOpenLinks(false);
    grid->addWidget(editor, 1, 0, 1, 7);
    buildControls(grid);
}

void practising::buildControls(QGridLayout *grid)
{
    struct Button {
        QPushButton **button;
        const char *name, *icon, *tip, *caption;
        const char *keys; // the keys that do the same, if any
    };
    const Button buttons[] = {
        {&previous_Btn, "previous_Btn", ":/images/icons/navigate-left-icon.png", QT_TR_NOOP("Train previus lesson"), QT_TR_NOOP("Previous"), nullptr},
        {&stop_Btn, "stop_Btn", ":/images/icons/pause-icon.png", QT_TR_NOOP("Stop training phase"), QT_TR_NOOP("Stop"), QT_TR_NOOP("(key: Escape)")},
        {&start_Btn_, "start_Btn_", ":/images/icons/navigate-up-icon.png", QT_TR_NOOP("Start training this lesson"), QT_TR_NOOP("Start"), QT_TR_NOOP("(keys: Enter or Space)")},
        {&next_Btn, "next_Btn", ":/images/icons/navigate-right-icon.png", QT_TR_NOOP("Train next lesson"), QT_TR_NOOP("Next "), nullptr},
    };
    int col = 0;
    for (const Button &b : buttons) {
        *b.button = new QPushButton;
        (*b.button)->setObjectName(b.name);
        (*b.button)->setIcon(QIcon(b.icon));
        (*b.button)->setIconSize(QSize(80, 80));
        const QString tip = b.keys ? tr(b.tip) + QLatin1Char(' ') + tr(b.keys) : tr(b.tip);
        (*b.button)->setToolTip(tip);
        (*b.button)->setStatusTip(tip);
        auto *caption = new QLabel(tr(b.caption));
        caption->setAlignment(Qt::AlignCenter);
        grid->addWidget(*b.button, 2, col);
        grid->addWidget(caption, 3, col++);
    }
    lcdspeed = lcd("lcdspeed", 3, tr("Typing speed"));
    lcdcorrect = lcd("lcdcorrect", 3, tr("Percentage correct writing"));
    lcdtimer = lcd("lcdtimer", 5, tr("Stop watch"));
    const QPair<QLCDNumber *, const char *> displays[] = {
        {lcdspeed, QT_TR_NOOP("Speed")}, {lcdcorrect, QT_TR_NOOP("Correct %")}, {lcdtimer, QT_TR_NOOP("Timer")}};
    for (const auto &d : displays) {
        auto *caption = new QLabel(tr(d.second));
        caption->setAlignment(Qt::AlignCenter);
        grid->addWidget(d.first, 2, col, Qt::AlignCenter);
        grid->addWidget(caption, 3, col++);
    }
}
