#include "login/login.h"

#include "app/clocktimer.h"
#include "app/messages.h"
#include "app/slotsbyname.h"
#include "app/translate.h"
#include "login/browse.h"
#include "login/passwordhint.h"
#include "mainmenu/harforamain.h"
#include "store/databasefiles.h"
#include "store/dbstuff.h"
#include "store/passwordhash.h"
#include "store/serverlocation.h"
#include "store/session.h"
#include "store/usernames.h"
#include "store/usersfile.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpacerItem>

namespace {
bool ready = false;
}

bool Login::loginReady()
{
    return ready;
}

Login::Login(int flag, QWidget *parent) : QWidget(parent)
{
    buildForm();
    setTexts(false);
    key->setEnabled(false);
    loginpassword->setEchoMode(QLineEdit::Password);
    loginpassword->setProperty("mandatoryField", true);
    SlotsByName::connect(this);
    logincurrentusers->installEventFilter(this);
    connect(loginpassword, &QLineEdit::returnPressed, loginbutton, &QPushButton::click);

    if (flag == 0)
        fillLanguageList();

    if (DatabaseFiles::checkFiles() != DatabaseFiles::Startup::Ready) {
        QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection);
        return;
    }
    loadData(1);
    loadData(2);
    ready = true;

    for (int i = 0; i < langlist->count(); ++i)
        if (langlist->itemText(i).contains("English")) {
            if (langlist->currentIndex() == i)
                on_langlist_currentIndexChanged(i);
            else
                langlist->setCurrentIndex(i);
            break;
        }
    showDefaultPasswordHint();
}

void Login::setTexts(bool capitalised)
{
    setWindowTitle(tr("Login"));
    loginbrowse->setText(tr("..."));
    loginserver->setText(tr("Server"));
    loginserver->setToolTip(tr("Add a users database on a PostgreSQL server"));
    label_3->setText(tr("Database"));
    label_2->setText(tr("Password"));
    label_6->setText(tr("Username"));
    logincreateuser->setText(capitalised ? tr("Create User") : tr("Create user"));
    logindeleteuser->setText(capitalised ? tr("Delete User") : tr("Delete user"));
    loginchangepassword->setText(capitalised ? tr("Change Password") : tr("Change password"));
    loginbutton->setText(tr("LOGIN"));
    if (hintLabel)
        hintLabel->retranslate();
}

void Login::fillLanguageList()
{
    filling = true;
    for (const QString &languageKey : translate::availableLanguages()) {
        languageLabels.append(Catalogue::labelForKey(languageKey));
        languageKeys.append(languageKey);
    }
    QStringList sorted = languageLabels;
    sorted.sort();
    langlist->addItems(sorted);
    langlist->setMaxVisibleItems(3);
    filling = false;
}

void Login::loadData(int mode)
{
    if (mode == 1) {
        logindBList->addItem("Localhost");
        QPointer<QStringListModel> paths = dB_Stuff().loadModel(1);
        for (const QString &path : paths->stringList())
            if (ServerLocation::isServer(path) ? ServerLocation::parse(path).valid()
                                               : QFileInfo(QDir::toNativeSeparators(path)).isFile() &&
                                                     path.toLower().endsWith(".db"))
                addDatabaseEntry(path);
        delete paths;
    } else if (mode == 2) {
        // Parented to the combo box, the previous model is deleted by setModel.
        dB_Stuff store;
        QPointer<QStringListModel> users = store.loadModel(2);
        usersUnread = store.failed();
        users->setParent(logincurrentusers);
        logincurrentusers->setModel(users);
        DatabaseFiles::repairUsersDatabase();
    }
}

QString Login::selectedUser() const
{
    return logincurrentusers->currentText();
}

void Login::reloadUsersIfUnread()
{
    if (usersUnread && ready)
        loadData(2);
}

// Shown again after a logout: the next person at the machine must type
// their own password.
void Login::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) // not when restored from the task bar
        loginpassword->clear();
    QWidget::showEvent(event);
}

