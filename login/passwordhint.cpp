#include "login/passwordhint.h"

#include "store/session.h"

#include <QCoreApplication>

DefaultPasswordHint::DefaultPasswordHint(QWidget *parent) : QLabel(parent)
{
    setObjectName("hintLabel");
    // The sentence needs two lines: a small font keeps it between the
    // password field and the buttons.
    setGeometry(100, 222, 500, 36);
    setWordWrap(true);
    QFont hintFont = font();
    hintFont.setPointSize(8);
    setFont(hintFont);
    setAlignment(Qt::AlignCenter);
    setStyleSheet("color: red; background-color: yellow");
    retranslate();
}

// One catalogue entry of the login window, the default password in it.
void DefaultPasswordHint::retranslate()
{
    const QString hint = QStringLiteral("Default password for User1 is ") + Store::defaultPassword +
                         QStringLiteral(" and to avoid this hint change the password or delete User1 and create another one "
                                        "with different name. This hint stays 10 sec");
    setText(QCoreApplication::translate("Login", hint.toUtf8().constData()));
}
