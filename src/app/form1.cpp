// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"

#include "app/elidinglabel.h"
#include "app/named.h"
#include "panes/drivelist.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

namespace nv {
namespace {

// Caption and tooltip of each control that has one; a null pointer means none.
struct ControlTexts {
    const char *name;
    const char *caption;
    const char *tooltip;
};

const ControlTexts kControlTexts[] = {
    {"Drive1", nullptr, QT_TRANSLATE_NOOP("nv::Form1", "リネーム元のドライブを選んでください。")},
    {"Dir1", nullptr, QT_TRANSLATE_NOOP("nv::Form1", "リネーム元のフォルダを選んでください。")},
    {"ListView1", nullptr, QT_TRANSLATE_NOOP("nv::Form1", "左ダブルクリックで画像が確認できます。右クリックでファイルを全部選択します。")},
    {"Drive2", nullptr, QT_TRANSLATE_NOOP("nv::Form1", "リネーム先のドライブを選んでください。")},
    {"Dir2", nullptr, QT_TRANSLATE_NOOP("nv::Form1", "リネーム先のフォルダを選んでください。")},
    {"ListView2", nullptr, QT_TRANSLATE_NOOP("nv::Form1", "左クリックでファイルネーム欄に続きが表示されます。ダブルクリックで画像が確認できます。")},
    {"Label6", QT_TRANSLATE_NOOP("nv::Form1", "リネーム元フォルダ"), nullptr},
    {"Label7", QT_TRANSLATE_NOOP("nv::Form1", "リネーム先フォルダ"), nullptr},
    {"Label1", QT_TRANSLATE_NOOP("nv::Form1", "ヘッドネーム"), nullptr},
    {"Label2", QT_TRANSLATE_NOOP("nv::Form1", "通し番号"), nullptr},
    {"Text2", nullptr, QT_TRANSLATE_NOOP("nv::Form1", "通し番号の最初の数字を入れてください。")},
    {"Label4", QT_TRANSLATE_NOOP("nv::Form1", "桁数"), nullptr},
    {"List1", nullptr, QT_TRANSLATE_NOOP("nv::Form1", "通し番号の桁数を選択できます。上下のボタンで選んで選択したい数字をクリックしてください。")},
    {"Label3", QT_TRANSLATE_NOOP("nv::Form1", "拡張子"), nullptr},
    {"Combo1", nullptr, QT_TRANSLATE_NOOP("nv::Form1", "リネームしたい拡張子を入力してください。また登録してあればリストより選択できます。")},
    {"Command1", QT_TRANSLATE_NOOP("nv::Form1", "登録"), QT_TRANSLATE_NOOP("nv::Form1", "現在表示中の拡張子を登録できます。")},
    {"Command2", QT_TRANSLATE_NOOP("nv::Form1", "削除"), QT_TRANSLATE_NOOP("nv::Form1", "現在表示中の拡張子を削除できます。")},
    {"Label8", QT_TRANSLATE_NOOP("nv::Form1", "リネーム後イメージ"), QT_TRANSLATE_NOOP("nv::Form1", "リネーム後のファイルネームのイメージが表示されます。")},
    {"Command3", QT_TRANSLATE_NOOP("nv::Form1", "リネーム(&R)"), QT_TRANSLATE_NOOP("nv::Form1", "選択したファイルをリネームします。")},
    {"Command6", QT_TRANSLATE_NOOP("nv::Form1", "ネーム追加"), nullptr},
    {"Command4", QT_TRANSLATE_NOOP("nv::Form1", "拡張子置換(&K)"), QT_TRANSLATE_NOOP("nv::Form1", "ファイルネームはそのままに拡張子だけリネームします。普通使う事は無いでしょう。")},
    {"Command5", QT_TRANSLATE_NOOP("nv::Form1", "終了(&X)"), QT_TRANSLATE_NOOP("nv::Form1", "プログラムを終了します。設定のいくつかはこのボタンを押すことで記録されます。")},
    {"Check1", QT_TRANSLATE_NOOP("nv::Form1", "ファイル移動"), QT_TRANSLATE_NOOP("nv::Form1", "ファイルをリネーム先フォルダに移動します。チェックがなければリネームコピーします。")},
    {"Check2", QT_TRANSLATE_NOOP("nv::Form1", "簡易表示"), QT_TRANSLATE_NOOP("nv::Form1", "リストビューを簡易表示に切り替えます。")},
    {"Check3", QT_TRANSLATE_NOOP("nv::Form1", "桁合わせ"), QT_TRANSLATE_NOOP("nv::Form1", "通し番号の桁数を一番多いファイルに合わせます。")},
    {"Command7", QT_TRANSLATE_NOOP("nv::Form1", "更新"), QT_TRANSLATE_NOOP("nv::Form1", "リネーム元フォルダの内容を更新します。")},
    {"Image1", nullptr, QT_TRANSLATE_NOOP("nv::Form1", "リストビューのファイルをダブルクリックするとここにサムネイルが表示されます。")},
};

// Widths of the three list columns and the size of the thumbnail box, in
// twips: 15 to the pixel at 96 dots per inch, scaled with the screen.
const int kColumnTwips[FileListModel::ColumnCount] = {1600, 870, 1790};
const int kPictureTwips[2] = {2535, 1935};

}  // namespace

Form1::Form1(const PlatformRoles &platform, const ProgramFolders &folders, QWidget *parent)
    : QMainWindow(parent), m_platform(platform), m_folders(folders)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Norvanta２"));
    createControls();
    createMenu();
    arrangeControls();
    applyControlTexts();
    nameControls();
    connectHandlers();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    const auto timeText = [this](qint64 seconds) { return m_platform.folders.dateTimeText(seconds); };
    const auto readTime = [this](const QString &path) { return m_platform.folders.modifiedTime(path); };
    Drive1 = named(new DriveList(m_platform.volumes), "Drive1");
    Dir1 = named(new FolderList(m_platform.folders, m_platform.volumes), "Dir1");
    ListView1 = named(new FileListView(new FileListModel(timeText, readTime), QAbstractItemView::ExtendedSelection), "ListView1");
    Drive2 = named(new DriveList(m_platform.volumes), "Drive2");
    Dir2 = named(new FolderList(m_platform.folders, m_platform.volumes), "Dir2");
    ListView2 = named(new FileListView(new FileListModel(timeText, readTime), QAbstractItemView::SingleSelection), "ListView2");

