#include "options/OptionsChromeBar.h"

#include "artwork/AppIcon.h"
#include "artwork/Glyph.h"
#include "artwork/ReducedMotion.h"
#include "model/ColorContrast.h"
#include "options/OptionsChromeState.h"
#include "options/OptionsNavigationModel.h"
#include "options/OptionsPalette.h"
#include "options/TextStyle.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QToolTip>
#include <QVariantAnimation>
#include <algorithm>
#include <vector>

namespace mewt {

namespace {

constexpr int capsuleLeft = OptionsChromeBar::sidebarWidth + 12;
constexpr int capsulePadding = 3;
constexpr QSize buttonSize { 27, 26 };
constexpr int dividerHeight = 15;
constexpr qreal capsuleRadius = 11;
constexpr int glyphSide = 11;
constexpr int capsuleToTitle = 10;
constexpr int iconSide = 22;
constexpr int iconToTitle = 7;
constexpr int titleRightInset = 8;
// The scrolled band: the page under it blurred this far (points), then a tint between the window's
// and the fields' colours laid over it, so the page shows through faintly.
constexpr int underBandBlurRadius = 5;
constexpr qreal bandTintOpacity = 0.7;

// One box-blur pass along a line of premultiplied pixels `stride` apart, edges held.
void boxBlurLine(QRgb* pixels, int length, qsizetype stride, int radius, std::vector<QRgb>& line)
{
    line.assign(length, 0);
    for (int i = 0; i < length; ++i)
        line[i] = pixels[i * stride];
    const auto at = [&line, length](int i) { return line[std::clamp(i, 0, length - 1)]; };
    const int size = 2 * radius + 1;
    int sums[4] = {};
    for (int k = -radius; k <= radius; ++k) {
        for (int c = 0; c < 4; ++c)
            sums[c] += int((at(k) >> (8 * c)) & 0xff);
    }
    for (int i = 0; i < length; ++i) {
        QRgb out = 0;
        for (int c = 0; c < 4; ++c)
            out |= QRgb(sums[c] / size) << (8 * c);
        pixels[i * stride] = out;
        for (int c = 0; c < 4; ++c)
            sums[c] += int((at(i + radius + 1) >> (8 * c)) & 0xff) - int((at(i - radius) >> (8 * c)) & 0xff);
    }
}

// Two box blurs each way, close enough to a Gaussian for a backdrop.
void blur(QImage& image, int radius)
{
    if (radius < 1 || image.isNull())
        return;
    std::vector<QRgb> line;
    auto* pixels = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < image.height(); ++y)
            boxBlurLine(pixels + y * stride, image.width(), 1, radius, line);
        for (int x = 0; x < image.width(); ++x)
            boxBlurLine(pixels + x, image.height(), stride, radius, line);
    }
}

QEasingCurve easeInOut()
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0), QPointF(0.58, 1), QPointF(1, 1));
    return curve;
}

QToolButton* chevronButton(const QString& glyph, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFixedSize(buttonSize);
    button->setIconSize(QSize(glyphSide, glyphSide));
    button->setFocusPolicy(Qt::TabFocus);
    button->setProperty("glyph", glyph);
    button->installEventFilter(parent);
    return button;
}

} // namespace

