#include "practice/practicesession.h"

PracticeSession &PracticeSession::current()
{
    static PracticeSession session;
    return session;
}

void PracticeSession::startWindow()
{
    for (TypingStats::FingerStats &f : fingerStats)
        f = TypingStats::FingerStats();
    guideActive = false;
    guideVisible = false;
}
