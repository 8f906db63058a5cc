// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmabout.h"

#include "app/named.h"
#include "app/programicon.h"
#include "dialogs/sysinfo.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

namespace nv {
namespace {

// The program has no public home page yet; the link opens the UTF-8 copy of
// the usage notes that ship with the program, which any editor or browser
// shows right.
//: The file name of the UTF-8 usage notes in this language that the about box links to.
const char kHomePageFileName[] = QT_TRANSLATE_NOOP("nv::frmAbout", "Readme.ja.txt");

const char kDescription[] = QT_TRANSLATE_NOOP("nv::frmAbout", "　本ソフトは、画像ファイルなどを整理するためファイル名を一括リネームするためのものです。\n"
    "　本ソフトの最大の売りは画像の確認がサムネイルで簡単に出来るということです。"
    "　ファイルの続きから簡単に一括リネームします。"
    "　その辺の仕様は前回作ったNorvantaと同じになっています。");

const char kDisclaimer[] = QT_TRANSLATE_NOOP("nv::frmAbout", "本ソフトはフリーソフトです。どなたでも無料でお使いいただけます。"
    "本ソフトを使用したことによって生じたいかなる損害についても、作者は一切の責任を負いません。");

constexpr int kIconSize = 48;
constexpr double kLinkDesignedPointSize = 9.75;
constexpr double kLinkHoverPointSize = 10;
// The link takes its colours from the desktop's palette, so that it stays
// readable on a dark theme as on a light one.
constexpr QPalette::ColorRole kLinkNearColour = QPalette::Link;
constexpr QPalette::ColorRole kLinkOverColour = QPalette::LinkVisited;

}  // namespace

frmAbout::frmAbout(Desktop &desktop, Folders &folders, Dialogs &dialogs, const QString &notesFolder, QWidget *parent)
    : QDialog(parent),
      m_desktop(desktop),
      m_folders(folders),
      m_dialogs(dialogs),
      picIcon(named(new QLabel(this), "picIcon")),
      lblTitle(named(new QLabel(this), "lblTitle")),
      lblVersion(named(new QLabel(this), "lblVersion")),
      lblDescription(named(new QLabel(this), "lblDescription")),
      Label1(named(new QLabel(this), "Label1")),
      Line1(named(new QFrame(this), "Line1")),
      lblDisclaimer(named(new QLabel(this), "lblDisclaimer")),
      cmdOK(named(new QPushButton(QStringLiteral("OK"), this), "cmdOK")),
      cmdSysInfo(named(new QPushButton(tr("ｼｽﾃﾑ情報(&S)..."), this), "cmdSysInfo"))
{
    setAttribute(Qt::WA_DeleteOnClose);

    picIcon->setPixmap(ProgramIcon().pixmap(kIconSize, kIconSize));
    QFont titleFont(QStringLiteral("Serif"), 18, QFont::Bold);
    titleFont.setStyleHint(QFont::Serif);
    lblTitle->setFont(titleFont);
    lblDescription->setText(tr(kDescription));
    lblDescription->setWordWrap(true);
    Label1->setText(QUrl::fromLocalFile(joinPath(notesFolder, tr(kHomePageFileName))).toString());
    QFont linkFont = Label1->font();
    linkFont.setPointSizeF(kLinkDesignedPointSize);
    Label1->setFont(linkFont);
    Label1->setCursor(Qt::PointingHandCursor);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    lblDisclaimer->setText(tr(kDisclaimer));
    lblDisclaimer->setWordWrap(true);
    // OK answers both Enter and Escape: the default button, and QDialog's
    // Escape closes the box as OK does.
    cmdOK->setDefault(true);
    arrange();

    setMouseTracking(true);
    for (QLabel *watched : {lblDescription, Label1}) {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    Form_Load();
}

void frmAbout::arrange()
{
    auto *layout = new QGridLayout(this);
    layout->addWidget(picIcon, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(lblTitle, 0, 1, 1, 2);
    layout->addWidget(lblVersion, 1, 1, 1, 2);
    layout->addWidget(lblDescription, 2, 1, 1, 2);
    layout->addWidget(Label1, 3, 1, 1, 2);
    layout->addWidget(Line1, 4, 0, 1, 3);
    layout->addWidget(lblDisclaimer, 5, 0, 2, 2, Qt::AlignTop);
    layout->addWidget(cmdOK, 5, 2);
    layout->addWidget(cmdSysInfo, 6, 2);
    layout->setColumnStretch(1, 1);
    lblDescription->setMinimumWidth(360);
}

void frmAbout::Form_Load()
{
    setWindowTitle(tr("%1のﾊﾞｰｼﾞｮﾝ情報").arg(kApplicationTitle));
    lblVersion->setText(tr("ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
                            .arg(NV_VERSION_MAJOR).arg(NV_VERSION_MINOR).arg(NV_VERSION_REVISION));
    lblTitle->setText(kApplicationTitle);
}

void frmAbout::cmdOK_Click() { close(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(m_desktop, m_folders, m_dialogs); }

void frmAbout::Label1_Click() { m_desktop.openUrl(Label1->text()); }

void frmAbout::Form_MouseMove() { showLinkAs(kLinkNearColour); }

void frmAbout::lblDescription_MouseMove() { showLinkAs(kLinkNearColour); }

void frmAbout::Label1_MouseMove() { showLinkAs(kLinkOverColour); }

void frmAbout::showLinkAs(QPalette::ColorRole colour)
{
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText, this->palette().color(colour));
    Label1->setPalette(palette);
    QFont font = Label1->font();
    font.setPointSizeF(kLinkHoverPointSize);
    Label1->setFont(font);
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == Label1) Label1_MouseMove();
        else lblDescription_MouseMove();
        return true;
    }
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease) {
        const auto *release = static_cast<QMouseEvent *>(event);
        if (release->button() == Qt::LeftButton && Label1->rect().contains(release->position().toPoint()))
            Label1_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Moves over the other controls (title, buttons) do not arrive here: Qt hands
// a move without buttons only to a control that tracks the mouse.
void frmAbout::mouseMoveEvent(QMouseEvent *event)
{
    Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

}  // namespace nv