OptionsChromeBar::OptionsChromeBar(OptionsNavigationModel& navigation, OptionsChromeState& chromeState, QWidget* parent)
    : QWidget(parent)
    , navigation(navigation)
    , chromeState(chromeState)
    , back(chevronButton(QStringLiteral("chevron-left"), this))
    , forward(chevronButton(QStringLiteral("chevron-right"), this))
    , backShortcut(new QAction(this))
    , forwardShortcut(new QAction(this))
    , backdropAnimation(new QVariantAnimation(this))
    , titleLabel(new QLabel(this))
    , backdrop(chromeState.isDetailScrolled() ? 1 : 0)
{
    setFixedHeight(barHeight);
    const int top = (barHeight - buttonSize.height()) / 2;
    back->move(capsuleLeft + capsulePadding, top);
    forward->move(capsuleLeft + capsulePadding + buttonSize.width() + 1, top);
    // The title is a label of its own so that a screen reader meets it; the band draws the rest.
    QFont titleFont = textStyleFont(TextStyle::subheadline);
    titleFont.setWeight(QFont::DemiBold);
    titleLabel->setFont(titleFont);
    titleLabel->setTextFormat(Qt::PlainText);
    titleLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titleLabel->setAttribute(Qt::WA_TransparentForMouseEvents);

    backShortcut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketLeft));
    forwardShortcut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketRight));
    for (QAction* action : { backShortcut, forwardShortcut })
        action->setShortcutContext(Qt::WindowShortcut);
    addAction(backShortcut);
    addAction(forwardShortcut);
    connect(back, &QToolButton::clicked, &navigation, &OptionsNavigationModel::goBack);
    connect(forward, &QToolButton::clicked, &navigation, &OptionsNavigationModel::goForward);
    connect(backShortcut, &QAction::triggered, &navigation, &OptionsNavigationModel::goBack);
    connect(forwardShortcut, &QAction::triggered, &navigation, &OptionsNavigationModel::goForward);

    backdropAnimation->setDuration(backdropDurationMs);
    backdropAnimation->setEasingCurve(easeInOut());
    connect(backdropAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        backdrop = value.toReal();
        update();
    });
    connect(&chromeState, &OptionsChromeState::detailScrolledChanged, this, &OptionsChromeBar::detailScrolledChanged);
    connect(&navigation, &OptionsNavigationModel::historyChanged, this, &OptionsChromeBar::sync);
    connect(&navigation, &OptionsNavigationModel::searchTextChanged, this, &OptionsChromeBar::sync);
    connect(&navigation, &OptionsNavigationModel::selectedSearchResultChanged, this, &OptionsChromeBar::sync);
    retranslate();
    sync();
}

void OptionsChromeBar::sync()
{
    const auto& history = navigation.history();
    back->setEnabled(history.canGoBack());
    forward->setEnabled(history.canGoForward());
    backShortcut->setEnabled(back->isEnabled());
    forwardShortcut->setEnabled(forward->isEnabled());
    refreshGlyphs();
    const QString title = navigation.title();
    if (title != shownTitle) {
        shownTitle = title;
        titleLabel->setText(title);
    }
}

void OptionsChromeBar::setScrolledContent(QScrollArea* area)
{
    if (area == scrolledArea)
        return;
    disconnect(scrollWatch);
    scrolledArea = area;
    if (area)
        scrollWatch = connect(
            area->verticalScrollBar(), &QScrollBar::valueChanged, this, &OptionsChromeBar::refreshContentUnderBand);
    refreshContentUnderBand();
}

