#include "options/DirectUpdatesSettingsRow.h"

#include "options/CaptionLine.h"
#include "options/OptionsSetting.h"
#include "options/SettingsRow.h"
#include "options/UpdateRuntime.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mewt {

namespace {
constexpr int buttonGap = 6;
} // namespace

DirectUpdatesSettingsRow::DirectUpdatesSettingsRow(UpdateRuntime& runtime, QWidget* parent)
    : QWidget(parent)
    , runtime(runtime)
    , downloadButton(new QPushButton)
    , checkButton(new QPushButton)
    , message(captionLine(CaptionTone::secondary))
{
    auto* buttons = new QWidget;
    auto* pair = new QHBoxLayout(buttons);
    pair->setContentsMargins(0, 0, 0, 0);
    pair->setSpacing(buttonGap);
    pair->addWidget(downloadButton);
    pair->addWidget(checkButton);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(lineGap);
    column->addWidget(new SettingsRow(OptionsSetting::generalUpdates, buttons));
    column->addWidget(message);
    connect(checkButton, &QPushButton::clicked, &runtime, &UpdateRuntime::checkForUpdates);
    connect(downloadButton, &QPushButton::clicked, &runtime, &UpdateRuntime::openAvailableUpdate);
    connect(&runtime, &UpdateRuntime::statusChanged, this, &DirectUpdatesSettingsRow::sync);
    connect(&runtime, &UpdateRuntime::availableUpdateChanged, this, &DirectUpdatesSettingsRow::sync);
    retranslate();
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
    downloadButton->setVisible(runtime.canOpenAvailableUpdate());
    message->setText(status.text);
    message->setVisible(status.kind == UpdateRuntime::Status::Kind::message);
}

void DirectUpdatesSettingsRow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void DirectUpdatesSettingsRow::retranslate()
{
    downloadButton->setText(QCoreApplication::translate("mewt", "download…"));
    downloadButton->setAccessibleName(downloadButton->text());
    downloadButton->setToolTip(QCoreApplication::translate("mewt", "opens the new version's page in your browser"));
}

} // namespace mewt
