#include "login/serverdialog.h"

#include "store/dbstuff.h"
#include "store/serverlocation.h"
#include "store/usersfile.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ServerDialog::ServerDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MyServer"));
    setWindowTitle(tr("Server database"));
    setWindowModality(Qt::ApplicationModal);
    auto *grid = new QGridLayout(this);
    auto *label = new QLabel(tr("PostgreSQL connection URI or service name, for example\n"
                                "postgresql://server:5432/harfora?user=learner&sslmode=require\n"
                                "The password comes from the password file or is asked once."));
    label->setWordWrap(true);
    field = new QLineEdit;
    field->setObjectName(QStringLiteral("serverlocation"));
    field->setProperty("mandatoryField", true);
    field->setMinimumWidth(420);
    auto *ok = new QPushButton(tr("OK"));
    ok->setObjectName(QStringLiteral("serverok"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(tr("Cancel"));
    cancel->setObjectName(QStringLiteral("servercancel"));
    grid->addWidget(label, 0, 0, 1, 3);
    grid->addWidget(field, 1, 0, 1, 3);
    grid->addWidget(ok, 2, 1);
    grid->addWidget(cancel, 2, 2);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString ServerDialog::location() const
{
    return field->text().trimmed();
}

namespace {
QString tryOpen(const QString &location)
{
    QString why;
    dB_Stuff store;
    store.openFile(location, &why);
    store.closeConnection();
    return why.isEmpty() ? UsersFile::problem(location) : why;
}
}

QString ServerDialog::check(const QString &location, QWidget *parent)
{
    QString problem;
    if (!ServerLocation::parse(location, &problem).valid())
        return problem;
    problem = tryOpen(location);
    const bool passwordRefused = problem.contains(
        QCoreApplication::translate("dB_Stuff", "The server refused the user name or password."));
    if (!passwordRefused || !ServerPasswords::of(location).isEmpty())
        return problem;
    bool given = false;
    const QString password =
        QInputDialog::getText(parent, tr("Server password"),
                              tr("Password for %1 (kept only until the program ends):")
                                  .arg(ServerLocation::parse(location).label()),
                              QLineEdit::Password, QString(), &given);
    if (!given)
        return problem;
    ServerPasswords::remember(location, password);
    problem = tryOpen(location);
    if (!problem.isEmpty())
        ServerPasswords::remember(location, QString());
    return problem;
}