void OptionsChromeBar::refreshContentUnderBand()
{
    QWidget* content = scrolledArea ? scrolledArea->widget() : nullptr;
    if (!content || (!chromeState.isDetailScrolled() && backdrop <= 0)) {
        if (!contentUnderBand.isNull()) {
            contentUnderBand = QImage();
            update();
        }
        return;
    }
    // Where the page would be if it went on upwards under the band: the rows just above the
    // visible part, as high as the band reaches above the page's top edge.
    QWidget* viewport = scrolledArea->viewport();
    contentUnderBandOrigin = viewport->mapTo(window(), QPoint()) - mapTo(window(), QPoint());
    const int reach = contentUnderBandOrigin.y();
    contentUnderBandOrigin.setY(0);
    const int top = scrolledArea->verticalScrollBar()->value();
    const QRect strip(0, top - reach, viewport->width(), reach);
    const qreal ratio = devicePixelRatioF();
    QImage image(strip.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(palette().color(QPalette::Window));
    const QRect source = strip & content->rect();
    if (!source.isEmpty())
        content->render(&image, source.topLeft() - strip.topLeft(), QRegion(source), QWidget::DrawChildren);
    blur(image, qRound(underBandBlurRadius * ratio));
    contentUnderBand = std::move(image);
    update();
}

void OptionsChromeBar::detailScrolledChanged(bool scrolled)
{
    const qreal target = scrolled ? 1 : 0;
    if (scrolled)
        refreshContentUnderBand();
    backdropAnimation->stop();
    if (reducesMotion() || !isVisible()) {
        backdrop = target;
        update();
        return;
    }
    backdropAnimation->setStartValue(backdrop);
    backdropAnimation->setEndValue(target);
    backdropAnimation->start();
}

void OptionsChromeBar::refreshGlyphs()
{
    const QPalette& colors = palette();
    for (QToolButton* button : { back, forward }) {
        const QColor tint = button->isEnabled() ? colors.color(QPalette::WindowText)
                                                : colors.color(QPalette::Disabled, QPalette::WindowText);
        button->setIcon(QIcon(Glyph::pixmap(
            button->property("glyph").toString(), QSize(glyphSide, glyphSide), tint, devicePixelRatioF())));
    }
}

QRectF OptionsChromeBar::capsuleRect() const
{
    const qreal w = 2 * buttonSize.width() + 1 + 2 * capsulePadding;
    const qreal h = buttonSize.height() + 2 * capsulePadding;
    return QRectF(capsuleLeft, (barHeight - h) / 2, w, h);
}

void OptionsChromeBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colors = palette();
    painter.fillRect(QRect(0, 0, sidebarWidth, height()), materialColor(colors));
    painter.fillRect(QRect(sidebarWidth, 0, width() - sidebarWidth, height()), colors.window());
    if (backdrop > 0) {
        painter.setOpacity(backdrop);
        if (!contentUnderBand.isNull())
            painter.drawImage(contentUnderBandOrigin, contentUnderBand);
        painter.setOpacity(backdrop * bandTintOpacity);
        painter.fillRect(QRect(sidebarWidth, 0, width() - sidebarWidth, height()),
            blendedColor(colors.color(QPalette::Window), colors.color(QPalette::Base), 0.5));
        painter.setOpacity(backdrop);
        painter.fillRect(QRect(sidebarWidth, height() - 1, width() - sidebarWidth, 1), separatorColor(colors));
        painter.setOpacity(1);
    }
    painter.fillRect(QRect(sidebarWidth, 0, 1, height()), separatorColor(colors));

    const QRectF capsule = capsuleRect();
    painter.setPen(QPen(QColor(255, 255, 255, 31), 1));
    painter.setBrush(cardColor(colors));
    painter.drawRoundedRect(capsule.adjusted(0.5, 0.5, -0.5, -0.5), capsuleRadius, capsuleRadius);
    const qreal dividerX = capsule.left() + capsulePadding + buttonSize.width() + 0.5;
    painter.setPen(QPen(separatorColor(colors), 1));
    painter.drawLine(
        QPointF(dividerX, (barHeight - dividerHeight) / 2.0), QPointF(dividerX, (barHeight + dividerHeight) / 2.0));

    painter.drawPixmap(QRectF(iconLeft(), (barHeight - iconSide) / 2.0, iconSide, iconSide),
        AppIcon::pixmap(iconSide, devicePixelRatioF()), QRectF());
}

qreal OptionsChromeBar::iconLeft() const
{
    return capsuleRect().right() + capsuleToTitle;
}

void OptionsChromeBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int textLeft = qRound(iconLeft()) + iconSide + iconToTitle;
    titleLabel->setGeometry(textLeft, 0, std::max(0, width() - textLeft - titleRightInset), barHeight);
}

void OptionsChromeBar::retranslate()
{
    back->setAccessibleName(QCoreApplication::translate("mewt", "Back"));
    forward->setAccessibleName(QCoreApplication::translate("mewt", "Forward"));
}

bool OptionsChromeBar::eventFilter(QObject* watched, QEvent* event)
{
    // The buttons' help is their name. Shown on hover here rather than as a tooltip, which Qt would
    // also hand a screen reader as their description: it would hear each name twice.
    if (event->type() == QEvent::ToolTip && (watched == back || watched == forward)) {
        auto* button = static_cast<QWidget*>(watched);
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), button->accessibleName(), button);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void OptionsChromeBar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    else if (event->type() == QEvent::PaletteChange) {
        refreshGlyphs();
        // The page below the band takes the new palette only after the band does.
        QMetaObject::invokeMethod(this, &OptionsChromeBar::refreshContentUnderBand, Qt::QueuedConnection);
    }
}

} // namespace mewt
