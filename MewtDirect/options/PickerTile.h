#pragma once

#include <QAbstractButton>
#include <QColor>

namespace mewt {

// One choice of a picture picker (a cat, a bed): a plain button that shows whether it is the chosen
// one. To screen readers it is a radio button named after its choice, checked and valued
// "selected" when chosen. Arrow keys ask the picker to move to a neighbour.
class PickerTile : public QAbstractButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PickerTile)

public:
    PickerTile(const QString& id, const QString& name, QWidget* parent = nullptr);

    QString id() const { return choiceId; }
    QString name() const { return choiceName; }

    bool isSelected() const { return selected; }
    void setSelected(bool selected);
    QColor accentColor() const { return accent; }
    void setAccentColor(const QColor& color);

Q_SIGNALS:
    void arrowPressed(int key);

protected:
    // Draws the tile's own look; the focus ring is drawn over it.
    virtual void paintTile(QPainter& painter) = 0;

    void paintEvent(QPaintEvent* event) final;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString choiceId;
    QString choiceName;
    QColor accent;
    bool selected = false;
    bool focusFromKeyboard = false;
};

} // namespace mewt
