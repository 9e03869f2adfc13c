// Feeds arbitrary bytes, read as UTF-8, to practice text preparation and
// checks the shape of what comes back.
#include "practice/textprep.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    PracticeText::Lines lines;
    const QString html = PracticeText::prepare(text, lines);
    if (lines.characters.size() != lines.kinds.size())
        abort();
    for (const QStringList &line : lines.characters)
        for (const QString &c : line)
            if (c.size() != 1)
                abort();
    PracticeText::decodeReferences(html);
    return 0;
}
