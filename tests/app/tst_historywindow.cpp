// SPDX-License-Identifier: GPL-3.0-or-later
// The head-name history in the main window: the drop-down refilled when the
// head-name box receives the focus, and texts handed over by other programs
// while the window runs.
#include "formfixture.h"

#include "app/incomingtext.h"
#include "app/pickawarecombobox.h"
#include "panes/filelistview.h"

#include <QLabel>
#include <QProcess>
#include <QtTest>

using namespace nv;

namespace {

constexpr int kWaitMs = 20000;

QStringList dropDownEntries(const QComboBox *combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i) entries.append(combo->itemText(i));
    return entries;
}

// Runs the sender command and lets the window's event loop take the text.
int sendWithCommand(const QString &text)
{
    QProcess command;
    command.start(QStringLiteral(NORVANTA2_SEND_PATH), {text});
    if (!QTest::qWaitFor([&] { return command.state() == QProcess::NotRunning; }, kWaitMs)) return -2;
    return command.exitStatus() == QProcess::NormalExit ? command.exitCode() : -1;
}

}  // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void focusRefillsTheDropDownAndKeepsTheText();
    void sentTextJoinsTheHistory();
    void emptyTextIsNotKept();
    void channelLivesFromStartupToClose();
    void secondWindowLeavesTheFirstOneListening();

private:
    std::unique_ptr<TempFolder> m_source, m_target;
    std::unique_ptr<FormFixture> m_fixture;

    Form1 &start(FormFixture &fixture, const HeadNameSlots &history = {});
    // Gives the head-name box the focus as the user's Tab would.
    void focusHeadName(Form1 &form);
};

void HistoryWindowTest::init()
{
    m_source = std::make_unique<TempFolder>();
    m_target = std::make_unique<TempFolder>();
    m_fixture = std::make_unique<FormFixture>();
}

void HistoryWindowTest::cleanup()
{
    m_fixture.reset();
    m_source.reset();
    m_target.reset();
}

Form1 &HistoryWindowTest::start(FormFixture &fixture, const HeadNameSlots &history)
{
    SettingsRecord record;
    record.SourceFolder = m_source->path();
    record.TargetFolder = m_target->path();
    record.HeadName = QStringLiteral("current");
    record.HeadNameHistory = history;
    fixture.writeSettings(record);
    return fixture.start();
}

void HistoryWindowTest::focusHeadName(Form1 &form)
{
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.Combo2->setFocus(Qt::TabFocusReason);
    QVERIFY(form.Combo2->hasFocus());
}

void HistoryWindowTest::focusRefillsTheDropDownAndKeepsTheText()
{
    HeadNameSlots history;
    history[3] = QStringLiteral("trip");
    history[5] = QStringLiteral("family");
    history[9] = QStringLiteral("trip");
    Form1 &form = start(*m_fixture, history);
    form.Program.HeadNameHistory[0] = QStringLiteral("pushed meanwhile");
    form.Combo2->setEditText(QStringLiteral("half typed"));
    form.Label5->setText(QStringLiteral("preview before"));

    focusHeadName(form);
    QCOMPARE(dropDownEntries(form.Combo2), (QStringList{"pushed meanwhile", "trip", "family", "trip"}));
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("half typed"));
    QCOMPARE(form.Combo2->currentIndex(), -1);
    QCOMPARE(form.Label5->text(), QStringLiteral("preview before"));

    // Back in the box after the history changed: the list follows, the text stays.
    form.ListView1->setFocus();
    form.Program.HeadNameHistory = {};
    focusHeadName(form);
    QCOMPARE(dropDownEntries(form.Combo2), QStringList());
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("half typed"));
}

void HistoryWindowTest::sentTextJoinsTheHistory()
{
    HeadNameSlots history;
    history[9] = QStringLiteral("before");
    Form1 &form = start(*m_fixture, history);
    const QString text = QString::fromUtf8("旅行 2024\r\n");
    QCOMPARE(sendWithCommand(text), 0);
    QTRY_COMPARE_WITH_TIMEOUT(form.Program.HeadNameHistory[9], text, kWaitMs);
    QCOMPARE(form.Program.HeadNameHistory[8], QStringLiteral("before"));
    // The box itself is left alone; the list shows the text at the next visit.
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("current"));
    focusHeadName(form);
    QCOMPARE(dropDownEntries(form.Combo2), (QStringList{"before", text}));
}

void HistoryWindowTest::emptyTextIsNotKept()
{
    HeadNameSlots history;
    history[9] = QStringLiteral("before");
    Form1 &form = start(*m_fixture, history);
    QCOMPARE(SendIncomingText(QString()), SendOutcome::Delivered);
    QCOMPARE(SendIncomingText(QStringLiteral("marker")), SendOutcome::Delivered);
    QTRY_COMPARE_WITH_TIMEOUT(form.Program.HeadNameHistory[9], QStringLiteral("marker"), kWaitMs);
    QCOMPARE(form.Program.HeadNameHistory[8], QStringLiteral("before"));
}

void HistoryWindowTest::channelLivesFromStartupToClose()
{
    // Built but not started: nobody listens yet.
    Form1 form(m_fixture->platform, m_fixture->programFolder.path());
    QCOMPARE(SendIncomingText(QStringLiteral("too early")), SendOutcome::NoListener);

    Form1 &started = start(*m_fixture);
    QCOMPARE(SendIncomingText(QStringLiteral("while running")), SendOutcome::Delivered);
    QTRY_COMPARE_WITH_TIMEOUT(started.Program.HeadNameHistory[9], QStringLiteral("while running"), kWaitMs);

    // The close box ends the channel although the window object lives on.
    started.close();
    QCOMPARE(SendIncomingText(QStringLiteral("too late")), SendOutcome::NoListener);
    QCOMPARE(started.Program.HeadNameHistory[9], QStringLiteral("while running"));
}

void HistoryWindowTest::secondWindowLeavesTheFirstOneListening()
{
    Form1 &first = start(*m_fixture);
    FormFixture secondFixture;
    // The second window starts without the channel and says why.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ほかの Norvanta2 が受け取っています"));
    Form1 &second = start(secondFixture);
    QCOMPARE(SendIncomingText(QStringLiteral("for the first")), SendOutcome::Delivered);
    QTRY_COMPARE_WITH_TIMEOUT(first.Program.HeadNameHistory[9], QStringLiteral("for the first"), kWaitMs);
    QCOMPARE(second.Program.HeadNameHistory[9], QString());
    // The second window's check reached the first one as an empty text, which is not kept.
    QCOMPARE(first.Program.HeadNameHistory[8], QString());
}

QTEST_MAIN(HistoryWindowTest)
#include "tst_historywindow.moc"
