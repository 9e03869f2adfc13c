#include "mainmenu/harforamain.h"

#include "app/placement.h"
#include "app/screenfit.h"
#include "app/slotsbyname.h"
#include "games/gameselectionwindow.h"
#include "lessons/lessons.h"
#include "practice/practising.h"
#include "practice/leveltest.h"
#include "reports/reportswindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>

namespace {
struct MenuEntry {
    const char *button;
    const char *icon;
    const char *toolTip;
    const char *label;
    const char *caption;
};

const MenuEntry entries[] = {
    {"lessons", ":/images/icons/typing.png", QT_TRANSLATE_NOOP("HarforaMain", "Learn new lessons"), "label",
     QT_TRANSLATE_NOOP("HarforaMain", "Lessons")},
    {"training", ":/images/icons/typing-jpg.png", QT_TRANSLATE_NOOP("HarforaMain", "Keyboard training module"),
     "label_3", QT_TRANSLATE_NOOP("HarforaMain", "Training")},
    {"games", ":/images/icons/Joystick-icon1.png",
     QT_TRANSLATE_NOOP("HarforaMain", "Interactive typing training games"), "label_2",
     QT_TRANSLATE_NOOP("HarforaMain", "Games")},
    {"testings", ":/images/icons/student1.png",
     QT_TRANSLATE_NOOP("HarforaMain", "Take a test to estimate your current level"), "label_5",
     QT_TRANSLATE_NOOP("HarforaMain", "Tests")},
    {"report", ":/images/icons/graph-icon.png", nullptr, "label_4", QT_TRANSLATE_NOOP("HarforaMain", "Reports")},
    {"settings", ":/images/icons/Setting-icon.png", nullptr, "label_6", QT_TRANSLATE_NOOP("HarforaMain", "Settings")},
};
}

HarforaMain::HarforaMain(QWidget *parent) : QWidget(parent)
{
    setObjectName("HarforaMain");
    setWindowTitle(tr("Harfora Start Menu"));
    auto *grid = new QGridLayout;
    grid->setObjectName("TTmaingrid");
    // The strip is only 114 px high: tight margins keep the 80 px icons whole.
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(0);
    int column = 0;
    for (const MenuEntry &entry : entries) {
        auto *button = new QPushButton(this);
        button->setObjectName(entry.button);
        button->setIcon(QIcon(entry.icon));
        button->setIconSize(QSize(80, 80));
        button->setMaximumSize(column == 0 ? QSize(400, 112) : QSize(138, 112));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        if (entry.toolTip)
            button->setToolTip(tr(entry.toolTip));
        auto *caption = new QLabel(tr(entry.caption), this);
        caption->setObjectName(entry.label);
        caption->setAlignment(Qt::AlignCenter);
        grid->addWidget(button, 0, column);
        grid->addWidget(caption, 1, column);
        ++column;
    }
    setLayout(grid);

    setFixedSize(656, 114);
    move(0, 0);
    ScreenFit::install(this); // below a task bar at the top
    setWindowFlags((windowFlags() & ~Qt::WindowMaximizeButtonHint) | Qt::CustomizeWindowHint);
    SlotsByName::connect(this);
    chooseTestMinutes = [](QWidget *owner) {
        QStringList items;
        for (const int minutes : LevelTest::choices)
            items.append(tr("%1 min.").arg(minutes));
        bool chosen = false;
        const QString item = QInputDialog::getItem(owner, tr("Tests"), tr("How long shall the level test take?"), items, 0,
                                                   false, &chosen);
        return chosen ? LevelTest::choices[items.indexOf(item)] : 0;
    };
}

QPoint HarforaMain::chooserPosition(const QPushButton *button, int offset) const
{
    return QPoint(pos().x() + button->pos().x() - offset, pos().y() + height() - 22);
}