    QLabel **labels[] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &Label8};
    for (int i = 0; i < 8; ++i) {
        // A long head name in the preview must not push the other pane aside.
        QLabel *label = i == 4 ? new ElidingLabel : new QLabel;
        *labels[i] = named(label, QStringLiteral("Label%1").arg(i + 1).toLatin1());
    }
    Label5->setFrameShape(QFrame::StyledPanel);

    Combo2 = named(new PickAwareComboBox, "Combo2");
    Text2 = named(new QLineEdit, "Text2");
    List1 = named(new DigitList, "List1");
    VScroll1 = named(new QScrollBar(Qt::Vertical), "VScroll1");
    Combo1 = named(new PickAwareComboBox, "Combo1");
    Combo2->setMinimumContentsLength(10);
    Combo1->setMinimumContentsLength(4);

    QPushButton **buttons[] = {&Command1, &Command2, &Command3, &Command4, &Command5, &Command6, &Command7};
    for (int i = 0; i < 7; ++i) *buttons[i] = named(new QPushButton, QStringLiteral("Command%1").arg(i + 1).toLatin1());
    Check1 = named(new QCheckBox, "Check1");
    Check2 = named(new QCheckBox, "Check2");
    Check3 = named(new QCheckBox, "Check3");
    ProgressBar1 = named(new QProgressBar, "ProgressBar1");
    cmdStop = named(new QPushButton(tr("中止")), "cmdStop");
    Picture1 = named(new QFrame, "Picture1");
    Image1 = named(new QLabel(Picture1), "Image1");

    // States at start.
    Command3->setEnabled(false);
    Command4->setEnabled(false);
    Command6->hide();
    Check2->setChecked(true);
    ListView1->showNamesOnly(true);
    ListView2->showNamesOnly(true);
    ProgressBar1->hide();
    cmdStop->hide();
}

void Form1::setColumnWidths()
{
    ListView1->setColumnWidthsInTwips(kColumnTwips);
    ListView2->setColumnWidthsInTwips(kColumnTwips);
}

void Form1::applyControlTexts()
{
    for (const ControlTexts &texts : kControlTexts) {
        QWidget *widget = findChild<QWidget *>(QLatin1String(texts.name));
        Q_ASSERT(widget);
        if (texts.caption) {
            if (auto *label = qobject_cast<QLabel *>(widget)) label->setText(tr(texts.caption));
            if (auto *button = qobject_cast<QAbstractButton *>(widget)) button->setText(tr(texts.caption));
        }
        if (texts.tooltip) widget->setToolTip(tr(texts.tooltip));
    }
}

