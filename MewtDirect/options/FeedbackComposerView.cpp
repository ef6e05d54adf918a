#include "options/FeedbackComposerView.h"

#include "artwork/Decoration.h"
#include "artwork/PixelFont.h"
#include "cues/PointerFeedback.h"
#include "options/FeedbackComposerModel.h"
#include "options/OptionsPalette.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtMath>
#include <functional>
#include <utility>

namespace mewt {

namespace {

// Refuses, whole, a paste or drop that would take the note past the bound: a pasted book would be
// laid out in full and the form would stall at every key. Everything short of it is kept.
class NoteEditor final : public QPlainTextEdit {
public:
    NoteEditor(std::function<void()> refused, QWidget* parent)
        : QPlainTextEdit(parent)
        , refused(std::move(refused))
    {
    }

protected:
    void insertFromMimeData(const QMimeData* source) override
    {
        if (!source || !source->hasText())
            return;
        const QTextCursor cursor = textCursor();
        const qsizetype kept = document()->characterCount() - 1 - (cursor.selectionEnd() - cursor.selectionStart());
        if (kept + source->text().size() > FeedbackComposerView::noteBound) {
            refused();
            return;
        }
        QPlainTextEdit::insertFromMimeData(source);
    }

private:
    std::function<void()> refused;
};

constexpr int padding = 20;
constexpr int sectionSpacing = 16;
constexpr int headerTextSpacing = 4;
constexpr int headerMinimumGap = 8;
constexpr int formSpacing = 12;
constexpr int thanksSpacing = 8;
constexpr int thanksPadding = 12;
constexpr int editorMinimumHeight = 140;
constexpr int editorMaximumHeight = 180;
constexpr int editorPadding = 8;
constexpr int titleSize = 15;
constexpr int calloutSize = 12;
constexpr int bodySize = 13;
constexpr int captionSize = 10;
constexpr int closeIconSize = 12;
constexpr int checkmarkSize = 16;
// The failure is the system's red of each look.
constexpr double outlineOpacity = 0.12;
constexpr int editorCornerRadius = 10;
constexpr int segmentCornerRadius = 6;
constexpr QRgb lightRed = 0xd70015;
constexpr QRgb darkRed = 0xff6961;
const QString sampleAddress = QStringLiteral("you@example.com");

QLabel* label(int pixelSize, QFont::Weight weight, QWidget* parent)
{
    auto* made = new QLabel(parent);
    made->setFont(pixelFont(pixelSize, weight));
    made->setTextFormat(Qt::PlainText);
    made->setWordWrap(true);
    return made;
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QPixmap crossPixmap(const QColor& color, qreal ratio)
{
    QPixmap pixmap(QSize(closeIconSize, closeIconSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap));
    const qreal inset = 2.5;
    const qreal far = closeIconSize - inset;
    painter.drawLine(QPointF(inset, inset), QPointF(far, far));
    painter.drawLine(QPointF(far, inset), QPointF(inset, far));
    return pixmap;
}

// Disabled while a note is sending, and it must look it.
QIcon crossIcon(const QColor& color, const QColor& disabled, qreal ratio)
{
    QIcon icon(crossPixmap(color, ratio));
    icon.addPixmap(crossPixmap(disabled, ratio), QIcon::Disabled);
    return icon;
}

// A white check on a filled disc.
QPixmap checkmarkDisc(const QColor& disc, qreal ratio)
{
    QPixmap pixmap(QSize(checkmarkSize, checkmarkSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(disc);
    painter.drawEllipse(QRectF(0, 0, checkmarkSize, checkmarkSize));
    QPainterPath check;
    check.moveTo(4.6, 8.4);
    check.lineTo(7.0, 10.8);
    check.lineTo(11.6, 5.6);
    painter.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(check);
    return pixmap;
}

// Its own class, so the accessibility factory below is asked before Qt's own for push buttons.
class KindSegment final : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;
};

// A segment of the kind picker is one choice of several: a screen reader hears a radio button,
// checked or not, that can be pressed.
class SegmentAccessible final : public QAccessibleWidget {
public:
    explicit SegmentAccessible(QWidget* segment)
        : QAccessibleWidget(segment, QAccessible::RadioButton)
    {
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? button()->text() : QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override { return { pressAction() }; }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            button()->click();
    }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* segmentAccessible(const QString&, QObject* object)
{
    if (auto* segment = qobject_cast<KindSegment*>(object))
        return new SegmentAccessible(segment);
    return nullptr;
}

} // namespace

FeedbackComposerView::FeedbackComposerView(FeedbackComposerModel& model, std::function<void()> onClose, QWidget* parent)
    : QWidget(parent)
    , model(model)
    , onClose(std::move(onClose))
{
    setFixedWidth(width);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(sectionSpacing);
    column->addWidget(buildHeader());
    column->addWidget(buildForm());
    column->addWidget(buildThanks());
    column->addWidget(buildButtons());

    connect(&model, &FeedbackComposerModel::changed, this, &FeedbackComposerView::scheduleSync);
    retranslate();
    applyColors();
    sync();
}

QWidget* FeedbackComposerView::buildHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(headerMinimumGap);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(headerTextSpacing);
    title = label(titleSize, QFont::DemiBold, header);
    subtitle = label(calloutSize, QFont::Normal, header);
    texts->addWidget(title);
    texts->addWidget(subtitle);
    row->addLayout(texts, 1);
    close = new QToolButton(header);
    close->setAutoRaise(true);
    close->setToolButtonStyle(Qt::ToolButtonIconOnly);
    close->setFocusPolicy(Qt::TabFocus);
    row->addWidget(close, 0, Qt::AlignTop);
    connect(close, &QToolButton::clicked, this, &FeedbackComposerView::runClose);
    return header;
}

QWidget* FeedbackComposerView::buildForm()
{
    form = new QWidget(this);
    auto* column = new QVBoxLayout(form);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(formSpacing);

    auto* kindRow = new QHBoxLayout;
    kindRow->setSpacing(0);
    kindLabel = label(bodySize, QFont::Normal, form);
    kindLabel->setWordWrap(false);
    kindRow->addWidget(kindLabel);
    kindRow->addSpacing(formSpacing);
    static const bool segmentsAccessible = (QAccessible::installFactory(segmentAccessible), true);
    Q_UNUSED(segmentsAccessible)
    auto* group = new QButtonGroup(form);
    for (size_t index = 0; index < categories.size(); ++index) {
        const auto category = FeedbackSubmissionRequest::allCategories[index];
        auto* segment = new KindSegment(FeedbackSubmissionRequest::rawValue(category), form);
        segment->setCheckable(true);
        segment->setAutoDefault(false);
        segment->setFont(pixelFont(bodySize));
        setFeedbackRole(segment, FeedbackRole::radioButton);
        group->addButton(segment);
        kindRow->addWidget(segment, 1);
        connect(segment, &QPushButton::clicked, this, [this, category] { this->model.setCategory(category); });
        categories[index] = segment;
    }
    column->addLayout(kindRow);

    editor = new NoteEditor([this] { pasteRefused->show(); }, form);
    editor->setFont(pixelFont(bodySize));
    editor->setTabChangesFocus(true);
    editor->setMinimumHeight(editorMinimumHeight);
    editor->setMaximumHeight(editorMaximumHeight);
    editor->document()->setDocumentMargin(editorPadding);
    // textChanged fires for sync()'s own writes too; those run under a blocker.
    connect(editor, &QPlainTextEdit::textChanged, this, [this] {
        pasteRefused->hide();
        this->model.setMessage(editor->toPlainText());
    });
    column->addWidget(editor);
    pasteRefused = label(calloutSize, QFont::Normal, form);
    pasteRefused->hide();
    column->addWidget(pasteRefused);

    includeEmail = new QCheckBox(form);
    includeEmail->setFont(pixelFont(bodySize));
    // sync() sets it under a blocker, so every `toggled` is the user's, a screen reader's included.
    connect(includeEmail, &QCheckBox::toggled, &model, &FeedbackComposerModel::setIncludeEmail);
    column->addWidget(includeEmail);

    email = new QLineEdit(form);
    email->setFont(pixelFont(bodySize));
    email->setPlaceholderText(sampleAddress);
    connect(email, &QLineEdit::textEdited, &model, &FeedbackComposerModel::setContactEmail);
    column->addWidget(email);

    summary = label(captionSize, QFont::Normal, form);
    summary->setText(diagnosticsSummary());
    column->addWidget(summary);

    failure = new QTextEdit(form);
    failure->setReadOnly(true);
    failure->setAcceptRichText(false);
    failure->setFont(pixelFont(calloutSize));
    failure->setFrameShape(QFrame::NoFrame);
    failure->setFocusPolicy(Qt::NoFocus);
    failure->viewport()->setAutoFillBackground(false);
    failure->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    failure->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A server may send one word wider than the form; it breaks rather than running out of sight.
    failure->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    failure->document()->setDocumentMargin(0);
    // As tall as the sentence laid out at the box's own width, so the panel grows and shrinks with
    // it; measuring before the box has its width would keep the height of a narrower layout.
    connect(failure->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, failure,
        [this](const QSizeF& size) { failure->setFixedHeight(qCeil(size.height())); });
    column->addWidget(failure);
    return form;
}

QWidget* FeedbackComposerView::buildThanks()
{
    thanks = new QWidget(this);
    auto* column = new QVBoxLayout(thanks);
    column->setContentsMargins(0, thanksPadding, 0, thanksPadding);
    column->setSpacing(thanksSpacing);
    auto* headline = new QHBoxLayout;
    headline->setSpacing(thanksSpacing);
    checkmark = new QLabel(thanks);
    markAsDecoration(checkmark); // the headline beside it says it
    thanksTitle = label(bodySize, QFont::Bold, thanks);
    headline->addWidget(checkmark);
    headline->addWidget(thanksTitle, 1);
    column->addLayout(headline);
    thanksText = label(calloutSize, QFont::Normal, thanks);
    column->addWidget(thanksText);
    return thanks;
}

QWidget* FeedbackComposerView::buildButtons()
{
    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch(1);
    cancel = new QPushButton(buttons);
    send = new QPushButton(buttons);
    done = new QPushButton(buttons);
    for (QPushButton* button : { cancel, send, done }) {
        button->setFont(pixelFont(bodySize));
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    connect(cancel, &QPushButton::clicked, this, &FeedbackComposerView::runClose);
    connect(done, &QPushButton::clicked, this, &FeedbackComposerView::runClose);
    connect(send, &QPushButton::clicked, this, [this] {
        model.clearFailure();
        model.submit();
    });
    return buttons;
}

QString FeedbackComposerView::diagnosticsSummary()
{
    const FeedbackDiagnostics facts = FeedbackDiagnostics::current();
    return QStringLiteral("includes mewt %1 (%2) · Linux %3 · no focus data")
        .arg(facts.appVersion, facts.appBuild, facts.osVersion);
}

void FeedbackComposerView::scheduleSync()
{
    if (!std::exchange(syncPending, true))
        QMetaObject::invokeMethod(this, &FeedbackComposerView::sync, Qt::QueuedConnection);
}

void FeedbackComposerView::sync()
{
    syncPending = false;
    using Kind = FeedbackComposerModel::Phase::Kind;
    const FeedbackComposerModel::State& state = model.state();
    const bool sending = state.phase.kind == Kind::sending;
    const bool sent = state.phase.kind == Kind::sent;

    for (size_t index = 0; index < categories.size(); ++index) {
        const QSignalBlocker quiet(categories[index]);
        categories[index]->setChecked(FeedbackSubmissionRequest::allCategories[index] == state.category);
        categories[index]->setEnabled(!sending);
    }
    if (editor->toPlainText() != state.message) {
        const QSignalBlocker quiet(editor);
        editor->setPlainText(state.message);
    }
    if (email->text() != state.contactEmail)
        email->setText(state.contactEmail);
    {
        const QSignalBlocker quiet(includeEmail);
        includeEmail->setChecked(state.includeEmail);
    }
    for (QWidget* control :
        { static_cast<QWidget*>(editor), static_cast<QWidget*>(includeEmail), static_cast<QWidget*>(email) })
        control->setEnabled(!sending);
    email->setVisible(state.includeEmail);
    if (failure->toPlainText() != state.phase.sentence)
        failure->setPlainText(state.phase.sentence);
    if (state.phase.kind == Kind::failed && failure->isHidden()) {
        // Laid out at the column's width before it shows (its height follows): the panel would
        // otherwise first grow for a layout at the hidden box's narrower width.
        failure->document()->setTextWidth(editor->width());
    }
    failure->setVisible(state.phase.kind == Kind::failed);

    form->setVisible(!sent);
    thanks->setVisible(sent);
    // Closing mid-send would leave its outcome to a form nobody sees.
    close->setEnabled(!sending);
    cancel->setVisible(!sent);
    cancel->setEnabled(!sending);
    send->setVisible(!sent);
    send->setEnabled(model.canSend());
    send->setText(
        sending ? QCoreApplication::translate("mewt", "sending…") : QCoreApplication::translate("mewt", "send"));
    done->setVisible(sent);
    // Return goes to the visible one of the two; a hidden default button would swallow it.
    send->setDefault(!sent);
    done->setDefault(sent);
}

void FeedbackComposerView::cancelAction()
{
    if (cancel->isVisible() && cancel->isEnabled())
        runClose();
}

void FeedbackComposerView::runClose()
{
    if (onClose)
        onClose();
}

void FeedbackComposerView::setColorScheme(ColorScheme newScheme)
{
    scheme = newScheme;
    applyColors();
}

void FeedbackComposerView::applyColors()
{
    const QPalette colors = palette();
    const QColor secondary = colors.color(secondaryTextRole);
    QColor outline = colors.color(QPalette::WindowText);
    outline.setAlphaF(outlineOpacity);
    const QString outlineColor = outline.name(QColor::HexArgb);
    // A style sheet keeps the colours it was given, so the text's colour is named with the rest.
    editor->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: %1; color: %2; border: 1px solid %3; border-radius: %4px; }"
                       "QPlainTextEdit:disabled { color: %5; }")
            .arg(colors.color(QPalette::Base).name(), colors.color(QPalette::Text).name(), outlineColor)
            .arg(editorCornerRadius)
            .arg(colors.color(QPalette::Disabled, QPalette::Text).name()));
    // The chosen kind reads at a glance: the accent fills it, as a segmented control does.
    const QString segment
        = QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid %3; padding: 3px 0; }"
                         "QPushButton:checked { background: %4; color: %5; border-color: %4; }"
                         "QPushButton:disabled { color: %6; }")
              .arg(colors.color(QPalette::Button).name(), colors.color(QPalette::ButtonText).name(), outlineColor,
                  colors.color(QPalette::Highlight).name(), colors.color(QPalette::HighlightedText).name(),
                  colors.color(QPalette::Disabled, QPalette::ButtonText).name());
    // The default action stands out in the accent while it can act.
    const QString prominent
        = QStringLiteral("QPushButton { border-radius: %3px; padding: 3px 14px; }"
                         "QPushButton:enabled { background: %1; color: %2; border: 1px solid %1; }"
                         "QPushButton:disabled { background: %4; color: %5; border: 1px solid %6; }")
              .arg(colors.color(QPalette::Highlight).name(), colors.color(QPalette::HighlightedText).name())
              .arg(segmentCornerRadius)
              .arg(colors.color(QPalette::Button).name(), colors.color(QPalette::Disabled, QPalette::ButtonText).name(),
                  outlineColor);
    send->setStyleSheet(prominent);
    done->setStyleSheet(prominent);
    for (size_t index = 0; index < categories.size(); ++index) {
        const char* corners = index == 0     ? "border-top-left-radius: %1px; border-bottom-left-radius: %1px;"
            : index + 1 == categories.size() ? "border-top-right-radius: %1px; border-bottom-right-radius: %1px;"
                                             : "";
        const QString rounded = *corners ? QString::fromLatin1(corners).arg(segmentCornerRadius) : QString();
        categories[index]->setStyleSheet(segment + QStringLiteral("QPushButton { %1 }").arg(rounded));
    }
    for (QLabel* faded : { subtitle, pasteRefused, summary, thanksText })
        faded->setForegroundRole(secondaryTextRole);
    setTextColor(failure, QColor::fromRgb(scheme == ColorScheme::dark ? darkRed : lightRed));
    const qreal ratio = devicePixelRatioF();
    close->setIcon(crossIcon(secondary, colors.color(QPalette::Disabled, QPalette::WindowText), ratio));
    close->setIconSize(QSize(closeIconSize, closeIconSize));
    checkmark->setPixmap(checkmarkDisc(palette().color(QPalette::Highlight), ratio));
}

