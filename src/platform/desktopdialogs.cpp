// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktopplatform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace nv {
namespace {

// A box with only an OK button would take Escape and the close box as OK; the
// callers that retry after OK need to tell "dismissed" apart, so this box
// remembers how it was closed.
class MessageDialog : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool dismissed = false;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Escape && !hasCancel()) {
            dismissed = true;
            done(0);
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override
    {
        if (!hasCancel()) dismissed = true;
        QMessageBox::closeEvent(event);
    }

private:
    bool hasCancel() const
    {
        for (QAbstractButton *button : buttons())
            if (buttonRole(button) == QMessageBox::RejectRole) return true;
        return false;
    }
};

}  // namespace

MessageAnswer DesktopDialogs::showMessage(const QString &text, MessageButtons buttons, MessageIcon icon,
                                           const QString &title)
{
    MessageDialog box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? kApplicationTitle : title);
    box.setText(text);
    box.setIcon(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);

    struct Choice { QPushButton *button; MessageAnswer answer; };
    std::vector<Choice> choices;
    const auto add = [&](const char *caption, QMessageBox::ButtonRole role, MessageAnswer answer) {
        choices.push_back({box.addButton(QCoreApplication::translate("MessageBox", caption), role), answer});
    };
    switch (buttons) {
    case MessageButtons::Ok:
        add(QT_TRANSLATE_NOOP("MessageBox", "OK"), QMessageBox::AcceptRole, MessageAnswer::Ok);
        break;
    case MessageButtons::OkCancel:
        add(QT_TRANSLATE_NOOP("MessageBox", "OK"), QMessageBox::AcceptRole, MessageAnswer::Ok);
        add(QT_TRANSLATE_NOOP("MessageBox", "キャンセル"), QMessageBox::RejectRole, MessageAnswer::Cancel);
        break;
    case MessageButtons::YesNoCancel:
        add(QT_TRANSLATE_NOOP("MessageBox", "はい(&Y)"), QMessageBox::YesRole, MessageAnswer::Yes);
        add(QT_TRANSLATE_NOOP("MessageBox", "いいえ(&N)"), QMessageBox::NoRole, MessageAnswer::No);
        add(QT_TRANSLATE_NOOP("MessageBox", "キャンセル"), QMessageBox::RejectRole, MessageAnswer::Cancel);
        break;
    case MessageButtons::YesNo:
        add(QT_TRANSLATE_NOOP("MessageBox", "はい(&Y)"), QMessageBox::YesRole, MessageAnswer::Yes);
        add(QT_TRANSLATE_NOOP("MessageBox", "いいえ(&N)"), QMessageBox::NoRole, MessageAnswer::No);
        break;
    case MessageButtons::UndoOrKeep:
        add(QT_TRANSLATE_NOOP("MessageBox", "元に戻す(&U)"), QMessageBox::YesRole, MessageAnswer::Yes);
        add(QT_TRANSLATE_NOOP("MessageBox", "このままにする(&K)"), QMessageBox::NoRole, MessageAnswer::No);
        break;
    }
    box.setDefaultButton(buttons == MessageButtons::YesNo ? choices.back().button : choices.front().button);
    if (buttons != MessageButtons::Ok && buttons != MessageButtons::UndoOrKeep)
        box.setEscapeButton(choices.back().button);

    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);   // a question is never answered under the hourglass
    box.exec();
    QGuiApplication::restoreOverrideCursor();

    if (box.dismissed) return MessageAnswer::Dismissed;
    for (const Choice &choice : choices)
        if (box.clickedButton() == choice.button) return choice.answer;
    return buttons == MessageButtons::Ok ? MessageAnswer::Dismissed : MessageAnswer::Cancel;
}

void DesktopDialogs::setBusyPointer(bool busy)
{
    if (busy) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else QGuiApplication::restoreOverrideCursor();
}

void DesktopDialogs::letEventsRun() { QCoreApplication::processEvents(); }

}  // namespace nv
