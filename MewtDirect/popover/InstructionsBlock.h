#pragma once

#include "model/CatTheme.h"
#include "popover/TimerDisplayContent.h"

#include <QWidget>
#include <vector>

namespace mewt {

// A divider and, under it, one short line per instruction with its glyph, in the secondary colour.
class InstructionsBlock final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InstructionsBlock)

public:
    explicit InstructionsBlock(QWidget* parent = nullptr);

    const std::vector<InstructionLine>& lines() const { return shown; }
    void setLines(const std::vector<InstructionLine>& lines);
    void setPopoverPalette(const CatPopoverPalette& palette);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return { 0, sizeHint().height() }; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<InstructionLine> shown;
    CatPopoverPalette colors;
};

} // namespace mewt
