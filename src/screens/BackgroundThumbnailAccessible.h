#pragma once

#include <QAccessibleWidget>

class BackgroundThumbnail;

// What a screen reader is told of a background thumbnail: a list item of
// the selector's pictures, selected when it is the one marked, pressed to
// choose it.
class BackgroundThumbnailAccessible : public QAccessibleWidget
{
public:
    explicit BackgroundThumbnailAccessible(BackgroundThumbnail* thumbnail);

    // Registers the interface with the accessibility framework, once.
    static void install();

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    BackgroundThumbnail* thumbnail() const;
};
