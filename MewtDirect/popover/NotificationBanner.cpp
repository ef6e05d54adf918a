#include "popover/NotificationBanner.h"

#include "artwork/Decoration.h"
#include "artwork/Glyph.h"
#include "cues/PointerFeedback.h"
#include "popover/PopoverMetrics.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace mewt {

namespace {
constexpr int sideInset = 9;
constexpr int itemGap = 8;
constexpr int cornerRadius = 9;
constexpr int bellSize = 12;
} // namespace

bool showsNotificationBanner(bool tourPresented, NotificationAuthorizationState authorization,
    const std::optional<NotificationDeliveryState>& delivery)
{
    if (tourPresented)
        return false;
    if (delivery) {
        return delivery->authorization != NotificationAuthorizationState::allowed
            || (!delivery->alertsEnabled && !delivery->soundsEnabled);
    }
    return authorization != NotificationAuthorizationState::allowed;
}

NotificationBanner::NotificationBanner(QWidget* parent)
    : QWidget(parent)
    , icon(new QLabel(this))
    , message(new QLabel(this))
    , button(new QToolButton(this))
{
    setMinimumHeight(minimumBannerHeight);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(sideInset, 0, sideInset, 0);
    row->setSpacing(itemGap);
    row->addWidget(icon);
    row->addWidget(message, 1);
    row->addWidget(button);
    icon->setFixedSize(bellSize, bellSize);
    markAsDecoration(icon);
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    message->setFont(captionFont());
    button->setAutoRaise(true);
    button->setFont(captionFont(QFont::DemiBold));
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::TabFocus);
    button->setObjectName(soundTag(TactileSound::ready));
    connect(button, &QToolButton::clicked, this, &NotificationBanner::actionPressed);
    retranslate();
}

void NotificationBanner::setContent(const Content& content)
{
    if (content == shown)
        return;
    shown = content;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, content.foreground);
    p.setColor(QPalette::ButtonText, content.foreground);
    setPalette(p);
    icon->setPixmap(
        Glyph::pixmap(QStringLiteral("bell-slash"), { bellSize, bellSize }, content.foreground, devicePixelRatioF()));
    retranslate();
    update();
}

QString NotificationBanner::text() const
{
    return message->text();
}

void NotificationBanner::retranslate()
{
    // Marked, so the extraction finds the sentences that reach the translator through `line`.
    const char* line = !shown.allowed ? QT_TRANSLATE_NOOP("mewt", "allow notifications to hear when time is up.")
                                      : QT_TRANSLATE_NOOP("mewt", "notification alerts and sounds are off.");
    if (shown.settingsUnavailable)
        line = QT_TRANSLATE_NOOP("mewt", "open your desktop's notification settings.");
    message->setText(QCoreApplication::translate("mewt", line));
    button->setText(
        shown.allowed ? QCoreApplication::translate("mewt", "settings") : QCoreApplication::translate("mewt", "allow"));
    setAccessibleName(message->text());
}

void NotificationBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shown.fill);
    painter.drawRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
}

void NotificationBanner::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

} // namespace mewt
