// The main window's controls, menus, speed bar and status bar, and what each
// tells the window model.

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
MainWindow::MainWindow(Platform& platform, SettingsStore& store, DialogService& dialogs,
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

QAction* MainWindow::AddCommand(const CommandEntry& entry) {
    auto* action = Named(new QAction(this), entry.name);
    if (entry.shortcut != '\0') {
        action->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + QLatin1Char(entry.shortcut)));
    }
    const Command command = entry.command;
    connect(action, &QAction::triggered, this, [this, command] { model_.Execute(command); });
    actions_[static_cast<std::size_t>(command)] = action;
    if (entry.kind == ItemKind::Plain) {
        return action;
    }
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
    for (const MenuEntry& entry : kMenuTable) {
        menus_[static_cast<std::size_t>(entry.menu)] =
            Named(menuBar()->addMenu(QString()), entry.name);
    }
    // One of three, shown as radio items; the model marks the one chosen, and
    // none for a stored value outside the three.
    QActionGroup* oneOf = nullptr;
    const CommandEntry* previous = nullptr;
    for (const CommandEntry& entry : kCommandTable) {
        QAction* action = AddCommand(entry);
        if (entry.inMenu) {
            QMenu* menu = menus_[static_cast<std::size_t>(entry.menu)];
            if (entry.separatorBefore) {
                menu->addSeparator();
            }
            menu->addAction(action);
        }
        if (entry.kind == ItemKind::Radio) {
            if (previous == nullptr || previous->kind != ItemKind::Radio ||
                previous->menu != entry.menu) {
                oneOf = new QActionGroup(this);
                oneOf->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
            }
            oneOf->addAction(action);
        }
        previous = &entry;
    }
}

// A speed button shows its command's action: one state, one handler for both.
QToolButton* MainWindow::AddSpeedButton(const SpeedButtonEntry& entry) {
    QAction* action = Action(entry.command);
    // The picture belongs to the action, shown on the button only.
    action->setIcon(SpeedBarIcon(entry.picture));
    action->setIconVisibleInMenu(false);
    auto* button = Named(new QToolButton(speedBar_), entry.name);
    button->setDefaultAction(action);
    button->setIconSize(QSize(28, 28));
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    static_cast<QToolBar*>(speedBar_)->addWidget(button);
    speedButtons_.push_back(button);
    return button;
}

