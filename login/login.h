#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

class DefaultPasswordHint;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The first window: chooses the users database, the user and the language,
// manages accounts, and hands over to the start menu after a good password.
class Login : public QWidget
{
    Q_OBJECT
public:
    Login(int flag, QWidget *parent);

    // Key of the last activity-log row written by the lesson viewer or the
    // practice window; lives as long as this window.
    QString lastActivityKey;
    static bool loginReady();

private slots:
    void on_logincreateuser_clicked();
    void on_logindeleteuser_clicked();
    void on_loginbrowse_clicked();
    void on_loginserver_clicked();
    void on_loginbutton_clicked();
    void on_logindBList_currentIndexChanged(int index);
    void on_loginchangepassword_clicked();
    void on_langlist_currentIndexChanged(int index);

private:
    void buildForm();
    void buildFields();
    void buildHeader();
    void setTabOrders();
    void setTexts(bool capitalised);
    void loadData(int mode);
    bool checkCurrentPassword();
    int userDialog(int mode);
    int applyUserDialog(int mode, const QString &newName, const QString &newPassword, const QString &confirmation);
    void fillLanguageList();
    void showDefaultPasswordHint();
    QString selectedUser() const;
    QString acceptedNewName(const QString &typed);
    void reloadUsersIfUnread();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void addBrowsedFile(const QString &path);
    void addServerDatabase(const QString &location);
    void addDatabaseEntry(const QString &location);
    bool serverAnswers(const QString &location);

    QFrame *frame;
    QLabel *label_3, *label_6, *label_2;
    QComboBox *logindBList, *logincurrentusers, *langlist;
    QLineEdit *loginpassword;
    QPushButton *loginbrowse, *loginserver, *logincreateuser, *logindeleteuser, *loginchangepassword, *loginbutton, *key;
    QLabel *titleLabel, *versionLabel;
    QPointer<DefaultPasswordHint> hintLabel;
    bool filling = false;
    // The last user list could not be read (locked, damaged): read it again
    // when the list or the password is next used.
    bool usersUnread = false;
    QStringList languageLabels, languageKeys;
};
