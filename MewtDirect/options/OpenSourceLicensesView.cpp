#include "options/OpenSourceLicensesView.h"

#include "artwork/Glyph.h"
#include "options/AccessibleItemList.h"
#include "options/OpenSourceNotice.h"
#include "options/OptionsPalette.h"
#include "options/OptionsSetting.h"
#include "options/TextStyle.h"
#include "platform/AppInfo.h"
#include "platform/ReadOnlyAccessibleText.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace mewt {

namespace {

constexpr int sheetInset = 24;
constexpr int sheetGap = 16;
constexpr int detailInset = 20;
constexpr int detailGap = 16;
constexpr int rowPadding = 4;
constexpr int listGlyphSide = 14;
constexpr int noticeTextPixels = 12;
constexpr qreal browserCorner = 8;
constexpr char headingProperty[] = "mewtHeading";

// The sheet's title and the notice's title, which a screen reader lists among its headings.
class HeadingAccessible final : public ReadOnlyTextWidgetAccessible {
public:
    explicit HeadingAccessible(QLabel* label)
        : ReadOnlyTextWidgetAccessible(label, QAccessible::Heading, false)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return spokenText();
        return QAccessibleWidget::text(t);
    }

protected:
    QString spokenText() const override { return static_cast<const QLabel*>(widget())->text(); }
};

QAccessibleInterface* headingFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("QLabel") && object->property(headingProperty).toBool())
        return new HeadingAccessible(static_cast<QLabel*>(object));
    return nullptr;
}

QListWidget* noticeList()
{
    installAccessibleItemLists();
    return new QListWidget;
}

QLabel* headingLabel()
{
    static const bool installed = [] {
        QAccessible::installFactory(headingFactory);
        return true;
    }();
    Q_UNUSED(installed);
    auto* label = new QLabel;
    label->setProperty(headingProperty, true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The two panes on the text background, in a rounded frame with a hairline just inside its edge.
class NoticeBrowser final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(separatorColor(palette()), 1));
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), browserCorner, browserCorner);
    }
};

} // namespace

OpenSourceLicensesView::OpenSourceLicensesView(QWidget* parent, QString noticeRoot)
    : QDialog(parent)
    , noticeRoot(std::move(noticeRoot))
    , subtitle(new QLabel)
    , notices(noticeList())
    , title(headingLabel())
    , text(new QPlainTextEdit)
    , empty(new QLabel)
    , done(new QPushButton)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setFixedSize(width, height);

    auto* heading = headingLabel();
    heading->setText(definition(OptionsSetting::generalOpenSourceLicenses).title);
    QFont headingFont = textStyleFont(TextStyle::title2);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    subtitle->setForegroundRole(secondaryTextRole);
    subtitle->setWordWrap(true);

    for (const OpenSourceNotice& notice : OpenSourceNotice::all()) {
        auto* item = new QListWidgetItem(notice.title, notices);
        item->setData(Qt::UserRole, notice.id);
        item->setSizeHint(QSize(listWidth, QFontMetrics(font()).height() + 2 * rowPadding + 4));
    }
    notices->setFixedWidth(listWidth);
    notices->setFrameShape(QFrame::NoFrame);
    notices->setIconSize(QSize(listGlyphSide, listGlyphSide));
    notices->viewport()->setAutoFillBackground(false);
    notices->setAutoFillBackground(false);

    title->setFont(textStyleFont(TextStyle::headline));
    title->setTextFormat(Qt::PlainText);
    QFont body = textStyleFont(TextStyle::body);
    body.setPixelSize(noticeTextPixels);
    text->setFont(body);
    text->setReadOnly(true);
    text->setFrameShape(QFrame::NoFrame);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->viewport()->setAutoFillBackground(false);
    empty->setForegroundRole(secondaryTextRole);
    empty->setAlignment(Qt::AlignCenter);

    auto* shown = new QWidget;
    auto* shownColumn = new QVBoxLayout(shown);
    shownColumn->setContentsMargins(detailInset, detailInset, detailInset / 2, detailInset / 2);
    shownColumn->setSpacing(detailGap);
    shownColumn->addWidget(title);
    shownColumn->addWidget(text, 1);
    detail = new QStackedLayout;
    detail->addWidget(shown);
    detail->addWidget(empty);

    auto* divider = new QFrame;
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Plain);
    divider->setForegroundRole(QPalette::Mid);
    auto* browser = new NoticeBrowser;
    auto* panes = new QHBoxLayout(browser);
    panes->setContentsMargins(1, 1, 1, 1);
    panes->setSpacing(0);
    panes->addWidget(notices);
    panes->addWidget(divider);
    panes->addLayout(detail, 1);

    done->setDefault(true);
    done->setAutoDefault(true);
    done->setObjectName(QStringLiteral("mewt.close-open-source-licenses"));
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    auto* footer = new QHBoxLayout;
    footer->addStretch();
    footer->addWidget(done);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(sheetInset, sheetInset, sheetInset, sheetInset);
    column->setSpacing(sheetGap);
    column->addWidget(heading);
    column->addWidget(subtitle);
    column->addWidget(browser, 1);
    column->addLayout(footer);

    connect(notices, &QListWidget::itemSelectionChanged, this, &OpenSourceLicensesView::showSelection);
    retranslate();
    tintListGlyphs();
    selectNotice(OpenSourceNotice::all().constFirst().id);
    done->setFocus();
}

