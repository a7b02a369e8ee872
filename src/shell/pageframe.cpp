#include "pageframe.h"
#include "clickguard.h"
#include "doubletapguard.h"
#include "shellstyle.h"

#include <QCoreApplication>
#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QToolButton>
#include <QWidget>

namespace PageFrame {

namespace {

const char *const BackIcon = ":/Resource/icon/Back.png";
const char *const BackPressedIcon = ":/Resource/icon/Back_c.png";

void showBackLook(QToolButton *backBtn, bool pressed)
{
    backBtn->setIcon(QIcon(QString::fromLatin1(pressed ? BackPressedIcon : BackIcon)));
    backBtn->setStyleSheet(
        QString::fromLatin1(pressed ? ShellStyle::BackPressed : ShellStyle::BackReleased));
    backBtn->window()->repaint();
}

} // namespace

QString backText()
{
    return QCoreApplication::translate("PageFrame", "Back");
}

void setBackground(QWidget *page)
{
    // Every page of the kit comes through here before it is first shown
    // (normally the guard is in place since the application started).
    DoubleTapGuard::install();
    QPalette palette = page->palette();
    palette.setBrush(QPalette::Window, QBrush(QPixmap(QStringLiteral(":/Resource/icon/bg.png"))));
    page->setPalette(palette);
    page->setAutoFillBackground(true);
}

void install(QWidget *page, QWidget *bottomBar, QToolButton *backBtn, BackAction action)
{
    page->setWindowFlags(page->windowFlags() | Qt::Window | Qt::FramelessWindowHint);
    page->setAttribute(Qt::WA_DeleteOnClose);
    page->setFixedSize(PageWidth, PageHeight);
    page->move(PagePosition);
    setBackground(page);

    bottomBar->setAttribute(Qt::WA_StyledBackground);
    bottomBar->setStyleSheet(
        QString::fromLatin1(ShellStyle::BottomBar).arg(bottomBar->objectName()));

    backBtn->setText(backText());
    backBtn->setIconSize(QSize(24, 48));
    backBtn->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    backBtn->setFocusPolicy(Qt::NoFocus);
    showBackLook(backBtn, false);
    QObject::connect(backBtn, &QToolButton::pressed, backBtn, [backBtn] { showBackLook(backBtn, true); });
    QObject::connect(backBtn, &QToolButton::released, backBtn, [backBtn] { showBackLook(backBtn, false); });
    if (action == BackAction::ClosePage) {
        QObject::connect(backBtn, &QToolButton::clicked, page, [page] {
            if (clickGuardPass())
                page->close();
        });
    }
}

} // namespace PageFrame
