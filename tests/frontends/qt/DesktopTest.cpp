#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <QTreeView>
#include <QUrl>

#include "WindowFixture.h"
#include "qt/ElidedLabel.h"
#include "qt/QtDialogs.h"
#include "qt/ScreenPlacement.h"
#include "qt/StatusPanels.h"
#include "text/Slots.h"

namespace brelker {
namespace {

class DesktopTest : public WindowFixture {
protected:
    void Drop(const std::vector<std::string>& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths) {
            urls.append(QUrl::fromLocalFile(QString::fromStdString(path)));
        }
        data.setUrls(urls);
        // As a drag arrives: entering the window first, then the drop.
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &drop);
    }
    // A changed size goes up from the label to the status bar and the window,
    // one posted event at each step.
    static void Settle() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
        }
    }
    std::string ToolTipOf(const char* name) {
        auto* label = Find<QLabel>(name);
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(label, &help);
        return QToolTip::text().toStdString();
    }
};

TEST_F(DesktopTest, LongPathsKeepTheirFileNameInSightAndTheWindowFitsItsScreen) {
    const std::string deep =
        std::string(folder / "big/") + std::string(120, 'd') + "/" + std::string(90, 'e');
    std::filesystem::create_directories(deep);
    store.WriteStringSetting(subkey::Path, settings::JoinPath, deep);
    Start();
    const std::string big = ChooseBigFile(
        PatternBytes(5000), std::string(120, 'd') + "/" + std::string(90, 'e') + "/huge1500m.bin");
    window->show();
    const QRect room = window->screen()->availableGeometry();
    for (const char* language : {"LanguageEnglish", "LanguageSwedish", "LanguageGerman"}) {
        Click(language);
        QApplication::processEvents();
        EXPECT_LE(window->minimumSizeHint().width(), room.width()) << language;
        EXPECT_LE(window->frameGeometry().width(), room.width()) << language;
    }
    auto* name = static_cast<ElidedLabel*>(Find<QLabel>("BigFileName"));
    EXPECT_EQ(Caption("BigFileName"), big);
    EXPECT_TRUE(name->ShownText().endsWith(QStringLiteral("/huge1500m.bin")));
    EXPECT_TRUE(name->ShownText().contains(QStringLiteral("…")));
    EXPECT_EQ(ToolTipOf("BigFileName"), big);
    auto* pieces = static_cast<ElidedLabel*>(Find<QLabel>("SmallFileNames"));
    EXPECT_TRUE(pieces->ShownText().endsWith(QStringLiteral("huge1500m.bin.Brelked_*")));

    // Status panel 1 shortens at the end and shows the whole text on demand.
    const std::string state(300, 's');
    Find<StatusPanels>("StatusPanels")->ShowState(QString::fromStdString(state));
    auto* panel = static_cast<ElidedLabel*>(Find<QLabel>("StatusPanel1"));
    EXPECT_TRUE(panel->ShownText().endsWith(QStringLiteral("…")));
    EXPECT_EQ(ToolTipOf("StatusPanel1"), state);
}

// The longest hint of the window, in German, is read whole in status panel 0,
// on the two lines the panel always has: the window does not jump as it comes
// and goes. The state beside it is read whole too, in every language.
TEST_F(DesktopTest, LongHintsAndStatesAreReadWholeAndTheWindowKeepsItsHeight) {
    Start();
    window->show();
    QApplication::processEvents();
    auto* panels = Find<StatusPanels>("StatusPanels");
    auto* state = static_cast<ElidedLabel*>(Find<QLabel>("StatusPanel1"));
    for (const char* language : {"LanguageEnglish", "LanguageSwedish", "LanguageGerman"}) {
        Click(language);
        Settle();
        for (const TextSlot slot : {slot::kSelfUnitNotCreated, slot::kFileRestoredUnverified}) {
            panels->ShowState(QString::fromStdString(Text(slot)));
            EXPECT_EQ(QString(state->ShownText()).replace(QLatin1Char('\n'), QLatin1Char(' ')),
                      QString::fromStdString(Text(slot)))
                << language;
        }
    }
    panels->ShowState(QString());
    const int windowHeight = window->height();
    QString longest;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        longest = widget->statusTip().size() > longest.size() ? widget->statusTip() : longest;
    }
    for (const QAction* action : window->findChildren<QAction*>()) {
        longest = action->statusTip().size() > longest.size() ? action->statusTip() : longest;
    }
    auto* panel = static_cast<ElidedLabel*>(Find<QLabel>("StatusPanel0"));
    const int panelHeight = panel->height();
    ASSERT_GT(panel->fontMetrics().horizontalAdvance(longest), panel->contentsRect().width())
        << longest.toStdString();

    QStatusTipEvent tip(longest);
    QCoreApplication::sendEvent(window.get(), &tip);
    Settle();
    const QString shown = panel->ShownText();
    EXPECT_EQ(QString(shown).replace(QLatin1Char('\n'), QLatin1Char(' ')), longest);
    EXPECT_EQ(shown.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(panel->height(), panelHeight);
    EXPECT_EQ(window->height(), windowHeight);

    QStatusTipEvent left{QString()};
    QCoreApplication::sendEvent(window.get(), &left);
    Settle();
    EXPECT_EQ(panel->height(), panelHeight);
    EXPECT_EQ(window->height(), windowHeight);
}

