#pragma once

#include "options/OptionsNavigationHistory.h"
#include "options/OptionsSetting.h"

#include <QObject>
#include <functional>
#include <optional>

namespace mewt {

// The options window's page, history, search text, chosen search hit and the request to scroll to
// it. One per process, kept while the window is hidden.
class OptionsNavigationModel final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsNavigationModel)

public:
    using AvailabilityProvider = std::function<OptionsSettingsAvailability()>;

    explicit OptionsNavigationModel(AvailabilityProvider availabilityProvider, QObject* parent = nullptr);

    const OptionsNavigationHistory& history() const { return currentHistory; }
    OptionsCategory currentCategory() const { return currentHistory.current(); }
    const QString& searchText() const { return currentSearchText; }
    std::optional<OptionsSetting> selectedSearchResult() const { return selectedResult; }
    std::optional<OptionsSetting> scrollTarget() const { return currentScrollTarget; }
    int scrollRequestID() const { return requestID; }
    OptionsSettingsAvailability availability() const { return availabilityProvider(); }

    // The search text holds more than whitespace.
    bool isSearching() const;
    // "search" while results show without a chosen hit, else the current category's title.
    QString title() const;

    // What the search field writes: clears the chosen hit and the scroll target.
    void updateSearchText(const QString& text);
    // What the sidebar writes: pushes the page, then clears the search.
    void navigate(OptionsCategory category);
    void goBack();
    void goForward();
    // Shows the hit's page and asks for its row once more, keeping the search text. Ignores a
    // setting that is not offered.
    void openSearchResult(OptionsSetting setting);
    // Shows the setting's page with the search cleared and asks for its row. Ignores a setting
    // that is not offered.
    void showSetting(OptionsSetting setting);
    void clearSearch();

Q_SIGNALS:
    // Emitted for every history operation, also when it changes nothing.
    void historyChanged();
    void searchTextChanged(const QString& text);
    void selectedSearchResultChanged();
    void scrollTargetChanged();
    void scrollRequestIDChanged(int requestID);

private:
    void setSearchText(const QString& text);
    void setSelectedSearchResult(std::optional<OptionsSetting> setting);
    void setScrollTarget(std::optional<OptionsSetting> setting);

    AvailabilityProvider availabilityProvider;
    OptionsNavigationHistory currentHistory;
    QString currentSearchText;
    std::optional<OptionsSetting> selectedResult;
    std::optional<OptionsSetting> currentScrollTarget;
    int requestID = 0;
};

} // namespace mewt
