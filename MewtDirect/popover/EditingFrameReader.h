#pragma once

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <functional>
#include <optional>

class QWidget;

namespace mewt {

// Reports where a widget sits in the coordinates of one of its ancestors (the popover's root), or
// none while it is not shown there, each time that changes. It watches the widget and every
// ancestor in between, since a layout moving any of them moves the widget in the root.
class EditingFrameReader final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditingFrameReader)

public:
    using Report = std::function<void(std::optional<QRectF>)>;

    EditingFrameReader(QWidget& target, QWidget& space, Report report, QObject* parent = nullptr);
    ~EditingFrameReader() override;

    std::optional<QRectF> frame() const;
    // Reports the current frame if it differs from the last one reported.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchChain();

    QPointer<QWidget> target;
    QPointer<QWidget> space;
    Report report;
    QList<QPointer<QWidget>> watched;
    std::optional<QRectF> last;
};

} // namespace mewt
