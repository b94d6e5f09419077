#include "SecretClipboard.h"

#include "services/Clock.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

namespace {

// The mark clipboard managers on the free desktops look for.
const QString PasswordManagerHint = QStringLiteral("x-kde-passwordManagerHint");

// Only what we put there goes: the user may have copied something else
// since.
void clearIfHeld(const QString& secret)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->text() == secret)
        clipboard->clear();
}

QString withShortcut(const QString& caption, QKeySequence::StandardKey key)
{
    const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
    return shortcut.isEmpty() ? caption : caption + QLatin1Char('\t') + shortcut;
}

} // namespace

SecretClipboard::SecretClipboard(Clock& clock, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
{ }

void SecretClipboard::copy(const QString& secret)
{
    if (secret.isEmpty())
        return;
    auto* data = new QMimeData;
    data->setText(secret);
    data->setData(PasswordManagerHint, QByteArrayLiteral("secret"));
#ifdef Q_OS_WIN
    // The Windows clipboard history and cloud clipboard skip marked data.
    data->setData(QStringLiteral("application/x-qt-windows-mime;value="
                                 "\"ExcludeClipboardContentFromMonitorProcessing\""),
        QByteArray(4, '\0'));
#endif
    QGuiApplication::clipboard()->setMimeData(data);

    // The application, not this object, carries the clearing: the secret
    // must go even when the screen that copied it has closed. The program's
    // end clears it too, since on X11 a clipboard manager would otherwise
    // take it over and keep it for good.
    m_clock.runLater(ClearAfter, QCoreApplication::instance(), [secret] { clearIfHeld(secret); });
    static QMetaObject::Connection atExit;
    QObject::disconnect(atExit);
    atExit = connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
        QCoreApplication::instance(), [secret] { clearIfHeld(secret); });
}

void SecretClipboard::guard(QLineEdit* box)
{
    keepOutOfSelection(box);
    box->installEventFilter(this);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this,
        [this, box](const QPoint& position) { showContextMenu(box, position); });
}

// On X11 a line edit offers its selection to every program as the primary
// selection, pasted by a middle click anywhere and recorded by clipboard
// managers. Qt has no switch for that, so the selection is taken back at
// once: the clipboard reports the change before the event loop runs again,
// so no other program can have asked for it yet.
void SecretClipboard::keepOutOfSelection(QLineEdit* box)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection())
        return;
    connect(clipboard, &QClipboard::selectionChanged, box, [clipboard, box] {
        if (clipboard->ownsSelection() && box->hasSelectedText()
            && clipboard->text(QClipboard::Selection) == box->selectedText())
            clipboard->clear(QClipboard::Selection);
    });
}

bool SecretClipboard::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut)) {
        copySelection(box, key->matches(QKeySequence::Cut));
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void SecretClipboard::copySelection(QLineEdit* box, bool cut)
{
    if (!box->hasSelectedText())
        return;
    copy(box->selectedText());
    if (cut && !box->isReadOnly())
        box->del();
}

// The box's own menu, with Cut and Copy going through copy(): the standard
// menu's actions cannot be told apart reliably to reroute them.
void SecretClipboard::showContextMenu(QLineEdit* box, const QPoint& position)
{
    QMenu menu(box);
    const bool editable = !box->isReadOnly();
    const bool selected = box->hasSelectedText();
    menu.addAction(withShortcut(QStringLiteral("&Undo"), QKeySequence::Undo), box, &QLineEdit::undo)
        ->setEnabled(editable && box->isUndoAvailable());
    menu.addAction(withShortcut(QStringLiteral("&Redo"), QKeySequence::Redo), box, &QLineEdit::redo)
        ->setEnabled(editable && box->isRedoAvailable());
    menu.addSeparator();
    menu.addAction(withShortcut(QStringLiteral("Cu&t"), QKeySequence::Cut), box,
            [this, box] { copySelection(box, true); })
        ->setEnabled(editable && selected);
    menu.addAction(withShortcut(QStringLiteral("&Copy"), QKeySequence::Copy), box,
            [this, box] { copySelection(box, false); })
        ->setEnabled(selected);
    menu.addAction(
            withShortcut(QStringLiteral("&Paste"), QKeySequence::Paste), box, &QLineEdit::paste)
        ->setEnabled(editable && !QGuiApplication::clipboard()->text().isEmpty());
    menu.addAction(QStringLiteral("Delete"), box, &QLineEdit::del)
        ->setEnabled(editable && selected);
    menu.addSeparator();
    menu.addAction(withShortcut(QStringLiteral("Select All"), QKeySequence::SelectAll), box,
            &QLineEdit::selectAll)
        ->setEnabled(!box->text().isEmpty() && box->selectedText() != box->text());
    menu.exec(box->mapToGlobal(position));
}
