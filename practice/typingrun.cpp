#include "practice/typingrun.h"

#include "keyboard/keyids.h"
#include "practice/fingers.h"

#include <algorithm>

TypingRun::TypingRun(FingerStats *fingerSlots) : stats(fingerSlots) {}

void TypingRun::load(const PracticeText::Lines &lines)
{
    text = lines;
    plainKeys.clear();
    shiftKeys.clear();
    for (const QString &id : Keys::characterKeyIds()) {
        const QString plain = Keys::caption(Keys::Layer::Plain, id);
        const QString shifted = Keys::caption(Keys::Layer::Shift, id);
        if (!plainKeys.contains(plain))
            plainKeys.insert(plain, id);
        // a blank Shift caption types nothing
        if (!shifted.trimmed().isEmpty() && !shiftKeys.contains(shifted))
            shiftKeys.insert(shifted, id);
    }
    restart();
}

void TypingRun::restart()
{
    atLine = atColumn = 0;
    finished = false;
    marks.clear();
    changes.clear();
    counts[Wrong] = counts[Current] = counts[Correct] = 0;
    missed.clear();
    elapsedSeconds = 0;
    shownPercent = shownSpeed = 0;
    speedShown = false;
    stats.resetRing();
    stats.resetKeys();
    perKey.clear();
}

void TypingRun::resume()
{
    keystrokeClock.restart();
    strokeClock.restart();
    perKey.begin();
    if (!finished && atLine < text.characters.size())
        mark(Current, atLine, atColumn);
}

QVector<TypingRun::Mark> TypingRun::takeMarks()
{
    QVector<Mark> taken;
    taken.swap(changes);
    return taken;
}

int TypingRun::positionOf(int markLine, int markColumn) const
{
    return text.kinds.value(markLine) == PracticeText::Spaced ? 2 * markColumn : markColumn;
}

void TypingRun::mark(MarkKind kind, int markLine, int markColumn)
{
    const int position = positionOf(markLine, markColumn);
    const QPair<int, int> at(markLine, position);
    const auto old = marks.find(at);
    if (old != marks.end()) {
        --counts[*old];
        marks.erase(old);
    }
    if (kind != NoMark) {
        marks.insert(at, kind);
        ++counts[kind];
    }
    changes.append({kind, markLine, position});
}

// The character expected now (ahead 0) or the one after it, also on the next line.
QString TypingRun::expectedAt(int ahead) const
{
    const QStringList &characters = text.characters[atLine];
    if (atColumn + ahead < characters.size())
        return characters.value(atColumn + ahead);
    return ahead == 0 || lastLine() ? QString() : text.characters[atLine + 1].value(0);
}

QString TypingRun::keyOf(const QString &character) const
{
    // A Shift-layer character counts under its own key.
    return plainKeys.value(character, shiftKeys.value(character));
}

void TypingRun::fingerOf(const QString &character, int &row, int &keyColumn, int &finger, int &hand) const
{
    const QString id = keyOf(character);
    row = Keys::rowOf(id);
    keyColumn = Keys::columnOf(id);
    Fingers::assign(row, keyColumn, finger, hand);
}

// Shift alone before a Shift-layer character (or two-letter caption) is the
// first half of its chord.
bool TypingRun::chordStarts(const QString &keyName) const
{
    if (keyName != QLatin1String("Shift"))
        return false;
    const QString expected = expectedAt(0);
    return shiftKeys.contains(expected) || shiftKeys.contains(expected + expectedAt(1));
}

TypingRun::Step TypingRun::press(const QString &keyName)
{
    Step step;
    // Nothing to type, or the text is already done: no line is read past its end.
    if (finished || atLine < 0 || atLine >= text.characters.size() ||
        (atColumn >= text.characters[atLine].size() && lastLine()) || chordStarts(keyName))
        return step;
    if (keyName == QLatin1String("Enter")) {
        enter();
        return step;
    }
    const QString expected = expectedAt(0);
    strokeMs = strokeClock.elapsed();
    strokeClock.restart();
    // A two-letter key (lam-alef) types the next two expected characters with one stroke.
    if (keyName.size() == 2 && keyName == expected + expectedAt(1)) {
        typedCorrect(keyName);
        advance(step);
        mark(Correct, atLine, atColumn);
        step.guide = Guide::Hide;
    } else if (!expected.isEmpty() && keyName == expected) {
        typedCorrect(expected);
        step.guide = Guide::Hide;
    } else {
        typedWrong(expected, keyName, step);
    }
    advance(step);
    return step;
}