// What a screen reader says for each control. A label tied to its input names
// it (and its access key moves there), except for the lists and the line
// inside an editable box, which Qt does not name after a label; the rest have
// no caption to borrow.
void Form1::nameControls()
{
    const std::pair<QLabel *, QWidget *> captions[] = {{Label1, Combo2}, {Label2, Text2},    {Label4, List1},
                                                       {Label3, Combo1}, {Label6, ListView1}, {Label7, ListView2}};
    for (const auto &[label, input] : captions) {
        label->setBuddy(input);
        const QString name = label->text().remove(QLatin1Char('&'));
        if (auto *list = qobject_cast<QAbstractItemView *>(input)) list->setAccessibleName(name);
        if (auto *box = qobject_cast<QComboBox *>(input)) box->lineEdit()->setAccessibleName(name);
    }
    Drive1->setAccessibleName(tr("リネーム元のドライブ"));
    Dir1->setAccessibleName(tr("リネーム元のフォルダ"));
    Drive2->setAccessibleName(tr("リネーム先のドライブ"));
    Dir2->setAccessibleName(tr("リネーム先のフォルダ"));
    // The preview's own text is the coming name, empty at times.
    Label5->setAccessibleName(tr("リネーム後イメージ"));
    Image1->setAccessibleName(tr("サムネイル"));
}

void Form1::createMenu()
{
    mnuOpt = named(menuBar()->addMenu(tr("オプション")), "mnuOpt");
    mnuOpt1 = named(mnuOpt->addAction(tr("オプション")), "mnuOpt1");
    mnuEdit = named(menuBar()->addMenu(tr("編集(&E)")), "mnuEdit");
    mnuUndo = named(mnuEdit->addAction(tr("元に戻す(&U)")), "mnuUndo");
    // A text field with the focus keeps Ctrl+Z for its own typing.
    mnuUndo->setShortcut(QKeySequence::Undo);
    mnuUndo->setEnabled(false);
    mnuVer = named(menuBar()->addMenu(tr("バージョン情報")), "mnuVer");
    mnuHelp = named(mnuVer->addAction(tr("使い方")), "mnuHelp");
    mnuP = named(mnuVer->addSeparator(), "mnuP");
    mnuVer1 = named(mnuVer->addAction(tr("バージョン情報")), "mnuVer1");
}

void Form1::arrangeControls()
{
    const double pixelsPerTwip = logicalDpiX() / 1440.0;
    Picture1->setFrameShape(QFrame::Box);
    Picture1->setFixedSize(qRound(kPictureTwips[0] * pixelsPerTwip), qRound(kPictureTwips[1] * pixelsPerTwip));
    Image1->setGeometry(Picture1->contentsRect());

    // The digit list is one row high, with its scroll bar beside it.
    List1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->addItem(QStringLiteral("15"));   // measured, then removed: the start-up fills the list
    const int rowHeight = List1->sizeHintForRow(0);
    List1->setFixedSize(List1->sizeHintForColumn(0) + 2 * List1->frameWidth() + 8, rowHeight + 2 * List1->frameWidth());
    List1->clear();
    VScroll1->setFixedHeight(List1->height());
    Dir1->setMinimumHeight(6 * rowHeight);
    Dir2->setMinimumHeight(6 * rowHeight);

    auto *naming = new QGridLayout;
    naming->addWidget(Label1, 0, 0);
    naming->addWidget(Combo2, 1, 0);
    naming->addWidget(Label2, 0, 1);
    naming->addWidget(Text2, 1, 1);
    naming->addWidget(Label4, 0, 2);
    auto *digits = new QHBoxLayout;
    digits->setSpacing(0);
    digits->addWidget(List1);
    digits->addWidget(VScroll1);
    naming->addLayout(digits, 1, 2, Qt::AlignLeft);
    naming->addWidget(Label3, 0, 3);
    naming->addWidget(Combo1, 1, 3);
    auto *extensionButtons = new QHBoxLayout;
    extensionButtons->addWidget(Command1);
    extensionButtons->addWidget(Command2);
    naming->addLayout(extensionButtons, 2, 3);
    naming->setColumnStretch(0, 3);
    naming->setColumnStretch(1, 2);
    naming->setColumnStretch(3, 2);

    auto *bottomLeft = new QHBoxLayout;
    bottomLeft->addWidget(Command7, 0, Qt::AlignLeft);
    bottomLeft->addWidget(ProgressBar1, 1);
    bottomLeft->addWidget(cmdStop);

    auto *source = new QVBoxLayout;
    source->addWidget(Drive1);
    source->addWidget(Dir1);
    source->addWidget(Label6);
    source->addWidget(ListView1, 1);
    source->addLayout(naming);
    source->addWidget(Label8);
    source->addWidget(Label5);
    source->addLayout(bottomLeft);

    auto *actions = new QVBoxLayout;
    for (QWidget *widget : std::initializer_list<QWidget *>{Command3, Command6, Command4, Command5, Check1, Check2, Check3})
        actions->addWidget(widget);
    actions->addStretch();
    auto *bottomRight = new QHBoxLayout;
    bottomRight->addLayout(actions);
    bottomRight->addWidget(Picture1, 0, Qt::AlignRight | Qt::AlignBottom);

    auto *target = new QVBoxLayout;
    target->addWidget(Drive2);
    target->addWidget(Dir2);
    target->addWidget(Label7);
    target->addWidget(ListView2, 1);
    target->addLayout(bottomRight);

    auto *columns = new QHBoxLayout;
    columns->addLayout(source, 1);
    columns->addLayout(target, 1);
    auto *central = new QWidget;
    central->setLayout(columns);
    setCentralWidget(central);
    resize(firstSize(QSize(qRound(12600 * pixelsPerTwip), qRound(9600 * pixelsPerTwip))));
}