// While a split runs, the bar says how far it is and status panel 0 names the
// piece, shortened in the middle so that its number is seen.
TEST_F(DesktopTest, ARunningSplitShowsItsProgressAndTheNumberOfItsPiece) {
    const std::string deep = std::string(folder / "pieces/") + std::string(150, 'p');
    std::filesystem::create_directories(deep);
    store.WriteStringSetting(subkey::Path, settings::JoinPath, deep);
    Start();
    ChooseBigFile(PatternBytes(3'000'000));
    window->show();
    auto* bar = Find<QProgressBar>("PBar");
    auto* panel = static_cast<ElidedLabel*>(Find<QLabel>("StatusPanel0"));
    std::vector<QString> texts, pieces;
    std::int64_t now = 0;
    platform.clock = [&] {
        if (bar->isTextVisible()) {
            texts.push_back(bar->text());
            pieces.push_back(panel->ShownText());
        }
        return now += 100;
    };
    Click("DoSplit");
    ASSERT_FALSE(texts.empty());
    EXPECT_TRUE(texts.back().contains(QStringLiteral(" MB/s · ")));
    EXPECT_TRUE(texts.back().endsWith(QStringLiteral(" left · File 3 of 3")));
    EXPECT_TRUE(pieces.back().contains(QStringLiteral("…")));
    EXPECT_TRUE(pieces.back().endsWith(QStringLiteral("data.bin.Brelked_3")));
    EXPECT_FALSE(bar->isTextVisible());
}

// On a 640 x 480 screen the German window, at its usual place, is moved and
// shrunk until it lies wholly on the screen: its controls let it be that small.
TEST_F(DesktopTest, TheGermanWindowCanLieWhollyOnA640By480Screen) {
    Start();
    Click("LanguageGerman");
    window->show();
    QApplication::processEvents();
    const QRect room(0, 0, 640, 480);
    const QRect usual(QPoint(settings::MainLeft.defaultValue, settings::MainTop.defaultValue),
                      window->frameGeometry().size());
    ASSERT_FALSE(room.contains(usual));
    const QRect fitted = WhollyOnScreen(usual, {room}, room, window->minimumSizeHint());
    EXPECT_TRUE(room.contains(fitted)) << fitted.width() << "x" << fitted.height();
    window->resize(fitted.size());
    EXPECT_EQ(window->size(), fitted.size());
}

TEST_F(DesktopTest, ADroppedFileIsChosenAsTheMenuCommandWouldChooseIt) {
    Start();
    const std::string big = folder / "big/film.mkv";
    WriteFile(big, PatternBytes(3'000'000));
    Drop({big});
    EXPECT_EQ(Caption("BigFileName"), big);
    EXPECT_EQ(Commands(), "abs-d--");
    EXPECT_EQ(Status(1), "Ready to split the file!");

    Click("DoSplit");
    const std::string stem = folder / "pieces/film.mkv";
    Drop({Piece(stem, 2)});  // any piece of the series stands for the first
    EXPECT_EQ(Commands(), "a---dej");
    EXPECT_EQ(Caption("lblNrFiles"), "Nr. of files: 3");
    EXPECT_EQ(Status(1), "Ready to restore the file!");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(dialogs.asked.empty());  // the drop answered the dialog: no window came up

    // The answer is used once: the next command asks the user again.
    dialogs.paths.push_back(std::nullopt);
    Click("ChooseSplitAFile");
    EXPECT_EQ(dialogs.asked.size(), 1u);
}