void MainWindow::CreateSpeedBar() {
    auto* bar = Named(new QToolBar(this), NameOf(Part::SpeedBar));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setEnabled(false);
    // The bar cannot be hidden or moved, so a right click offers nothing.
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, bar);
    speedBar_ = bar;

    for (const SpeedButtonEntry& entry : kSpeedBarTable) {
        if (entry.gapBefore) {
            bar->addSeparator();
        }
        QToolButton* button = AddSpeedButton(entry);
        if (entry.command == Command::Stop) {
            stopButton_ = button;
        }
    }
    bar->addSeparator();
    // How It Works is a word, not an icon, with a hint of its own: a button of
    // its own that runs the same command.
    howItWorksButton_ = Named(new QToolButton(bar), NameOf(Part::HintButton));
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

    bigFileGroup_ = Named(new QGroupBox(central), NameOf(Part::BigFileGroup));
    auto* big = new QGridLayout(bigFileGroup_);
    bigFileNameLabel_ = Named(new QLabel(bigFileGroup_), NameOf(Part::BigFileNameLabel));
    bigFileName_ =
        Named(new ElidedLabel(Qt::ElideMiddle, bigFileGroup_), NameOf(Part::BigFileName));
    bigFileSizeLabel_ = Named(new QLabel(bigFileGroup_), NameOf(Part::BigFileSizeLabel));
    bigFileSize_ = Named(new QLabel(bigFileGroup_), NameOf(Part::BigFileSize));
    bigFileSize_->setMinimumWidth(110);
    big->addWidget(bigFileNameLabel_, 0, 0);
    big->addWidget(bigFileName_, 0, 1, 1, 7);
    big->addWidget(bigFileSizeLabel_, 1, 0);
    big->addWidget(bigFileSize_, 1, 1);
    for (int unit = 1; unit <= 5; ++unit) {
        const std::string_view caption = kUnitCaptions[static_cast<std::size_t>(unit - 1)];
        QRadioButton* button = Named(
            new QRadioButton(QLatin1String(caption.data(), static_cast<qsizetype>(caption.size())),
                             bigFileGroup_),
            NameOf(static_cast<Part>(static_cast<int>(Part::FirstUnitButton) + unit - 1)));
        unitButtons_[static_cast<std::size_t>(unit - 1)] = button;
        big->addWidget(button, 1, 1 + unit);
        connect(button, &QRadioButton::clicked, this,
                [this, unit] { model_.UnitChosen(static_cast<SizeUnit>(unit)); });
    }
    big->setColumnStretch(1, 1);
    layout->addWidget(bigFileGroup_);

    smallFilesGroup_ = Named(new QGroupBox(central), NameOf(Part::SmallFilesGroup));
    auto* small = new QGridLayout(smallFilesGroup_);
    pieceNamesLabel_ = Named(new QLabel(smallFilesGroup_), NameOf(Part::PieceNamesLabel));
    pieceNames_ =
        Named(new ElidedLabel(Qt::ElideMiddle, smallFilesGroup_), NameOf(Part::PieceNames));
    baseSizeHeadline_ = Named(new QLabel(smallFilesGroup_), NameOf(Part::BaseSizeHeadline));
    baseSizeBox_ = Named(new QComboBox(smallFilesGroup_), NameOf(Part::BaseSizeBox));
    // A long name in the user's list must not widen the window.
    baseSizeBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    baseSizeBox_->setMinimumContentsLength(20);
    applyBaseSize_ = Named(new QPushButton(smallFilesGroup_), NameOf(Part::ApplyBaseSize));
    useBaseSize_ = Named(new QRadioButton(smallFilesGroup_), "rbSizeBase");
    useFreeSpace_ = Named(new QRadioButton(smallFilesGroup_), "rbSizeFree");
    pieceCount_ = Named(new QLabel(smallFilesGroup_), NameOf(Part::PieceCount));
    sizeListHeadline_ = Named(new QLabel(smallFilesGroup_), NameOf(Part::SizeListHeadline));
    // Bold: it tells of options that change what the next split or join writes.
    modesNote_ = Named(new ElidedLabel(Qt::ElideRight, smallFilesGroup_), NameOf(Part::ModesNote));
    QFont bold = modesNote_->font();
    bold.setBold(true);
    modesNote_->setFont(bold);
    sizeList_ = Named(new QListWidget(smallFilesGroup_), NameOf(Part::SizeList));
    sizeList_->setUniformItemSizes(true);
    // Room for a few lines, and for the window on a 640 x 480 screen.
    sizeList_->setMinimumHeight(100);
    // A Verify line too long for the list keeps its end, which says what was found.
    sizeList_->setTextElideMode(Qt::ElideMiddle);
    const int mark = sizeList_->style()->pixelMetric(QStyle::PM_SmallIconSize);
    sizeList_->setIconSize(QSize(mark, mark));
    editedPiece_ = Named(new QLabel(smallFilesGroup_), NameOf(Part::EditedPiece));
    newSizeLabel_ = Named(new QLabel(smallFilesGroup_), NameOf(Part::NewSizeLabel));
    newSize_ = Named(new QLineEdit(smallFilesGroup_), NameOf(Part::NewSize));
    applyNewSize_ = Named(new QPushButton(smallFilesGroup_), NameOf(Part::ApplyNewSize));
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

    progress_ = Named(new QProgressBar(central), NameOf(Part::Progress));
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
