#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <functional>

class QWidget;

// Keeps a top-level window inside the available area of its screen (task
// bars left out), frame included: when it is shown, and again when the
// window manager has put its frame around it. A window larger than the area
// is brought down to it by its own shrink function, never below the window's
// minimum; where the screen is big enough the window keeps its designed size.
class ScreenFit : public QObject
{
    Q_OBJECT
public:
    // Given the client size to take, the window lays itself out at that size.
    using Shrink = std::function<void(const QSize &)>;

    // Watches `window` (and is deleted with it); its present size is the designed one.
    static ScreenFit *install(QWidget *window, Shrink shrink = Shrink(), const QSize &minimum = QSize());
    // Fits the window now.
    void fit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ScreenFit(QWidget *window, Shrink shrink, const QSize &minimum);

    QPointer<QWidget> window;
    Shrink shrink;
    QSize designed, minimum;
    bool awaitingFrame = false; // shown; the window manager's frame may follow with a move
};
