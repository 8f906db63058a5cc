// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/form2.h"

#include "app/named.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace nv {
namespace {

int onOff(const QCheckBox *box) { return box->isChecked() ? 1 : 0; }

// Opening the window ticks the box to match the option: that changes, writes
// and lists nothing again.
void switchSavedOption(const QCheckBox *box, int &option, const std::function<void()> &changed)
{
    if (onOff(box) == option) return;
    option = onOff(box);
    changed();
}

}  // namespace

Form2::Form2(ProgramState &program, std::function<void()> addPrefixChanged,
             std::function<void()> captureTimeOrderChanged, std::function<void()> photoSetsChanged, QWidget *parent)
    : QDialog(parent),
      m_program(program),
      m_addPrefixChanged(std::move(addPrefixChanged)),
      m_captureTimeOrderChanged(std::move(captureTimeOrderChanged)),
      m_photoSetsChanged(std::move(photoSetsChanged)),
      Frame1(named(new QGroupBox(tr("オプション")), "Frame1")),
      Check1(named(new QCheckBox(tr("フォルダの中にあるファイルの続きを表示する。")), "Check1")),
      Check2(named(new QCheckBox(tr("移動元と移動先のフォルダを同一フォルダにする。")), "Check2")),
      Check3(named(new QCheckBox(tr("ヘッドネームの先頭に何文字か追加する。")), "Check3")),
      Check4(named(new QCheckBox(tr("撮影日時の順に並べる")), "Check4")),
      Check5(named(new QCheckBox(tr("同じ名前のファイルを組にしてリネームする（RAW・JPEG・サイドカーなど）")),
                   "Check5")),
      Command1(named(new QPushButton(tr("戻る")), "Command1"))
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Norvanta２"));

    // The boxes stand one under the other; the frame grows with each new one.
    auto *boxes = new QVBoxLayout(Frame1);
    for (QCheckBox *box : {Check1, Check2, Check3, Check4, Check5}) boxes->addWidget(box);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Command1->setDefault(true);

    connect(Check1, &QCheckBox::toggled, this, &Form2::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &Form2::Check2_Click);
    connect(Check3, &QCheckBox::toggled, this, &Form2::Check3_Click);
    connect(Check4, &QCheckBox::toggled, this, &Form2::Check4_Click);
    connect(Check5, &QCheckBox::toggled, this, &Form2::Check5_Click);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    Form_Load();
}

void Form2::Form_Load()
{
    adjustSize();
    const QScreen *shownOn = parentWidget() ? parentWidget()->screen() : screen();
    const QRect area = shownOn->geometry();
    // The frame is not known before the window is shown; centring the inside
    // leaves the frame centred but for the height of its title bar.
    setGeometry(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2, width(), height());
    // Ticking a box runs its click: opening with option 3 on applies the
    // prefix mode again, over whatever the alignment box did since.
    Check1->setChecked(m_program.ShowContinuation == 1);
    Check2->setChecked(m_program.SameFolder == 1);
    Check3->setChecked(m_program.AddPrefix == 1);
    Check4->setChecked(m_program.CaptureTimeOrder == 1);
    Check5->setChecked(m_program.PhotoSets == 1);
}

void Form2::Check1_Click() { m_program.ShowContinuation = onOff(Check1); }

void Form2::Check2_Click() { m_program.SameFolder = onOff(Check2); }

void Form2::Check3_Click()
{
    m_program.AddPrefix = onOff(Check3);
    m_addPrefixChanged();
}

void Form2::Check4_Click() { switchSavedOption(Check4, m_program.CaptureTimeOrder, m_captureTimeOrderChanged); }

void Form2::Check5_Click() { switchSavedOption(Check5, m_program.PhotoSets, m_photoSetsChanged); }

void Form2::Command1_Click() { close(); }

}  // namespace nv
