#include "popover/ContentSwitcher.h"

#include "artwork/Animation.h"
#include "artwork/FrameClock.h"
#include "artwork/ReducedMotion.h"

#include <QPainter>
#include <QStackedLayout>

namespace mewt {

namespace {
// What the widget draws, on a transparent ground: the card's colour shows through, not the window's.
QPixmap snapshot(QWidget* widget)
{
    const qreal ratio = widget->devicePixelRatioF();
    QPixmap picture(widget->size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    widget->render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
    return picture;
}
} // namespace

class ContentSwitcher::Overlay final : public QWidget {
public:
    explicit Overlay(ContentSwitcher* owner)
        : QWidget(owner)
        , owner(owner)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), owner->fill);
        const double t = owner->transitionProgress();
        const double shift = owner->reduced ? 0.0 : slideDistance;
        painter.setOpacity(1.0 - t);
        painter.drawPixmap(QPointF(0, -shift * t), owner->outgoing);
        painter.setOpacity(t);
        painter.drawPixmap(QPointF(0, shift * (1.0 - t)), owner->incoming);
    }

private:
    ContentSwitcher* owner;
};

ContentSwitcher::ContentSwitcher(QWidget* parent)
    : QWidget(parent)
    , stack(new QStackedLayout(this))
{
    stack->setContentsMargins(0, 0, 0, 0);
    overlay = new Overlay(this);
}

ContentSwitcher::~ContentSwitcher()
{
    FrameClock::shared().unsubscribe(this);
}

bool ContentSwitcher::isTransitioning() const
{
    return FrameClock::shared().isSubscribed(this);
}

void ContentSwitcher::addPage(QWidget* page)
{
    stack->addWidget(page);
    setCurrentPage(stack->currentWidget());
}

QWidget* ContentSwitcher::currentPage() const
{
    return stack->currentWidget();
}

void ContentSwitcher::setCurrentPage(QWidget* page)
{
    // The page going hides first, so a control in it that held the keyboard hands it on as any
    // hidden control does; the stacked layout would pass it to the new page's first control.
    if (QWidget* going = stack->currentWidget(); going && going != page)
        going->hide();
    stack->setCurrentWidget(page);
    // A stacked layout asks for its tallest page; the switcher takes the current one's height.
    for (int i = 0; i < stack->count(); ++i) {
        QWidget* each = stack->widget(i);
        each->setSizePolicy(QSizePolicy::Preferred, each == page ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    }
    overlay->raise();
}

void ContentSwitcher::captureOutgoing()
{
    if (!isVisible() || width() <= 0 || height() <= 0) {
        outgoing = QPixmap();
        return;
    }
    // A move under way continues from what it shows now.
    outgoing = snapshot(isTransitioning() ? overlay : currentPage());
}

void ContentSwitcher::startTransition(const QColor& background)
{
    if (outgoing.isNull() || !isVisible()) {
        FrameClock::shared().unsubscribe(this);
        overlay->hide();
        return;
    }
    fill = background;
    reduced = reducesMotion();
    // The new page may not have its final height yet: lay it out at the height it asks for.
    QWidget* page = currentPage();
    page->resize(width(), page->sizeHint().height());
    if (page->layout())
        page->layout()->activate();
    incoming = snapshot(page);
    frame = 0;
    overlay->setGeometry(rect());
    overlay->show();
    overlay->raise();
    overlay->update();
    FrameClock::shared().subscribe(this, [this] { advanceFrame(); });
}

double ContentSwitcher::transitionProgress() const
{
    const int frames = reduced ? fadeFrames : slideFrames;
    const double t = static_cast<double>(frame) / frames;
    return reduced ? t : easeOutCubic(t);
}

void ContentSwitcher::advanceFrame()
{
    ++frame;
    if (frame >= (reduced ? fadeFrames : slideFrames)) {
        FrameClock::shared().unsubscribe(this);
        outgoing = QPixmap();
        incoming = QPixmap();
        overlay->hide();
        return;
    }
    incoming = snapshot(currentPage());
    overlay->setGeometry(rect());
    overlay->update();
}

void ContentSwitcher::paintEvent(QPaintEvent*) { }

} // namespace mewt
