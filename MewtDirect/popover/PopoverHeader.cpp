#include "popover/PopoverHeader.h"

#include "artwork/Glyph.h"
#include "cues/PointerFeedback.h"
#include "popover/PopoverAccessibility.h"
#include "popover/PopoverMetrics.h"
#include "popover/ToolbarIconButton.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace mewt {

namespace {
constexpr int stackGap = 4;
constexpr int toolbarGap = 6;
constexpr int linkGap = 3;
constexpr int titleGap = 6;
constexpr int pawSize = 14;
// The paw sits a little low beside the lower-case title.
constexpr int pawDrop = 1;
constexpr int subheadlinePixelSize = 11;
constexpr int menuGlyphSize = 11;
} // namespace

// "mewt" beside the paw, drawn; read out as the popover's title.
class PopoverTitle final : public QWidget {
public:
    explicit PopoverTitle(QWidget* parent)
        : QWidget(parent)
    {
        setFont(pixelFont(subheadlinePixelSize, QFont::DemiBold));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAccessibleName(QStringLiteral("mewt"));
        setAccessibleRole(this, QAccessible::StaticText);
    }
    QColor accent;

    QSize sizeHint() const override
    {
        const int text = fontMetrics().horizontalAdvance(QStringLiteral("mewt"));
        return { pawSize + titleGap + text, std::max(pawSize + pawDrop, fontMetrics().height()) };
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal top = (height() - pawSize) / 2.0 + pawDrop;
        Glyph::paint(painter, QStringLiteral("menu-paw"), QRectF(0, top, pawSize, pawSize), accent);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRectF(pawSize + titleGap, 0, width() - pawSize - titleGap, height()), Qt::AlignVCenter,
            QStringLiteral("mewt"));
    }
};

PopoverHeader::PopoverHeader(QMenu& menu, QWidget* parent)
    : QWidget(parent)
    , menu(menu)
    , title(new PopoverTitle(this))
    , updateRow(new QWidget(this))
    , update(new QToolButton(updateRow))
    , moreActions(new ToolbarIconButton(QStringLiteral("ellipsis"), menuGlyphSize, this))
    , notificationBanner(new NotificationBanner(this))
{
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(stackGap);
    auto* toolbar = new QHBoxLayout;
    toolbar->setSpacing(toolbarGap);
    toolbar->addWidget(title);
    toolbar->addWidget(updateRow);
    toolbar->addStretch(1);
    toolbar->addWidget(moreActions);
    stack->addLayout(toolbar);
    stack->addWidget(notificationBanner);

    auto* link = new QHBoxLayout(updateRow);
    link->setContentsMargins(0, 0, 0, 0);
    link->setSpacing(linkGap);
    auto* dot = new QLabel(QStringLiteral("·"), updateRow);
    dot->setObjectName(QStringLiteral("updateDot"));
    dot->setAccessibleName(QString());
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

    moreActions->setObjectName(soundTag(TactileSound::page));
    setAccessibleRole(moreActions, QAccessible::ButtonMenu);
    connect(moreActions, &QAbstractButton::pressed, this,
        [this] { this->menu.popup(moreActions->mapToGlobal(QPoint(0, moreActions->height()))); });
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
    shown = content;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, content.palette.foregroundColor);
    setPalette(p);
    title->accent = content.palette.accentColor;
    title->update();
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
    if (versionChanged)
        retranslate();
}

void PopoverHeader::retranslate()
{
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
