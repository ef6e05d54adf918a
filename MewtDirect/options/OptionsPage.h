#pragma once

#include <QWidget>

namespace mewt {

class SettingsForm;

// The content of one category of the options window: sections of rows in a form that the window
// scrolls to a chosen setting. Controls bind themselves to the stores; what a page derives from
// several values (a lock, a line shown only sometimes) is brought up to date in `sync`, once per
// event-loop turn however many store signals arrive.
class OptionsPage : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsPage)

public:
    explicit OptionsPage(QWidget* parent = nullptr);

    SettingsForm& form() const { return *settingsForm; }

    // Stores to the derived states; public so tests need no event loop.
    virtual void sync() { }

protected:
    void scheduleSync();

private:
    SettingsForm* settingsForm = nullptr;
    bool syncPending = false;
};

} // namespace mewt
