// SPDX-License-Identifier: GPL-3.0-or-later
// A screen reader has a name to speak for every control the keyboard reaches,
// in every window of the program.
#include "formfixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QtTest>

using namespace nv;

namespace {

// The visible, focusable controls below node that have no name, each as its
// object name and class.
void collectUnnamed(QAccessibleInterface *node, QStringList &unnamed)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        if (!child) continue;
        const QAccessible::State state = child->state();
        if (state.focusable && !state.invisible && child->text(QAccessible::Name).trimmed().isEmpty()) {
            const QObject *object = child->object();
            unnamed << (object ? object->objectName() + u' ' + QLatin1String(object->metaObject()->className())
                               : QStringLiteral("(item of %1)").arg(node->object()->objectName()));
        }
        collectUnnamed(child, unnamed);
    }
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void everyFocusableControlHasAName();
};

void TestAccessibility::everyFocusableControlHasAName()
{
    FormFixture fixture;
    Form1 &form = fixture.start();
    form.show();
    for (const char *entry : {"mnuOpt1", "mnuHelp", "mnuVer1"}) form.findChild<QAction *>(entry)->trigger();

    QStringList windows, unnamed;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) continue;
        windows << window->metaObject()->className();
        collectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
    }
    windows.sort();
    QCOMPARE(windows, (QStringList{"nv::Form1", "nv::Form2", "nv::Form4", "nv::frmAbout"}));
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
