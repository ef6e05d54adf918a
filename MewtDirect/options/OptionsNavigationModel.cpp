#include "options/OptionsNavigationModel.h"

#include <QCoreApplication>

namespace mewt {

OptionsNavigationModel::OptionsNavigationModel(AvailabilityProvider availabilityProvider, QObject* parent)
    : QObject(parent)
    , availabilityProvider(
          availabilityProvider ? std::move(availabilityProvider) : [] { return OptionsSettingsAvailability {}; })
{
}

bool OptionsNavigationModel::isSearching() const
{
    return !currentSearchText.trimmed().isEmpty();
}

QString OptionsNavigationModel::title() const
{
    if (isSearching() && !selectedResult)
        return QCoreApplication::translate("mewt", "search");
    return mewt::title(currentCategory());
}

void OptionsNavigationModel::updateSearchText(const QString& text)
{
    setSearchText(text);
    setSelectedSearchResult(std::nullopt);
    setScrollTarget(std::nullopt);
}

void OptionsNavigationModel::clearSearch()
{
    updateSearchText(QString());
}

void OptionsNavigationModel::navigate(OptionsCategory category)
{
    currentHistory.push(category);
    Q_EMIT historyChanged();
    clearSearch();
}

void OptionsNavigationModel::goBack()
{
    if (currentHistory.canGoBack())
        --currentHistory.index;
    Q_EMIT historyChanged();
    clearSearch();
}

void OptionsNavigationModel::goForward()
{
    if (currentHistory.canGoForward())
        ++currentHistory.index;
    Q_EMIT historyChanged();
    clearSearch();
}

void OptionsNavigationModel::openSearchResult(OptionsSetting setting)
{
    const OptionsSettingDefinition found = definition(setting);
    if (!isVisible(found.visibility, availabilityProvider()))
        return;
    setSelectedSearchResult(setting);
    currentHistory.push(found.category);
    Q_EMIT historyChanged();
    setScrollTarget(setting);
    ++requestID;
    Q_EMIT scrollRequestIDChanged(requestID);
}

void OptionsNavigationModel::showSetting(OptionsSetting setting)
{
    const OptionsSettingDefinition found = definition(setting);
    if (!isVisible(found.visibility, availabilityProvider()))
        return;
    currentHistory.push(found.category);
    Q_EMIT historyChanged();
    clearSearch();
    setScrollTarget(setting);
    ++requestID;
    Q_EMIT scrollRequestIDChanged(requestID);
}

void OptionsNavigationModel::setSearchText(const QString& text)
{
    if (currentSearchText == text)
        return;
    currentSearchText = text;
    Q_EMIT searchTextChanged(currentSearchText);
}

void OptionsNavigationModel::setSelectedSearchResult(std::optional<OptionsSetting> setting)
{
    if (selectedResult == setting)
        return;
    selectedResult = setting;
    Q_EMIT selectedSearchResultChanged();
}

void OptionsNavigationModel::setScrollTarget(std::optional<OptionsSetting> setting)
{
    if (currentScrollTarget == setting)
        return;
    currentScrollTarget = setting;
    Q_EMIT scrollTargetChanged();
}

} // namespace mewt
