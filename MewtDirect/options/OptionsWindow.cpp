#include "options/OptionsWindow.h"

#include "artwork/AppIcon.h"
#include "options/OptionsView.h"
#include "platform/X11FrameExtents.h"
#include "platform/X11KeyboardReturn.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace mewt {

OptionsWindow::OptionsWindow(OptionsView* view, QWidget* parent)
    : QWidget(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::WindowMinimizeButtonHint)
    , content(view)
    , frame(new X11FrameExtents(*this))
{
    setObjectName(QStringLiteral("Mewt.OptionsWindow"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowIcon(AppIcon::icon());
    new X11KeyboardReturn(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    setFixedSize(OptionsView::windowSize);
    setAutoFillBackground(true);
    retranslate();
}

void OptionsWindow::closeForGood()
{
    closingForGood = true;
    close();
}

void OptionsWindow::present()
{
    const auto raised = [this] {
        if (closingForGood)
            return;
        show();
        raise();
        X11KeyboardReturn::noteTaking();
        activateWindow();
    };
    if (placed) {
        raised();
        return;
    }
    frame->whenKnown([this, raised] {
        placed = true;
        centreOnScreen();
        raised();
    });
}

void OptionsWindow::centreOnScreen()
{
    QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!where)
        return;
    QRect outer = frame->frameGeometry();
    outer.moveCenter(where->availableGeometry().center());
    frame->moveFrameTo(outer.topLeft());
}

void OptionsWindow::closeEvent(QCloseEvent* event)
{
    if (closingForGood) {
        QWidget::closeEvent(event);
        return;
    }
    event->ignore();
    hide();
}

void OptionsWindow::retranslate()
{
    setWindowTitle(QCoreApplication::translate("mewt", "mewt settings"));
}

void OptionsWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

} // namespace mewt
