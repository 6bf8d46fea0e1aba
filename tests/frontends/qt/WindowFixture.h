#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "FaultyPlatform.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "WindowScene.h"
#include "qt/MainWindow.h"
#include "settings/QtSettingsStore.h"
#include "settings/Settings.h"
#include "text/TextTable.h"

namespace brelker {

// A main window over temp folders: big files in "big", pieces in "pieces", a
// floppy drive in "floppy", settings in a file of their own, and the user's
// dialogs scripted.
class WindowFixture : public ::testing::Test {
protected:
    void TearDown() override {
        window.reset();
        scene.reset();
    }

    MainWindow& Start(const std::vector<std::string>& arguments = {}) {
        window = std::make_unique<MainWindow>(platform, store, dialogs);
        window->FormCreate(arguments);
        return *window;
    }

    template <typename T = QObject>
    T* Find(const char* name) const {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool Enabled(const char* name) const {
        if (auto* action = window->findChild<QAction*>(QLatin1String(name))) {
            return action->isEnabled();
        }
        return Find<QWidget>(name)->isEnabled();
    }
    // The enabled commands among the File menu items and their buttons, as letters.
    std::string Commands() const {
        std::string state;
        for (const auto& [item, letter] :
             std::initializer_list<std::pair<const char*, char>>{{"ChooseSplitAFile", 'a'},
                                                                 {"FindPlaceToSmallFiles", 'b'},
                                                                 {"DoSplit", 's'},
                                                                 {"CreateUnbrelkerFile", 'r'},
                                                                 {"JoinFiles", 'd'},
                                                                 {"FindPlaceToBigFile", 'e'},
                                                                 {"DoJoin", 'j'}}) {
            state += Enabled(item) ? letter : '-';
        }
        return state;
    }
    std::string Status(int panel) const {
        return Find<QLabel>(panel == 0 ? "StatusPanel0" : "StatusPanel1")->text().toStdString();
    }
    std::string Caption(const char* name) const {
        if (auto* action = window->findChild<QAction*>(QLatin1String(name))) {
            return action->text().toStdString();
        }
        if (auto* menu = window->findChild<QMenu*>(QLatin1String(name))) {
            return menu->title().toStdString();
        }
        if (auto* label = window->findChild<QLabel*>(QLatin1String(name))) {
            return label->text().toStdString();
        }
        return Find<QAbstractButton>(name)->text().toStdString();
    }
    std::vector<std::string> SizeLines() const {
        std::vector<std::string> lines;
        auto* list = Find<QListWidget>("SmallerSizesLB");
        for (int i = 0; i < list->count(); ++i) {
            lines.push_back(list->item(i)->text().toStdString());
        }
        return lines;
    }
    void Click(const char* name) {
        if (auto* action = window->findChild<QAction*>(QLatin1String(name))) {
            action->trigger();
            return;
        }
        Find<QAbstractButton>(name)->click();
    }

    // Makes a big file and chooses it through the dialog.
    std::string ChooseBigFile(const std::string& bytes, const std::string& name = "data.bin") {
        const std::string path = folder / ("big/" + name);
        WriteFile(path, bytes);
        dialogs.paths.push_back(path);
        Click("ChooseSplitAFile");
        return path;
    }
    std::string Piece(const std::string& stem, int number) const {
        return stem + ".Brelked_" + std::to_string(number);
    }

    TempFolder folder;
    FaultyPlatform platform;
    QtSettingsStore store{folder / "settings.conf"};
    std::optional<WindowScene> scene{std::in_place, folder, platform, store};
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

}  // namespace brelker
