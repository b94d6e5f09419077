#include "PanelColourService.h"

#include "screens/ScreenColour.h"
#include "screens/ShellState.h"
#include "screens/ShowFailure.h"
#include "screens/SystemDialogs.h"
#include "services/MessageService.h"
#include "storage/GColor1File.h"
#include "storage/GColor3File.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

namespace {

using Answer = MessageService::Answer;
using Buttons = MessageService::Buttons;
using Icon = MessageService::Icon;

const QString PanelColourTitle = QStringLiteral("Panel Color");
const QString CopyToAllTitle = QStringLiteral("Complete Program Panel Color Update Option");

// Marks a widget whose background was pinned, so that it keeps its colour
// when the panel around it changes.
const char* const PinnedProperty = "halvornPinnedBackground";

} // namespace

PanelColourService::PanelColourService(const ScreenServices& services, Setup setup, QObject* parent)
    : QObject(parent)
    , m_services(services)
    , m_setup(std::move(setup))
{
    // The swatch keeps the default colour of its own, whatever the panel
    // it sits on is painted.
    if (m_setup.swatch) {
        QPalette palette = m_setup.swatch->palette();
        palette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
        m_setup.swatch->setPalette(palette);
    }
}

void PanelColourService::addPanel(QWidget* panel)
{
    panel->setAutoFillBackground(true);
    m_panels.append(panel);
}

void PanelColourService::addDependant(std::function<void(const QColor&)> follow)
{
    m_dependants.append(std::move(follow));
    if (m_colour.isValid())
        m_dependants.last()(m_colour);
}

QColor PanelColourService::swatchColour() const
{
    return m_setup.swatch ? m_setup.swatch->palette().color(QPalette::Window)
                          : QApplication::palette().color(QPalette::Window);
}

void PanelColourService::load()
{
    const StoredColour stored = m_setup.readRecord();
    const qint32 swatch = ScreenColour::fromQColor(swatchColour());
    paint(ScreenColour::toQColor(stored.resolve(swatch, m_setup.fallback.value_or(swatch))));
}

void PanelColourService::choose()
{
    m_setup.showStatus(PanelColourTitle);
    const Answer answer = m_services.messages.show(
        { QStringLiteral("Select New Color or Use System Default Color?\n\n"
                         "Yes = Color Selection Panel will appear.\n"
                         "No = Current System Default Color will be selected."),
            PanelColourTitle, Icon::Information, Buttons::YesNoCancel, Answer::Yes });
    if (answer == Answer::No) {
        paint(swatchColour());
        m_coloursChanged = true;
        m_panelChosen = true;
        m_chosenDefault = true;
    } else if (answer == Answer::Yes) {
        if (const std::optional<QColor> chosen
            = m_services.dialogs.chooseColour(m_colour, PanelColourTitle)) {
            paint(*chosen);
            m_coloursChanged = true;
            m_panelChosen = true;
            m_chosenDefault = false;
        }
    }
    m_setup.showStatus(m_setup.caption());
}

void PanelColourService::askSave()
{
    if (m_coloursChanged) {
        const Answer answer = m_services.messages.show({ m_setup.closingQuestion,
            m_setup.closingTitle, Icon::Question, Buttons::YesNo, Answer::Yes });
        if (answer == Answer::Yes)
            save();
    }
    m_coloursChanged = false;
}

void PanelColourService::save()
{
    ShellState& state = m_services.state;
    state.PendingPanelColour.clear();
    QList<Outcome> failures;
    if (m_panelChosen) {
        const StoredColour colour = m_chosenDefault
            ? StoredColour::systemDefault()
            : StoredColour::fromValue(ScreenColour::fromQColor(m_colour));
        if (const Outcome outcome = m_setup.writeRecord(colour); outcome.succeeded)
            state.PendingPanelColour = colour.toText();
        else
            failures.append(outcome);
    }
    if (m_companionSave) {
        if (const Outcome outcome = m_companionSave(); !outcome.succeeded)
            failures.append(outcome);
    }
    for (const Outcome& failure : failures)
        showSettingFailure(
            m_services.messages, failure, QStringLiteral("colour choice"), m_setup.closingTitle);

    const QString pending = state.PendingPanelColour.trimmed();
    if (!pending.isEmpty() && !(StoredColour::parse(pending) == state.SharedPanelColour))
        applyToAll(m_services);
}

void PanelColourService::applyToAll(const ScreenServices& services)
{
    const Answer answer = services.messages.show(
        { QStringLiteral("Save Panel Color Changes for ALL of the Program Functions?"),
            CopyToAllTitle, Icon::Question, Buttons::YesNoCancel, Answer::No });
    ShellState& state = services.state;
    const QString pending = state.PendingPanelColour.trimmed();
    if (answer != Answer::Yes || pending.isEmpty())
        return;

    const StoredColour colour = StoredColour::parse(pending);
    const GColor1File trackers(services.folder);
    const Outcome shared = trackers.setSharedPanelColour(colour);
    QApplication::processEvents();
    const Outcome outcomes[] = {
        shared,
        trackers.setWeightPanelColour(colour),
        trackers.setBloodPressurePanelColour(colour),
        GColor3File(services.folder).setPasswordKeeperPanelColour(colour),
    };
    QApplication::processEvents();
    for (const Outcome& outcome : outcomes) {
        if (!outcome.succeeded)
            showSettingFailure(
                services.messages, outcome, QStringLiteral("panel colour"), CopyToAllTitle);
    }
    // The shared colour is what record 49 says: a colour that did not reach
    // it must be offered again next time.
    if (shared.succeeded)
        state.SharedPanelColour = colour;
    state.PendingPanelColour.clear();
    QApplication::processEvents();
}

void PanelColourService::paint(const QColor& colour)
{
    m_colour = colour;
    for (const QPointer<QWidget>& panel : m_panels) {
        if (!panel)
            continue;
        pinOwnBackgrounds(panel);
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, colour);
        panel->setPalette(palette);
    }
    for (const auto& follow : m_dependants)
        follow(colour);
}

// Sub-panels, frames and boxes that fill their own background would take
// the panel's colour through the palette; they keep the colour they have.
void PanelColourService::pinOwnBackgrounds(QWidget* panel)
{
    for (QWidget* child : panel->findChildren<QWidget*>()) {
        if (!child->autoFillBackground() || child->property(PinnedProperty).toBool())
            continue;
        QPalette palette = child->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Window));
        child->setPalette(palette);
        child->setProperty(PinnedProperty, true);
    }
}
