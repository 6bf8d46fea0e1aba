// The main window's controls, menus, speed bar and status bar, and what each
// tells the window model.

#include <initializer_list>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFont>
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
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "qt/ElidedLabel.h"
#include "qt/Icons.h"
#include "qt/MainWindow.h"
#include "qt/ScreenPlacement.h"
#include "qt/StatusPanels.h"
#include "qt/WidgetTexts.h"
#include "settings/Settings.h"

namespace brelker {
MainWindow::MainWindow(Platform& platform, const SettingsStore& store, DialogService& dialogs,
                       QWidget* parent)
    : QMainWindow(parent), model_(platform, store, dialogs, *this) {
    setObjectName(QStringLiteral("TMain"));
    setWindowTitle(QString::fromUtf8(brelker::kProgramName));
    setWindowIcon(ApplicationIcon());
    setAcceptDrops(true);
    CreateMenus();
    CreateSpeedBar();
    CreateGroups();
    CreateStatusBar();
    Wire();
    model_.ShowStates();

    // While the work runs the pointer shows it: moving over the window, its speed
    // bar or its groups brings the hourglass, the Stop button the hand.
    setMouseTracking(true);
    std::vector<QWidget*> tracked = {centralWidget(), speedBar_, bigFileGroup_, smallFilesGroup_};
    tracked.insert(tracked.end(), speedButtons_.begin(), speedButtons_.end());
    for (QWidget* widget : tracked) {
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::AddCommand(QMenu* menu, Command command, const char* name,
                                const QKeySequence& shortcut) {
    auto* action = new QAction(this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    if (menu != nullptr) {
        menu->addAction(action);
    }
    connect(action, &QAction::triggered, this, [this, command] { model_.Execute(command); });
    actions_[static_cast<std::size_t>(command)] = action;
    return action;
}

QAction* MainWindow::AddOption(QMenu* menu, Command command, const char* name) {
    QAction* action = AddCommand(menu, command, name);
    action->setCheckable(true);
    // The check mark shows the option; the model sets it, so a click must not
    // toggle it behind the model's back.
    connect(action, &QAction::toggled, this, [this, action, command](bool checked) {
        if (checked != model_.Checked(command)) {
            const QSignalBlocker quiet(action);
            action->setChecked(model_.Checked(command));
        }
    });
    return action;
}

void MainWindow::CreateMenus() {
    const auto menu = [this](Menu which, const char* name) {
        QMenu* added = Named(menuBar()->addMenu(QString()), name);
        menus_[static_cast<std::size_t>(which)] = added;
        return added;
    };
    QMenu* file = menu(Menu::File, "File1");
    AddCommand(file, Command::ChooseSplitAFile, "ChooseSplitAFile",
               QKeySequence(QStringLiteral("Ctrl+A")));
    AddCommand(file, Command::FindPlaceToSmallFiles, "FindPlaceToSmallFiles",
               QKeySequence(QStringLiteral("Ctrl+B")));
    AddCommand(file, Command::DoSplit, "DoSplit", QKeySequence(QStringLiteral("Ctrl+S")));
    AddCommand(file, Command::CreateUnbrelkerFile, "CreateUnbrelkerFile",
               QKeySequence(QStringLiteral("Ctrl+R")));
    file->addSeparator();
    AddCommand(file, Command::JoinFiles, "JoinFiles", QKeySequence(QStringLiteral("Ctrl+D")));
    AddCommand(file, Command::FindPlaceToBigFile, "FindPlaceToBigFile",
               QKeySequence(QStringLiteral("Ctrl+E")));
    AddCommand(file, Command::DoJoin, "DoJoin", QKeySequence(QStringLiteral("Ctrl+J")));
    AddCommand(file, Command::Verify, "Verify", QKeySequence(QStringLiteral("Ctrl+K")));
    file->addSeparator();
    AddCommand(file, Command::ClearRegistry, "ClearRegistry");
    AddCommand(file, Command::Exit, "Exit", QKeySequence(QStringLiteral("Ctrl+Q")));

    // One of three, shown as radio items; the model marks the one chosen, and
    // none for a stored value outside the three.
    const auto oneOf = [this](std::initializer_list<QAction*> actions) {
        auto* group = new QActionGroup(this);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        for (QAction* action : actions) {
            group->addAction(action);
        }
    };
    QMenu* pause = menu(Menu::ChangeOfDisk, "ChangeOfDisk");
    oneOf({AddOption(pause, Command::ChangeAlways, "ChangeAlways"),
           AddOption(pause, Command::ChangeSometimes, "ChangeSometimes"),
           AddOption(pause, Command::ChangeNever, "ChangeNever")});

    QMenu* memory = menu(Menu::Memory, "Memory1");
    AddCommand(memory, Command::MemoryUsage, "MemoryUsage", QKeySequence(QStringLiteral("Ctrl+M")));

    QMenu* language = menu(Menu::Language, "Language1");
    oneOf({AddOption(language, Command::LanguageEnglish, "LanguageEnglish"),
           AddOption(language, Command::LanguageSwedish, "LanguageSwedish"),
           AddOption(language, Command::LanguageGerman, "LanguageGerman")});

    QMenu* options = menu(Menu::Options, "Options");
    AddCommand(options, Command::ChooseFiletype, "ChooseFiletype");
    options->addSeparator();
    AddOption(options, Command::RemoveSmall, "RemoveSmall");
    AddOption(options, Command::RemoveBig, "RemoveBig");
    AddOption(options, Command::RemoveSelf, "RemoveSelf");
    AddOption(options, Command::EraseFloppies, "EraseFloppies");
    AddOption(options, Command::WriteChecksums, "WriteChecksums");
    options->addSeparator();
    AddCommand(options, Command::Extract, "Extract");

    QMenu* help = menu(Menu::Help, "Help1");
    AddCommand(help, Command::Hint, "Hint", QKeySequence(QStringLiteral("Ctrl+H")));
    // Stop has a speed button only.
    AddCommand(nullptr, Command::Stop, "Stop");
}

// A speed button shows its command's action: one state, one handler for both.
QToolButton* MainWindow::AddSpeedButton(Command command, const char* name, const QIcon& icon) {
    // The picture belongs to the action, shown on the button only.
    Action(command)->setIcon(icon);
    Action(command)->setIconVisibleInMenu(false);
    auto* button = Named(new QToolButton(speedBar_), name);
    button->setDefaultAction(Action(command));
    button->setIconSize(QSize(28, 28));
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    static_cast<QToolBar*>(speedBar_)->addWidget(button);
    speedButtons_.push_back(button);
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

    AddSpeedButton(Command::ChooseSplitAFile, "SplitAFileBtn",
                   SpeedBarIcon(IconKind::ChooseBigFile));
    AddSpeedButton(Command::FindPlaceToSmallFiles, "FindPlaceToSmallFilesBtn",
                   SpeedBarIcon(IconKind::PiecesPlace));
    AddSpeedButton(Command::DoSplit, "DoSplitBtn", SpeedBarIcon(IconKind::Split));
    AddSpeedButton(Command::CreateUnbrelkerFile, "SelfUnitBtn", SpeedBarIcon(IconKind::SelfUnit));
    bar->addSeparator();
    AddSpeedButton(Command::JoinFiles, "JoinFilesBtn", SpeedBarIcon(IconKind::ChoosePiece));
    AddSpeedButton(Command::FindPlaceToBigFile, "FindPlaceToBigFileBtn",
                   SpeedBarIcon(IconKind::BigFilePlace));
    AddSpeedButton(Command::DoJoin, "DoJoinBtn", SpeedBarIcon(IconKind::Join));
    AddSpeedButton(Command::Verify, "VerifyBtn", SpeedBarIcon(IconKind::Verify));
    bar->addSeparator();
    stopButton_ = AddSpeedButton(Command::Stop, "StopBtn", SpeedBarIcon(IconKind::Stop));
    AddSpeedButton(Command::Exit, "ExitBtn", SpeedBarIcon(IconKind::Exit));
    bar->addSeparator();
    // How It Works is a word, not an icon, with a hint of its own: a button of
    // its own that runs the same command.
    howItWorksButton_ = Named(new QToolButton(bar), "HintBtn");
    howItWorksButton_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    howItWorksButton_->setMinimumWidth(120);
    howItWorksButton_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(howItWorksButton_);
    howItWorksButton_->setAutoRaise(false);
    speedButtons_.push_back(howItWorksButton_);
    connect(howItWorksButton_, &QToolButton::clicked, this,
            [this] { model_.Execute(Command::Hint); });
}

void MainWindow::CreateGroups() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);

    bigFileGroup_ = Named(new QGroupBox(central), "BigFileGB");
    auto* big = new QGridLayout(bigFileGroup_);
    bigFileNameLabel_ = Named(new QLabel(bigFileGroup_), "lblBigFileName");
    bigFileName_ = Named(new ElidedLabel(Qt::ElideMiddle, bigFileGroup_), "BigFileName");
    bigFileSizeLabel_ = Named(new QLabel(bigFileGroup_), "lblBigFileSize");
    bigFileSize_ = Named(new QLabel(bigFileGroup_), "BigFileSize");
    bigFileSize_->setMinimumWidth(110);
    big->addWidget(bigFileNameLabel_, 0, 0);
    big->addWidget(bigFileName_, 0, 1, 1, 7);
    big->addWidget(bigFileSizeLabel_, 1, 0);
    big->addWidget(bigFileSize_, 1, 1);
    const char* const unitNames[] = {"BigFileRB1", "BigFileRB2", "BigFileRB3", "BigFileRB4",
                                     "BigFileRB5"};
    const char* const unitTexts[] = {"B", "kB", "MB", "GB", "TB"};
    for (int unit = 1; unit <= 5; ++unit) {
        QRadioButton* button =
            Named(new QRadioButton(QLatin1String(unitTexts[unit - 1]), bigFileGroup_),
                  unitNames[unit - 1]);
        unitButtons_[static_cast<std::size_t>(unit - 1)] = button;
        big->addWidget(button, 1, 1 + unit);
        connect(button, &QRadioButton::clicked, this,
                [this, unit] { model_.UnitChosen(static_cast<SizeUnit>(unit)); });
    }
    big->setColumnStretch(1, 1);
    layout->addWidget(bigFileGroup_);

    smallFilesGroup_ = Named(new QGroupBox(central), "ActualSizeGB");
    auto* small = new QGridLayout(smallFilesGroup_);
    pieceNamesLabel_ = Named(new QLabel(smallFilesGroup_), "lblSmallFileNames");
    pieceNames_ = Named(new ElidedLabel(Qt::ElideMiddle, smallFilesGroup_), "SmallFileNames");
    baseSizeHeadline_ = Named(new QLabel(smallFilesGroup_), "BaseSizeHeadline");
    baseSizeBox_ = Named(new QComboBox(smallFilesGroup_), "CBBaseSize");
    // A long name in the user's list must not widen the window.
    baseSizeBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    baseSizeBox_->setMinimumContentsLength(20);
    applyBaseSize_ = Named(new QPushButton(smallFilesGroup_), "ApplyBaseSize");
    useBaseSize_ = Named(new QRadioButton(smallFilesGroup_), "rbSizeBase");
    useFreeSpace_ = Named(new QRadioButton(smallFilesGroup_), "rbSizeFree");
    pieceCount_ = Named(new QLabel(smallFilesGroup_), "lblNrFiles");
    sizeListHeadline_ = Named(new QLabel(smallFilesGroup_), "SmallerSize");
    // Bold: it tells of options that change what the next split or join writes.
    modesNote_ = Named(new ElidedLabel(Qt::ElideRight, smallFilesGroup_), "ModesNote");
    QFont bold = modesNote_->font();
    bold.setBold(true);
    modesNote_->setFont(bold);
    sizeList_ = Named(new QListWidget(smallFilesGroup_), "SmallerSizesLB");
    sizeList_->setUniformItemSizes(true);
    // Room for a few lines, and for the window on a 640 x 480 screen.
    sizeList_->setMinimumHeight(100);
    // A Verify line too long for the list keeps its end, which says what was found.
    sizeList_->setTextElideMode(Qt::ElideMiddle);
    const int mark = sizeList_->style()->pixelMetric(QStyle::PM_SmallIconSize);
    sizeList_->setIconSize(QSize(mark, mark));
    editedPiece_ = Named(new QLabel(smallFilesGroup_), "ChangeItem");
    newSizeLabel_ = Named(new QLabel(smallFilesGroup_), "lblNewSize");
    newSize_ = Named(new QLineEdit(smallFilesGroup_), "txtNewSize");
    applyNewSize_ = Named(new QPushButton(smallFilesGroup_), "ApplyNewSize");
    newSizeLabel_->setBuddy(newSize_);

    small->addWidget(pieceNamesLabel_, 0, 0);
    small->addWidget(pieceNames_, 0, 1, 1, 3);
    small->addWidget(baseSizeHeadline_, 1, 0);
    small->addWidget(baseSizeBox_, 1, 1, 1, 2);
    small->addWidget(applyBaseSize_, 1, 3);
    small->addWidget(useBaseSize_, 2, 1);
    small->addWidget(useFreeSpace_, 2, 2);
    small->addWidget(pieceCount_, 2, 3);
    // The note of extraction and appending takes the row's room beside the heading.
    auto* headingRow = new QHBoxLayout;
    headingRow->addWidget(sizeListHeadline_);
    headingRow->addSpacing(12);
    headingRow->addWidget(modesNote_, 1);
    small->addLayout(headingRow, 3, 0, 1, 4);
    small->addWidget(sizeList_, 4, 0, 5, 2);
    small->addWidget(editedPiece_, 4, 2, 1, 2);
    small->addWidget(newSizeLabel_, 5, 2, 1, 2);
    small->addWidget(newSize_, 6, 2, 1, 2);
    small->addWidget(applyNewSize_, 7, 2, 1, 2);
    small->setRowStretch(8, 1);
    small->setColumnStretch(1, 1);
    small->setColumnStretch(2, 1);
    layout->addWidget(smallFilesGroup_, 1);

    progress_ = Named(new QProgressBar(central), "PBar");
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    layout->addWidget(progress_);
}

// What the plan's controls tell the model.
void MainWindow::Wire() {
    connect(baseSizeBox_, &QComboBox::activated, this,
            [this](int index) { model_.BaseSizeChosen(index); });
    connect(applyBaseSize_, &QPushButton::clicked, this, [this] { model_.ApplyBaseSizeClicked(); });
    connect(useFreeSpace_, &QRadioButton::clicked, this, [this] { model_.SizeModeChosen(true); });
    connect(useBaseSize_, &QRadioButton::clicked, this, [this] { model_.SizeModeChosen(false); });
    connect(sizeList_, &QListWidget::itemClicked, this,
            [this] { model_.SizeLineChosen(sizeList_->currentRow()); });
    // Selection, not the current row: focusing the list makes its first line
    // current without the user choosing anything.
    connect(sizeList_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!sizeList_->selectedItems().isEmpty()) {
            model_.SizeLineChosen(sizeList_->currentRow());
        }
    });
    connect(newSize_, &QLineEdit::textChanged, this,
            [this](const QString& text) { model_.NewSizeChanged(text.toStdString()); });
    connect(newSize_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.NewSizeEdited(text.toStdString()); });
    connect(newSize_, &QLineEdit::returnPressed, this, [this] { model_.NewSizeConfirmed(); });
    connect(applyNewSize_, &QPushButton::clicked, this, [this] { model_.ApplyNewSizeClicked(); });
}

