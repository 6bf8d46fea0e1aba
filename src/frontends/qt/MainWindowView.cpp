// What the window model shows reaches the widgets here, and what the user does
// with the window as a whole (closing it, dropping files on it) reaches the model.

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMetaObject>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

#include "qt/ElidedLabel.h"
#include "qt/MainWindow.h"
#include "qt/QtTranslations.h"
#include "qt/ScreenPlacement.h"
#include "qt/SizeListFill.h"
#include "qt/StatusPanels.h"
#include "qt/WidgetTexts.h"
#include "settings/Settings.h"

namespace brelker {

void MainWindow::SetCommandEnabled(Command command, bool enabled) {
    Action(command)->setEnabled(enabled);
}

void MainWindow::SetCommandChecked(Command command, bool checked) {
    const QSignalBlocker quiet(Action(command));
    Action(command)->setChecked(checked);
}

void MainWindow::SetMenuEnabled(Menu menu, bool enabled) {
    menus_[static_cast<std::size_t>(menu)]->menuAction()->setEnabled(enabled);
}

void MainWindow::SetControlEnabled(Control control, bool enabled) {
    const std::array<QWidget*, kControlCount> controls = {
        baseSizeBox_, useBaseSize_, useFreeSpace_, applyBaseSize_,
        sizeList_,    newSize_,     applyNewSize_, editedPiece_};
    controls[static_cast<std::size_t>(control)]->setEnabled(enabled);
}

void MainWindow::ApplyTexts(const WindowTexts& texts) {
    setWindowTitle(Q(texts.title));
    for (int i = 0; i < kCommandCount; ++i) {
        const WindowTexts::Item& item = texts.commands[static_cast<std::size_t>(i)];
        QAction* action = Action(static_cast<Command>(i));
        action->setText(Q(item.caption));
        SetHint(action, item.hint);
    }
    for (int i = 0; i < kMenuCount; ++i) {
        menus_[static_cast<std::size_t>(i)]->setTitle(Q(texts.menus[static_cast<std::size_t>(i)]));
    }
    howItWorksButton_->setText(Q(texts.howItWorksButton));
    SetHint(howItWorksButton_, texts.howItWorksButtonHint);

    const auto caption = [](auto* widget, const WindowTexts::Item& item) {
        widget->setText(Q(item.caption));
        SetHint(widget, item.hint);
    };
    bigFileGroup_->setTitle(Q(texts.bigFileGroup.caption));
    SetHint(bigFileGroup_, texts.bigFileGroup.hint);
    caption(bigFileNameLabel_, texts.bigFileNameLabel);
    caption(bigFileSizeLabel_, texts.bigFileSizeLabel);
    smallFilesGroup_->setTitle(Q(texts.smallFilesGroup.caption));
    caption(pieceNamesLabel_, texts.pieceNamesLabel);
    caption(baseSizeHeadline_, texts.baseSizeHeadline);
    SetHint(baseSizeBox_, texts.baseSizeBox.hint);
    caption(applyBaseSize_, texts.applyBaseSize);
    caption(useBaseSize_, texts.useBaseSize);
    caption(useFreeSpace_, texts.useFreeSpace);
    caption(sizeListHeadline_, texts.sizeListHeadline);
    SetHint(sizeList_, texts.sizeList.hint);
    caption(newSizeLabel_, texts.newSizeLabel);
    SetHint(newSize_, texts.newSize.hint);
    caption(applyNewSize_, texts.applyNewSize);
    SetHint(progress_, texts.progress.hint);
}

void MainWindow::ShowBigFileName(const std::string& path) { bigFileName_->setText(Q(path)); }

void MainWindow::ShowBigFileSize(const std::string& text) { bigFileSize_->setText(Q(text)); }

void MainWindow::SelectUnitButton(SizeUnit unit) {
    // A stored unit outside the five leaves every button unchecked.
    for (std::size_t i = 0; i < unitButtons_.size(); ++i) {
        unitButtons_[i]->setAutoExclusive(false);
        unitButtons_[i]->setChecked(static_cast<int>(i) + 1 == static_cast<int>(unit));
        unitButtons_[i]->setAutoExclusive(true);
    }
}

void MainWindow::ShowPieceNames(const std::string& text) { pieceNames_->setText(Q(text)); }

void MainWindow::ShowPieceCount(const std::string& text) { pieceCount_->setText(Q(text)); }

void MainWindow::SetPiecesGroupHint(const std::string& hint) { SetHint(smallFilesGroup_, hint); }

void MainWindow::ShowEditedPiece(const std::string& text) { editedPiece_->setText(Q(text)); }

void MainWindow::ShowModesNote(const std::string& text) {
    modesNote_->ShowShortened(Q(text), Qt::ElideRight);
}

void MainWindow::ShowSizeLines(const std::vector<std::int64_t>& sizes) {
    FillSizeList(*sizeList_, sizes);
}

void MainWindow::AddSizeLine(const std::string& line) { sizeList_->addItem(Q(line)); }

void MainWindow::ClearSizeLines() { sizeList_->clear(); }

void MainWindow::SelectSizeLine(int index) {
    const QSignalBlocker quiet(sizeList_);
    sizeList_->setCurrentRow(index);
}

void MainWindow::RepaintSizeList() { sizeList_->repaint(); }

void MainWindow::ShowSizeListHeading(const std::string& caption, const std::string& listHint) {
    sizeListHeadline_->setText(Q(caption));
    SetHint(sizeList_, listHint);
}

// A check mark for OK, a stop sign or a warning triangle for the rest, and the
// rest in bold: shapes and weight, which read without telling colours apart.
void MainWindow::ShowMarkedLines(const std::vector<MarkedLine>& lines) {
    sizeList_->clear();
    for (const MarkedLine& line : lines) {
        QStyle::StandardPixmap icon = QStyle::SP_MessageBoxCritical;
        if (line.mark == LineMark::Ok) {
            icon = QStyle::SP_DialogApplyButton;
        } else if (line.mark == LineMark::Missing) {
            icon = QStyle::SP_MessageBoxWarning;
        }
        auto* item = new QListWidgetItem(style()->standardIcon(icon), Q(line.text), sizeList_);
        if (line.mark != LineMark::Ok) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        }
    }
}

