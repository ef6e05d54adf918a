#include "options/AccessibleChoice.h"

#include "platform/ReadOnlyAccessibleText.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

namespace mewt {

namespace {

class ChoiceAccessible final : public QAccessibleWidget, public ReadOnlyAccessibleText {
public:
    explicit ChoiceAccessible(QComboBox* choice)
        : QAccessibleWidget(choice, QAccessible::ComboBox)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Value || (type == QAccessible::Name && choice().accessibleName().isEmpty()))
            return choice().currentText();
        return QAccessibleWidget::text(type);
    }

    // The entries' list, as Qt's own drop-down offers it.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(choice().view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == choice().view() ? 0 : -1;
    }

    QStringList actionNames() const override
    {
        return QStringList { showMenuAction(), pressAction() } + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override
    {
        if (name != showMenuAction() && name != pressAction())
            return QAccessibleWidget::doAction(name);
        if (choice().view()->isVisible())
            choice().hidePopup();
        else
            choice().showPopup();
    }

protected:
    QString spokenText() const override { return choice().currentText(); }

private:
    QComboBox& choice() const { return *static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* choiceFactory(const QString& className, QObject* object)
{
    auto* choice = qobject_cast<QComboBox*>(object);
    if (!choice || className != QLatin1String("QComboBox") || choice->isEditable())
        return nullptr;
    return new ChoiceAccessible(choice);
}

} // namespace

void installAccessibleChoices()
{
    static const bool installed = [] {
        QAccessible::installFactory(choiceFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace mewt
