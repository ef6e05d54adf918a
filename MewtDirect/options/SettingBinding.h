#pragma once

#include <QObject>
#include <functional>

namespace mewt {

// One setting as a control sees it: how to read it, how to hand a new value to the store's setter
// (which normalises and persists), and how to hear that it changed. Controls built on a binding
// write only from user actions and refresh themselves under a signal blocker.
template <typename T> struct SettingBinding {
    std::function<T()> read;
    std::function<void(T)> write;
    // Calls `refresh` (with `context` as the receiver) whenever the setting may have changed.
    std::function<void(QObject* context, std::function<void()> refresh)> observe;
};

// Binds a store property: its getter, its setter and the signals that announce a change.
//   bindSetting<int>(pull, &PullSettingsStore::quickTimeMinutes, &PullSettingsStore::setQuickTimeMinutes,
//       &PullSettingsStore::quickTimeMinutesChanged)
template <typename T, typename Store, typename Getter, typename Setter, typename... Signals>
SettingBinding<T> bindSetting(Store& store, Getter getter, Setter setter, Signals... changes)
{
    return {
        [&store, getter] { return T((store.*getter)()); },
        [&store, setter](T value) { (store.*setter)(value); },
        [&store, changes...](QObject* context, std::function<void()> refresh) {
            (QObject::connect(&store, changes, context, [refresh] { refresh(); }), ...);
        },
    };
}

} // namespace mewt
