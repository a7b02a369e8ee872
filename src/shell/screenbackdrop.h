#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QTimer>

class QWidget;

// The backdrop of a full-screen overlay (the shared dialogs, the keyboard,
// the file-transfer notice, the in-print settings pop-up): the overlay paints
// the windows beneath it itself, dimmed by its mask colour, instead of
// leaving the page behind to window translucency. Framebuffer and VNC
// compositing and X11 without a compositor do not blend translucent windows,
// so everything outside the overlay's box would be solid black.
//
// The backdrop is repainted twice a second while the overlay is shown, so
// that read-outs beneath it (temperatures during "Pausing...") stay live.
class ScreenBackdrop : public QObject {
    Q_OBJECT
public:
    // Paints the backdrop under everything `overlay` paints itself.
    static void install(QWidget *overlay, const QColor &mask);

    // The visible windows lying beneath `overlay`, bottom first.
    static QList<QWidget *> windowsBeneath(const QWidget *overlay);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ScreenBackdrop(QWidget *overlay, const QColor &mask);
    void paint();

    QWidget *m_overlay;
    QColor m_mask;
    QTimer m_refresh;
};
