#include "CommandButton.h"

#include <QAction>
#include <QStyleOptionButton>
#include <QStylePainter>

CommandButton::CommandButton(
    QAction* action, const QString& objectName, const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
    , m_action(action)
{
    setObjectName(objectName);
    follow();
    connect(m_action, &QAction::changed, this, &CommandButton::follow);
    connect(this, &QPushButton::clicked, m_action, [this] { m_action->trigger(); });
}

void CommandButton::follow()
{
    setEnabled(m_action->isEnabled());
}

void CommandButton::setTwoLines(bool twoLines)
{
    if (twoLines == m_twoLines)
        return;
    m_twoLines = twoLines;
    updateGeometry();
    update();
}

QString CommandButton::shownText() const
{
    const QString caption = text();
    if (!m_twoLines)
        return caption;
    const qsizetype middle = caption.size() / 2;
    qsizetype best = -1;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u' ' && (best < 0 || qAbs(i - middle) < qAbs(best - middle)))
            best = i;
    }
    if (best < 0)
        return caption;
    return caption.left(best) + QLatin1Char('\n') + caption.mid(best + 1);
}

QSize CommandButton::sizeHint() const
{
    if (!m_twoLines)
        return QPushButton::sizeHint();
    ensurePolished();
    QStyleOptionButton option;
    initStyleOption(&option);
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, shownText());
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, text, this);
}

QSize CommandButton::minimumSizeHint() const
{
    return m_twoLines ? sizeHint() : QPushButton::minimumSizeHint();
}

void CommandButton::paintEvent(QPaintEvent* event)
{
    if (!m_twoLines) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = shownText();
    painter.drawControl(QStyle::CE_PushButton, option);
}
