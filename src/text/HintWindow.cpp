#include "text/HintWindow.h"

#include <algorithm>
#include <string>

#include <QApplication>
#include <QEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/Paths.h"
#include "platform/Platform.h"
#include "text/Encoding.h"
#include "text/HelpLines.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "text/WidgetTexts.h"

namespace brelker {
namespace {

constexpr int kDesignWidth = 539;
constexpr int kDesignHeight = 326;
// Share of the screen's width the window may take to show its lines whole.
constexpr double kMostOfTheScreen = 0.9;

}  // namespace

HintWindow::HintWindow(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window),
      platform_(platform),
      listBox1_(new QListWidget(this)),
      onFileBtn_(new QPushButton(this)) {
    setObjectName(QStringLiteral("TfrmHint"));
    listBox1_->setObjectName(QStringLiteral("ListBox1"));
    onFileBtn_->setObjectName(QStringLiteral("OnFileBtn"));
    onFileBtn_->setCursor(Qt::PointingHandCursor);
    // Every line whole: the window is made wide enough for the longest line the
    // screen allows, and the list scrolls sideways for the rest.
    listBox1_->setTextElideMode(Qt::ElideNone);
    listBox1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The manual is read, not chosen from: the list wears the menus' colour.
    QPalette colours = listBox1_->palette();
    colours.setColor(QPalette::Base, QApplication::palette("QMenu").color(QPalette::Window));
    listBox1_->setPalette(colours);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 6);
    layout->setSpacing(6);
    layout->addWidget(listBox1_, 1);
    layout->addWidget(onFileBtn_);
    resize(kDesignWidth, kDesignHeight);

    connect(onFileBtn_, &QPushButton::clicked, this, &HintWindow::OnFileBtnClick);
}

// The list is rebuilt each time the window is shown or comes to the front, so
// it follows a language chosen while it was open.
void HintWindow::showEvent(QShowEvent* event) {
    OnActivate();
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
    const int chrome =
        width() - listBox1_->viewport()->width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int wanted = listBox1_->sizeHintForColumn(0) + chrome;
    const int most = static_cast<int>(room.width() * kMostOfTheScreen);
    resize(std::clamp(wanted, std::min(kDesignWidth, most), most), height());
    move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frameGeometry().size(), room)
             .topLeft());
}

void HintWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        OnActivate();
    }
    QWidget::changeEvent(event);
}

void HintWindow::OnActivate() {
    setWindowTitle(SlotText(slot::kHowItWorksTitle));
    onFileBtn_->setText(SlotText(slot::kInformationOnFile));
    listBox1_->clear();
    EmitHelpLines(ProgramTexts(), [this](const std::string& line) {
        listBox1_->addItem(QString::fromStdString(line));
    });
}

void HintWindow::OnFileBtnClick() {
    const std::string folder = platform_.CurrentFolder();
    if (folder.empty()) {
        // A folder that is gone must not turn the name into one in the root folder.
        return;
    }
    const std::string path =
        JoinFolder(folder, Text(slot::kProgramName) + "_" + Text(slot::kHowItWorksTitle) + ".TXT");
    const FileHandle file = platform_.CreateForWriting(path);
    if (file == kNoFile) {
        return;
    }
    EmitHelpLines(ProgramTexts(), [this, file](const std::string& line) {
        // Every text of the table exists in the page; the UTF-8 bytes stand in
        // should one ever not.
        const std::string bytes = EncodeText(line, CodePage::Windows1252).value_or(line) + "\r\n";
        platform_.Write(file, bytes.data(), static_cast<std::int64_t>(bytes.size()));
    });
    platform_.Close(file);
    // The viewer holds the program until it ends; the file exists only meanwhile.
    platform_.ShowInTextViewer(path);
    platform_.DeleteFile(path);
    activateWindow();
    onFileBtn_->setFocus();
}

}  // namespace brelker
