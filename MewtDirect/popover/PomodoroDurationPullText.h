#pragma once

#include "popover/PomodoroDurationValueEditor.h"

#include <QWidget>

class QLabel;
class QSpacerItem;

namespace mewt {

class CharacterSlotText;

// A length in whole minutes as the strip shows it: "25m", "1h", "1h30m", "3h".
QString pomodoroDurationDisplayText(qint64 minutes);

// One pomodoro length (focus, break or long break) that the user clicks to type, drags to pull,
// or steps with a screen reader. It shows the stored value throughout a pull; the digits roll when
// the stored configuration changes. Compact: symbol and value on one line; regular: the value over
// its title.
class PomodoroDurationPullText final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PomodoroDurationPullText)

public:
    PomodoroDurationPullText(PomodoroDurationKind kind, QString title, QString glyph, bool compact,
        const PomodoroDurationValueActions& actions, QWidget* parent = nullptr);

    qint64 savedMinutes() const { return valueEditor->savedValue(); }
    void setSavedMinutes(qint64 minutes);
    // Off: the value only shows (no gesture, no typing, no frame, no hint).
    void setAllowsPull(bool allows);
    void setColors(const QColor& foreground, const QColor& secondary, const QColor& pullColor);

    PomodoroDurationValueEditor& editor() const { return *valueEditor; }
    CharacterSlotText& valueText() const { return *value; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QString title;
    QString glyph;
    bool compact;
    PomodoroDurationValueEditor* valueEditor = nullptr;
    CharacterSlotText* value = nullptr;
    QWidget* typing = nullptr;
    QLabel* unit = nullptr;
    QLabel* titleLabel = nullptr;
    QSpacerItem* glyphPlace = nullptr;
    QColor glyphColor;
};

} // namespace mewt
