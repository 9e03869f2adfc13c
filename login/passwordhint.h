#pragma once

#include <QLabel>

// The yellow hint that user1 still has the default password; the login
// window translates it again with its other texts.
class DefaultPasswordHint : public QLabel
{
public:
    explicit DefaultPasswordHint(QWidget *parent);
    void retranslate();
};
