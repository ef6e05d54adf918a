#pragma once

#include <QLineEdit>

namespace mewt {

class OptionsNavigationModel;

// The sidebar's search box, bound to the navigation model's search text: every edit the user makes
// (typing, paste, the clear button) is written at once; a change from the model is copied in only
// when it differs, so the caret and selection are never disturbed while typing.
class OptionsSearchField final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsSearchField)

public:
    explicit OptionsSearchField(OptionsNavigationModel& navigation, QWidget* parent = nullptr);

    // Model to field; public so tests need no event loop.
    void sync();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void updateMagnifier();

    OptionsNavigationModel& navigation;
    QAction* magnifier = nullptr;
};

} // namespace mewt
