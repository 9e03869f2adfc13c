#pragma once

#include <QObject>

class QTimer;

// A timer that follows Clock, single-shot unless told to repeat. While the
// clock runs it is a QTimer; once tests stop the clock it fires only when
// Clock::advance() passes its deadline, so no test waits for it.
class ClockTimer : public QObject
{
    Q_OBJECT
public:
    explicit ClockTimer(QObject *parent = nullptr);
    ~ClockTimer() override;

    void setSingleShot(bool singleShot);
    void start(int ms);
    void stop();
    bool isActive() const;
    int interval() const { return every; }
    // Fires, in deadline order, every stopped-clock timer that is due (Clock::advance calls it).
    static void fireDue();

signals:
    void timeout();

private:
    void expire();

    QTimer *timer;
    qint64 deadline = -1; // on the stopped clock; -1 when not waiting there
    int every = 0;
    bool repeating = false;
};
