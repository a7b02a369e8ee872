#pragma once

#include <QHash>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>

class QToolButton;

// The process's click guard against a second tap reaching a handler while
// the first is still being handled: a guarded handler goes on only when
// isHasClicked() is false and then arms the guard, which frees itself 100 ms
// later. GUI thread only.
class COneTimesClicked : public QObject {
    Q_OBJECT
public:
    explicit COneTimesClicked(QObject *parent = nullptr);

    bool isHasClicked() const;

    // Arms the guard. When `button` is set and `name` is a registered style,
    // the button shows the style's pressed icon until the guard frees itself.
    void setOneTimesClicked(QToolButton *button, QString name);

    // Pages whose buttons show a pressed look register their style names here.
    void registerStyle(const QString &name, const QIcon &normal, const QIcon &pressed);

private:
    struct Style {
        QIcon normal;
        QIcon pressed;
    };

    void restorePressedButton();

    bool m_clicked = false;
    // Counts arms so that only the timer of the latest arm frees the guard.
    quint64 m_armCount = 0;
    QHash<QString, Style> m_styles;
    QPointer<QToolButton> m_pressedButton;
    QIcon m_restoreIcon;
};

COneTimesClicked *OneTimesClicked();