bool Login::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == logincurrentusers &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress))
        reloadUsersIfUnread();
    return QWidget::eventFilter(watched, event);
}

// The name as stored, or empty (after saying why) when it may not be used.
QString Login::acceptedNewName(const QString &typed)
{
    const QString name = UserNames::cleaned(typed);
    if (name.isEmpty())
        Messages::warning(nullptr, tr("Error"), tr("New user name can not be empty"));
    else if (UserNames::hasInvisible(name))
        Messages::warning(nullptr, tr("Error"),
                          tr("The user name holds invisible or direction-control characters. "
                             "Please type it without them."));
    else
        return name;
    return QString();
}

void Login::on_logindBList_currentIndexChanged(int index)
{
    // A server is listed by its host and database; the item keeps its URI.
    const QString entry = logindBList->itemData(index).toString().isEmpty() ? logindBList->itemText(index)
                                                                            : logindBList->itemData(index).toString();
    if (index < 0)
        return;
    Store::usersDbPath = entry == "Localhost" ? QDir::toNativeSeparators(Store::dataFolder + "/" + "Users.dB")
                                              : entry;
    if (ready && (!ServerLocation::isServer(entry) || serverAnswers(entry)))
        loadData(2);
}

void Login::on_langlist_currentIndexChanged(int index)
{
    if (filling || index < 0)
        return;
    const QString label = langlist->itemText(index);
    titleLabel->setText(Catalogue::titleForLabel(label));
    translate::applyLanguage(languageKeys.value(languageLabels.indexOf(label)));
    QGuiApplication::setLayoutDirection(Catalogue::directionForLabel(label, translate::catalogueBaseNames()));
    setTexts(true);
}

void Login::showDefaultPasswordHint()
{
    if (logincurrentusers->findText(Store::defaultUser, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        return;
    if (dB_Stuff().checkPassword(Store::defaultUser, passwordHash(Store::defaultPassword)) != 0)
        return;
    hintLabel = new DefaultPasswordHint(this);
    hintLabel->show();
    auto *timer = new ClockTimer(this);
    connect(timer, &ClockTimer::timeout, hintLabel.data(), &QLabel::close);
    connect(timer, &ClockTimer::timeout, timer, &QObject::deleteLater);
    timer->start(10000);
}

bool Login::checkCurrentPassword()
{
    if (loginpassword->text().isEmpty()) {
        Messages::warning(nullptr, tr("Current password"), tr("Your current password in the password field is empty"));
        return true;
    }
    reloadUsersIfUnread();
    const int result = dB_Stuff().checkPassword(selectedUser(), passwordHash(loginpassword->text()));
    if (result == 1)
        Messages::warning(nullptr, tr("Error"), tr("Wrong login password, please correct it"));
    else if (result == 2)
        Messages::warning(nullptr, tr("Error"), tr("Could not connect to database"));
    return result != 0;
}

void Login::on_loginbutton_clicked()
{
    if (checkCurrentPassword())
        return;
    Store::currentUser = selectedUser();
    auto *menu = new HarforaMain(nullptr);
    menu->loginWindow = this;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    hide();
    menu->show();
}

void Login::on_loginchangepassword_clicked()
{
    if (!checkCurrentPassword())
        userDialog(1);
}

void Login::on_logincreateuser_clicked()
{
    userDialog(2);
}

int Login::userDialog(int mode)
{
    QDialog dialog(this);
    dialog.setObjectName("mywindow");
    dialog.setWindowModality(Qt::ApplicationModal);
    auto *grid = new QGridLayout(&dialog);
    auto edit = [&](const char *name, bool password) {
        auto *line = new QLineEdit(&dialog);
        line->setObjectName(name);
        line->setProperty("mandatoryField", true);
        if (password)
            line->setEchoMode(QLineEdit::Password);
        return line;
    };
    QLineEdit *name = edit("newusername", false);
    QLineEdit *password = edit("newpassword", true);
    QLineEdit *confirm = edit("confirmpassword", true);
    auto *ok = new QPushButton(tr("OK"));
    ok->setObjectName("okbutton");
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::close);
    int row = 1;
    if (mode == 2) {
        grid->addWidget(new QLabel(tr("New user name")), row, 0);
        grid->addWidget(name, row++, 1, 1, 2);
    } else {
        name->hide();
    }
    grid->addWidget(new QLabel(tr("New password")), row, 0);
    grid->addWidget(password, row++, 1, 1, 2);
    grid->addWidget(new QLabel(tr("Confirm password")), row, 0);
    grid->addWidget(confirm, row++, 1, 1, 2);
    grid->addWidget(ok, row, 2);

    if (dialog.exec() != QDialog::Accepted)
        return 2;
    return applyUserDialog(mode, name->text(), password->text(), confirm->text());
}

// What the user dialog asked for: 1 a changed password, 2 a new user.
int Login::applyUserDialog(int mode, const QString &newName, const QString &newPassword, const QString &confirmation)
{
    if (newPassword.isEmpty() || confirmation.isEmpty()) {
        Messages::warning(nullptr, tr("Error"), tr("Password can not be empty"));
        return 1;
    }
    if (newPassword != confirmation) {
        Messages::warning(nullptr, tr("Error"), tr("Password and password confirmation are not identical."));
        return 1;
    }
    if (mode == 1) {
        if (dB_Stuff().changePassword(selectedUser(), passwordHash(loginpassword->text()),
                                      passwordHash(newPassword)) == 0) {
            Messages::information(nullptr, tr("Done"), tr("Password changed sucessfully"));
            loginpassword->setText(newPassword);
        }
        return 0;
    }
    const QString name = acceptedNewName(newName);
    if (name.isEmpty())
        return 3;
    dB_Stuff().createUser(name, passwordHash(newPassword));
    loadData(2);
    // The account just made, letter for letter: a refused name selects nothing else.
    const int found = logincurrentusers->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found >= 0)
        logincurrentusers->setCurrentIndex(found);
    loginpassword->clear();
    return 0;
}

