#pragma once

#include <QWidget>
#include <optional>

class QLabel;

namespace mewt {

// The two-line label at the leading side of a setting row: the setting's name and, under it, an
// optional explanation in the secondary colour. Both wrap; nothing is cut. It knows no control and
// no store; the texts are shown as plain text.
class SettingsLabel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsLabel)

public:
    static constexpr int lineGap = 2;

    SettingsLabel(const QString& title, const std::optional<QString>& description, QWidget* parent = nullptr);

    QString title() const;
    std::optional<QString> description() const;
    // For texts that follow the interface language (section heads).
    void setTexts(const QString& title, const std::optional<QString>& description);

private:
    QLabel* titleLabel = nullptr;
    QLabel* descriptionLabel = nullptr;
};

} // namespace mewt
