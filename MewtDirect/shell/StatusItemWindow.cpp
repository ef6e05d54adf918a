#include "shell/StatusItemWindow.h"

#include "artwork/Compositing.h"
#include "shell/PawStatusView.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainterPath>
#include <QRegion>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>

namespace mewt {

StatusItemWindow::StatusItemWindow(const CatTheme& theme, QWidget* parent)
    : QWidget(parent,
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus
            | Qt::X11BypassWindowManagerHint)
    , pawView(new PawStatusView(theme, this))
{
    setObjectName(QStringLiteral("Mewt.TimerStatusItem"));
    setWindowTitle(QStringLiteral("mewt"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(pawView);

    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &StatusItemWindow::followPrimaryScreen);
    followPrimaryScreen(QGuiApplication::primaryScreen());
    fitToContent();
}

StatusItemWindow::~StatusItemWindow() = default;

void StatusItemWindow::followPrimaryScreen(QScreen* screen)
{
    disconnect(screenConnection);
    watchedScreen = screen;
    if (screen)
        screenConnection = connect(screen, &QScreen::availableGeometryChanged, this, &StatusItemWindow::place);
    place();
}

void StatusItemWindow::fitToContent()
{
    layout()->activate();
    adjustSize();
    updateMask();
    place();
}

QPoint StatusItemWindow::cornerPosition(const QScreen& screen) const
{
    const QRect area = screen.availableGeometry();
    return { area.right() + 1 - width() - screenMargin, area.top() + screenMargin };
}

QRect StatusItemWindow::pawScreenRect() const
{
    const QRect paw = pawView->pawRect();
    return { pawView->mapToGlobal(paw.topLeft()), paw.size() };
}

void StatusItemWindow::place()
{
    if (watchedScreen)
        move(cornerPosition(*watchedScreen));
}

void StatusItemWindow::checkCompositing()
{
    pawView->setOpaqueBackground(!windowsAreComposited());
    updateMask();
}

void StatusItemWindow::updateMask()
{
    if (pawView->hasOpaqueBackground()) {
        const QPainterPath pill = pawView->pillPath();
        setMask(QRegion(pill.toFillPolygon().toPolygon()));
    } else {
        clearMask();
    }
}

void StatusItemWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    checkCompositing();
    fitToContent();
}

void StatusItemWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateMask();
    place();
}

} // namespace mewt
