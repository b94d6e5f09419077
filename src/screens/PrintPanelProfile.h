#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What tells one function's print options panel from another's: where its
// choices are stored and the few points in which the Password Keeper's
// panel behaves differently from the trackers'.
struct PrintPanelProfile {
    enum class Function { WeightTracker, BloodPressureTracker, PasswordKeeper };

    Function function = Function::WeightTracker;
    // Shown in the status bar one after the other while the panel opens.
    QStringList openingStatus { QStringLiteral("Print") };
    // A face and size the panel always opens with instead of the stored ones.
    std::optional<QString> fixedFontName;
    std::optional<double> fixedFontSize;
    // Bold and italic are taken from the screen's first text box on opening.
    bool styleFromFirstTextBox = true;
    // The panel moves to the top of the screen when it opens.
    bool movesToTop = true;
    // Closing stores the font, gives the status bar back to the screen and
    // enables its "&Options" menu again, which the open panel disabled.
    bool trackerClosing = true;
    // Auto Size fits this text into the page's width.
    QString autoSizeText = QString(56, QLatin1Char('N'));
    // A saved PDF is readable by its owner only.
    bool ownerOnlyPdf = false;

    static PrintPanelProfile weightTracker() { return PrintPanelProfile {}; }

    static PrintPanelProfile bloodPressureTracker()
    {
        PrintPanelProfile profile;
        profile.function = Function::BloodPressureTracker;
        return profile;
    }

    static PrintPanelProfile passwordKeeper()
    {
        PrintPanelProfile profile;
        profile.function = Function::PasswordKeeper;
        profile.openingStatus = { QStringLiteral("Print File"), QStringLiteral("Print") };
        profile.fixedFontName = QStringLiteral("Times New Roman");
        profile.fixedFontSize = 12;
        profile.styleFromFirstTextBox = false;
        profile.movesToTop = false;
        profile.trackerClosing = false;
        profile.autoSizeText = QString(96, QLatin1Char('n'));
        profile.ownerOnlyPdf = true;
        return profile;
    }
};