void HarforaMain::on_lessons_clicked()
{
    if (handedOverTo)
        return; // a second click while the menu is handing over
    closeChooser();
    auto *lessons = new Lessons(nullptr);
    lessons->callerWindow = this;
    lessons->activityKey.owner = loginWindow.data();
    handedOverTo = lessons;
    Placement::centre(lessons);
    lessons->show();
    hide();
}

practising *HarforaMain::openPractice()
{
    closeChooser();
    auto *practice = new practising(true, 1, 0, nullptr);
    practice->setAttribute(Qt::WA_DeleteOnClose);
    practice->startMenu = this;
    practice->loginWindow = loginWindow;
    handedOverTo = practice;
    hide();
    practice->show();
    return practice;
}

void HarforaMain::on_training_clicked()
{
    if (!handedOverTo)
        openPractice();
}

// Asked for by the Reports window: the practice window open already takes
// the text when it is idle, else a new one opens on it.
void HarforaMain::practiseWeakKeys()
{
    auto *open = qobject_cast<practising *>(handedOverTo.data());
    if (handedOverTo && !open)
        return; // the lesson viewer is in front
    practising *practice = open ? open : openPractice();
    if (!practice->isRunning())
        practice->practiseWeakKeys();
    practice->raise();
    practice->activateWindow();
}

// The level test runs in a practice window of its own, as training does.
void HarforaMain::on_testings_clicked()
{
    if (handedOverTo)
        return;
    const int minutes = chooseTestMinutes(this);
    if (minutes <= 0)
        return;
    practising *practice = openPractice();
    if (!practice->startLevelTest(minutes))
        practice->close();
}

// One chooser at a time: a second click brings back the one that is open.
bool HarforaMain::raiseChooser()
{
    if (!chooser)
        return false;
    QWidget *front = chooser.data();
    if (!front->isVisible())
        front = chooser->keyDialog();
    if (!front || !front->isVisible())
        return false; // closing or closed
    front->raise();
    front->activateWindow();
    return true;
}

void HarforaMain::closeChooser()
{
    if (chooser)
        chooser->close();
}

void HarforaMain::on_games_clicked()
{
    if (raiseChooser())
        return;
    gameSelection = 0;
    const QPoint at = chooserPosition(findChild<QPushButton *>("games"), 163);
    chooser = new GameSelectionWindow(at.x(), at.y(), 0, nullptr);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &GameSelectionWindow::SendGameSelectionBackToTypingMain, this,
            &HarforaMain::From_Game_Show_GetSelection);
    connect(chooser, &GameSelectionWindow::hideTypingMain, this, &HarforaMain::hideme);
    connect(chooser, &GameSelectionWindow::showTypingmain, this, &HarforaMain::showme);
    // Measured from the button's own left edge, which right-to-left layout puts
    // near the screen's left edge: the page's own screen fit keeps it on the screen.
    chooser->show();
}

void HarforaMain::on_report_clicked()
{
    if (reports) {
        reports->raise();
        reports->activateWindow();
        return;
    }
    auto *window = new ReportsWindow(nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->load();
    connect(window, &ReportsWindow::weakKeyPracticeWanted, this, &HarforaMain::practiseWeakKeys);
    reports = window;
    Placement::centre(window);
    window->show();
}

void HarforaMain::on_settings_clicked()
{
    const QPoint at = chooserPosition(findChild<QPushButton *>("settings"), 58);
    GameSelectionWindow page(at.x(), at.y(), 2, nullptr);
    page.exec();
}

void HarforaMain::From_Game_Show_GetSelection(int x, QStringList)
{
    gameSelection = x;
    if (x == 1 || x == 2)
        show();
}

void HarforaMain::hideme()
{
    hide();
}

void HarforaMain::showme()
{
    show();
}

// Closing the menu ends the session: nothing it opened may go on acting
// for the user who has left.
void HarforaMain::closeEvent(QCloseEvent *event)
{
    closeChooser();
    if (handedOverTo)
        handedOverTo->close();
    if (reports)
        reports->close(); // the next learner does not see this one's report
    if (loginWindow)
        loginWindow->show();
    event->accept();
}