std::optional<QString> OpenSourceLicensesView::selectedNotice() const
{
    const QList<QListWidgetItem*> selected = notices->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.constFirst()->data(Qt::UserRole).toString();
}

void OpenSourceLicensesView::selectNotice(const std::optional<QString>& id)
{
    notices->clearSelection();
    for (int row = 0; row < notices->count(); ++row) {
        QListWidgetItem* item = notices->item(row);
        if (id && item->data(Qt::UserRole).toString() == *id) {
            notices->setCurrentItem(item);
            item->setSelected(true);
        }
    }
    showSelection();
}

void OpenSourceLicensesView::showSelection()
{
    const std::optional<QString> id = selectedNotice();
    const auto& all = OpenSourceNotice::all();
    const auto notice
        = std::find_if(all.cbegin(), all.cend(), [&id](const OpenSourceNotice& each) { return id && each.id == *id; });
    if (notice == all.cend()) {
        detail->setCurrentIndex(1);
        return;
    }
    title->setText(notice->title);
    // A notice that cannot be read still leaves the sheet and the other notices usable.
    const std::optional<QString> loaded = loadOpenSourceNotice(notice->resource, noticeRoot);
    text->setPlainText(
        loaded.value_or(QCoreApplication::translate("mewt", "This notice could not be loaded. Please contact %1.")
                            .arg(QString::fromUtf8(AppInfo::supportEmail))));
    detail->setCurrentIndex(0);
}

void OpenSourceLicensesView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    else if (event->type() == QEvent::PaletteChange)
        tintListGlyphs();
    QDialog::changeEvent(event);
}

void OpenSourceLicensesView::retranslate()
{
    setWindowTitle(definition(OptionsSetting::generalOpenSourceLicenses).title);
    subtitle->setText(
        QCoreApplication::translate("mewt", "With thanks to the people whose work helps make mewt possible."));
    notices->setAccessibleName(QCoreApplication::translate("mewt", "Libraries"));
    empty->setText(QCoreApplication::translate("mewt", "Select a library to read its license."));
    done->setText(QCoreApplication::translate("mewt", "Done"));
    showSelection(); // the failure line is translated too
}

void OpenSourceLicensesView::tintListGlyphs()
{
    const QIcon icon(Glyph::pixmap(QStringLiteral("document"), QSize(listGlyphSide, listGlyphSide),
        palette().color(QPalette::WindowText), devicePixelRatioF()));
    for (int row = 0; row < notices->count(); ++row)
        notices->item(row)->setIcon(icon);
}

} // namespace mewt
