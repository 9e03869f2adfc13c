// Preparation time of practice texts of growing size.
#include "bench/benchsupport.h"
#include "practice/textprep.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    struct Case {
        int kilobytes;
        bool drills;
    };
    for (const Case c : {Case{1, false}, Case{10, false}, Case{100, false}, Case{1024, false}, Case{1024, true}}) {
        const int kilobytes = c.kilobytes;
        // each character of a line is a 7-byte reference in the catalogue text
        const QString text = c.drills ? Bench::drillHtml(kilobytes * 1024 / 8) : Bench::practiceHtml(kilobytes * 1024 / 8);
        std::vector<double> times;
        const int runs = kilobytes >= 1024 ? 5 : kilobytes >= 100 ? 9 : 51;
        for (int i = 0; i < runs; ++i) {
            PracticeText::Lines lines;
            QElapsedTimer clock;
            clock.start();
            PracticeText::prepare(text, lines);
            times.push_back(clock.nsecsElapsed() / 1e6);
        }
        printf("textprep: %4d kB text of %s (%6.1f kB of HTML): median %8.3f ms over %d runs\n", kilobytes,
               c.drills ? "drill lines" : "word lines", text.size() / 1024.0, Bench::median(times), runs);
    }
    return 0;
}
