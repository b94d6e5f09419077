// The Weight Tracker's Options menu beyond the screen as it always was, each
// choice off until ticked, and the person's unit. The rest of WeightTracker
// is in WeightTracker.cpp.

#include "WeightTracker.h"

#include "backup/DiskFileOperations.h"
#include "screens/AdditionOption.h"
#include "screens/ShowFailure.h"
#include "services/MessageService.h"
#include "weight/WeightUnitChange.h"
#include "weight/WeightUnits.h"
#include "weight/ui/TrendAndGoalDisplay.h"
#include "weight/ui/WeightAveragesPanel.h"
#include "weight/ui/WeightGraphPanel.h"
#include "weight/ui/WeightLogGrid.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

void WeightTracker::buildAdditions()
{
    QMenu* menu = optionsMenu();
    // The averages are a panel of their own that the screen never had: their
    // item stands with the other additions, after the screen's own items.
    menu->removeAction(m_averagesAction);
    menu->addSeparator();
    menu->addAction(m_averagesAction);

    m_graphTrendOption = new AdditionOption(services(), menu,
        ProgramSettings::Addition::WeightGraphTrend, "mOTrendLine",
        QStringLiteral("&Trend Line on the Graph"), texts().trackerName, [this](bool shown) {
            m_graphPanel->setTrendShown(shown);
            rebuildGraph(logRows());
        });
    m_logFiguresOption
        = new AdditionOption(services(), menu, ProgramSettings::Addition::WeightLogFigures,
            "mOTrendFigures", QStringLiteral("Trend &Figures beside the Log"), texts().trackerName,
            [this](bool shown) { m_trendAndGoal->setFiguresShown(shown); });
}

void WeightTracker::saveUnits()
{
    using Answer = MessageService::Answer;
    QString refusal;
    const std::optional<WeightPersonSettings::Values> entered
        = m_averagesPanel->enteredSettings(refusal);
    if (!entered) {
        showFailure(messages(), Outcome::refused(refusal), texts().trackerName,
            MessageService::Icon::Exclamation);
        return;
    }
    const QString name = individualBox()->currentText().trimmed();
    WeightUnitChange::Mode mode = WeightUnitChange::Mode::Relabel;
    // Only between two units is there anything to convert; a first unit
    // names what the numbers always were.
    if (m_personSettings.unit && entered->unit
        && WeightUnitChange::needsChoice(logRows(), m_personSettings, *entered)) {
        const QString from = WeightUnits::longName(*m_personSettings.unit).toLower();
        const QString to = WeightUnits::longName(*entered->unit).toLower();
        const Answer answer = messages().show({
            QStringLiteral("The weigh-ins of %1 are in %2.\nConvert them into %3?\n\n"
                           "Yes: every weight, the beginning and the goal weight are rewritten "
                           "in %3, rounded to a tenth.\nNo: the numbers stay as typed and are "
                           "only called %3.")
                .arg(name, from, to),
            texts().trackerName,
            MessageService::Icon::Question,
            MessageService::Buttons::YesNoCancel,
            Answer::Cancel,
        });
        if (answer == Answer::Cancel) {
            m_averagesPanel->showSettings(m_personSettings, QString());
            return;
        }
        if (answer == Answer::Yes) {
            // The conversion rewrites the file on disk: what is typed goes
            // there first, or is left.
            if (changesMade() == Changed) {
                const Answer save = promptSaveChanges();
                if (save == Answer::Cancel)
                    return;
                if (save == Answer::No)
                    restoreChangesMade(0);
            }
            mode = WeightUnitChange::Mode::Convert;
        }
    }
    DiskFileOperations files;
    // Relabelling writes only Halvorn.ini: the weight file keeps its bytes.
    if (const Outcome saved
        = WeightUnitChange::apply(services().folder, name, *entered, mode, files);
        !saved) {
        showFailure(messages(), saved, texts().trackerName);
        return;
    }
    if (mode == WeightUnitChange::Mode::Convert) {
        // The converted weights are read back as any file is.
        selectIndividual(individualBox()->currentIndex());
        viewAverages();
        return;
    }
    m_personSettings = *entered;
    m_averagesPanel->showSettings(m_personSettings, QString());
    const QList<WeighIn> rows = logRows();
    showAverages(rows);
    showTrendAndGoal(rows, log().shownDerivedColumns());
    rebuildGraph(rows);
}
