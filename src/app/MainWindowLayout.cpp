// The main window's controls, menus, speed bar and status bar, and the rules
// that switch them on and off.

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ElidedLabel.h"
#include "app/Icons.h"
#include "app/MainWindow.h"
#include "settings/Settings.h"
#include "text/WidgetTexts.h"

namespace brelker {
namespace {

// Width of status panel 0 at 120 pixels per inch; it follows the screen's density.
constexpr int kStatusPanel0Width = 345;

}  // namespace

MainWindow::MainWindow(Platform& platform, const SettingsStore& store, DialogService& dialogs,
                       QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      store_(store),
      dialogs_(dialogs, platform),
      engine_(job_, platform, *this),
      plan_(job_, store, *this),
      script_(job_, platform, *this) {
    setObjectName(QStringLiteral("TMain"));
    setWindowTitle(QString::fromUtf8(settings::kProgramName));
    setWindowIcon(ApplicationIcon());
    setAcceptDrops(true);
    CreateMenus();
    CreateSpeedBar();
    CreateGroups();
    CreateStatusBar();

    // Enabled at first: everything but the commands that need a job.
    for (QWidget* widget : std::initializer_list<QWidget*>{
             DoSplitBtn, DoJoinBtn, FindPlaceToSmallFilesBtn, FindPlaceToBigFileBtn, StopBtn,
             SmallerSizesLB, txtNewSize, ApplyNewSize, ChangeItem}) {
        widget->setEnabled(false);
    }
    // While the work runs the pointer shows it: moving over the window, its speed
    // bar or its groups brings the hourglass, the Stop button the hand.
    setMouseTracking(true);
    for (QWidget* widget : std::initializer_list<QWidget*>{
             centralWidget(), speedBar_, BigFileGB, ActualSizeGB, SplitAFileBtn,
             FindPlaceToSmallFilesBtn, DoSplitBtn, SelfUnitBtn, JoinFilesBtn, FindPlaceToBigFileBtn,
             DoJoinBtn, VerifyBtn, ExitBtn, HintBtn, StopBtn}) {
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::AddAction(QMenu* menu, const char* name, const QKeySequence& shortcut,
                               void (MainWindow::*handler)()) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
}

QAction* MainWindow::AddOption(QMenu* menu, const char* name, void (MainWindow::*handler)()) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
    action->setCheckable(true);
    // The check mark shows the option; the handler sets it, so a click must not
    // toggle it behind the handler's back.
    connect(action, &QAction::triggered, this, [this, action, handler](bool checked) {
        action->setChecked(!checked);
        (this->*handler)();
    });
    return action;
}

void MainWindow::CreateMenus() {
    File1 = Named(menuBar()->addMenu(QString()), "File1");
    ChooseSplitAFile = AddAction(File1, "ChooseSplitAFile", QKeySequence(QStringLiteral("Ctrl+A")),
                                 &MainWindow::ChooseSplitAFileClick);
    FindPlaceToSmallFiles =
        AddAction(File1, "FindPlaceToSmallFiles", QKeySequence(QStringLiteral("Ctrl+B")),
                  &MainWindow::FindPlaceToSmallFilesClick);
    DoSplit = AddAction(File1, "DoSplit", QKeySequence(QStringLiteral("Ctrl+S")),
                        &MainWindow::DoSplitClick);
    CreateUnbrelkerFile =
        AddAction(File1, "CreateUnbrelkerFile", QKeySequence(QStringLiteral("Ctrl+R")),
                  &MainWindow::CreateUnbrelkerFileClick);
    File1->addSeparator();
    JoinFiles = AddAction(File1, "JoinFiles", QKeySequence(QStringLiteral("Ctrl+D")),
                          &MainWindow::JoinFilesClick);
    FindPlaceToBigFile =
        AddAction(File1, "FindPlaceToBigFile", QKeySequence(QStringLiteral("Ctrl+E")),
                  &MainWindow::FindPlaceToBigFileClick);
    DoJoin = AddAction(File1, "DoJoin", QKeySequence(QStringLiteral("Ctrl+J")),
                       &MainWindow::DoJoinClick);
    Verify = AddAction(File1, "Verify", QKeySequence(QStringLiteral("Ctrl+K")),
                       &MainWindow::VerifyClick);
    File1->addSeparator();
    ClearRegistry =
        AddAction(File1, "ClearRegistry", QKeySequence(), &MainWindow::ClearRegistryClick);
    Exit = AddAction(File1, "Exit", QKeySequence(QStringLiteral("Ctrl+Q")), &MainWindow::ExitClick);

    ChangeOfDisk = Named(menuBar()->addMenu(QString()), "ChangeOfDisk");
    ChangeAlways = AddOption(ChangeOfDisk, "ChangeAlways", &MainWindow::ChangeAlwaysClick);
    ChangeSometimes = AddOption(ChangeOfDisk, "ChangeSometimes", &MainWindow::ChangeSometimesClick);
    ChangeNever = AddOption(ChangeOfDisk, "ChangeNever", &MainWindow::ChangeNeverClick);

    Memory1 = Named(menuBar()->addMenu(QString()), "Memory1");
    MemoryUsage = AddAction(Memory1, "MemoryUsage", QKeySequence(QStringLiteral("Ctrl+M")),
                            &MainWindow::MemoryUsageClick);

    Language1 = Named(menuBar()->addMenu(QString()), "Language1");
    LanguageEnglish = AddOption(Language1, "LanguageEnglish", &MainWindow::LanguageEnglishClick);
    LanguageSwedish = AddOption(Language1, "LanguageSwedish", &MainWindow::LanguageSwedishClick);
    LanguageGerman = AddOption(Language1, "LanguageGerman", &MainWindow::LanguageGermanClick);

    Options_ = Named(menuBar()->addMenu(QString()), "Options");
    ChooseFiletype =
        AddAction(Options_, "ChooseFiletype", QKeySequence(), &MainWindow::ChooseFiletypeClick);
    Options_->addSeparator();
    RemoveSmall = AddOption(Options_, "RemoveSmall", &MainWindow::RemoveSmallClick);
    RemoveBig = AddOption(Options_, "RemoveBig", &MainWindow::RemoveBigClick);
    RemoveSelf = AddOption(Options_, "RemoveSelf", &MainWindow::RemoveSelfClick);
    EraseFloppies = AddOption(Options_, "EraseFloppies", &MainWindow::EraseFloppiesClick);
    WriteChecksums = AddOption(Options_, "WriteChecksums", &MainWindow::WriteChecksumsClick);
    Options_->addSeparator();
    Extract = AddAction(Options_, "Extract", QKeySequence(), &MainWindow::ExtractClick);

    Help1 = Named(menuBar()->addMenu(QString()), "Help1");
    Hint = AddAction(Help1, "Hint", QKeySequence(QStringLiteral("Ctrl+H")), &MainWindow::HintClick);
}

QToolButton* MainWindow::AddSpeedButton(const char* name, const QIcon& icon,
                                        void (MainWindow::*handler)()) {
    auto* button = Named(new QToolButton(speedBar_), name);
    button->setIcon(icon);
    button->setIconSize(QSize(28, 28));
    button->setAutoRaise(true);
    static_cast<QToolBar*>(speedBar_)->addWidget(button);
    // The button calls its menu item's handler: both behave the same.
    connect(button, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    return button;
}

void MainWindow::CreateSpeedBar() {
    auto* bar = Named(new QToolBar(this), "SpeedBar");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setEnabled(false);
    // The bar cannot be hidden or moved, so a right click offers nothing.
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, bar);
    speedBar_ = bar;

    SplitAFileBtn = AddSpeedButton("SplitAFileBtn", SpeedBarIcon(IconKind::ChooseBigFile),
                                   &MainWindow::ChooseSplitAFileClick);
    FindPlaceToSmallFilesBtn =
        AddSpeedButton("FindPlaceToSmallFilesBtn", SpeedBarIcon(IconKind::PiecesPlace),
                       &MainWindow::FindPlaceToSmallFilesClick);
    DoSplitBtn =
        AddSpeedButton("DoSplitBtn", SpeedBarIcon(IconKind::Split), &MainWindow::DoSplitClick);
    SelfUnitBtn = AddSpeedButton("SelfUnitBtn", SpeedBarIcon(IconKind::SelfUnit),
                                 &MainWindow::CreateUnbrelkerFileClick);
    bar->addSeparator();
    JoinFilesBtn = AddSpeedButton("JoinFilesBtn", SpeedBarIcon(IconKind::ChoosePiece),
                                  &MainWindow::JoinFilesClick);
    FindPlaceToBigFileBtn =
        AddSpeedButton("FindPlaceToBigFileBtn", SpeedBarIcon(IconKind::BigFilePlace),
                       &MainWindow::FindPlaceToBigFileClick);
    DoJoinBtn = AddSpeedButton("DoJoinBtn", SpeedBarIcon(IconKind::Join), &MainWindow::DoJoinClick);
    VerifyBtn =
        AddSpeedButton("VerifyBtn", SpeedBarIcon(IconKind::Verify), &MainWindow::VerifyClick);
    bar->addSeparator();
    StopBtn = AddSpeedButton("StopBtn", SpeedBarIcon(IconKind::Stop), &MainWindow::StopBtnClick);
    ExitBtn = AddSpeedButton("ExitBtn", SpeedBarIcon(IconKind::Exit), &MainWindow::ExitClick);
    bar->addSeparator();
    HintBtn = AddSpeedButton("HintBtn", QIcon(), &MainWindow::HintClick);
    HintBtn->setToolButtonStyle(Qt::ToolButtonTextOnly);
    HintBtn->setAutoRaise(false);
    HintBtn->setMinimumWidth(120);
    HintBtn->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void MainWindow::CreateGroups() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);

    BigFileGB = Named(new QGroupBox(central), "BigFileGB");
    auto* big = new QGridLayout(BigFileGB);
    lblBigFileName = Named(new QLabel(BigFileGB), "lblBigFileName");
    BigFileName = Named(new ElidedLabel(Qt::ElideMiddle, BigFileGB), "BigFileName");
    lblBigFileSize = Named(new QLabel(BigFileGB), "lblBigFileSize");
    BigFileSize = Named(new QLabel(BigFileGB), "BigFileSize");
    BigFileSize->setMinimumWidth(110);
    big->addWidget(lblBigFileName, 0, 0);
    big->addWidget(BigFileName, 0, 1, 1, 7);
    big->addWidget(lblBigFileSize, 1, 0);
    big->addWidget(BigFileSize, 1, 1);
    const char* const unitNames[] = {"BigFileRB1", "BigFileRB2", "BigFileRB3", "BigFileRB4",
                                     "BigFileRB5"};
    const char* const unitTexts[] = {"B", "kB", "MB", "GB", "TB"};
    for (int unit = 1; unit <= 5; ++unit) {
        QRadioButton* button = Named(
            new QRadioButton(QLatin1String(unitTexts[unit - 1]), BigFileGB), unitNames[unit - 1]);
        BigFileRB[static_cast<std::size_t>(unit - 1)] = button;
        big->addWidget(button, 1, 1 + unit);
        connect(button, &QRadioButton::clicked, this,
                [this, unit] { plan_.ShowBigFileSize(static_cast<SizeUnit>(unit)); });
    }
    big->setColumnStretch(1, 1);
    layout->addWidget(BigFileGB);

    ActualSizeGB = Named(new QGroupBox(central), "ActualSizeGB");
    auto* small = new QGridLayout(ActualSizeGB);
    lblSmallFileNames = Named(new QLabel(ActualSizeGB), "lblSmallFileNames");
    SmallFileNames = Named(new ElidedLabel(Qt::ElideMiddle, ActualSizeGB), "SmallFileNames");
    BaseSizeHeadline = Named(new QLabel(ActualSizeGB), "BaseSizeHeadline");
    CBBaseSize = Named(new QComboBox(ActualSizeGB), "CBBaseSize");
    // A long name in the user's list must not widen the window.
    CBBaseSize->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CBBaseSize->setMinimumContentsLength(20);
    ApplyBaseSize = Named(new QPushButton(ActualSizeGB), "ApplyBaseSize");
    rbSizeBase = Named(new QRadioButton(ActualSizeGB), "rbSizeBase");
    rbSizeFree = Named(new QRadioButton(ActualSizeGB), "rbSizeFree");
    lblNrFiles = Named(new QLabel(ActualSizeGB), "lblNrFiles");
    SmallerSize = Named(new QLabel(ActualSizeGB), "SmallerSize");
    SmallerSizesLB = Named(new QListWidget(ActualSizeGB), "SmallerSizesLB");
    SmallerSizesLB->setUniformItemSizes(true);
    SmallerSizesLB->setMinimumHeight(120);
    ChangeItem = Named(new QLabel(ActualSizeGB), "ChangeItem");
    lblNewSize = Named(new QLabel(ActualSizeGB), "lblNewSize");
    txtNewSize = Named(new QLineEdit(ActualSizeGB), "txtNewSize");
    ApplyNewSize = Named(new QPushButton(ActualSizeGB), "ApplyNewSize");
    lblNewSize->setBuddy(txtNewSize);

    small->addWidget(lblSmallFileNames, 0, 0);
    small->addWidget(SmallFileNames, 0, 1, 1, 3);
    small->addWidget(BaseSizeHeadline, 1, 0);
    small->addWidget(CBBaseSize, 1, 1, 1, 2);
    small->addWidget(ApplyBaseSize, 1, 3);
    small->addWidget(rbSizeBase, 2, 1);
    small->addWidget(rbSizeFree, 2, 2);
    small->addWidget(lblNrFiles, 2, 3);
    small->addWidget(SmallerSize, 3, 0, 1, 2);
    small->addWidget(SmallerSizesLB, 4, 0, 5, 2);
    small->addWidget(ChangeItem, 4, 2, 1, 2);
    small->addWidget(lblNewSize, 5, 2, 1, 2);
    small->addWidget(txtNewSize, 6, 2, 1, 2);
    small->addWidget(ApplyNewSize, 7, 2, 1, 2);
    small->setRowStretch(8, 1);
    small->setColumnStretch(1, 1);
    small->setColumnStretch(2, 1);
    layout->addWidget(ActualSizeGB, 1);

    PBar = Named(new QProgressBar(central), "PBar");
    PBar->setRange(0, 100);
    PBar->setValue(0);
    PBar->setTextVisible(false);
    layout->addWidget(PBar);

    connect(CBBaseSize, &QComboBox::activated, this,
            [this](int index) { ShowPlanOutcome(plan_.CBBaseSizeChange(index)); });
    connect(ApplyBaseSize, &QPushButton::clicked, this,
            [this] { ShowPlanOutcome(plan_.ApplyBaseSizeClick()); });
    connect(rbSizeFree, &QRadioButton::clicked, this,
            [this] { ShowPlanOutcome(plan_.rbSizeFreeClick()); });
    connect(rbSizeBase, &QRadioButton::clicked, this,
            [this] { ShowPlanOutcome(plan_.rbSizeBaseClick()); });
    connect(SmallerSizesLB, &QListWidget::itemClicked, this,
            [this] { plan_.SmallerSizesLBClick(); });
    // Selection, not the current row: focusing the list makes its first line
    // current without the user choosing anything.
    connect(SmallerSizesLB, &QListWidget::itemSelectionChanged, this, [this] {
        if (SmallerSizesLB->isEnabled() && !Busy() && !SmallerSizesLB->selectedItems().isEmpty()) {
            plan_.SmallerSizesLBClick();
        }
    });
    connect(txtNewSize, &QLineEdit::textEdited, this, [this] { plan_.txtNewSizeChange(); });
    connect(txtNewSize, &QLineEdit::returnPressed, this, [this] {
        if (ApplyNewSize->isEnabled()) {
            ShowPlanOutcome(plan_.ApplyNewSizeClick());
        }
    });
    connect(ApplyNewSize, &QPushButton::clicked, this,
            [this] { ShowPlanOutcome(plan_.ApplyNewSizeClick()); });
}

void MainWindow::CreateStatusBar() {
    StatusPanel0 = Named(new ElidedLabel(Qt::ElideRight, this), "StatusPanel0");
    StatusPanel1 = Named(new ElidedLabel(Qt::ElideRight, this), "StatusPanel1");
    StatusPanel0->setFixedWidth(kStatusPanel0Width * logicalDpiX() / 120);
    StatusPanel1->setMinimumWidth(50);
    statusBar()->addPermanentWidget(StatusPanel0);
    statusBar()->addPermanentWidget(StatusPanel1, 1);
    statusBar()->setSizeGripEnabled(true);
}

// Long paths are shortened by their labels, so the window can always be narrower
// than its screen; a width stored or grown beyond it is taken back.
void MainWindow::FitToScreen() {
    const QScreen* shownOn = screen();
    if (shownOn == nullptr) {
        return;
    }
    const QRect room = shownOn->availableGeometry();
    const int frame = frameGeometry().width() - width();
    if (frameGeometry().width() > room.width()) {
        resize(std::max(minimumSizeHint().width(), room.width() - frame), height());
    }
}

bool MainWindow::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::StatusTip:
            // ShowApplicationHint: the long part of the hint under the mouse goes to panel 0.
            StatusPanel0->setText(static_cast<QStatusTipEvent*>(event)->tip());
            return true;
        case QEvent::Show:
            FitToScreen();
            break;
        default:
            break;
    }
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && Busy()) {
        if (watched == StopBtn) {
            // OnMouseMove: the hand over the button's face, the hourglass on its rim.
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            const bool inside = at.x() >= 1 && at.y() >= 1 && at.x() <= StopBtn->width() - 2 &&
                                at.y() <= StopBtn->height() - 2;
            SetScreenCursor(inside ? Qt::PointingHandCursor : Qt::WaitCursor);
        } else {
            SetScreenCursor(Qt::WaitCursor);  // OnMouseCircling
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace brelker
