// SPDX-License-Identifier: GPL-3.0-or-later
// Two switches change which controls of the main window can be used: the
// prefix mode (an option) and the digit alignment (the box 桁合わせ). They
// overlap on three fields, so their tables stand side by side here; each
// event applies its own column in full, and the last event wins.
#include "app/form1.h"

#include <QCheckBox>
#include <QPushButton>

namespace nv {
namespace {

enum class Effect : char { Keep, Enable, Disable, Show, Hide };

struct ModeRow {
    const char *control;
    Effect byEvent[4];   // indexed by Form1::ModeEvent
};

constexpr Effect K = Effect::Keep, E = Effect::Enable, D = Effect::Disable, S = Effect::Show, H = Effect::Hide;

const ModeRow kModeTable[] = {
    //             prefix on  prefix off  桁合わせ ticked  桁合わせ unticked
    {"Command6",  {S,         H,          K,               K}},
    {"Command3",  {H,         S,          K,               K}},
    {"Text2",     {D,         E,          D,               E}},
    {"List1",     {D,         E,          D,               E}},
    {"Combo1",    {D,         E,          D,               E}},
    {"Command1",  {D,         E,          K,               K}},
    {"Command2",  {D,         E,          K,               K}},
    {"Combo2",    {K,         K,          D,               E}},
    {"ListView2", {K,         K,          D,               E}},
    {"Check1",    {K,         K,          D,               E}},
};
// The rename button names what it does while the alignment is ticked.
const char *const kCommand3Caption[4] = {nullptr, nullptr, QT_TRANSLATE_NOOP("nv::Form1", "桁合わせ"),
                                           QT_TRANSLATE_NOOP("nv::Form1", "リネーム(&R)")};

void apply(QWidget *widget, Effect effect)
{
    switch (effect) {
    case Effect::Keep: break;
    case Effect::Enable: widget->setEnabled(true); break;
    case Effect::Disable: widget->setEnabled(false); break;
    case Effect::Show: widget->show(); break;
    case Effect::Hide: widget->hide(); break;
    }
}

}  // namespace

void Form1::applyModeEvent(ModeEvent event)
{
    const int column = int(event);
    for (const ModeRow &row : kModeTable) {
        QWidget *widget = findChild<QWidget *>(QLatin1String(row.control));
        Q_ASSERT(widget);
        apply(widget, row.byEvent[column]);
    }
    if (const char *caption = kCommand3Caption[column]) Command3->setText(tr(caption));
    // The preview shows what the button on show now makes.
    UpdatePreview();
}

void Form1::Check3_Click() { applyModeEvent(Check3->isChecked() ? ModeEvent::AlignTicked : ModeEvent::AlignUnticked); }

void Form1::applyAddPrefix() { applyModeEvent(Program.AddPrefix ? ModeEvent::PrefixOn : ModeEvent::PrefixOff); }

}  // namespace nv