void MainWindow::SetNewSizeText(const std::string& text) {
    const QSignalBlocker quiet(newSize_);
    newSize_->setText(Q(text));
}

void MainWindow::ShowBaseSizes(const std::vector<std::string>& texts, int selected) {
    baseSizeBox_->clear();
    for (const std::string& text : texts) {
        baseSizeBox_->addItem(Q(text));
    }
    baseSizeBox_->setCurrentIndex(selected);
}

void MainWindow::SelectBaseSize(int index) { baseSizeBox_->setCurrentIndex(index); }

void MainWindow::ShowSizeMode(bool useFreeSpace) {
    useFreeSpace_->setChecked(useFreeSpace);
    useBaseSize_->setChecked(!useFreeSpace);
}

// Panel 0 mostly names the piece being worked on: shortened in the middle,
// its number stays in sight.
void MainWindow::ShowStatus(int panel, const std::string& text) {
    if (panel == 0) {
        statusPanels_->ShowNote(Q(text));
    } else {
        statusPanels_->ShowState(Q(text));
        statusBar()->repaint();
    }
}

void MainWindow::SetProgressRange(int minimum, int maximum) {
    progress_->setRange(minimum, maximum);
}

void MainWindow::SetProgress(int position) { progress_->setValue(position); }

// The bar's own text; its format's markers (%p, %v, %m) cannot occur, as the
// per cent sign of the text is followed by a space.
void MainWindow::ShowProgressText(const std::string& text) {
    progress_->setFormat(Q(text));
    progress_->setTextVisible(!text.empty());
    const int span = progress_->maximum() - progress_->minimum();
    if (text.empty() || span <= 0) {
        launcher_.Hide();
    } else {
        launcher_.Show(static_cast<double>(progress_->value() - progress_->minimum()) / span);
    }
}

void MainWindow::SetPointer(Pointer pointer) {
    SetScreenCursor(pointer == Pointer::Busy ? Qt::WaitCursor : Qt::ArrowCursor);
}

void MainWindow::SetScreenCursor(Qt::CursorShape shape) {
    if (shape == Qt::ArrowCursor) {
        while (QApplication::overrideCursor() != nullptr) {
            QApplication::restoreOverrideCursor();
        }
    } else if (QApplication::overrideCursor() != nullptr) {
        QApplication::changeOverrideCursor(QCursor(shape));
    } else {
        QApplication::setOverrideCursor(QCursor(shape));
    }
}

void MainWindow::Repaint() { repaint(); }

void MainWindow::ProcessEvents() { QCoreApplication::processEvents(); }

// A position stored on a screen that is no longer there (or a damaged value)
// would open the window where nobody can see it: such a window comes up on the
// primary screen instead.
void MainWindow::MoveTo(int left, int top) {
    QPoint wanted(left, top);
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        QList<QRect> screens;
        for (const QScreen* shown : QGuiApplication::screens()) {
            screens.append(shown->geometry());
        }
        wanted = ReachablePosition(
            QRect(wanted, sizeHint()), screens, primary->availableGeometry(),
            QPoint(settings::MainLeft.defaultValue, settings::MainTop.defaultValue));
    }
    move(wanted);
}

void MainWindow::ShowWindow(bool minimized) {
    if (minimized) {
        showMinimized();
    } else {
        show();
        repaint();
    }
}

// Queued: a quit asked for before the event loop runs still ends the program.
void MainWindow::Quit() {
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

void MainWindow::CloseLater() {
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void MainWindow::FollowLanguage(int language) { FollowLanguageInQt(language); }

void MainWindow::closeEvent(QCloseEvent* event) {
    if (model_.CloseRequested()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    const bool files =
        !urls.isEmpty() &&
        std::all_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
    if (files && !model_.Busy()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || model_.Busy()) {
        return;
    }
    event->acceptProposedAction();
    std::vector<std::string> paths;
    for (const QUrl& url : urls) {
        // The name as the file system spells it.
        paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    }
    model_.FilesDropped(paths);
}

}  // namespace brelker
