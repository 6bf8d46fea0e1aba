#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "plan/PlanView.h"

namespace brelker {

// Keeps what the plan shows, as the main window's controls would.
class FakePlanView : public PlanView {
public:
    void ShowSizeLines(const std::vector<std::int64_t>& sizes) override {
        ++showCalls;
        lines.clear();
        for (const std::int64_t size : sizes) {
            lines.push_back(std::to_string(size));
        }
    }
    void ClearSizeLines() override { lines.clear(); }
    int SelectedSizeLine() const override { return selectedLine; }
    std::string SizeLineText(int index) const override {
        return lines.at(static_cast<std::size_t>(index));
    }
    void ShowEditedPiece(int piece) override { editedPiece = piece; }
    void SetNewSizeText(const std::string& text) override { newSize = text; }
    std::string NewSizeText() const override { return newSize; }
    void ShowPieceCount(int count) override { pieceCount = count; }
    void SetBigFileSizeCaption(const std::string& text) override { bigFileSize = text; }
    void SelectUnitButton(SizeUnit unit) override { unitButton = static_cast<int>(unit); }
    void ShowBaseSizes(const std::vector<std::string>& texts, int selected) override {
        baseSizeTexts = texts;
        baseSizeSelected = selected;
    }
    void SetBaseSizeControlsEnabled(bool enabled) override { baseSizeControls = enabled; }
    void EnableGroup(ControlGroup group, bool on) override { groups[group] = on; }
    void ShowPlanStatus(PlanStatus shown) override { status = shown; }
    void BeginPlanning() override { busy = true; }
    void EndPlanning(PlanStatus shown) override {
        status = shown;
        busy = false;
    }
    void RunBaseSizeEditor() override {
        ++editorRuns;
        if (onEditor) {
            onEditor();
        }
    }
    std::string DecimalSeparator() const override { return separator; }
    std::string DigitGroupSeparator() const override { return groupSeparator; }

    bool Group(ControlGroup group) const {
        const auto found = groups.find(group);
        return found != groups.end() && found->second;
    }

    std::vector<std::string> lines;
    int showCalls = 0;
    int selectedLine = -1;
    int editedPiece = -1;
    int pieceCount = -2;
    std::string newSize, bigFileSize;
    PlanStatus status = PlanStatus::None;
    int unitButton = 0;
    std::vector<std::string> baseSizeTexts;
    int baseSizeSelected = -2;
    bool baseSizeControls = true;
    std::map<ControlGroup, bool> groups;
    bool busy = false;
    int editorRuns = 0;
    std::function<void()> onEditor;
    std::string separator = ".";
    std::string groupSeparator = ",";
};

}  // namespace brelker
