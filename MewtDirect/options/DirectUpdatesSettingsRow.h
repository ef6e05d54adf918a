#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace mewt {

class SettingsLabel;
class UpdateRuntime;

// "updates": a button that starts the check a person asks for, and the runtime's last message
// under it. While a check runs the button reads "checking…" and cannot be pressed. While a newer
// version with a web page is known, "download…" beside it opens that page in the browser.
class DirectUpdatesSettingsRow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DirectUpdatesSettingsRow)

public:
    static constexpr int lineGap = 8;

    explicit DirectUpdatesSettingsRow(UpdateRuntime& runtime, QWidget* parent = nullptr);

    QPushButton* button() const { return checkButton; }
    QPushButton* download() const { return downloadButton; }
    QLabel* caption() const { return message; }
    void sync();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    UpdateRuntime& runtime;
    QPushButton* downloadButton = nullptr;
    QPushButton* checkButton = nullptr;
    QLabel* message = nullptr;
};

} // namespace mewt
