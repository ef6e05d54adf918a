#pragma once

#include "popover/PomodoroDurationValueEditor.h"

#include <QWidget>

class QLabel;
class QSpacerItem;

namespace mewt {

class CharacterSlotText;

// How many focus sessions come before a long break, the twin of the length values: click to type,
// drag to pull, a screen reader's steps, and the arrow keys when it has the keyboard. Compact: the
// repeat symbol and the bare count; regular: "long break every" and "4 focus sessions" across the
// row.
class PomodoroLongBreakIntervalPullText final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PomodoroLongBreakIntervalPullText)

public:
    PomodoroLongBreakIntervalPullText(
        bool compact, const PomodoroDurationValueActions& actions, QWidget* parent = nullptr);

    qint64 blocks() const { return valueEditor->savedValue(); }
    void setBlocks(qint64 blocks);
    void setAllowsPull(bool allows);
    void setColors(const QColor& foreground, const QColor& secondary, const QColor& pullColor);

    PomodoroDurationValueEditor& editor() const { return *valueEditor; }
    CharacterSlotText& valueText() const { return *value; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    QString displayText() const;

    bool compact;
    PomodoroDurationValueEditor* valueEditor = nullptr;
    CharacterSlotText* value = nullptr;
    QWidget* typing = nullptr;
    QLabel* lead = nullptr;
    QLabel* unit = nullptr;
    QSpacerItem* glyphPlace = nullptr;
    QColor glyphColor;
};

} // namespace mewt