// "Open with" in a file manager starts the program with the file's path.
TEST_F(DesktopTest, AFileHandedOverAtStartOpensTheWindowReadyForIt) {
    const std::string stem = folder / "pieces/film.mkv";
    WriteFile(Piece(stem, 1), PatternBytes(1000));
    WriteFile(Piece(stem, 2), PatternBytes(500));
    Start({Piece(stem, 2)});
    EXPECT_EQ(Commands(), "a---dej");
    EXPECT_EQ(Status(1), "Ready to restore the file!");
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(DesktopTest, SeveralFilesOrAFolderAreRefusedWithAMessage) {
    Start();
    const std::string a = folder / "big/a.bin";
    const std::string b = folder / "big/b.bin";
    WriteFile(a, "a");
    WriteFile(b, "b");
    SetCurrentLanguage(kGerman);
    Drop({a, b});
    Drop({folder / "big"});
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{
                                   Text(slot::kDropOneFile) + " / " + Text(slot::kProgramName),
                                   Text(slot::kDropNoFolder) + " / " + Text(slot::kProgramName)}));
    EXPECT_EQ(Commands(), "a---d--");
    EXPECT_TRUE(dialogs.asked.empty());
    for (const TextSlot slot : {slot::kDropOneFile, slot::kDropNoFolder}) {
        for (const int language : {kEnglish, kSwedish, kGerman}) {
            EXPECT_FALSE(ProgramTexts().Entry(language, slot).empty()) << slot.number << language;
        }
    }
}

TEST_F(DesktopTest, TheWindowHasItsIconAndTheSpeedBarNoMenu) {
    Start();
    window->show();
    EXPECT_FALSE(window->windowIcon().isNull());
    auto* bar = Find<QToolBar>("SpeedBar");
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), bar->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(bar, &click);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(DesktopTest, QtsOwnTextsFollowTheLanguage) {
    const QString yes = QStringLiteral("&Yes");
    Start();
    Click("LanguageGerman");
    const QString german = QCoreApplication::translate("QPlatformTheme", "&Yes");
    if (german == yes) {
        GTEST_SKIP() << "Qt's German translation is not installed";
    }
    EXPECT_EQ(german, QStringLiteral("&Ja"));
    Click("LanguageEnglish");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), yes);
}

// What Qt's own dialogs say in the language of the moment: every standard
// button of a message box, and the labels, tips, buttons, columns and places
// of the file dialog. Fresh dialogs, as the program makes one for each request.
std::vector<QString> QtDialogTexts() {
    std::vector<QString> texts;
    QMessageBox box;
    for (int button = QMessageBox::FirstButton; button <= QMessageBox::LastButton; button <<= 1) {
        box.addButton(static_cast<QMessageBox::StandardButton>(button));
    }
    for (const QAbstractButton* button : box.buttons()) {
        texts.push_back(button->text());
    }
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    for (const char* label : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
        texts.push_back(files.findChild<QLabel*>(QLatin1String(label))->text());
    }
    for (const char* button : {"backButton", "forwardButton", "toParentButton", "newFolderButton",
                               "listModeButton", "detailModeButton"}) {
        texts.push_back(files.findChild<QToolButton*>(QLatin1String(button))->toolTip());
    }
    for (const QAbstractButton* button :
         files.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))->buttons()) {
        texts.push_back(button->text());
    }
    const QAbstractItemModel* columns =
        files.findChild<QTreeView*>(QStringLiteral("treeView"))->model();
    for (int column = 0; column < columns->columnCount(); ++column) {
        texts.push_back(columns->headerData(column, Qt::Horizontal).toString());
    }
    const QAbstractItemModel* places =
        files.findChild<QListView*>(QStringLiteral("sidebar"))->model();
    texts.push_back(places->data(places->index(0, 0)).toString());  // the computer
    return texts;
}

