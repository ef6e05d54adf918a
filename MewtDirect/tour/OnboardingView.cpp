#include "tour/OnboardingView.h"

#include "artwork/PixelFont.h"
#include "artwork/PullPreview.h"
#include "artwork/ReducedMotion.h"
#include "cues/PointerFeedback.h"
#include "model/ColorContrast.h"
#include "model/ThemeStore.h"
#include "tour/LessonStage.h"
#include "tour/MenuBarRevealPreview.h"
#include "tour/NotificationPreview.h"
#include "tour/PausePreview.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <utility>

namespace mewt {

namespace {

constexpr int spacing = 10;
constexpr int sidePadding = 12;
constexpr int verticalPadding = 10;
constexpr int lessonSpacing = 9;
constexpr int artworkMinimumHeight = 58;
constexpr int buttonSpacing = 8;
constexpr int headlineSize = 13;
constexpr int captionSize = 10;
constexpr int calloutSize = 12;
constexpr int buttonTextSize = 11;

// The tour's pull: a short reach, shown small.
constexpr double tourPullDistance = 70.0;
constexpr QSizeF tourPullCanvas { 220.0, 100.0 };
constexpr double tourPullScale = 0.78;
constexpr double tourPullDuration = 0.44;

using Step = OnboardingStore::Step;

QString css(const QColor& color)
{
    return color.name(QColor::HexArgb);
}

} // namespace

QString OnboardingView::title(Step step)
{
    switch (step) {
    case Step::meet: return QStringLiteral("meet mewt");
    case Step::pull: return QStringLiteral("pull to start / extend");
    case Step::pause: return QStringLiteral("click to pause");
    case Step::notifications: return QStringLiteral("notifications");
    }
    return {};
}

QString OnboardingView::lesson(Step step)
{
    switch (step) {
    case Step::meet: return QStringLiteral("mewt is a tiny timer for your top bar. open mewt by clicking its icon.");
    case Step::pull: return QStringLiteral("drag the paw down. distance sets time. release to start or extend.");
    case Step::pause: return QStringLiteral("click the time to pause. click again to resume.");
    case Step::notifications:
        return QStringLiteral("mewt can tell you when time is up, even when its window is tucked away.");
    }
    return {};
}

OnboardingView::OnboardingView(OnboardingStore& store, ThemeStore& themeStore,
    OnboardingNotificationState notificationState, const CatPopoverPalette& palette, QWidget* parent)
    : QWidget(parent)
    , store(store)
    , themeStore(themeStore)
    , currentNotificationState(notificationState)
    , colors(palette)
    , titleLabel(new QLabel(this))
    , caption(new QLabel(this))
    , stage(new LessonStage(this))
    , divider(new QWidget(this))
    , skipButton(new QPushButton(this))
    , backButton(new QPushButton(this))
    , nextButton(new QPushButton(this))
    , doneButton(new QPushButton(this))
{
    setObjectName(QStringLiteral("mewt.onboarding"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFocusPolicy(Qt::StrongFocus);
    titleLabel->setFont(pixelFont(headlineSize, QFont::DemiBold));
    titleLabel->setTextFormat(Qt::PlainText);
    caption->setFont(pixelFont(captionSize));
    caption->setTextFormat(Qt::PlainText);
    divider->setFixedHeight(1);
    divider->setAttribute(Qt::WA_StyledBackground);
    for (QPushButton* button : { skipButton, backButton, nextButton, doneButton }) {
        // Tab reaches them and then shows a ring; a click leaves the keyboard on the tour.
        button->setFocusPolicy(Qt::TabFocus);
        button->setFont(pixelFont(buttonTextSize, QFont::Medium));
        button->setObjectName(soundTag(TactileSound::page));
    }
    doneButton->setObjectName(soundTag(TactileSound::success));

    auto* header = new QHBoxLayout;
    header->addWidget(titleLabel, 0, Qt::AlignBaseline);
    header->addStretch(1);
    header->addWidget(caption, 0, Qt::AlignBaseline);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(buttonSpacing);
    buttons->addWidget(skipButton);
    buttons->addStretch(1);
    buttons->addWidget(backButton);
    buttons->addWidget(nextButton);
    buttons->addWidget(doneButton);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(sidePadding, verticalPadding, sidePadding, verticalPadding);
    column->setSpacing(spacing);
    column->addLayout(header);
    column->addWidget(stage);
    column->addWidget(divider);
    column->addLayout(buttons);

    connect(skipButton, &QPushButton::clicked, this, [this] { this->store.complete(); });
    connect(backButton, &QPushButton::clicked, this, [this] { this->store.back(); });
    connect(nextButton, &QPushButton::clicked, this, [this] { this->store.advance(); });
    connect(doneButton, &QPushButton::clicked, this, [this] { this->store.advance(); });

    // Only while the focus is in the tour, so the popover's own fields keep their keys.
    returnKey = new QShortcut(QKeySequence(Qt::Key_Return), this);
    enterKey = new QShortcut(QKeySequence(Qt::Key_Enter), this);
    leftKey = new QShortcut(QKeySequence(Qt::Key_Left), this);
    for (QShortcut* shortcut : { returnKey, enterKey, leftKey })
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    const auto forward = [this] { (doneButton->isHidden() ? nextButton : doneButton)->click(); };
    connect(returnKey, &QShortcut::activated, this, forward);
    connect(enterKey, &QShortcut::activated, this, forward);
    connect(leftKey, &QShortcut::activated, backButton, &QPushButton::click);

    connect(&store, &OnboardingStore::stepChanged, this, &OnboardingView::scheduleSync);
    connect(&themeStore, &ThemeStore::selectedChanged, this, &OnboardingView::scheduleSync);
    restyle();
    retranslate();
    sync();
}

OnboardingView::~OnboardingView()
{
    onNotificationAction = nullptr;
}

void OnboardingView::setNotificationState(OnboardingNotificationState state)
{
    if (state == currentNotificationState)
        return;
    currentNotificationState = state;
    if (card)
        card->setState(state);
}

void OnboardingView::setNotificationError(const std::optional<QString>& message)
{
    notificationError = message;
    if (card)
        card->setServiceError(message);
}

void OnboardingView::setPopoverPalette(const CatPopoverPalette& palette)
{
    if (palette == colors)
        return;
    colors = palette;
    restyle();
    if (QWidget* lesson = currentLesson()) {
        for (auto* reveal : lesson->findChildren<MenuBarRevealPreview*>())
            reveal->setPopoverPalette(palette);
        for (auto* pause : lesson->findChildren<PausePreview*>())
            pause->setPopoverPalette(palette);
        for (auto* label : lesson->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
            label->setStyleSheet(QStringLiteral("color: %1;").arg(css(palette.secondaryTextColor)));
    }
    if (card)
        card->setPopoverPalette(palette);
}

void OnboardingView::scheduleSync()
{
    if (!std::exchange(syncPending, true))
        QMetaObject::invokeMethod(this, &OnboardingView::sync, Qt::QueuedConnection);
}

void OnboardingView::sync()
{
    syncPending = false;
    // A step change hides the button or the demo that may hold the keyboard; Qt would hand it on
    // to the next widget of the window, outside the tour, where Return and Left no longer reach.
    const QWidget* focused = window()->focusWidget();
    const bool focusInside = focused && (focused == this || isAncestorOf(focused));
    const Step step = store.step();
    const int position = static_cast<int>(step) + 1;
    titleLabel->setText(title(step));
    caption->setText(QCoreApplication::translate("mewt", "%1 of %2")
                         .arg(QString::number(position), QString::number(OnboardingStore::stepCount)));
    setAccessibleName(QCoreApplication::translate("mewt", "mewt tour, step %1 of %2")
                          .arg(QString::number(position), QString::number(OnboardingStore::stepCount)));
    backButton->setVisible(step != Step::meet);
    nextButton->setVisible(step != Step::notifications);
    doneButton->setVisible(step == Step::notifications);
    leftKey->setEnabled(step != Step::meet);

    if (!hasShownStep || step != shownStep) {
        const bool animated = hasShownStep && !reducesMotion();
        stage->setLesson(makeLesson(step), animated);
        hasShownStep = true;
        shownStep = step;
        stepArrived();
    } else if (QWidget* lesson = currentLesson()) {
        for (auto* reveal : lesson->findChildren<MenuBarRevealPreview*>())
            reveal->setTheme(themeStore.selected());
        for (auto* pull : lesson->findChildren<PullPreview*>())
            pull->setTheme(themeStore.selected());
    }
    if (focusInside && !holdsFocus())
        (doneButton->isHidden() ? nextButton : doneButton)->setFocus(Qt::OtherFocusReason);
}

bool OnboardingView::holdsFocus() const
{
    const QWidget* focused = window()->focusWidget();
    return focused && (focused == this || isAncestorOf(focused)) && focused->isVisibleTo(window());
}

QWidget* OnboardingView::currentLesson() const
{
    return stage->lesson();
}

bool OnboardingView::isTransitioning() const
{
    return stage->isTransitioning();
}

void OnboardingView::finishTransition()
{
    stage->finishTransition();
}

QWidget* OnboardingView::makeLesson(Step step)
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(lessonSpacing);
    column->addStretch(1);
    QWidget* artwork = nullptr;
    switch (step) {
    case Step::meet: artwork = new MenuBarRevealPreview(themeStore.selected(), colors); break;
    case Step::pull:
        artwork = new PullPreview(
            themeStore.selected(), tourPullDistance, tourPullCanvas, tourPullScale, tourPullDuration, {}, false);
        break;
    case Step::pause: artwork = new PausePreview(colors); break;
    case Step::notifications: {
        auto* notifications = new NotificationPreview(currentNotificationState, colors);
        notifications->setServiceError(notificationError);
        notifications->onAction = [view = QPointer<OnboardingView>(this)] {
            return !view || !view->onNotificationAction || view->onNotificationAction();
        };
        card = notifications;
        artwork = notifications;
        break;
    }
    }
    artwork->setMinimumHeight(artworkMinimumHeight);
    column->addWidget(artwork, 0, Qt::AlignHCenter);
    auto* text = new QLabel(lesson(step), page);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    text->setFont(pixelFont(calloutSize));
    text->setStyleSheet(QStringLiteral("color: %1;").arg(css(colors.secondaryTextColor)));
    column->addWidget(text);
    column->addStretch(1);
    return page;
}

void OnboardingView::stepArrived()
{
    // Once per arrival at a step, never again because the notification state changed: a rebuilt
    // card must not ask or open the settings over and over.
    ++arrival;
    if (!isVisible() || store.step() != Step::notifications)
        return;
    if (onboardingNotificationAction(currentNotificationState) != OnboardingNotificationAction::requestPermission)
        return;
    if (onNotificationAction)
        onNotificationAction();
}

void OnboardingView::restyle()
{
    QPalette text = palette();
    text.setColor(QPalette::WindowText, colors.foregroundColor);
    titleLabel->setPalette(text);
    text.setColor(QPalette::WindowText, colors.secondaryTextColor);
    caption->setPalette(text);
    QColor line = colors.foregroundColor;
    line.setAlphaF(0.12f);
    divider->setStyleSheet(QStringLiteral("background: %1;").arg(css(line)));
    // The ring of the button with the keyboard is a 2 px border in place of padding, so nothing moves.
    skipButton->setStyleSheet(QStringLiteral("QPushButton { color: %1; background: transparent; border: none;"
                                             " border-radius: 5px; padding: 3px 4px; outline: none; }"
                                             "QPushButton:focus { border: 2px solid %2; padding: 1px 2px; }")
                                  .arg(css(colors.secondaryTextColor), css(colors.accentColor)));
    backButton->setStyleSheet(QStringLiteral("QPushButton { color: %1; background: %2; border: 1px solid %3;"
                                             " border-radius: 5px; padding: 2px 10px; outline: none; }"
                                             "QPushButton:pressed { background: %3; }"
                                             "QPushButton:focus { border: 2px solid %4; padding: 1px 9px; }")
                                  .arg(css(colors.foregroundColor), css(colors.innerColor), css(colors.outlineColor),
                                      css(colors.accentColor)));
    // On the accent's own fill the ring takes the text's colour.
    const QString prominent = QStringLiteral("QPushButton { color: %1; background: %2; border: 1px solid %2;"
                                             " border-radius: 5px; padding: 2px 12px; outline: none; }"
                                             "QPushButton:pressed { background: %3; border-color: %3; }"
                                             "QPushButton:focus { border: 2px solid %4; padding: 1px 11px; }")
                                  .arg(css(contrastingMonochromeColor(colors.accentColor)), css(colors.accentColor),
                                      css(colors.accentColor.darker(115)), css(colors.foregroundColor));
    nextButton->setStyleSheet(prominent);
    doneButton->setStyleSheet(prominent);
}

void OnboardingView::retranslate()
{
    skipButton->setText(QCoreApplication::translate("mewt", "skip"));
    backButton->setText(QCoreApplication::translate("mewt", "back"));
    nextButton->setText(QCoreApplication::translate("mewt", "next"));
    doneButton->setText(QCoreApplication::translate("mewt", "done"));
}

void OnboardingView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        sync();
    }
    QWidget::changeEvent(event);
}

void OnboardingView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!focusWidget() || !isAncestorOf(focusWidget()))
        setFocus(Qt::OtherFocusReason);
    // Coming on screen is an arrival too; after the show, so the host is not called back mid-way.
    const quint64 shownAt = arrival;
    QMetaObject::invokeMethod(
        this,
        [this, shownAt] {
            if (shownAt == arrival)
                stepArrived();
        },
        Qt::QueuedConnection);
}

} // namespace mewt
