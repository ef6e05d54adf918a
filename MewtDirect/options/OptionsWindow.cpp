#include "options/OptionsWindow.h"

#include "artwork/AppIcon.h"
#include "options/OptionsView.h"
#include "platform/X11FrameExtents.h"
#include "platform/X11KeyboardReturn.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QHideEvent>
#include <QPixmapCache>
#include <QScreen>
#include <QVBoxLayout>
#include <malloc.h>
#include <utility>

namespace mewt {

OptionsWindow::OptionsWindow(OptionsView* view, QWidget* parent)
    : QWidget(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::WindowMinimizeButtonHint)
    , frame(new X11FrameExtents(*this))
{
    setObjectName(QStringLiteral("Mewt.OptionsWindow"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowIcon(AppIcon::icon());
    new X11KeyboardReturn(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setView(view);
    setFixedSize(OptionsView::windowSize);
    setAutoFillBackground(true);
    retranslate();
}

void OptionsWindow::setView(OptionsView* view)
{
    delete content;
    content = view;
    if (content)
        layout()->addWidget(content);
}

void OptionsWindow::releaseContent()
{
    if (isVisible())
        return;
    delete std::exchange(content, nullptr);
    // The widget keeps its geometry: the next native window maps where the user left this one.
    if (testAttribute(Qt::WA_WState_Created))
        destroy();
    // What it drew outlives it in two caches: Fusion's drawings, keyed by palettes that each build
    // makes anew, and the GUI thread's fonts, kept up to 4 MB unused (the language list names
    // languages in their own scripts, which loads the CJK faces). Fonts still in use live on and
    // are looked up again at their next use.
    QPixmapCache::clear();
    QFont::cleanup();
    // Otherwise the freed memory stays in the heap's free lists.
    malloc_trim(0);
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

void OptionsWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        Q_EMIT hidden();
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
