#include "ReadingEntryPanel.h"

#include "screens/AccessibleNames.h"
#include "screens/NamedWidget.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPoint>
#include <QPushButton>
#include <QRadioButton>
#include <QTime>
#include <QVBoxLayout>

namespace {

using Lists = ReadingPickLists;

// What an unchosen list is called when Enter is refused.
QString listName(Lists::List list)
{
    switch (list) {
    case Lists::Hour:
        return QStringLiteral("hour of the Time of Reading");
    case Lists::Minute:
        return QStringLiteral("minute of the Time of Reading");
    case Lists::Systolic:
        return QStringLiteral("Systolic Pressure");
    case Lists::Diastolic:
        return QStringLiteral("Diastolic Pressure");
    case Lists::Pulse:
        return QStringLiteral("Heart Rate (Pulse)");
    }
    return {};
}

} // namespace

ReadingEntryPanel::ReadingEntryPanel(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("SSPanel5"));
    for (int i = 0; i < Lists::ListCount; ++i) {
        QComboBox* box = named(new QComboBox(this), arrayElementName("Combo2", i));
        box->addItems(Lists::items(Lists::List(i)));
        box->setMaxVisibleItems(15);
        box->setCurrentIndex(-1);
        box->installEventFilter(this);
        box->view()->installEventFilter(this);
        m_lists[i] = box;
    }
    const std::array<QString, 4> captions { QStringLiteral(" Time of Reading"),
        QStringLiteral("Systonic Pressure"), QStringLiteral("Diastolic Pressure"),
        QStringLiteral("Heart Rate (Pulse)") };
    std::array<QLabel*, 4> labels {};
    for (int i = 0; i < 4; ++i)
        labels[i] = named(new QLabel(captions[i], this), arrayElementName("Label17", i));
    // The time's caption stands over two lists: each says which part it is.
    AccessibleNames::labelField(labels[0], m_lists[Lists::Hour]);
    // A screen reader announces a list by the item it shows; the
    // description says which part of the time that is.
    for (auto [list, part] : { std::pair { Lists::Hour, QStringLiteral("Time of Reading, hour") },
             std::pair { Lists::Minute, QStringLiteral("Time of Reading, minutes") } }) {
        m_lists[list]->setAccessibleName(part);
        m_lists[list]->setAccessibleDescription(part);
    }
    for (int i = 1; i < 4; ++i)
        AccessibleNames::labelField(labels[i], m_lists[Lists::Systolic + i - 1]);

    m_am = named(new QRadioButton(QStringLiteral("AM"), this), arrayElementName("SSOption1", 0));
    m_pm = named(new QRadioButton(QStringLiteral("PM"), this), arrayElementName("SSOption1", 1));
    m_am->setChecked(true);
    m_enter
        = named(new QPushButton(QStringLiteral("Enter Selected Entries On Grid and Exit"), this),
            arrayElementName("SSCommand11", 0));
    m_cancel = named(
        new QPushButton(QStringLiteral("Cancel"), this), arrayElementName("SSCommand11", 1));
    connect(m_enter, &QPushButton::clicked, this, &ReadingEntryPanel::enterClicked);
    connect(m_cancel, &QPushButton::clicked, this, &ReadingEntryPanel::cancelClicked);

    // Laid out under the log in two columns, each caption over its list,
    // so that it fits under the grid of a small screen.
    auto* time = new QHBoxLayout;
    time->addWidget(m_lists[Lists::Hour]);
    time->addWidget(named(new QLabel(QStringLiteral(":"), this), "Label12"));
    time->addWidget(m_lists[Lists::Minute]);
    time->addSpacing(6);
    time->addWidget(m_am);
    time->addWidget(m_pm);
    time->addStretch(1);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->setVerticalSpacing(2);
    layout->addWidget(labels[0], 0, 0);
    layout->addLayout(time, 1, 0);
    const std::array<QPoint, 3> places { QPoint(1, 0), QPoint(0, 2), QPoint(1, 2) };
    for (int i = 1; i < 4; ++i) {
        const QPoint place = places[i - 1];
        layout->addWidget(labels[i], place.y(), place.x());
        layout->addWidget(
            m_lists[Lists::Systolic + i - 1], place.y() + 1, place.x(), Qt::AlignLeft);
    }
    layout->setColumnStretch(2, 1);
    auto* commands = new QHBoxLayout;
    commands->setContentsMargins(0, 6, 0, 0);
    commands->addWidget(m_enter);
    commands->addWidget(m_cancel);
    commands->addStretch(1);
    layout->addLayout(commands, 4, 0, 1, 3);
    hide();
}

void ReadingEntryPanel::prepare(const Reading& reading, const QTime& now)
{
    setTitle(CaptionStart + reading.date);
    const Lists::Preselection chosen = Lists::prepare(reading, now);
    for (int i = 0; i < Lists::ListCount; ++i)
        m_lists[i]->setCurrentIndex(chosen.item[i]);
    (chosen.pm ? m_pm : m_am)->setChecked(true);
}

std::optional<Reading> ReadingEntryPanel::pickedReading(QString* missing) const
{
    for (int i = 0; i < Lists::ListCount; ++i) {
        if (m_lists[i]->currentIndex() < 0) {
            if (missing)
                *missing = listName(Lists::List(i));
            return std::nullopt;
        }
    }
    Reading reading;
    reading.time = Lists::timeText(m_lists[Lists::Hour]->currentText(),
        m_lists[Lists::Minute]->currentText(), m_pm->isChecked());
    reading.systolic = m_lists[Lists::Systolic]->currentText().trimmed();
    reading.diastolic = m_lists[Lists::Diastolic]->currentText().trimmed();
    reading.pulse = m_lists[Lists::Pulse]->currentText().trimmed();
    return reading;
}

void ReadingEntryPanel::focusFirstEmptyList()
{
    for (QComboBox* box : m_lists) {
        if (box->currentIndex() < 0) {
            box->setFocus();
            return;
        }
    }
}

bool ReadingEntryPanel::eventFilter(QObject* watched, QEvent* event)
{
    // A dropped-down list closes itself on Escape only after the screen's
    // Escape shortcut has been offered the key, which would close the
    // screen: the list claims the key first.
    if (event->type() == QEvent::ShortcutOverride
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        for (QComboBox* box : m_lists) {
            if ((watched == box || watched == box->view()) && box->view()->isVisible()) {
                event->accept();
                return true;
            }
        }
    }
    return QGroupBox::eventFilter(watched, event);
}
