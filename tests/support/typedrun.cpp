#include "tests/support/typedrun.h"

#include "keyboard/keyids.h"
#include "keyboard/scancode.h"
#include "practice/typingrun.h"
#include "store/dbstuff.h"

namespace TypedRun {

QString plain(const QString &id)
{
    return Keys::caption(Keys::Layer::Plain, id);
}

void log(const QString &lesson, const QString &text, const QString &strokes, int seconds)
{
    TypingRun::FingerStats fingers[10];
    TypingRun run(fingers);
    PracticeText::Lines lines;
    QStringList characters;
    for (const QString &id : text.split(QLatin1Char(' ')))
        characters.append(id == QLatin1String("_") ? QStringLiteral(" ") : plain(id));
    lines.characters.append(characters);
    lines.kinds.append(PracticeText::AsWritten);
    run.load(lines);
    run.resume();
    for (const QString &id : strokes.split(QLatin1Char(' ')))
        run.press(ScanCodes::keyName(Keys::scanCodeForKeyId(id), false));
    for (int i = 0; i < seconds; ++i)
        run.tick();
    const QStringList row = run.evaluation(lesson);
    dB_Stuff().logActivity(row[0], row[1], row[2], row[3], row[4], row[5], row[6]);
}
}
