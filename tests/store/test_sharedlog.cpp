#include "app/catalogues.h"
#include "tests/store/storefixture.h"
#include "tests/support/coresupport.h"

#include <QElapsedTimer>
#include <QProcess>

// Four programs write to one users database at once, as in a classroom that
// shares the file: every row must arrive.
class TestSharedLog : public QObject
{
    Q_OBJECT
private slots:
    void fourWritersLoseNothing()
    {
        QTemporaryDir home;
        freshProfile(home);
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
        const QString writer = QCoreApplication::applicationDirPath() + "/logwriter";
        const int processes = 4, rowsEach = 500;
        QList<QProcess *> running;
        QElapsedTimer clock;
        clock.start();
        for (int p = 0; p < processes; ++p) {
            auto *process = new QProcess(this);
            process->setProcessChannelMode(QProcess::ForwardedChannels);
            process->start(writer, {Store::usersDbPath, QString("writer%1").arg(p), QString::number(rowsEach)});
            running.append(process);
        }
        for (QProcess *process : running) {
            QVERIFY(process->waitForFinished(240000));
            QCOMPARE(process->exitCode(), 0);
        }
        const qint64 ms = clock.elapsed();
        Inspector db(Store::usersDbPath);
        QCOMPARE(db.value("SELECT count(*) FROM activitylog WHERE topic='Load'").toInt(), processes * rowsEach);
        QCOMPARE(db.value("SELECT count(DISTINCT username || log1) FROM activitylog").toInt(), processes * rowsEach);
        qInfo("%d processes x %d rows: all %d rows stored in %lld ms (%.2f ms per row)", processes, rowsEach,
              processes * rowsEach, ms, double(ms) / (processes * rowsEach));
    }
};

HARFORA_CORE_TEST_MAIN(TestSharedLog)
#include "test_sharedlog.moc"
