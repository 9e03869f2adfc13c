#pragma once

#include "app/catalogues.h"
#include "app/notices.h"

#include <QGuiApplication>
#include <QList>
#include <QString>
#include <QtTest>

// The texts of recorded messages or notices.
template <class Recorded> QStringList textsOf(const QList<Recorded> &recorded)
{
    QStringList list;
    for (const Recorded &m : recorded)
        list.append(m.text);
    return list;
}

// Records every notice of the store instead of logging it.
class NoticeRecorder
{
public:
    struct Notice {
        Notices::Kind kind;
        QString title;
        QString text;
    };
    NoticeRecorder();
    ~NoticeRecorder();
    QList<Notice> messages;
    QStringList texts() const { return textsOf(messages); }
    void clear() { messages.clear(); }
    bool contains(const QString &text) const { return texts().contains(text); }

private:
    Notices::Sink previous;
};

namespace TestSupport {
// Set-up shared by every test executable: offscreen platform, test-mode
// standard paths, our names, resources and catalogues.
void prepareEnvironment();
void initCore();
}

// main() of a test executable: its application object, then the set-up.
#define HARFORA_TEST_MAIN_OF(Application, initialise, TestObject)                                   \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        TestSupport::prepareEnvironment();                                                         \
        Application app(argc, argv);                                                               \
        TestSupport::initialise();                                                                 \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
// For the tests of the library without windows.
#define HARFORA_CORE_TEST_MAIN(TestObject) HARFORA_TEST_MAIN_OF(QGuiApplication, initCore, TestObject)
