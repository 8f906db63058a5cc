// SPDX-License-Identifier: GPL-3.0-or-later
// What the user sees of a running rule: message boxes, the busy pointer, and
// the window handling its events in the middle of long work.
#pragma once

#include <QString>

namespace nv {

// YesNo: いいえ is the default and Escape answers No, for questions where
// keeping things as they are is the safe answer. UndoOrKeep: 元に戻す(&U)
// (the default, answering Yes) and このままにする(&K) (No); Escape and the
// close box dismiss it.
enum class MessageButtons { Ok, OkCancel, YesNoCancel, YesNo, UndoOrKeep };
enum class MessageIcon { None, Exclamation };
// Dismissed: a box without a Cancel button was closed with Escape or its close box.
enum class MessageAnswer { Ok, Cancel, Yes, No, Dismissed };

inline const QString kApplicationTitle = QStringLiteral("Norvanta2");

// How long long work (reading names or capture times) goes on before it lets
// the window handle its events: often enough to keep the window alive, seldom
// enough that the events cost little beside the work.
inline constexpr qint64 kEventIntervalMs = 20;

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A modal box; an empty title stands for kApplicationTitle. The first button
    // is the default, except for YesNo; Escape answers Cancel where there is one.
    virtual MessageAnswer showMessage(const QString &text, MessageButtons buttons, MessageIcon icon,
                                      const QString &title = QString()) = 0;
    virtual void setBusyPointer(bool busy) = 0;
    virtual void letEventsRun() = 0;
};

// Shows the busy pointer for the lifetime of the guard, on every way out.
class BusyPointer {
public:
    explicit BusyPointer(Dialogs &dialogs) : m_dialogs(dialogs) { m_dialogs.setBusyPointer(true); }
    ~BusyPointer() { m_dialogs.setBusyPointer(false); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

private:
    Dialogs &m_dialogs;
};

}  // namespace nv
