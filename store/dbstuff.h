#pragma once

#include <QPointer>
#include <QSqlDatabase>
#include <QStringListModel>
#include <QObject>

class QSqlError;

// Database access for one operation: create it, call one operation, delete
// it. Each operation opens the one default connection, points it at the file
// it needs, runs its statements with bound values, closes and removes the
// connection, and reports its own failures in a message box.
class dB_Stuff : public QObject
{
    Q_OBJECT
public:
    explicit dB_Stuff(QObject *parent = nullptr);
    ~dB_Stuff() override;

    void openConnection();
    // Closes and removes the default connection; a server connection that
    // works stays open for the next operation (dropParked closes it).
    void closeConnection();
    static void dropParked();
    static bool connectionAdded();
    // How long an operation waits for another program's lock before it
    // fails (5 s); tests shorten it.
    static void setBusyTimeout(int ms);
    static int busyTimeout();
    // True when the last loadModel could not read its rows (the list shown
    // is then empty or short and worth reading again).
    bool failed() const { return readFailed; }

    // 1: stored database paths of Setting.dB; 2: user names of the users
    // database in use. The model belongs to the caller; the file stays open.
    QPointer<QStringListModel> loadModel(int which);
    QString infoValue(const QString &parameter, const QString &file);

    void createUser(const QString &name, const QString &hash, bool silent = false);
    int checkPassword(const QString &name, const QString &hash);
    int changePassword(const QString &name, const QString &oldHash, const QString &newHash);
    int deleteUser(const QString &name, const QString &password);
    QString userSetting(const QString &item, const QString &value, int mode);
    void addDatabasePath(const QString &path, const QString &settingsFile);
    void logActivity(const QString &topic, const QString &log1, const QString &log2, const QString &log3,
                     const QString &log4, const QString &log5, const QString &log6);
    // Logs a row unless its key equals `lastKey` (the same result is never
    // logged twice in a row); a logged key becomes `lastKey`. True if logged.
    bool logActivityOnce(const QString &key, QString &lastKey, const QString &topic, const QString &log1,
                         const QString &log2, const QString &log3, const QString &log4,
                         const QString &log5 = QString(), const QString &log6 = QString());

    // Points the connection at a users database, a file or a server location
    // (store/serverlocation.h), and checks that it really is one we can read;
    // on failure `problem` says why, in words. A read-only open never writes,
    // not even a journal. Opening a server sends the rows queued for it.
    bool openFile(const QString &path, QString *problem = nullptr, bool readOnly = false);
    static QString describe(const QSqlError &error);

private:
    void openConnection(const QString &driver);
    bool openUsers();
    void logToServer(QStringList values);
    QSqlError insertServerRow(const QStringList &values);
    void sendQueuedRows(const QString &location);
    void reportWriteFailure(const QSqlError &error);
    void reportReadFailure(const QString &what, const QSqlError &error);
    bool insertNewUser(const QString &name, const QString &hash, QSqlError *failure);
    void finish();

    QSqlDatabase *db = nullptr;
    QSqlDatabase handle;
    bool readFailed = false;
};
