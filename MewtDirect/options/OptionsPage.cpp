#include "options/OptionsPage.h"

#include "options/SettingsForm.h"

#include <QVBoxLayout>
#include <utility>

namespace mewt {

OptionsPage::OptionsPage(QWidget* parent)
    : QWidget(parent)
    , settingsForm(new SettingsForm(this))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(settingsForm);
}

void OptionsPage::scheduleSync()
{
    if (std::exchange(syncPending, true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            syncPending = false;
            sync();
        },
        Qt::QueuedConnection);
}

} // namespace mewt
