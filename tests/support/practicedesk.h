#pragma once

#include "app/clock.h"
#include "mainmenu/harforamain.h"
#include "practice/practising.h"
#include "login/login.h"
#include "tests/store/storefixture.h"
#include "tests/support/testsupport.h"

#include <QPushButton>
#include <QTextBrowser>

// A fresh profile with "user1" logged in, its start menu and the practice
// window opened from it, each case on an empty activity log with no message
// recorded. The clock is the test's from the start: it moves only when a
// case advances it.
struct PracticeDesk {
    PracticeDesk()
    {
        Clock::setManual(true);
        freshProfile(home);
        login = new Login(0, nullptr);
        Store::currentUser = "user1";
    }
    ~PracticeDesk() { delete login; }
    QTemporaryDir home;
    MessageRecorder recorder;
    Login *login = nullptr;
    HarforaMain *menu = nullptr;
    QPointer<practising> window;

    void reset()
    {
        menu = new HarforaMain(nullptr);
        menu->loginWindow = login;
        login->lastActivityKey.clear();
        Inspector(Store::usersDbPath).exec("DELETE FROM activitylog");
        recorder.clear();
    }
    // Closes every window the case opened, then the menu.
    void clear()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != login && w != menu && w->isVisible())
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
        window->loginWindow = login;
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
