#pragma once

#include <QString>
#include <QWidget>

class QButtonGroup;
class QHBoxLayout;

namespace mewt {

// A row of joined, mutually exclusive buttons, one per choice, each carrying the stored raw value.
// Only the user reports `activated`, choosing a segment by pointer, key or screen reader; setting the
// value from a store is silent.
class SegmentedPicker final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SegmentedPicker)

public:
    explicit SegmentedPicker(QWidget* parent = nullptr);

    void addSegment(const QString& text, const QString& value);
    // The value of the checked segment; empty when none is.
    QString currentValue() const;
    // Checks the segment carrying `value`; none when no segment does.
    void setCurrentValue(const QString& value);
    int count() const;
    QWidget* segment(int index) const;

Q_SIGNALS:
    void activated(const QString& value);

protected:
    void changeEvent(QEvent* event) override;

private:
    // The chosen segment in the selection colour, so it reads as chosen in light and dark alike.
    void tintSegments();

    QButtonGroup* group = nullptr;
    QHBoxLayout* row = nullptr;
};

} // namespace mewt
