#pragma once

#include "login/login.h"
#include "tests/store/storefixture.h"
#include "tests/support/testsupport.h"

// A fresh profile with its login window and "user1" logged in, for the
// windows that open after login.
struct LoggedIn {
    LoggedIn()
    {
        freshProfile(home);
        login = new Login(0, nullptr);
        Store::currentUser = "user1";
    }
    ~LoggedIn() { delete login; }
    QTemporaryDir home;
    MessageRecorder recorder;
    Login *login = nullptr;
};
