#include "app/notices.h"

#include <QDebug>

namespace Notices {
namespace {
Sink &current()
{
    static Sink sink;
    return sink;
}

void send(Kind kind, const QString &title, const QString &text)
{
    if (current())
        current()(kind, title, text);
    else
        qWarning().noquote() << title << ':' << text;
}
}

Sink setSink(Sink sink)
{
    Sink previous = current();
    current() = std::move(sink);
    return previous;
}

void warning(const QString &title, const QString &text)
{
    send(Kind::Warning, title, text);
}

void information(const QString &title, const QString &text)
{
    send(Kind::Information, title, text);
}
}
