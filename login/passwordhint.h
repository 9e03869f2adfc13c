#pragma once

#include <QLabel>

// The yellow hint that user1 still has the default password. It follows
// the interface language while it is shown.
class DefaultPasswordHint : public QLabel
{
public:
    explicit DefaultPasswordHint(QWidget *parent);

protected:
    void changeEvent(QEvent *event) override;

private:
    void translate();
};
