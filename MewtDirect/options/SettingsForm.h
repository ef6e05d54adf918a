#pragma once

#include "options/OptionsSetting.h"

#include <QMap>
#include <QPointer>
#include <QScrollArea>

class QVariantAnimation;
class QVBoxLayout;

namespace mewt {

class SettingsSection;

// A page of settings: sections of rows in a scroll area. Every row is registered under its
// setting, so the page can bring a chosen search hit into view and the catalogue's settings can be
// checked against what the page really shows.
class SettingsForm final : public QScrollArea {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsForm)

public:
    static constexpr int pageMargin = 20;
    static constexpr int sectionGap = 18;
    static constexpr int scrollDurationMs = 220;

    explicit SettingsForm(QWidget* parent = nullptr);

    // `headerKey` is a translation key or null for a section without a header.
    SettingsSection* addSection(const char* headerKey = nullptr);

    void registerRow(OptionsSetting setting, QWidget* row);
    // The row shown for the setting, or null when this page has none.
    QWidget* row(OptionsSetting setting) const;
    QList<OptionsSetting> registeredSettings() const;

    // The scroll value that centres the row in the viewport, held to the scroll range; none when
    // the page has no such row.
    std::optional<int> centringScrollValue(OptionsSetting setting);
    // Centres the row, animated unless reduced motion is asked for. False when there is no row.
    bool scrollTo(OptionsSetting setting);
    bool isScrollAnimating() const;
    // Scrolls to `offset` at once, held to the range of a page just built.
    void scrollToOffset(int offset);

private:
    // Lays the content out now and lets the scroll range follow it.
    void settleLayout();

    QWidget* content = nullptr;
    QVBoxLayout* sections = nullptr;
    QMap<OptionsSetting, QPointer<QWidget>> rows;
    QVariantAnimation* scrollAnimation = nullptr;
};

} // namespace mewt
