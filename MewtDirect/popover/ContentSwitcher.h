#pragma once

#include <QPixmap>
#include <QWidget>

class QStackedLayout;

namespace mewt {

// Pages shown one at a time. A change of content slides the new picture in from 8 px below while
// the old one leaves 8 px upwards, both fading; with reduced motion it is a short plain fade. The
// pictures are painted over the live page until the move ends: the old one a snapshot, the new one
// taken again at each frame, so what moves on the new page (a yarn segment growing in) shows.
class ContentSwitcher final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContentSwitcher)

public:
    static constexpr int slideFrames = 14; // 0.22 s
    static constexpr int fadeFrames = 8; // 0.12 s
    static constexpr double slideDistance = 8.0;

    explicit ContentSwitcher(QWidget* parent = nullptr);
    ~ContentSwitcher() override;

    void addPage(QWidget* page);
    QWidget* currentPage() const;
    // Makes `page` current at once, with the content's height.
    void setCurrentPage(QWidget* page);

    // Before the shown content changes: keeps a picture of what is on screen now.
    void captureOutgoing();
    // After it changed and was laid out: starts the move from the captured picture, painted over
    // `background`. Without a captured picture nothing moves.
    void startTransition(const QColor& background);

    bool isTransitioning() const;
    // Share of the move done, 0...1, eased.
    double transitionProgress() const;
    void advanceFrame();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    class Overlay;

    QStackedLayout* stack = nullptr;
    QWidget* overlay = nullptr;
    QPixmap outgoing;
    QPixmap incoming;
    QColor fill;
    bool reduced = false;
    int frame = 0;
};

} // namespace mewt