void MainWindow::CreateStatusBar() {
    statusPanels_ = new StatusPanels(this);
    statusBar()->addPermanentWidget(statusPanels_, 1);
    statusBar()->setSizeGripEnabled(true);
}

// Long paths are shortened by their labels, so the window can always be narrower
// than its screen; a size stored or grown beyond it is taken back, and a window
// that reaches past the screen's edge (a German window on a small screen) is
// moved onto it, shrunk only as far as it still does not fit.
void MainWindow::FitToScreen() {
    const QScreen* shownOn = screen();
    if (shownOn == nullptr) {
        return;
    }
    QList<QRect> screens;
    for (const QScreen* each : QGuiApplication::screens()) {
        screens.append(each->availableGeometry());
    }
    // As it is first shown the window may not yet have grown to the least size
    // its controls take, which it will have a moment later.
    const QSize border = frameGeometry().size() - size();
    const QSize least = minimumSizeHint() + border;
    const QRect frame(frameGeometry().topLeft(), frameGeometry().size().expandedTo(least));
    const QRect fitted = WhollyOnScreen(frame, screens, shownOn->availableGeometry(), least);
    if (fitted.size() != frameGeometry().size()) {
        resize(fitted.size() - border);
    }
    if (fitted.topLeft() != frame.topLeft()) {
        move(fitted.topLeft());
    }
}

bool MainWindow::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::StatusTip:
            // ShowApplicationHint: the long part of the hint under the mouse goes to panel 0.
            statusPanels_->ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
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
    if (event->type() == QEvent::MouseMove && model_.Busy()) {
        if (watched == stopButton_) {
            // OnMouseMove: the hand over the button's face, the hourglass on its rim.
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            const bool inside = at.x() >= 1 && at.y() >= 1 && at.x() <= stopButton_->width() - 2 &&
                                at.y() <= stopButton_->height() - 2;
            SetScreenCursor(inside ? Qt::PointingHandCursor : Qt::WaitCursor);
        } else {
            SetScreenCursor(Qt::WaitCursor);  // OnMouseCircling
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace brelker
