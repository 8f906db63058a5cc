// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batchsession.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>

namespace nv {
namespace {

constexpr qint64 kEventsIntervalMs = 50;

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

}  // namespace

BatchSession::BatchSession(QWidget *window, QProgressBar *bar, QPushButton *stopButton)
    : m_window(window), m_bar(bar), m_stopButton(stopButton)
{
    qApp->installEventFilter(this);
    connect(m_stopButton, &QPushButton::clicked, this, [this] { m_stopAsked = true; });
    m_sinceEvents.start();
}

BatchSession::~BatchSession()
{
    qApp->removeEventFilter(this);
    m_bar->setValue(m_position);   // a failure leaves the bar where the batch ended
    m_stopButton->hide();
}

void BatchSession::show(int maximum)
{
    m_bar->setRange(0, maximum);
    m_position = 0;
    m_bar->setValue(0);
    m_bar->show();
    m_stopButton->show();
    letEventsRun();
}

// The bar paints itself at once whenever its value shows a change: thousands
// of small files would wait on as many paints. It moves with the other
// events instead, and before a message box of the batch shows.
void BatchSession::setPosition(int position)
{
    m_position = position;
    if (m_sinceEvents.hasExpired(kEventsIntervalMs)) letEventsRun();
}

void BatchSession::hide()
{
    m_bar->hide();
    m_position = 0;
    m_bar->setValue(0);
    m_stopButton->hide();
}

bool BatchSession::stopRequested()
{
    if (m_sinceEvents.hasExpired(kEventsIntervalMs)) letEventsRun();
    return m_stopAsked;
}

void BatchSession::letEventsRun()
{
    m_bar->setValue(m_position);
    QCoreApplication::processEvents();
    m_sinceEvents.start();
}

bool BatchSession::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close && watched == m_window) {
        m_stopAsked = m_closeAsked = true;
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::Show && watched != m_window && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->isWindow())
        m_bar->setValue(m_position);
    // Input reaches a window first and its widget next: the widget decides.
    if (!isUserInput(event->type()) || !watched->isWidgetType()) return false;
    // A message box of the batch (a failure, the question after a stop) is answered as usual.
    const QWidget *box = QApplication::activeModalWidget();
    if (box && (watched == box || box->isAncestorOf(static_cast<QWidget *>(watched)))) return false;
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
        m_stopAsked = true;
    return watched != m_stopButton;
}

}  // namespace nv
