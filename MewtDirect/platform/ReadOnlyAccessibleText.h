#pragma once

#include <QAccessibleTextInterface>
#include <QAccessibleWidget>
#include <QString>

namespace mewt {

// A text interface that only reads: what a screen reader asks of a label or a string value. Qt's
// AT-SPI bridge carries a string value nowhere else (its value interface is numbers only).
class ReadOnlyAccessibleText : public QAccessibleTextInterface {
public:
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return static_cast<int>(spokenText().size()); }
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

protected:
    virtual QString spokenText() const = 0;
};

// A widget read as one element with a text, its name unless a subclass says otherwise; a leaf keeps
// what is drawn inside it from being announced on its own.
class ReadOnlyTextWidgetAccessible : public QAccessibleWidget, public ReadOnlyAccessibleText {
public:
    ReadOnlyTextWidgetAccessible(QWidget* widget, QAccessible::Role role, bool leaf);
    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;

protected:
    QString spokenText() const override;

private:
    bool leaf;
};

} // namespace mewt
