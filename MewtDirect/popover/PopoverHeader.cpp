#include "popover/PopoverHeader.h"

#include "artwork/Decoration.h"
#include "cues/PointerFeedback.h"
#include "popover/DetachedWindowDragHandle.h"
#include "popover/PopoverAccessibility.h"
#include "popover/PopoverMetrics.h"
#include "popover/PopoverTitle.h"
#include "popover/ToolbarIconButton.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace mewt {

namespace {
constexpr int stackGap = 4;
constexpr int toolbarGap = 6;
constexpr int linkGap = 3;
constexpr int menuGlyphSize = 11;
} // namespace

PopoverHeader::PopoverHeader(QMenu& menu, QWidget* parent)
    : QWidget(parent)
    , menu(menu)
    , title(new PopoverTitle(this))
    , updateRow(new QWidget(this))
    , update(new QToolButton(updateRow))
    , moreActions(new ToolbarIconButton(QStringLiteral("ellipsis"), menuGlyphSize, this))
    , detachment(menuGlyphSize, this)
    , handle(new DetachedWindowDragHandle(this))
    , notificationBanner(new NotificationBanner(this))
{
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(stackGap);
    auto* toolbar = new QHBoxLayout;
    toolbar->setSpacing(toolbarGap);
    toolbar->addWidget(detachment.close);
    toolbar->addWidget(title);
    toolbar->addWidget(updateRow);
    // Attached, the hidden handle keeps its room as the row's plain stretch.
    QSizePolicy stretch = handle->sizePolicy();
    stretch.setRetainSizeWhenHidden(true);
    handle->setSizePolicy(stretch);
    toolbar->addWidget(handle, 1);
    toolbar->addWidget(detachment.pin);
    toolbar->addWidget(moreActions);
    stack->addLayout(toolbar);
    stack->addWidget(notificationBanner);

    auto* link = new QHBoxLayout(updateRow);
    link->setContentsMargins(0, 0, 0, 0);
    link->setSpacing(linkGap);
    auto* dot = new QLabel(updateRow);
    dot->setObjectName(QStringLiteral("updateDot"));
    // Marked before it has a text, whose change a listening reader would otherwise meet first.
    markAsDecoration(dot);
    dot->setText(QStringLiteral("·"));
    dot->setFont(captionFont(QFont::Medium));
    link->addWidget(dot);
    link->addWidget(update);
    QFont linkFont = captionFont(QFont::Medium);
    linkFont.setUnderline(true);
    update->setFont(linkFont);
    update->setAutoRaise(true);
    update->setCursor(Qt::PointingHandCursor);
    update->setObjectName(QStringLiteral("mewt.update-available"));
    updateRow->hide();
    notificationBanner->hide();
    handle->hide();
    detachment.connect(
        this, [this] { Q_EMIT closePressed(); }, [this] { Q_EMIT pinPressed(); });

    moreActions->setObjectName(soundTag(TactileSound::page));
    setAccessibleRole(moreActions, QAccessible::ButtonMenu);
    connect(moreActions, &QAbstractButton::pressed, this, [this] {
        this->menu.popup(moreActions->mapToGlobal(QPoint(0, moreActions->height())));
        // The menu takes the release (a key's as well as the pointer's): the button must not
        // stay drawn pressed.
        moreActions->setDown(false);
    });
    connect(update, &QToolButton::clicked, this, &PopoverHeader::updatePressed);
    connect(notificationBanner, &NotificationBanner::actionPressed, this, &PopoverHeader::notificationActionPressed);
    retranslate();
}

bool PopoverHeader::showsUpdateLink() const
{
    return shown.updateVersion.has_value();
}

void PopoverHeader::setContent(const Content& content)
{
    if (content == shown)
        return;
    const bool versionChanged = content.updateVersion != shown.updateVersion;
    const bool formChanged = content.detached != shown.detached;
    shown = content;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, content.palette.foregroundColor);
    setPalette(p);
    title->setAccent(content.palette.accentColor);
    detachment.show(content.detached, content.tourPresented);
    detachment.close->setVisible(content.detached);
    handle->setVisible(content.detached);
    QPalette link = update->palette();
    link.setColor(QPalette::ButtonText, content.palette.accentColor);
    update->setPalette(link);
    QPalette dot = updateRow->palette();
    dot.setColor(QPalette::WindowText, content.palette.secondaryTextColor);
    updateRow->setPalette(dot);
    update->setEnabled(!content.checkingForUpdates);
    updateRow->setVisible(content.updateVersion.has_value());
    notificationBanner->setContent(content.banner);
    notificationBanner->setVisible(content.showsBanner);
    if (versionChanged || formChanged)
        retranslate();
}

void PopoverHeader::retranslate()
{
    detachment.retranslate(shown.detached);
    moreActions->setAccessibleName(QCoreApplication::translate("mewt", "more actions"));
    moreActions->setToolTip(QCoreApplication::translate("mewt", "more actions"));
    update->setText(QCoreApplication::translate("mewt", "update"));
    update->setAccessibleDescription(QCoreApplication::translate("mewt", "shows update details"));
    const QString version = shown.updateVersion.value_or(QString());
    update->setAccessibleName(QCoreApplication::translate("mewt", "mewt %1 update available").arg(version));
    update->setToolTip(QCoreApplication::translate("mewt", "mewt %1 is available").arg(version).toHtmlEscaped());
}

void PopoverHeader::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

} // namespace mewt
