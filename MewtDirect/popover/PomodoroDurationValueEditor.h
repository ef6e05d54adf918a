#pragma once

#include "pull/PomodoroDurationKind.h"

#include <QObject>
#include <QPointF>
#include <QString>
#include <functional>
#include <optional>

class QBoxLayout;
class QColor;
class QKeyEvent;
class QLineEdit;
class QWidget;

namespace mewt {

class PomodoroDurationInteractionModifier;

// What a duration value is handed by its strip: the pull actions, the adjust action, and the
// popover root's typed drafts and open field, reached through these so the root stays their owner.
struct PomodoroDurationValueActions {
    std::function<void(PomodoroDurationKind, QPointF)> onBegan;
    std::function<void(QPointF)> onChanged;
    std::function<void(QPointF)> onEnded;
    std::function<void(PomodoroDurationKind, qint64)> onAdjust;
    std::function<qint64(PomodoroDurationKind)> storedValue;
    std::function<QString(PomodoroDurationKind)> draft;
    std::function<void(PomodoroDurationKind, const QString&)> setDraft;
    std::function<std::optional<PomodoroDurationKind>()> editingKind;
    // Opens this kind's edit; whatever else was typed commits first.
    std::function<void(PomodoroDurationKind)> beginEdit;
    // Return or focus leaving the open field.
    std::function<void(PomodoroDurationKind)> commitEdit;
    // True when the popover took over focusing the new field.
    std::function<bool()> onTextInputFocusRequest;
};

// What both duration values share: the click-or-drag gesture, the small text field that replaces
// the value while typing, the steps of the adjust action and the value's accessible node (a spin
// box that reads the host's name, hint and value and steps by one).
class PomodoroDurationValueEditor final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PomodoroDurationValueEditor)

public:
    PomodoroDurationValueEditor(QWidget& host, PomodoroDurationKind kind, const PomodoroDurationValueActions& actions);

    PomodoroDurationKind kind() const { return valueKind; }
    QWidget& host() const { return hostWidget; }
    QLineEdit& field() const { return *textField; }
    PomodoroDurationInteractionModifier& interaction() const { return *gesture; }

    qint64 savedValue() const { return saved; }
    void setSavedValue(qint64 value) { saved = value; }
    bool allowsPull() const { return pulls; }
    void setAllowsPull(bool allows);
    bool isEditing() const { return editing; }
    qint64 minimum() const;
    qint64 maximum() const;

    // A click: the field opens with the stored value and takes the keyboard.
    void beginEditing();
    // The root moved its open field elsewhere (it committed this one): the value shows again.
    void followEditingKind();
    // The adjust action: the stored value plus or minus one, held by the receiver.
    void step(int delta);
    // Any value, as a screen reader may set it; the receiver holds it to the range.
    void adjustTo(qint64 value);

    // The value shown at rest and the row that replaces it while typing, into whose start the field
    // goes; both keep one height, so typing never moves the popover.
    void setDisplay(QWidget& value, QWidget& typing, QBoxLayout& typingRow, int fieldWidth, Qt::Alignment alignment);
    // The host's text, the field's included.
    void setForeground(const QColor& color);

    // The value read out beside the name; announced when it changes.
    QString accessibleValue() const { return spokenValue; }
    void setAccessibleValue(const QString& value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A value with the keyboard opens its field on Return, Enter or Space and steps on the arrows.
    bool hostKeyPressed(const QKeyEvent& event);
    void setEditing(bool value);
    qint64 storedValue() const;
    void updateGesture();

    QWidget& hostWidget;
    PomodoroDurationKind valueKind;
    const PomodoroDurationValueActions& actions;
    QLineEdit* textField = nullptr;
    QWidget* restingValue = nullptr;
    QWidget* typingRow = nullptr;
    PomodoroDurationInteractionModifier* gesture = nullptr;
    qint64 saved = 0;
    bool pulls = true;
    bool editing = false;
    Qt::FocusPolicy restingFocusPolicy = Qt::NoFocus;
    bool closingByKey = false;
    QString spokenValue;
};

// The editor a duration value widget carries; null for any other widget.
PomodoroDurationValueEditor* pomodoroDurationValueEditor(const QObject* widget);

} // namespace mewt
