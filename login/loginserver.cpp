// The login window's server databases: registering one by URI or service
// name and listing it by host and database name.
#include "login/login.h"

#include "app/messages.h"
#include "login/serverdialog.h"
#include "store/dbstuff.h"
#include "store/serverlocation.h"
#include "store/session.h"

#include <QComboBox>
#include <QStringListModel>

// Files are listed by their path, servers by host and database name.
void Login::addDatabaseEntry(const QString &location)
{
    if (ServerLocation::isServer(location))
        logindBList->addItem(ServerLocation::parse(location).label(), location);
    else
        logindBList->addItem(location);
}

void Login::on_loginserver_clicked()
{
    QString location;
    {
        ServerDialog dialog(this);
        if (dialog.exec() != QDialog::Accepted || dialog.location().isEmpty())
            return;
        location = dialog.location();
    }
    addServerDatabase(location);
}

// Stored only once the server answered and holds a users database; a
// server that cannot be reached leaves the list as it was.
void Login::addServerDatabase(const QString &location)
{
    if (logindBList->findData(location) >= 0) {
        Messages::information(nullptr, tr("Already Exist"), tr("Selected file already exists in the drop list"));
        return;
    }
    const QString problem = ServerDialog::check(location, this);
    if (!problem.isEmpty()) {
        Messages::warning(nullptr, tr("Error"), problem);
        return;
    }
    dB_Stuff().addDatabasePath(location, Store::settingsDbPath);
    addDatabaseEntry(location);
    logindBList->setCurrentIndex(logindBList->count() - 1);
}

// A server chosen in the list is reached once first: a password that no
// file gives is asked here, and a server that does not answer is said once
// (within seconds) and lists no users.
bool Login::serverAnswers(const QString &location)
{
    const QString problem = ServerDialog::check(location, this);
    if (problem.isEmpty())
        return true;
    Messages::warning(nullptr, tr("Error"), problem);
    logincurrentusers->setModel(new QStringListModel(logincurrentusers));
    return false;
}
