#include "qt/HintWindow.h"

#include <algorithm>
#include <string>

#include <QApplication>
#include <QEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "model/HelpFileModel.h"
#include "qt/WidgetTexts.h"
#include "text/Slots.h"

namespace brelker {
namespace {

constexpr int kDesignWidth = 539;
constexpr int kDesignHeight = 326;
// Share of the screen's width the window may take to show its lines whole.
constexpr double kMostOfTheScreen = 0.9;

}  // namespace

HintWindow::HintWindow(HelpFileModel& model, FileOpener* desktop, QWidget* parent)
    : QWidget(parent, Qt::Window),
      model_(model),
      desktop_(desktop),
      manualList_(Named(new QListWidget(this), "ListBox1")),
      onFileButton_(Named(new QPushButton(this), "OnFileBtn")) {
    setObjectName(QStringLiteral("TfrmHint"));
    onFileButton_->setCursor(Qt::PointingHandCursor);
    // Every line whole: the window is made wide enough for the longest line the
    // screen allows, and the list scrolls sideways for the rest.
    manualList_->setTextElideMode(Qt::ElideNone);
    manualList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The manual is read, not chosen from: the list wears the menus' colour.
    QPalette colours = manualList_->palette();
    colours.setColor(QPalette::Base, QApplication::palette("QMenu").color(QPalette::Window));
    manualList_->setPalette(colours);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 6);
    layout->setSpacing(6);
    layout->addWidget(manualList_, 1);
    layout->addWidget(onFileButton_);
    resize(kDesignWidth, kDesignHeight);

    connect(onFileButton_, &QPushButton::clicked, this, &HintWindow::ShowAsFileClicked);
}

// The list is rebuilt each time the window is shown or comes to the front, so
// it follows a language chosen while it was open.
void HintWindow::showEvent(QShowEvent* event) {
    ShowManual();
    FitToLines();
    QWidget::showEvent(event);
}

// As wide as the longest line of the present language, within the screen, and
// in the middle of it.
void HintWindow::FitToLines() {
    const QScreen* shownOn = screen();
    if (shownOn == nullptr) {
        return;
    }
    const QRect room = shownOn->availableGeometry();
    const int chrome = width() - manualList_->viewport()->width() +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int wanted = manualList_->sizeHintForColumn(0) + chrome;
    const int most = static_cast<int>(room.width() * kMostOfTheScreen);
    resize(std::clamp(wanted, std::min(kDesignWidth, most), most), height());
    move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frameGeometry().size(), room)
             .topLeft());
}

void HintWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        ShowManual();
    }
    QWidget::changeEvent(event);
}

void HintWindow::ShowManual() {
    setWindowTitle(SlotText(slot::kHowItWorksTitle));
    onFileButton_->setText(SlotText(slot::kInformationOnFile));
    manualList_->clear();
    for (const std::string& line : model_.Lines()) {
        manualList_->addItem(Q(line));
    }
}

void HintWindow::ShowAsFileClicked() {
    // Back from the viewer, the manual is where the user left it; a file with
    // the desktop's handler is shown in a window of its own, which keeps the focus.
    if (model_.ShowAsFile(desktop_) && !model_.LeftWithDesktop()) {
        activateWindow();
        onFileButton_->setFocus();
    }
}

}  // namespace brelker
