#include "tour/NotificationPreview.h"

#include "artwork/Glyph.h"
#include "artwork/PixelFont.h"
#include "cues/PointerFeedback.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace mewt {

namespace {

constexpr int cardPadding = 12;
constexpr int cardSpacing = 9;
constexpr int bellSize = 15;
constexpr int textSize = 12;
constexpr int buttonTextSize = 11;
constexpr int noteSize = 10;
constexpr int noteGap = 4;

} // namespace

NotificationPreview::NotificationPreview(
    OnboardingNotificationState state, const CatPopoverPalette& palette, QWidget* parent)
    : QWidget(parent)
    , currentState(state)
    , colors(palette)
    , card(new QWidget(this))
    , text(new QLabel(card))
    , button(new QPushButton(card))
    , note(new QLabel(this))
{
    button->setObjectName(soundTag(TactileSound::ready));
    button->setCursor(Qt::PointingHandCursor);
    button->setFont(pixelFont(buttonTextSize, QFont::Medium));
    text->setFont(pixelFont(textSize, QFont::DemiBold));
    text->setTextFormat(Qt::PlainText);
    note->setFont(pixelFont(noteSize));
    // The service's message is not ours: plain text.
    note->setTextFormat(Qt::PlainText);
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    note->hide();

    card->setFixedHeight(cardHeight);
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(cardPadding, 0, cardPadding, 0);
    row->setSpacing(cardSpacing);
    // The bell is painted by the card, so that it stays out of the accessibility tree. A box layout
    // puts no spacing after a spacer, so its gap is part of it.
    row->addSpacing(bellSize + cardSpacing);
    row->addWidget(text);
    row->addWidget(button);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(noteGap);
    column->addWidget(card, 0, Qt::AlignHCenter);
    column->addWidget(note);

    connect(button, &QPushButton::clicked, this, [this] {
        const bool opensSettings
            = onboardingNotificationAction(currentState) == OnboardingNotificationAction::openSettings;
        if (onAction && !onAction() && opensSettings)
            showSettingsUnavailable();
    });
    restyle();
    sync();
}

void NotificationPreview::setState(OnboardingNotificationState state)
{
    if (state == currentState)
        return;
    currentState = state;
    sync();
}

void NotificationPreview::setPopoverPalette(const CatPopoverPalette& palette)
{
    if (palette == colors)
        return;
    colors = palette;
    restyle();
    update();
}

void NotificationPreview::showSettingsUnavailable()
{
    settingsUnavailable = true;
    syncNote();
}

void NotificationPreview::setServiceError(const std::optional<QString>& message)
{
    serviceError = message && !message->trimmed().isEmpty() ? message : std::nullopt;
    syncNote();
}

QString NotificationPreview::noteText() const
{
    return note->isHidden() ? QString() : note->text();
}

void NotificationPreview::syncNote()
{
    if (settingsUnavailable)
        note->setText(QCoreApplication::translate("mewt", "this desktop has no notification settings to open."));
    else if (serviceError)
        note->setText(*serviceError);
    note->setVisible(settingsUnavailable || serviceError);
}

QString NotificationPreview::glyphName() const
{
    switch (currentState) {
    case OnboardingNotificationState::checking: return QStringLiteral("bell");
    case OnboardingNotificationState::enabled: return QStringLiteral("bell-fill");
    case OnboardingNotificationState::needsPermission:
    case OnboardingNotificationState::needsSettings: return QStringLiteral("bell-slash");
    }
    return QStringLiteral("bell");
}

void NotificationPreview::sync()
{
    switch (currentState) {
    case OnboardingNotificationState::checking: text->setText(QStringLiteral("checking notifications…")); break;
    case OnboardingNotificationState::needsPermission:
    case OnboardingNotificationState::needsSettings: text->setText(QStringLiteral("notifications off")); break;
    case OnboardingNotificationState::enabled: text->setText(QStringLiteral("notifications on")); break;
    }
    const OnboardingNotificationAction action = onboardingNotificationAction(currentState);
    button->setVisible(action != OnboardingNotificationAction::none);
    button->setText(
        action == OnboardingNotificationAction::openSettings ? QStringLiteral("settings") : QStringLiteral("enable"));
    // The note explains a "settings" that did nothing; in any other state it would mislead.
    if (action != OnboardingNotificationAction::openSettings)
        settingsUnavailable = false;
    syncNote();
    setAccessibleName(text->text());
    update();
}

void NotificationPreview::restyle()
{
    QPalette textPalette = palette();
    textPalette.setColor(QPalette::WindowText, colors.foregroundColor);
    text->setPalette(textPalette);
    QPalette notePalette = palette();
    notePalette.setColor(QPalette::WindowText, colors.secondaryTextColor);
    note->setPalette(notePalette);
    button->setStyleSheet(QStringLiteral("QPushButton { color: %1; background: %2; border: 1px solid %3;"
                                         " border-radius: 5px; padding: 2px 9px; }"
                                         "QPushButton:pressed { background: %3; }")
                              .arg(colors.foregroundColor.name(QColor::HexArgb),
                                  colors.innerColor.name(QColor::HexArgb), colors.outlineColor.name(QColor::HexArgb)));
}

QRectF NotificationPreview::cardRect() const
{
    return QRectF(card->geometry());
}

void NotificationPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF capsule = cardRect();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colors.outerColor);
    painter.drawRoundedRect(capsule, capsule.height() / 2.0, capsule.height() / 2.0);
    const QColor bell
        = currentState == OnboardingNotificationState::enabled ? colors.accentColor : colors.secondaryTextColor;
    Glyph::paint(painter, glyphName(), bellRect(), bell);
}

QRectF NotificationPreview::bellRect() const
{
    const QRectF capsule = cardRect();
    return { capsule.left() + cardPadding, capsule.center().y() - bellSize / 2.0, bellSize, bellSize };
}

void NotificationPreview::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        syncNote();
    QWidget::changeEvent(event);
}

} // namespace mewt
