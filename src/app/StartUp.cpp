// Start-up: every setting loaded in its order, the texts applied, then the
// command line, which may run a whole split before the window waits for the user.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>

#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "app/QtTranslations.h"
#include "app/ScreenPlacement.h"
#include "platform/Decimal.h"
#include "platform/Version.h"
#include "settings/Settings.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "text/WidgetTexts.h"

namespace brelker {

void MainWindow::LoadSettings() {
    // A stored language outside the three checks no item; the texts read English.
    SetCurrentLanguage(store_.Read(settings::Language));
    LanguageEnglish->setChecked(CurrentLanguage() == kEnglish);
    LanguageSwedish->setChecked(CurrentLanguage() == kSwedish);
    LanguageGerman->setChecked(CurrentLanguage() == kGerman);
    FollowLanguageInQt(CurrentLanguage());

    options_.RemoveSmallFiles = store_.Read(settings::RemoveSmallFiles);
    options_.RemoveBigFile = store_.Read(settings::RemoveBigFile);
    options_.RemoveSelfUnit = store_.Read(settings::RemoveSelfUnit);
    options_.EraseFloppyDisks = store_.Read(settings::EraseFloppyDisks);
    RemoveSmall->setChecked(options_.RemoveSmallFiles);
    RemoveBig->setChecked(options_.RemoveBigFile);
    RemoveSelf->setChecked(options_.RemoveSelfUnit);
    EraseFloppies->setChecked(options_.EraseFloppyDisks);
    options_.WriteChecksumFile = store_.Read(settings::WriteChecksumFile);
    WriteChecksums->setChecked(options_.WriteChecksumFile);

    options_.MaxFromFile = store_.Read(settings::MaxFromFile);
    options_.MaxFromRAM = store_.Read(settings::MaxFromRAM);

    mainTop = store_.Read(settings::MainTop);
    mainLeft = store_.Read(settings::MainLeft);
    MoveOntoAScreen();

    options_.Suffix = store_.Read(settings::AddedFileType);
    FillTextTable(options_.Suffix);
    ApplyTexts();
    ChangeItem->setText(SlotText(slot::kFileNumber));
    setWindowTitle(SlotText(slot::kProgramName));

    const std::string here = platform_.CurrentFolder();
    SplitPath = store_.ReadStringSetting(subkey::Path, settings::SplitPath, here);
    JoinPath = store_.ReadStringSetting(subkey::Path, settings::JoinPath, here);

    plan_.LoadBaseSizes();

    plan_.UseFreeSpace = store_.Read(settings::UseFreeSpace);
    rbSizeFree->setChecked(plan_.UseFreeSpace);
    rbSizeBase->setChecked(!plan_.UseFreeSpace);
    ShowPlanOutcome(plan_.ApplyUseFreeSpace());

    // A stored unit outside the five selects no button and stays the unit in use.
    plan_.Unit = static_cast<SizeUnit>(store_.Read(settings::BigUnit));
    SelectUnitButton(plan_.Unit);

    options_.PauseMode = static_cast<brelker::PauseMode>(store_.Read(settings::ChangeDisk));
    ChangeAlways->setChecked(options_.PauseMode == PauseMode::Always);
    ChangeSometimes->setChecked(options_.PauseMode == PauseMode::FloppiesOnly);
    ChangeNever->setChecked(options_.PauseMode == PauseMode::Never);

    job_.ExtractActive = false;

    EnableGroup(ControlGroup::SplitGroup, false);
    EnableGroup(ControlGroup::SmallFilesPlaceGroup, false);
    EnableGroup(ControlGroup::JoinGroup, false);
    EnableGroup(ControlGroup::BigFilePlaceGroup, false);
    SetSelfUnitEnabled(false);

    // "version" is written small inside the sentence, except in German, where
    // every noun keeps its capital.
    const QString version = CurrentLanguage() == kGerman ? SlotText(slot::kVersion)
                                                         : SlotText(slot::kVersion).toLower();
    StatusPanel0->setText(
        SlotText(slot::kWelcomeTo) + QStringLiteral(" ") + SlotText(slot::kProgramName) +
        QStringLiteral(", ") + version + QStringLiteral(" ") +
        QString::fromUtf8(kVersionText.data(), static_cast<qsizetype>(kVersionText.size())));
}

// A position stored on a screen that is no longer there (or a damaged value)
// would open the window where nobody can see it: such a window comes up on the
// primary screen instead.
void MainWindow::MoveOntoAScreen() {
    QPoint wanted(mainLeft, mainTop);
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        QList<QRect> screens;
        for (const QScreen* screen : QGuiApplication::screens()) {
            screens.append(screen->geometry());
        }
        wanted = ReachablePosition(
            QRect(wanted, sizeHint()), screens, primary->availableGeometry(),
            QPoint(settings::MainLeft.defaultValue, settings::MainTop.defaultValue));
    }
    move(wanted);
}

