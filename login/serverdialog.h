#pragma once

#include <QDialog>

class QLineEdit;

// Asks for a users database on a PostgreSQL server: its libpq connection
// URI or service name. Object names: "MyServer", the field "serverlocation",
// the buttons "serverok" and "servercancel".
class ServerDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ServerDialog(QWidget *parent);
    QString location() const;

    // Connects once to the server (making its tables where the user may) and
    // checks it is a users database; when the server wants a password that no
    // password file gives, asks for it once per program run. Empty when the
    // database can be used, else what is wrong, in words.
    static QString check(const QString &location, QWidget *parent);

private:
    QLineEdit *field;
};
