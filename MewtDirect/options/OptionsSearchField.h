#pragma once

#include <QLineEdit>

namespace mewt {

class OptionsNavigationModel;

// The sidebar's search box, bound to the navigation model's search text: every edit the user makes
// (typing, paste, the clear button) is written at once; a change from the model is copied in only
// when it differs, so the caret and selection are never disturbed while typing. The magnifier is
// painted, so a screen reader meets no unnamed button; the clear button has a name.
class OptionsSearchField final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsSearchField)

public:
    explicit OptionsSearchField(OptionsNavigationModel& navigation, QWidget* parent = nullptr);

    // Model to field; public so tests need no event loop.
    void sync();

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void retranslate();

    OptionsNavigationModel& navigation;
};

} // namespace mewt
