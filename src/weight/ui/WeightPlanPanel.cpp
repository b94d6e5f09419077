#include "weight/ui/WeightPlanPanel.h"

#include "screens/EntryBoxRules.h"
#include "screens/NamedWidget.h"
#include "screens/TabOrder.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int CommentLimit = 1000;
constexpr int CommentWarningLength = 950;

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    return named(new QLabel(text, parent), name);
}

// Stored line breaks are two characters; the limit counts them so.
qsizetype storedLength(const QString& text)
{
    return text.size() + text.count(QLatin1Char('\n'));
}

} // namespace

WeightPlanPanel::WeightPlanPanel(const std::array<QLineEdit*, 3>& planBoxes,
    const std::array<QLabel*, 3>& planLabels, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("SSPanel2"));
    setFrameShape(QFrame::StyledPanel);
    for (QLineEdit* box : planBoxes)
        box->setParent(this);
    for (QLabel* caption : planLabels)
        caption->setParent(this);

    auto* title = label(
        this, QStringLiteral("SSPanel2Caption"), QStringLiteral("Exercise Plan and Information"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    m_saveNewButton = named(new QPushButton(QStringLiteral("&Save New File"), this), "Command11");
    m_saveNewButton->hide();
    auto* top = new QHBoxLayout;
    top->addWidget(title);
    top->addStretch(1);
    top->addWidget(m_saveNewButton);

    auto* plan
        = named(new QGroupBox(QStringLiteral("Exercise Plan"), this), QStringLiteral("SSFrame1"));
    auto* planGrid = new QGridLayout(plan);
    planGrid->addWidget(planLabels[0], 0, 0);
    planBoxes[0]->setMaximumWidth(80);
    planGrid->addWidget(planBoxes[0], 0, 1);
    planGrid->addWidget(planLabels[1], 0, 2);
    planGrid->addWidget(planBoxes[1], 0, 3);
    planGrid->addWidget(planLabels[2], 1, 0, 1, 4);
    planGrid->addWidget(planBoxes[2], 2, 0, 1, 4);
    auto* warning = label(plan, QStringLiteral("Label5"),
        QStringLiteral(
            "WARNING: Please Before starting any exercise plan consult with your physician."));
    warning->setAutoFillBackground(true);
    QPalette warningPalette = warning->palette();
    warningPalette.setColor(QPalette::Window, QColor(255, 255, 128));
    warningPalette.setColor(QPalette::WindowText, QColor(192, 0, 0));
    warning->setPalette(warningPalette);
    QFont warningFont = warning->font();
    warningFont.setBold(true);
    warning->setFont(warningFont);
    warning->setAlignment(Qt::AlignCenter);
    // Long captions take a second line in the panel of a small screen.
    for (QLabel* caption : { warning, planLabels[0], planLabels[1] })
        caption->setWordWrap(true);
    // Given the room, the two captions of the first row keep one line.
    for (QLabel* caption : { planLabels[0], planLabels[1] })
        caption->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    planGrid->addWidget(warning, 3, 0, 1, 4);

    auto* comments = named(
        new QGroupBox(QStringLiteral("Additional Comments"), this), QStringLiteral("SSFrame2"));
    m_comments = named(new QPlainTextEdit(comments), QStringLiteral("Text3"));
    m_comments->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_comments->setAccessibleName(comments->title());
    TabOrder::moveFocusOnTab(m_comments);
    m_commentLength = label(comments, QStringLiteral("Label15"), QStringLiteral("0"));
    auto* lengthRow = new QHBoxLayout;
    lengthRow->addStretch(1);
    lengthRow->addWidget(
        label(comments, QStringLiteral("Label6"), QStringLiteral("Length (Max. = 1000) :")));
    lengthRow->addWidget(m_commentLength);
    auto* commentsLayout = new QVBoxLayout(comments);
    commentsLayout->addLayout(lengthRow);
    commentsLayout->addWidget(m_comments);
    connect(m_comments, &QPlainTextEdit::textChanged, this, &WeightPlanPanel::commentsChanged);

    m_layout = new QVBoxLayout(this);
    m_layout->addLayout(top);
    m_layout->addWidget(plan);
    m_layout->addWidget(comments, 1);
}

void WeightPlanPanel::addPictures(QWidget* pictures)
{
    m_layout->addWidget(pictures);
}

void WeightPlanPanel::showStoredComments(const QString& comments)
{
    {
        const QSignalBlocker blocker(m_comments);
        m_comments->setPlainText(comments);
    }
    showCommentLength();
}

void WeightPlanPanel::commentsChanged()
{
    EntryBoxRules::applyNoDoubleQuoteRule(m_comments);
    QString text = m_comments->toPlainText();
    if (storedLength(text) > CommentLimit) {
        while (storedLength(text) > CommentLimit)
            text.chop(1);
        const QSignalBlocker blocker(m_comments);
        m_comments->setPlainText(text);
        m_comments->moveCursor(QTextCursor::End);
    }
    showCommentLength();
    emit commentsEdited();
}

void WeightPlanPanel::showCommentLength()
{
    const qsizetype length = storedLength(m_comments->toPlainText());
    m_commentLength->setText(QString::number(length));
    QPalette palette = m_commentLength->palette();
    palette.setColor(
        QPalette::WindowText, length > CommentWarningLength ? QColor(255, 0, 0) : QColor(0, 0, 0));
    m_commentLength->setPalette(palette);
}
