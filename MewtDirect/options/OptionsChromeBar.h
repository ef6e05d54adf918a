#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

class QAction;
class QLabel;
class QScrollArea;
class QToolButton;
class QVariantAnimation;

namespace mewt {

class OptionsChromeState;
class OptionsNavigationModel;

// The band across the top of the options window: back and forward in a capsule, the app's icon and
// the page title. Right of the sidebar it is clear at the top of the page and a translucent
// material once the page is scrolled: the page goes on under it, blurred and tinted, as if it
// scrolled beneath the band. Linux puts no widgets into a window manager's title bar, so this
// band is ours, inside the window, above the page rather than over it.
class OptionsChromeBar final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsChromeBar)

public:
    static constexpr int barHeight = 52;
    static constexpr int sidebarWidth = 200;
    static constexpr int backdropDurationMs = 140;

    OptionsChromeBar(OptionsNavigationModel& navigation, OptionsChromeState& chromeState, QWidget* parent = nullptr);

    QToolButton& backButton() const { return *back; }
    QToolButton& forwardButton() const { return *forward; }
    // Ctrl+[ and Ctrl+], enabled exactly when their buttons are.
    QAction& backAction() const { return *backShortcut; }
    QAction& forwardAction() const { return *forwardShortcut; }
    QString title() const { return shownTitle; }
    // 0 at the top of the page, 1 once scrolled; animated between.
    qreal backdropOpacity() const { return backdrop; }
    // The scrolling page whose content passes under the band (none: the band stays plain).
    void setScrolledContent(QScrollArea* area);

    void sync();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void detailScrolledChanged(bool scrolled);
    // Takes the band's height of the page just above its visible part, blurred.
    void refreshContentUnderBand();
    void retranslate();
    void refreshGlyphs();
    QRectF capsuleRect() const;
    qreal iconLeft() const;

    OptionsNavigationModel& navigation;
    OptionsChromeState& chromeState;
    QToolButton* back = nullptr;
    QToolButton* forward = nullptr;
    QAction* backShortcut = nullptr;
    QAction* forwardShortcut = nullptr;
    QVariantAnimation* backdropAnimation = nullptr;
    QLabel* titleLabel = nullptr;
    QString shownTitle;
    qreal backdrop = 0;
    QPointer<QScrollArea> scrolledArea;
    QMetaObject::Connection scrollWatch;
    QImage contentUnderBand;
    QPoint contentUnderBandOrigin;
};

} // namespace mewt
