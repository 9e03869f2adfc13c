#include "tests/support/coresupport.h"

#include "app/resources.h"

#include <QStandardPaths>

NoticeRecorder::NoticeRecorder()
{
    previous = Notices::setSink([this](Notices::Kind kind, const QString &title, const QString &text) {
        messages.append({kind, title, text});
    });
}

NoticeRecorder::~NoticeRecorder()
{
    Notices::setSink(previous);
}

namespace TestSupport {

void prepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
}

void initCore()
{
    QCoreApplication::setOrganizationName("Velmonde");
    QCoreApplication::setApplicationName("Harfora");
    Resources::registerAll();
    Catalogues::load(QDir(":/tr/lang/"));
}
}