// Enter leaves the rest of the line untyped and uncounted; on the last line it does nothing.
void TypingRun::enter()
{
    if (lastLine())
        return;
    perKey.skip(text.characters[atLine].size() - atColumn);
    strokeClock.restart();
    mark(NoMark, atLine, atColumn);
    ++atLine;
    atColumn = 0;
    mark(Current, atLine, 0);
}

void TypingRun::typedCorrect(const QString &character)
{
    mark(Correct, atLine, atColumn);
    for (QChar c : character)
        perKey.hit(QString(c), strokeMs);
    int row = 0, keyColumn = 0, finger = 0, hand = 0;
    fingerOf(character, row, keyColumn, finger, hand);
    if (stats.correctKey(row, keyColumn, finger, hand, character == QLatin1String(" "), keystrokeClock.elapsed()))
        keystrokeClock.restart();
}

void TypingRun::typedWrong(const QString &expected, const QString &keyName, Step &step)
{
    mark(Wrong, atLine, atColumn);
    if (!expected.isEmpty())
        perKey.miss(expected, keyName);
    int row = 0, keyColumn = 0;
    if (expected == QLatin1String(" ")) {
        const QString spaceBar = QStringLiteral("R5_5");
        Fingers::assign(Keys::rowOf(spaceBar), Keys::columnOf(spaceBar), step.finger, step.hand);
    } else if (!keyOf(expected).isEmpty()) {
        fingerOf(expected, row, keyColumn, step.finger, step.hand);
        step.shift = !plainKeys.contains(expected);
    }
    stats.wrongKey(step.finger, step.hand);
    step.guide = Guide::Show;
    auto entry = std::find_if(missed.begin(), missed.end(),
                              [&](const QPair<QString, int> &m) { return m.first == expected; });
    if (entry == missed.end())
        missed.append({expected, 1});
    else
        ++entry->second;
}

void TypingRun::advance(Step &step)
{
    ++atColumn;
    if (atColumn < text.characters[atLine].size()) {
        mark(Current, atLine, atColumn);
    } else if (!lastLine()) {
        atColumn = 0;
        ++atLine;
        mark(Current, atLine, atColumn);
    } else {
        finished = step.finished = true;
    }
}

void TypingRun::tick()
{
    if (counts[Correct] + counts[Wrong] > 0) {
        updatePercentCorrect();
        const int ringSpeed = stats.tick(counts[Correct]);
        if (ringSpeed >= 0) {
            shownSpeed = ringSpeed;
            speedShown = true;
        }
    }
    ++elapsedSeconds;
}

void TypingRun::updatePercentCorrect()
{
    const int total = counts[Correct] + counts[Wrong];
    if (total > 0)
        shownPercent = counts[Correct] * 100 / total;
}

int TypingRun::overallSpeed() const
{
    return elapsedSeconds > 0 ? counts[Correct] * 60 / elapsedSeconds : 0;
}

QStringList TypingRun::mostMissed(int how) const
{
    QVector<QPair<QString, int>> sorted = missed;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QPair<QString, int> &a, const QPair<QString, int> &b) { return a.second > b.second; });
    QStringList characters;
    for (int i = 0; i < how && i < sorted.size(); ++i)
        characters.append(sorted[i].first);
    return characters;
}

QStringList TypingRun::evaluation(const QString &lesson) const
{
    int characters = 0;
    for (const QStringList &l : text.characters)
        characters += l.size();
    const QString log2 = TypingStats::timing(elapsedSeconds, shownSpeed, shownPercent, counts[Wrong], counts[Current],
                                             text.characters.size(), characters);
    QStringList log = {QStringLiteral("Practise"), lesson, log2, stats.keyIntervals(), stats.fingerFigures(),
                       perKey.keyFigures(counts[Correct], counts[Wrong])};
    // The user key, the date and the confusions share what is left.
    const int used = 32 + 32 + log.join(QString()).toUtf8().size();
    log.append(perKey.confusionFigures(rowBytes - used));
    return log;
}