QSize Form1::firstSize(const QSize &designed) const
{
    // A screen scaled up, or a small one, holds less: the window shrinks to
    // fit with its proportions kept, so that no part of it is out of reach.
    QSize room = screen()->availableGeometry().size();
    room.rheight() -= style()->pixelMetric(QStyle::PM_TitleBarHeight);   // the window manager's frame
    return designed.scaled(designed.boundedTo(room), Qt::KeepAspectRatio);
}

void Form1::connectHandlers()
{
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(Check2, &QCheckBox::toggled, this, &Form1::Check2_Click);
    connect(Drive1, &DriveList::changed, this, &Form1::Drive1_Change);
    connect(Drive2, &DriveList::changed, this, &Form1::Drive2_Change);
    connect(Dir1, &FolderList::changed, this, &Form1::Dir1_Change);
    connect(Dir2, &FolderList::changed, this, &Form1::Dir2_Change);
    connect(Drive1, &DriveList::chosenAgain, this, [this] { readDriveAgain(sourcePane()); });
    connect(Drive2, &DriveList::chosenAgain, this, [this] { readDriveAgain(targetPane()); });
    connect(Dir1, &FolderList::openFailed, this,
            [this](const QString &folder, const FsStatus &status) { folderFailed(sourcePane(), folder, status); });
    connect(Dir2, &FolderList::openFailed, this,
            [this](const QString &folder, const FsStatus &status) { folderFailed(targetPane(), folder, status); });
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            [this](int section) { ListView1_ColumnClick(section + 1); });
    connect(ListView2->header(), &QHeaderView::sectionClicked, this,
            [this](int section) { ListView2_ColumnClick(section + 1); });
    connect(ListView1, &FileListView::clickedAnywhere, this, &Form1::ListView1_Click);
    connect(ListView1, &FileListView::mouseDown, this, &Form1::ListView1_MouseDown);
    connect(ListView1, &FileListView::rowDoubleClicked, this, &Form1::ListView1_DblClick);
    // The preview of the prefix and alignment modes is made from the selected files.
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this, &Form1::UpdatePreview);
    connect(ListView1->files(), &QAbstractItemModel::modelReset, this, &Form1::UpdatePreview);
    connect(ListView1->files(), &QAbstractItemModel::layoutChanged, this, &Form1::UpdatePreview);
    connect(ListView2, &FileListView::rowDoubleClicked, this, &Form1::ListView2_DblClick);
    connect(mnuOpt1, &QAction::triggered, this, &Form1::mnuOpt1_Click);
    connect(mnuUndo, &QAction::triggered, this, &Form1::mnuUndo_Click);
    connect(mnuHelp, &QAction::triggered, this, &Form1::mnuHelp_Click);
    connect(mnuVer1, &QAction::triggered, this, &Form1::mnuVer1_Click);

    connect(Text2, &QLineEdit::textChanged, this, &Form1::Text2_Change);
    connect(Combo2, &QComboBox::editTextChanged, this, &Form1::Combo2_Change);
    connect(Combo2, &PickAwareComboBox::chosen, this, &Form1::Combo2_Click);
    connect(Combo1, &QComboBox::editTextChanged, this, &Form1::Combo1_Change);
    connect(Combo1, &PickAwareComboBox::chosen, this, &Form1::Combo1_Click);
    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) List1_Click();
    });
    connect(List1, &DigitList::selectedRowClicked, this, &Form1::List1_Click);
    connect(VScroll1, &QScrollBar::valueChanged, this, &Form1::VScroll1_Change);
    connect(Check1, &QCheckBox::toggled, this, &Form1::Check1_Click);

    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Check3, &QCheckBox::toggled, this, &Form1::Check3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(ListView2, &FileListView::clickedAnywhere, this, &Form1::ListView2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Combo2, &PickAwareComboBox::focusReceived, this, &Form1::FillHeadNameList);
    connect(&m_incomingText, &IncomingTextChannel::textReceived, this, &Form1::MessageHook);
}

}  // namespace nv