void MainWindow::FormCreate(const std::vector<std::string>& arguments) {
    LoadSettings();
    if (!arguments.empty()) {
        RunCommandLine(ParseCommandLine(arguments));
    }
}

void MainWindow::ChooseBigFileFromCommandLine(const std::string& path, bool& stop) {
    job_.BigFilePath = path;
    job_.BigFileBytes = engine_.QueryFileSize(path);
    if (job_.BigFileBytes == -1) {
        ReportUnusableFile(path);
        stop = true;
        return;
    }
    ResetExtractionRange();
    // Planned once, after every switch: the base size may still change.
    BigFileChosen(false);
}

void MainWindow::RunCommandLine(const CommandLine& commandLine) {
    bool splitRequested = false;
    bool minimizeRequested = false;
    bool exitRequested = false;
    bool selfUnitRequested = false;
    for (const CommandLine::Step& step : commandLine.steps) {
        switch (step.option) {
            case CommandLine::Option::BigFile: {
                bool stop = false;
                ChooseBigFileFromCommandLine(step.value, stop);
                if (stop) {
                    exitCode_ = 1;
                    return;  // the program goes on interactively, without a split
                }
                break;
            }
            case CommandLine::Option::SmallFiles:
                job_.SmallFilesBase = step.value;
                ShowPieceNames();
                break;
            case CommandLine::Option::BaseSize: {
                std::int32_t number = 0;
                if (!StrictDecimalToInt32(step.value, number)) {
                    dialogs_.Message("'" + step.value + "' is not a valid integer value",
                                     std::string(settings::kProgramName), MessageIcon::Stop,
                                     MessageButtons::Ok);
                    exitCode_ = 1;
                    return;  // nothing after this: no base size step, no split
                }
                // Selected without running the change handler: that comes last.
                if (number >= 1 && number <= CBBaseSize->count()) {
                    CBBaseSize->setCurrentIndex(number - 1);
                }
                break;
            }
            case CommandLine::Option::Split:
                splitRequested = true;
                break;
            case CommandLine::Option::Minimize:
                minimizeRequested = true;
                break;
            case CommandLine::Option::Exit:
                exitRequested = true;
                break;
            case CommandLine::Option::SelfUnitFile:
                script_.SelfUnitFileName = step.value;
                selfUnitRequested = true;
                break;
        }
    }

    ShowPlanOutcome(plan_.CBBaseSizeChange(CBBaseSize->currentIndex()));
    if (!splitRequested) {
        return;
    }
    if (minimizeRequested) {
        showMinimized();
    } else {
        show();
        repaint();
    }
    // A refused plan, an empty file or no file at all: nothing is written.
    if (!DoSplitBtn->isEnabled()) {
        ReportFailure(Text(slot::kNothingToSplit));
        exitCode_ = 1;
        if (exitRequested) {
            ExitClick();
        }
        return;
    }
    DoSplitClick();
    if (lastSplitCode_ != kTransferDone) {
        exitCode_ = 1;
    }
    if (selfUnitRequested) {
        const ScriptResult written =
            script_.WriteSelfUnitFile(script_.SelfUnitFileName, ScriptSettings());
        if (written != ScriptResult::Created) {
            exitCode_ = 1;
        }
        // The status panel alone tells nobody why when nobody watches the window.
        if (written == ScriptResult::NotCreated) {
            ReportFailure(script_.ResultText(written));
        }
    }
    if (exitRequested) {
        ExitClick();
    }
}

}  // namespace brelker
