#pragma once

#include "storage/BackgroundSetting.h"
#include "storage/StoredColour.h"

#include <QColor>
#include <QString>
#include <QtGlobal>

// The values that live for the whole run and that several screens share.
// The program holds the one instance and every screen reaches it through
// ScreenServices; nothing here is global.
struct ShellState {
    // Marker values fixed by the stored settings and the screens' rules.
    static constexpr qint16 SmallerScreenDisplay = 9;
    static constexpr qint16 FullScreenDisplay = 0;
    static constexpr qint16 SplashWasShown = 99;

    // Display mode of the main window and the remembered smaller size in
    // twips.
    qint16 DisplayMode = FullScreenDisplay;
    qint16 WindowHeight = 0;
    qint16 WindowWidth = 0;

    // At most 15 characters; empty means no family name.
    QString FamilyName;

    // The program-wide window background: a colour or one of the sixteen
    // pictures. The stored "default" is resolved to the swatch colour when
    // read, so screens only ever see a picture or a colour here.
    BackgroundSetting ScreenBackground
        = BackgroundSetting::colour(BackgroundSetting::InitialScreenColour);

    qint16 SplashShown = 0;

    // Panel colour last copied to all functions ("Default" or decimal
    // digits) and the one a closing screen has just saved.
    StoredColour SharedPanelColour = StoredColour::systemDefault();
    QString PendingPanelColour;

    // The print font shared by the print options panel and the reports.
    QString PrintFontName;
    double PrintFontSize = 14;
    // The font dialog and Auto Size give the size as a single-precision
    // number, and its record keeps it so; a size read back keeps the kind it
    // was stored as.
    bool PrintFontSizeSingle = false;
    bool PrintFontBold = false;
    bool PrintFontItalic = false;
    bool PrintFontUnderline = false;
    bool PrintFontStrikethrough = false;
    QColor PrintFontColour = Qt::black;

    // The window title of a screen named baseTitle: the family name in
    // front when one is set.
    QString titleFor(const QString& baseTitle) const
    {
        return FamilyName.isEmpty() ? baseTitle : FamilyName + QLatin1Char(' ') + baseTitle;
    }
};
