#pragma once

#include "screens/ScreenServices.h"
#include "services/Outcome.h"
#include "storage/StoredColour.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QWidget;

// The panel colour of one function screen: read from the screen's record
// when it loads, chosen by the user, asked about and saved when the screen
// closes, and offered to every function at once. A screen sets it up with
// its record, its fallback, its swatch, its closing question and the
// widgets the colour paints.
class PanelColourService : public QObject
{
    Q_OBJECT

public:
    struct Setup {
        std::function<StoredColour()> readRecord;
        std::function<Outcome(const StoredColour&)> writeRecord;
        // What a record that holds no colour gives; none: the swatch.
        std::optional<qint32> fallback;
        // Its background is the screen's own default colour.
        QLabel* swatch = nullptr;
        QString closingQuestion;
        QString closingTitle;
        std::function<void(const QString&)> showStatus;
        std::function<QString()> caption;
    };

    PanelColourService(const ScreenServices& services, Setup setup, QObject* parent);

    // The main panel: its descendants that paint their own background keep
    // the colour they had.
    void addPanel(QWidget* panel);
    // Anything else that follows the panel colour (print options, preview).
    void addDependant(std::function<void(const QColor&)> follow);
    // A second record written with the panel colour (a tracker's grid
    // background); it reports its own outcome.
    void setCompanionSave(std::function<Outcome()> save) { m_companionSave = std::move(save); }

    QColor colour() const { return m_colour; }
    QColor swatchColour() const;
    // ColoursChanged: the panel colour or the companion changed since the
    // screen opened.
    bool coloursChanged() const { return m_coloursChanged; }
    void markChanged() { m_coloursChanged = true; }

    // --- what the screen runs ---------------------------------------------
    // LoadPanelColour.
    void load();
    // ChoosePanelColour: "Panel C&olor", "Panel Color", side button 2.
    void choose();
    // AskSaveColours, where the screen's closing order puts it.
    void askSave();
    void save();

    // ApplyPanelColourToAll: the colour a closing screen has just saved, to
    // every function's record and the shared colour.
    static void applyToAll(const ScreenServices& services);

private:
    void paint(const QColor& colour);
    void pinOwnBackgrounds(QWidget* panel);

    ScreenServices m_services;
    Setup m_setup;
    QList<QPointer<QWidget>> m_panels;
    QList<std::function<void(const QColor&)>> m_dependants;
    std::function<Outcome()> m_companionSave;
    QColor m_colour;
    bool m_coloursChanged = false;
    // The user chose the panel colour in this visit (the swatch when
    // m_chosenDefault): only then is its record written and offered to all.
    bool m_panelChosen = false;
    bool m_chosenDefault = false;
};