void Login::on_logindeleteuser_clicked()
{
    const QString name = selectedUser();
    const QString question = tr("Delete the account %1 with its settings and activity log?").arg(name);
    if (Messages::question(nullptr, tr("Delete user"), question, QMessageBox::Yes | QMessageBox::No,
                           QMessageBox::No) != QMessageBox::Yes)
        return;
    if (dB_Stuff().deleteUser(name, loginpassword->text()) == 0) {
        loadData(2);
        loginpassword->clear();
    }
}

void Login::on_loginbrowse_clicked()
{
    QString chosen;
    {
        Browse browse("Users.dB", Store::dataFolder, this);
        browse.setObjectName("MyBrowse");
        if (browse.exec() != QDialog::Accepted || browse.resultPath.isEmpty())
            return;
        chosen = browse.resultPath;
    }
    const QString local = QDir::toNativeSeparators(Store::dataFolder + "/" + "Users.dB");
    if (QDir::toNativeSeparators(chosen) == local) {
        Messages::information(nullptr, "Already Exist", "Selected file is the same as Localhost in the drop list");
        return;
    }
    for (int i = 1; i < logindBList->count(); ++i)
        if (logindBList->itemText(i) == chosen) {
            Messages::information(nullptr, tr("Already Exist"), tr("Selected file already exists in the drop list"));
            return;
        }
    addBrowsedFile(chosen);
}

// Checked before anything opens it for writing: a refused file is listed for
// this run but neither chosen nor stored, and stays as it was.
void Login::addBrowsedFile(const QString &path)
{
    const QString problem = UsersFile::problem(path);
    logindBList->addItem(path);
    if (!problem.isEmpty()) {
        Messages::warning(nullptr, tr("Error"), problem);
        return;
    }
    dB_Stuff().addDatabasePath(path, Store::settingsDbPath);
    logindBList->setCurrentIndex(logindBList->count() - 1);
}

