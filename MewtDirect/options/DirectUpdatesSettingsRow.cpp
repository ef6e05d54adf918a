#include "options/DirectUpdatesSettingsRow.h"

#include "options/CaptionLine.h"
#include "options/OptionsSetting.h"
#include "options/SettingsRow.h"
#include "options/UpdateRuntime.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mewt {

DirectUpdatesSettingsRow::DirectUpdatesSettingsRow(UpdateRuntime& runtime, QWidget* parent)
    : QWidget(parent)
    , runtime(runtime)
    , checkButton(new QPushButton)
    , message(captionLine(CaptionTone::secondary))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(lineGap);
    column->addWidget(new SettingsRow(OptionsSetting::generalUpdates, checkButton));
    column->addWidget(message);
    connect(checkButton, &QPushButton::clicked, &runtime, &UpdateRuntime::checkForUpdates);
    connect(&runtime, &UpdateRuntime::statusChanged, this, &DirectUpdatesSettingsRow::sync);
    sync();
}

void DirectUpdatesSettingsRow::sync()
{
    const UpdateRuntime::Status& status = runtime.status();
    const bool checking = status.kind == UpdateRuntime::Status::Kind::checking;
    // The runtime's texts are shown as they are.
    checkButton->setText(checking ? QStringLiteral("checking…") : QStringLiteral("check for updates…"));
    // Read as its title, not as the row's.
    checkButton->setAccessibleName(checkButton->text());
    checkButton->setEnabled(!checking);
    message->setText(status.text);
    message->setVisible(status.kind == UpdateRuntime::Status::Kind::message);
}

} // namespace mewt
