// SPDX-License-Identifier: GPL-3.0-or-later
// controlplaces: tells a benchmark where the controls of a Qt program lie in
// its window, so that the clicks of windowclock land on them whatever the
// layout of the day. Loaded into the program with LD_PRELOAD for one untimed
// start on the same display and settings as the timed ones:
//
//   CONTROLPLACES_NAMES="Check1 Command3 ListView1:0"  the controls, by object
//       name; NAME:ROW is that row's first cell in an item view
//   CONTROLPLACES_OUTPUT=FILE
//
// Once the window is exposed and every named control is shown (a row once it
// is listed), it writes one line per name, "NAME X Y WIDTH HEIGHT", the
// control's rectangle in pixels from the window's top-left corner, and ends
// the program with status 0; after 30 seconds without, it ends it with 1.
#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <optional>

namespace {

std::optional<QRect> placeOf(QWidget *window, const QString &name)
{
    const QStringList parts = name.split(QLatin1Char(':'));
    QWidget *control = window->findChild<QWidget *>(parts[0]);
    if (!control || !control->isVisible()) return {};
    if (parts.size() == 1) return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
    const auto *view = qobject_cast<QAbstractItemView *>(control);
    const int row = parts[1].toInt();
    if (!view || !view->model() || view->model()->rowCount() <= row) return {};
    const QRect cell = view->visualRect(view->model()->index(row, 0));
    if (!cell.isValid()) return {};
    return QRect(view->viewport()->mapTo(window, cell.topLeft()), cell.size());
}

// The lines for every name, or nothing while one is missing.
std::optional<QByteArray> placesIn(QWidget *window, const QStringList &names)
{
    if (!window->isVisible() || !window->windowHandle() || !window->windowHandle()->isExposed()) return {};
    QByteArray lines;
    for (const QString &name : names) {
        const std::optional<QRect> place = placeOf(window, name);
        if (!place) return {};
        lines += QStringLiteral("%1 %2 %3 %4 %5\n")
                     .arg(name)
                     .arg(place->x())
                     .arg(place->y())
                     .arg(place->width())
                     .arg(place->height())
                     .toUtf8();
    }
    return lines;
}

void lookForPlaces()
{
    static QElapsedTimer looking;
    if (!looking.isValid()) looking.start();
    const QStringList names =
        QString::fromLocal8Bit(qgetenv("CONTROLPLACES_NAMES")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (const std::optional<QByteArray> lines = placesIn(window, names)) {
            QFile output(QString::fromLocal8Bit(qgetenv("CONTROLPLACES_OUTPUT")));
            const bool written = output.open(QIODevice::WriteOnly) && output.write(*lines) == lines->size();
            QCoreApplication::exit(written ? 0 : 1);
            return;
        }
    }
    if (looking.hasExpired(30000)) {
        QCoreApplication::exit(1);
        return;
    }
    QTimer::singleShot(50, QCoreApplication::instance(), lookForPlaces);
}

// Runs while the application object is being made: the looking starts once
// its event loop runs.
void startLooking() { QTimer::singleShot(0, QCoreApplication::instance(), lookForPlaces); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(startLooking)
