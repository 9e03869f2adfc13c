#pragma once

#include "tests/resources/xkbreference.h"
#include "tests/support/testsupport.h"

#include <QHash>
#include <QPair>
#include <QRegularExpression>

// Types a text by the physical keys of xkb's Arabic layout, the way a
// learner's fingers would: each character's key from symbols/ara, its X11
// keycode from keycodes/evdev, Shift held for the second level.
class XkbTyping
{
public:
    explicit XkbTyping(const QString &variant)
    {
        QHash<QString, unsigned> codes;
        const QRegularExpression code(R"(<(\w+)>\s*=\s*(\d+);)");
        for (auto it = code.globalMatch(XkbReference::readFile("/usr/share/X11/xkb/keycodes/evdev")); it.hasNext();) {
            const auto m = it.next();
            codes.insert(m.captured(1), m.captured(2).toUInt());
        }
        const auto keys = XkbReference::variant(variant);
        for (auto k = keys.cbegin(); k != keys.cend(); ++k)
            for (int level = 1; level >= 0; --level)  // a plain key wins over a shifted one
                if (codes.contains(k.key()) && k->value(level).trimmed().size() == 1)
                    where.insert(k->value(level), {codes.value(k.key()), level == 1});
        where.insert(QStringLiteral(" "), {codes.value(QStringLiteral("SPCE")), false});
    }
    bool types(const QString &character) const { return where.contains(character); }
    void type(QWidget *target, const QString &text) const
    {
        for (const QChar c : text) {
            const auto key = where.value(QString(c));
            if (key.second)
                TestSupport::typeShiftedX11(target, key.first);
            else
                TestSupport::typeX11(target, key.first, QString(c));
        }
    }

private:
    QHash<QString, QPair<unsigned, bool>> where; // character -> keycode, shifted
};
