// harfora-report DATABASE: the progress of every account of a users
// database as CSV on standard output (reports/classreport.h).
#include "reports/classreport.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout), errors(stderr);
    out.setCodec("UTF-8");
    errors.setCodec("UTF-8");
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2 || arguments[1].startsWith(QLatin1Char('-'))) {
        errors << "usage: harfora-report DATABASE\n"
                  "Prints the progress of every account of a Harfora users database as CSV.\n";
        return arguments.size() == 2 && (arguments[1] == QLatin1String("--help") || arguments[1] == QLatin1String("-h"))
                   ? 0
                   : 1;
    }
    return ClassReport::write(arguments[1], out, errors);
}
