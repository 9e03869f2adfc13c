#pragma once

#include "app/clock.h"
#include "mainmenu/harforamain.h"
#include "practice/practising.h"
#include "tests/support/loggedin.h"

#include <QPushButton>
#include <QTextBrowser>

// A logged-in learner's start menu and the practice window opened from it,
// each case on an empty activity log with no message recorded. The clock is
// the test's from the start: it moves only when a case advances it.
struct PracticeDesk {
    struct ManualClock {
        ManualClock() { Clock::setManual(true); }
    } clock;
    LoggedIn session;
    HarforaMain *menu = nullptr;
    QPointer<practising> window;

    void reset()
    {
        menu = new HarforaMain(nullptr);
        menu->loginWindow = session.login;
        session.login->lastActivityKey.clear();
        Inspector(Store::usersDbPath).exec("DELETE FROM activitylog");
        session.recorder.clear();
    }
    // Closes every window the case opened, then the menu.
    void clear()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != session.login && w != menu && w->isVisible())
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete menu;
    }
    // A practice window on lessons `first` to `last` (0: all), as the menu opens it.
    void open(int first, int last = 0)
    {
        window = new practising(true, first, last, nullptr);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->startMenu = menu;
        window->loginWindow = session.login;
        window->show();
    }
    // The practice window the last action opened, if any.
    practising *opened()
    {
        window = shownWindows<practising>().value(0);
        return window;
    }
    QTextBrowser *editor() const { return window->textView(); }
    QPushButton *button(const char *name) const { return window->findChild<QPushButton *>(name); }
};
