#pragma once

#include <QObject>

class QTimer;

// A single-shot timer that follows Clock. While the clock runs it is a
// QTimer; once tests stop the clock it fires only when Clock::advance()
// passes its deadline, so no test waits for it.
class ClockTimer : public QObject
{
    Q_OBJECT
public:
    explicit ClockTimer(QObject *parent = nullptr);
    ~ClockTimer() override;

    void start(int ms);
    void stop();
    bool isActive() const;
    // Fires, in deadline order, every stopped-clock timer that is due (Clock::advance calls it).
    static void fireDue();

signals:
    void timeout();

private:
    void expire();

    QTimer *timer;
    qint64 deadline = -1; // on the stopped clock; -1 when not waiting there
};
