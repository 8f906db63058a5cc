// SPDX-License-Identifier: GPL-3.0-or-later
// The window while a batch runs. The batch holds the only thread, so it lets
// the window handle its events now and then (about every 50 ms); of the
// user's input only the stop button and Escape act meanwhile, and closing the
// window asks the batch to stop, the window closing once it has. Everything
// else the user does is dropped until the batch ends.
#pragma once

#include "journal/batchroles.h"

#include <QElapsedTimer>
#include <QObject>

class QProgressBar;
class QPushButton;
class QWidget;

namespace nv {

class BatchSession : public QObject, public BatchProgress {
public:
    // Filters the application's events for its lifetime; the stop button goes with it.
    BatchSession(QWidget *window, QProgressBar *bar, QPushButton *stopButton);
    ~BatchSession() override;

    void show(int maximum) override;
    void setPosition(int position) override;
    void hide() override;
    bool stopRequested() override;

    // The window was asked to close while the batch ran.
    bool closeAsked() const { return m_closeAsked; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void letEventsRun();

    QWidget *m_window;
    QProgressBar *m_bar;
    QPushButton *m_stopButton;
    QElapsedTimer m_sinceEvents;
    int m_position = 0;   // where the batch stands; the bar catches up with the events
    bool m_stopAsked = false;
    bool m_closeAsked = false;
};

}  // namespace nv
