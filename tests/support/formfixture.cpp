// SPDX-License-Identifier: GPL-3.0-or-later
#include "formfixture.h"

#include "dialogs/form2.h"
#include "panes/filelistview.h"
#include "platform/textcodec.h"

#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace nv {
namespace {

// The offscreen platform warns about what it cannot do with windows (size
// hints, raising, grabbing the keyboard); those warnings say nothing about the
// program and bury real output. Installed on top of the test library's own
// handler, which is in place by the time a fixture is made.
void quietenOffscreenWarnings()
{
    static const QtMessageHandler next = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (message.startsWith(QLatin1String("This plugin does not support"))) return;
            next(type, context, message);
        });
}

// The window listens for texts from other programs on a socket in the user's
// runtime folder. Each test process gets runtime and temporary folders of its
// own, so windows of tests running side by side never meet on one socket, nor
// reach a program the user is running.
const bool socketFolderIsPrivate = [] {
    static QTemporaryDir folder;
    qputenv("TMPDIR", QFile::encodeName(folder.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder.path()));
    return folder.isValid();
}();

}  // namespace

FormFixture::FormFixture()
{
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral(".config")));
}

Form1 &FormFixture::start()
{
    quietenOffscreenWarnings();
    form = std::make_unique<Form1>(platform, programFolder.path());
    form->Form_Load();
    return *form;
}

Form1 &FormFixture::restart()
{
    form->close();
    form.reset();
    return start();
}

void FormFixture::writeSettings(const SettingsRecord &record)
{
    writeDataFile(encodeText(FormatSettingsRecord(record)));
}

SettingsRecord FormFixture::savedSettings()
{
    return ReadSettingsFile(platform, programFolder.pathOf(QStringLiteral("DataFile.ini"))).record;
}

bool clickRow(FileListView *list, const QString &name, Qt::KeyboardModifiers modifiers, bool twice)
{
    const int row = int(list->rowNames().indexOf(name));
    if (row < 0) return false;
    const QPoint centre = list->visualRect(list->files()->index(row, 0)).center();
    if (!list->viewport()->rect().contains(centre)) return false;
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, modifiers, centre);
    else QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, centre);
    return true;
}

Form2 &openOptions(Form1 &form)
{
    form.mnuOpt1->trigger();
    const auto windows = form.findChildren<Form2 *>();
    if (windows.size() != 1) qFatal("%d options windows", int(windows.size()));
    return *windows.front();
}

void clickOption(Form2 &window, const char *box)
{
    QCheckBox *check = window.findChild<QCheckBox *>(box);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
}

QStringList comboEntries(const QComboBox *combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i) entries.append(combo->itemText(i));
    return entries;
}

}  // namespace nv