void FeedbackComposerView::retranslate()
{
    title->setText(QCoreApplication::translate("mewt", "send feedback"));
    subtitle->setText(QCoreApplication::translate("mewt", "i read every note. bugs, ideas, or tiny joys all help."));
    close->setToolTip(QCoreApplication::translate("mewt", "close"));
    close->setAccessibleName(QCoreApplication::translate("mewt", "close"));
    kindLabel->setText(QCoreApplication::translate("mewt", "kind"));
    for (QPushButton* segment : categories)
        segment->setAccessibleDescription(QCoreApplication::translate("mewt", "kind"));
    editor->setAccessibleName(QCoreApplication::translate("mewt", "feedback message"));
    pasteRefused->setText(QCoreApplication::translate("mewt", "too long to paste. a note sends up to %1 characters.")
                              .arg(FeedbackComposerModel::messageLimit));
    includeEmail->setText(QCoreApplication::translate("mewt", "include email so i can reply"));
    email->setAccessibleName(QCoreApplication::translate("mewt", "reply email"));
    thanksTitle->setText(QCoreApplication::translate("mewt", "got it. thank you"));
    thanksText->setText(
        QCoreApplication::translate("mewt", "i read these myself. if you left an email, i may write back."));
    cancel->setText(QCoreApplication::translate("mewt", "cancel"));
    done->setText(QCoreApplication::translate("mewt", "done"));
    send->setText(model.state().phase.kind == FeedbackComposerModel::Phase::Kind::sending
            ? QCoreApplication::translate("mewt", "sending…")
            : QCoreApplication::translate("mewt", "send"));
}

void FeedbackComposerView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    else if (event->type() == QEvent::PaletteChange)
        applyColors();
    QWidget::changeEvent(event);
}

} // namespace mewt

#include "FeedbackComposerView.moc"
