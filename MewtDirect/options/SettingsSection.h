#pragma once

#include "options/OptionsSetting.h"

#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace mewt {

class SettingsForm;

// A rounded card of setting rows with hairlines between them, under an optional header and over an
// optional footer. Made by SettingsForm::addSection, which registers every row it adds.
class SettingsSection final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsSection)

public:
    static constexpr int cardPadding = 10;
    static constexpr int rowGap = 16;
    static constexpr qreal cornerRadius = 8;

    // `headerKey` is a translation key (context "mewt"), re-read when the language changes.
    SettingsSection(SettingsForm& form, const char* headerKey, QWidget* parent = nullptr);

    // A row built from the catalogue's label and the given control.
    QWidget* addRow(OptionsSetting setting, QWidget* control);
    // A row labelled with the catalogue's control title only; the description becomes the
    // control's tooltip (pickers whose own title is their label).
    QWidget* addTitledRow(OptionsSetting setting, QWidget* control);
    // A row that lays out its own label (a number row, a picker grid).
    QWidget* addCustomRow(OptionsSetting setting, QWidget* row);
    // A line that belongs to no setting (an error under a switch, a button that follows it).
    QWidget* addLine(QWidget* line);
    // A widget in place of the header text (a label with an explanation).
    void setHeaderWidget(QWidget* header);
    // A header shown as it stands, never looked up in the translations (a catalogue title).
    void setHeaderText(const QString& text);
    // Shown verbatim under the card.
    void setFooter(const QString& footer);

    int rowCount() const { return int(rows.size()); }

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void retranslate();
    QRect cardRect() const;

    SettingsForm& form;
    const char* headerKey;
    QLabel* header = nullptr;
    QWidget* card = nullptr;
    QVBoxLayout* cardRows = nullptr;
    QLabel* footer = nullptr;
    QList<QWidget*> rows;
};

} // namespace mewt
