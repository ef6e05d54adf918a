#include "tour/OnboardingNotifications.h"

#include "model/NotificationScheduling.h"
#include "model/TimerStore.h"
#include "tour/OnboardingView.h"

#include <QPointer>

namespace mewt {

void attachOnboardingNotifications(
    OnboardingView& view, TimerStore& timer, std::function<bool()> openNotificationSettings)
{
    const QPointer<TimerStore> store(&timer);
    const auto follow = [&view, store] {
        if (store)
            view.setNotificationState(
                onboardingNotificationState(store->notificationAuthorization(), store->notificationDeliveryState()));
    };
    QObject::connect(&timer, &TimerStore::notificationAuthorizationChanged, &view, follow);
    QObject::connect(&timer, &TimerStore::notificationDeliveryStateChanged, &view, follow);
    const auto explain = [&view, store] {
        if (store)
            view.setNotificationError(store->notificationErrorMessage());
    };
    QObject::connect(&timer, &TimerStore::notificationErrorMessageChanged, &view, explain);
    follow();
    explain();

    view.onNotificationAction
        = [tour = QPointer<OnboardingView>(&view), store, open = std::move(openNotificationSettings)] {
              if (!tour || !store)
                  return true;
              switch (onboardingNotificationAction(tour->notificationState())) {
              case OnboardingNotificationAction::requestPermission:
                  if (const QPointer<NotificationScheduling> service = store->notifications())
                      service->requestPermission();
                  return true;
              case OnboardingNotificationAction::openSettings: return open && open();
              case OnboardingNotificationAction::none: return true;
              }
              return true;
          };
}

} // namespace mewt
