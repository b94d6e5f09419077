#include "BackgroundThumbnailAccessible.h"

#include "screens/BackgroundThumbnail.h"

#include <mutex>

namespace {

QAccessibleInterface* thumbnailInterface(const QString& className, QObject* object)
{
    if (className != QLatin1String("BackgroundThumbnail"))
        return nullptr;
    return new BackgroundThumbnailAccessible(static_cast<BackgroundThumbnail*>(object));
}

} // namespace

BackgroundThumbnailAccessible::BackgroundThumbnailAccessible(BackgroundThumbnail* thumbnail)
    : QAccessibleWidget(thumbnail, QAccessible::ListItem)
{ }

void BackgroundThumbnailAccessible::install()
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(thumbnailInterface); });
}

BackgroundThumbnail* BackgroundThumbnailAccessible::thumbnail() const
{
    return static_cast<BackgroundThumbnail*>(widget());
}

QAccessible::State BackgroundThumbnailAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.selectable = true;
    state.selected = thumbnail()->isMarked();
    return state;
}

QStringList BackgroundThumbnailAccessible::actionNames() const
{
    return QStringList { pressAction() } + QAccessibleWidget::actionNames();
}

void BackgroundThumbnailAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction()) {
        emit thumbnail()->clicked();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}