TEST_F(DesktopTest, QtsDialogsLeaveNoEnglishWordInSwedish) {
    Start();
    const std::vector<QString> english = QtDialogTexts();
    Click("LanguageSwedish");
    const std::vector<QString> swedish = QtDialogTexts();
    ASSERT_EQ(english.size(), swedish.size());
    ASSERT_GE(english.size(), 18u + 9u + 2u + 4u + 1u);
    for (std::size_t i = 0; i < english.size(); ++i) {
        if (english[i] != QStringLiteral("OK")) {  // Swedish says OK too
            EXPECT_NE(swedish[i], english[i]) << english[i].toStdString();
        }
    }
    const auto said = [&swedish](const char* text) {
        return std::count(swedish.begin(), swedish.end(), QString::fromUtf8(text));
    };
    EXPECT_EQ(said("&Ja") + said("&Nej") + said("Leta i:") + said("Dator"), 4);
    // Back to English, nothing of Swedish stays.
    Click("LanguageEnglish");
    EXPECT_EQ(QtDialogTexts(), english);
}

// The Qt dialogs themselves, each over the model of its request, played once
// the modal dialog is up: each in the middle of the main window, at the size
// its texts give it, and a dialog's warning over the dialog.
TEST_F(DesktopTest, EachRequestShowsItsDialogOverTheMainWindowAndTellsItsButton) {
    Start();
    Click("LanguageGerman");
    window->move(40, 30);
    window->show();
    HelpFileModel help(platform);
    QtDialogs shownDialogs(platform, window.get());
    std::vector<std::string> names;
    std::vector<QPoint> offCentre;
    // Presses the button (none: closes the dialog) of the dialog the next request shows.
    const auto closeWith = [this, &names, &offCentre](const char* button) {
        QTimer::singleShot(0, [this, &names, &offCentre, button] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            names.push_back(dialog->objectName().toStdString());
            offCentre.push_back(dialog->frameGeometry().center() -
                                window->frameGeometry().center());
            if (button == nullptr) {
                dialog->close();
                return;
            }
            dialog->findChild<QPushButton*>(QLatin1String(button))->click();
        });
    };
    MemoryModel memory(store);
    closeWith("OkButton");
    EXPECT_TRUE(shownDialogs.Run(memory));
    closeWith("CancelButton");
    EXPECT_FALSE(shownDialogs.Run(memory));
    SuffixModel suffix(store);
    closeWith("OkBtn");
    EXPECT_TRUE(shownDialogs.Run(suffix));
    ExtractModel extraction(window->CurrentJob());
    closeWith(nullptr);
    EXPECT_FALSE(shownDialogs.Run(extraction));
    DiskCountModel disks;
    closeWith("OKBtn");
    EXPECT_TRUE(shownDialogs.Run(disks));
    BaseSizeModel editor(store);
    closeWith(nullptr);
    shownDialogs.Run(editor);
    EXPECT_EQ(names, (std::vector<std::string>{"TMemory", "TMemory", "TFrmFileType", "TfrmExtract",
                                               "TfrmDisk", "TFrmBaseSize"}));
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_LE(offCentre[i].manhattanLength(), 2) << names[i];
    }

    QString warnedOver;
    QTimer::singleShot(0, [&warnedOver] {
        QWidget* dialog = QApplication::activeModalWidget();
        QTimer::singleShot(0, [&warnedOver] {
            QWidget* warning = QApplication::activeModalWidget();
            warnedOver = warning->parentWidget()->objectName();
            warning->close();
        });
        dialog->findChild<QLineEdit*>(QStringLiteral("txtFtype"))->setText(QStringLiteral("a?"));
        dialog->close();
    });
    shownDialogs.Run(suffix);
    EXPECT_EQ(warnedOver, QStringLiteral("TFrmFileType"));

    // The manual does not wait.
    shownDialogs.Show(help);
    const auto windows = QApplication::topLevelWidgets();
    EXPECT_TRUE(std::any_of(windows.begin(), windows.end(), [](const QWidget* shownWindow) {
        return shownWindow->objectName() == QStringLiteral("TfrmHint") && shownWindow->isVisible();
    }));
}

TEST_F(DesktopTest, AStoredPositionOffEveryScreenOpensOnThePrimaryScreen) {
    store.Write(settings::MainLeft, 5000);
    store.Write(settings::MainTop, -3000);
    Start();
    const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(primary.contains(window->pos())) << window->x() << "," << window->y();
}

}  // namespace
}  // namespace brelker
