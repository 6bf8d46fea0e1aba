// The memory, suffix, extraction and base size dialogs and the disk count
// question: each puts its model into controls and every keystroke and click
// back into the model, which decides what the fields show.

#include "win32/OptionDialogs.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include <commctrl.h>

#include "model/BaseSizeModel.h"
#include "model/DiskCountModel.h"
#include "model/ExtractModel.h"
#include "model/MemoryModel.h"
#include "model/SuffixModel.h"
#include "platform/Decimal.h"
#include "platform/WideText.h"
#include "settings/Settings.h"
#include "text/Hints.h"
#include "text/Slots.h"
#include "text/TextTable.h"
#include "win32/ControlIds.h"
#include "win32/ModalDialog.h"
#include "win32/Win32Ui.h"

namespace brelker::win32 {
namespace {

constexpr DWORD kField = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kDefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

// Arrows beside a number field that step within bounds, writing the number
// into the field as a keystroke would.
void AddArrows(HWND dialog, int id, int fieldId, int minimum, int maximum) {
    const HWND arrows = ::CreateWindowExW(
        0, UPDOWN_CLASSW, nullptr,
        WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
        0, 0, 0, 0, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    ::SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, fieldId)),
                   0);
    ::SendMessageW(arrows, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
}

// The arrows follow their field when it moves.
void Rebuddy(HWND dialog, int arrowsId, int fieldId) {
    ::SendMessageW(::GetDlgItem(dialog, arrowsId), UDM_SETBUDDY,
                   reinterpret_cast<WPARAM>(::GetDlgItem(dialog, fieldId)), 0);
}

class MemoryDialog : public ModalDialog {
public:
    explicit MemoryDialog(MemoryModel& model) : model_(model) {}

private:
    void Create() override {
        SetText(Handle(), Text(slot::kMemoryUsage));
        Add(WC_STATICW, kMemoryHeadline, SS_LEFT);
        Add(WC_EDITW, kFileShareField, kField | ES_RIGHT | WS_GROUP, WS_EX_CLIENTEDGE);
        AddArrows(Handle(), kFileShareArrows, kFileShareField, settings::MaxFromFile.minimum,
                  settings::MaxFromFile.maximum);
        Add(WC_STATICW, kFileShareLabel, SS_LEFT);
        Add(WC_EDITW, kRamShareField, kField | ES_RIGHT | WS_GROUP, WS_EX_CLIENTEDGE);
        AddArrows(Handle(), kRamShareArrows, kRamShareField, settings::MaxFromRAM.minimum,
                  settings::MaxFromRAM.maximum);
        Add(WC_STATICW, kRamShareLabel, SS_LEFT);
        Add(WC_BUTTONW, IDOK, kDefaultButton | WS_GROUP);
        Add(WC_BUTTONW, IDCANCEL, kButton);
        SetItemText(kMemoryHeadline, Text(slot::kMemoryAtLeast));
        SetItemText(kFileShareLabel, Text(slot::kMemoryOfFile));
        SetItemText(kRamShareLabel, Text(slot::kMemoryOfRam));
        SetItemText(IDOK, Text(slot::kSave));
        SetItemText(IDCANCEL, Text(slot::kCancel));

        const int margin = S(11);
        const int field = Line() + S(8);
        const int number = S(48);
        const int arrows = S(18);
        const int labels =
            std::max(Width(Text(slot::kMemoryOfFile)), Width(Text(slot::kMemoryOfRam)));
        const int buttons = ButtonWidth(Text(slot::kSave)) + ButtonWidth(Text(slot::kCancel));
        const int width = std::max(
            {Width(Text(slot::kMemoryAtLeast)), number + arrows + S(6) + labels, buttons + S(6)});
        int y = margin;
        Put(kMemoryHeadline, margin, y, width, Line());
        y += Line() + S(8);
        for (const auto& [fieldId, arrowsId, labelId] :
             {std::tuple{kFileShareField, kFileShareArrows, kFileShareLabel},
              std::tuple{kRamShareField, kRamShareArrows, kRamShareLabel}}) {
            Put(fieldId, margin, y, number, field);
            Rebuddy(Handle(), arrowsId, fieldId);
            Put(labelId, margin + number + arrows + S(6), y + S(4), labels, Line());
            y += field + S(6);
        }
        y += S(6);
        const int save = ButtonWidth(Text(slot::kSave));
        const int cancel = ButtonWidth(Text(slot::kCancel));
        Put(IDCANCEL, margin + width - cancel, y, cancel, field + S(4));
        Put(IDOK, margin + width - cancel - S(6) - save, y, save, field + S(4));
        Fit(width + 2 * margin, y + field + S(4) + margin);
        // After the arrows are tied to their fields, which writes their own number there.
        ShowInField(kFileShareField, model_.MaxFromFileText());
        ShowInField(kRamShareField, model_.MaxFromRAMText());
    }

    bool Command(int id, int code) override {
        if (code == EN_CHANGE && !showing_ && (id == kFileShareField || id == kRamShareField)) {
            // Out of bounds is replaced at once, keystroke by keystroke.
            if (id == kFileShareField) {
                model_.SetMaxFromFileText(ItemText(id));
                ShowInField(id, model_.MaxFromFileText());
            } else {
                model_.SetMaxFromRAMText(ItemText(id));
                ShowInField(id, model_.MaxFromRAMText());
            }
            return true;
        }
        if (id == IDOK) {
            End(IDOK);
            return true;
        }
        return false;
    }

    MemoryModel& model_;
};

class SuffixDialog : public ModalDialog {
public:
    SuffixDialog(SuffixModel& model,
                 const std::function<void(const std::string&, const std::string&)>& warning)
        : model_(model), warning_(warning) {}

private:
    void Create() override {
        SetText(Handle(), Text(slot::kChangeSuffix));
        Add(WC_STATICW, kSuffixPrompt, SS_LEFT);
        Add(WC_EDITW, kSuffixField, kField, WS_EX_CLIENTEDGE);
        Add(WC_BUTTONW, IDOK, kDefaultButton);
        SetItemText(kSuffixPrompt, Text(slot::kChooseSuffix));
        SetItemText(IDOK, "OK");
        SetItemText(kSuffixField, model_.Text());
        const int margin = S(11);
        const int field = Line() + S(8);
        const int width = std::max(Width(Text(slot::kChooseSuffix)), S(240));
        Put(kSuffixPrompt, margin, margin, width, Line());
        Put(kSuffixField, margin, margin + Line() + S(6), width, field);
        const int ok = ButtonWidth("OK");
        const int y = margin + Line() + field + S(18);
        Put(IDOK, margin + (width - ok) / 2, y, ok, field + S(4));
        Fit(width + 2 * margin, y + field + S(4) + margin);
    }

    // A stored suffix that could not be typed is warned of as the dialog opens.
    void Shown() override { Check(); }

    bool Command(int id, int code) override {
        if (id == kSuffixField && code == EN_CHANGE && !showing_) {
            model_.SetText(ItemText(kSuffixField));
            Check();
            return true;
        }
        if (id == IDOK) {
            if (model_.OkEnabled()) {
                End(IDOK);
            }
            return true;
        }
        return false;
    }

    void Check() {
        if (model_.HasForbiddenCharacter()) {
            warning_(ForbiddenCharsMessage(), Text(slot::kInvalidCharacter));
        }
        ::EnableWindow(Item(IDOK), model_.OkEnabled());
    }

    SuffixModel& model_;
    const std::function<void(const std::string&, const std::string&)>& warning_;
};

class ExtractDialog : public ModalDialog {
public:
    explicit ExtractDialog(ExtractModel& model) : model_(model) {}

private:
    void Create() override {
        SetText(Handle(), Text(slot::kExtractOrAppend));
        Add(WC_BUTTONW, kExtractionGroup, BS_GROUPBOX);
        Add(WC_STATICW, kExtractionExplained, SS_LEFT);
        Add(WC_BUTTONW, kExtractOn, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP);
        Add(WC_BUTTONW, kExtractOff, BS_AUTORADIOBUTTON);
        Add(WC_STATICW, kSkipLabel, SS_LEFT);
        Add(WC_EDITW, kSkipField, kField | WS_GROUP, WS_EX_CLIENTEDGE);
        Add(WC_STATICW, kCountLabel, SS_LEFT);
        Add(WC_EDITW, kCountField, kField, WS_EX_CLIENTEDGE);
        Add(WC_BUTTONW, kAppendingGroup, BS_GROUPBOX);
        Add(WC_STATICW, kAppendingExplained, SS_LEFT);
        Add(WC_BUTTONW, kAppendOn, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP);
        Add(WC_BUTTONW, kAppendOff, BS_AUTORADIOBUTTON);
        Add(WC_BUTTONW, IDOK, kDefaultButton | WS_GROUP);
        SetItemText(kExtractionGroup, Text(slot::kExtraction));
        SetItemText(kExtractionExplained, Text(slot::kExtractExplained));
        SetItemText(kExtractOn, Text(slot::kActivate));
        SetItemText(kExtractOff, Text(slot::kDeactivate));
        SetItemText(kSkipLabel, Text(slot::kSkippedBytes));
        SetItemText(kCountLabel, Text(slot::kExtractedBytes));
        SetItemText(kAppendingGroup, Text(slot::kAppending));
        SetItemText(kAppendingExplained, Text(slot::kAppendExplained));
        SetItemText(kAppendOn, Text(slot::kActivate));
        SetItemText(kAppendOff, Text(slot::kDeactivate));
        SetItemText(IDOK, "OK");
        ShowRange();
        ::CheckRadioButton(Handle(), kExtractOn, kExtractOff,
                           model_.ExtractActive() ? kExtractOn : kExtractOff);
        ::CheckRadioButton(Handle(), kAppendOn, kAppendOff,
                           model_.AppendActive() ? kAppendOn : kAppendOff);
        ShowRangeEditable();

        // The warnings wrap to one width in every language.
        const int margin = S(11);
        const int inner = S(380);
        const int field = Line() + S(8);
        const int radios =
            CheckBoxWidth(Text(slot::kActivate)) + S(12) + CheckBoxWidth(Text(slot::kDeactivate));
        const int width = std::max(
            {inner, radios, Width(Text(slot::kSkippedBytes)), Width(Text(slot::kExtractedBytes))});
        const auto explained = [&](int id, TextSlot text, int y) {
            const int height = WrappedTextExtent(DialogFont(), Text(text), width).cy;
            Put(id, 2 * margin, y, width, height);
            return height;
        };
        int y = margin;
        const int extractionTop = y;
        y += Line() + S(4);
        y += explained(kExtractionExplained, slot::kExtractExplained, y) + S(6);
        PutRadios(kExtractOn, kExtractOff, y, field);
        y += field + S(4);
        Put(kSkipLabel, 2 * margin, y, width, Line());
        y += Line() + S(2);
        Put(kSkipField, 2 * margin, y, width, field);
        y += field + S(6);
        Put(kCountLabel, 2 * margin, y, width, Line());
        y += Line() + S(2);
        Put(kCountField, 2 * margin, y, width, field);
        y += field + margin;
        Put(kExtractionGroup, margin, extractionTop, width + 2 * margin, y - extractionTop);
        y += S(6);
        const int appendingTop = y;
        y += Line() + S(4);
        y += explained(kAppendingExplained, slot::kAppendExplained, y) + S(6);
        PutRadios(kAppendOn, kAppendOff, y, field);
        y += field + margin;
        Put(kAppendingGroup, margin, appendingTop, width + 2 * margin, y - appendingTop);
        y += S(8);
        const int ok = ButtonWidth("OK");
        Put(IDOK, 3 * margin + width - ok, y, ok, field + S(4));
        Fit(width + 4 * margin, y + field + S(4) + margin);
    }

    void PutRadios(int on, int off, int y, int height) {
        const int onWidth = CheckBoxWidth(Text(slot::kActivate));
        Put(on, S(22), y, onWidth, height);
        Put(off, S(22) + onWidth + S(12), y, CheckBoxWidth(Text(slot::kDeactivate)), height);
    }

    void Shown() override {
        if (model_.RangeEditable()) {
            ::SetFocus(Item(kSkipField));
        }
    }

    bool Command(int id, int code) override {
        switch (id) {
            case kSkipField:
            case kCountField:
                if (code == EN_CHANGE && !showing_) {
                    if (id == kSkipField) {
                        model_.SetSkipText(ItemText(id));
                    } else {
                        model_.SetCountText(ItemText(id));
                    }
                    ShowRange();
                }
                return true;
            case kExtractOn:
            case kExtractOff:
                if (code == BN_CLICKED) {
                    model_.SetExtractActive(id == kExtractOn);
                    ShowRangeEditable();
                    if (id == kExtractOn) {
                        ::SetFocus(Item(kSkipField));
                    }
                }
                return true;
            case kAppendOn:
            case kAppendOff:
                if (code == BN_CLICKED) {
                    model_.SetAppendActive(id == kAppendOn);
                }
                return true;
            case IDOK:
                End(IDOK);
                return true;
            default:
                return false;
        }
    }

    void ShowRange() {
        ShowInField(kCountField, model_.CountText());
        ShowInField(kSkipField, model_.SkipText());
    }

    // A switched-off field is greyed by the system, so it visibly recedes.
    void ShowRangeEditable() {
        ::EnableWindow(Item(kSkipField), model_.RangeEditable());
        ::EnableWindow(Item(kCountField), model_.RangeEditable());
    }

    ExtractModel& model_;
};

class BaseSizeDialog : public ModalDialog {
public:
    explicit BaseSizeDialog(BaseSizeModel& model) : model_(model) {}

private:
    void Create() override {
        SetText(Handle(), Text(slot::kModifyBaseSizes));
        Add(WC_STATICW, kEntryListLabel, SS_LEFT);
        Add(WC_LISTBOXW, kEntryList,
            LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
            WS_EX_CLIENTEDGE);
        Add(WC_STATICW, kDescriptionLabel, SS_LEFT);
        Add(WC_EDITW, kDescriptionField, kField | WS_GROUP, WS_EX_CLIENTEDGE);
        Add(WC_STATICW, kSizeLabel, SS_LEFT);
        Add(WC_EDITW, kSizeField, kField, WS_EX_CLIENTEDGE);
        Add(WC_BUTTONW, kModifyButton, kButton | WS_GROUP);
        Add(WC_BUTTONW, kDeleteButton, kButton);
        Add(WC_BUTTONW, kNewButton, kButton);
        // Every edit is stored at once: Close is all there is to say at the end.
        Add(WC_BUTTONW, IDCANCEL, kButton | WS_GROUP);
        SetItemText(IDCANCEL, Text(slot::kCloseButton));
        SetItemText(kEntryListLabel, Text(slot::kBaseSizeList));
        SetItemText(kDescriptionLabel, Text(slot::kBaseSizeDescription));
        SetItemText(kSizeLabel, Text(slot::kBaseSizeBytes));
        SetItemText(kModifyButton, Text(slot::kModify));
        SetItemText(kDeleteButton, Text(slot::kDelete));
        SetItemText(kNewButton, Text(slot::kNew));
        AddTip(kEntryList, ShortHint(Text(slot::kBaseSizeListHint)));
        AddTip(kDescriptionField, ShortHint(Text(slot::kBaseSizeDescriptionHint)));
        AddTip(kSizeField, ShortHint(Text(slot::kBaseSizeValueHint)));
        ShowEverything();

        const int margin = S(11);
        const int field = Line() + S(8);
        const int buttons = ButtonWidth(Text(slot::kModify)) + ButtonWidth(Text(slot::kDelete)) +
                            ButtonWidth(Text(slot::kNew)) + 2 * S(6);
        int listWidth = S(220);
        for (const std::string& entry : model_.EntryTexts()) {
            listWidth = std::max(listWidth, Width(entry) + S(30));
        }
        listWidth = std::min(listWidth, S(420));
        const int right = std::max({buttons, Width(Text(slot::kBaseSizeDescription)),
                                    Width(Text(slot::kBaseSizeBytes)), S(220)});
        const int height = S(220);
        Put(kEntryListLabel, margin, margin, listWidth, Line());
        Put(kEntryList, margin, margin + Line() + S(4), listWidth, height);
        const int x = margin + listWidth + S(12);
        int y = margin;
        Put(kDescriptionLabel, x, y, right, Line());
        y += Line() + S(4);
        Put(kDescriptionField, x, y, right, field);
        y += field + S(8);
        Put(kSizeLabel, x, y, right, Line());
        y += Line() + S(4);
        Put(kSizeField, x, y, right, field);
        y += field + S(12);
        int buttonX = x;
        for (const auto& [id, text] : {std::pair{kModifyButton, Text(slot::kModify)},
                                       std::pair{kDeleteButton, Text(slot::kDelete)},
                                       std::pair{kNewButton, Text(slot::kNew)}}) {
            Put(id, buttonX, y, ButtonWidth(text), field + S(4));
            buttonX += ButtonWidth(text) + S(6);
        }
        const int listBottom = margin + Line() + S(4) + height;
        const int closeWidth = ButtonWidth(Text(slot::kCloseButton));
        Put(IDCANCEL, x + right - closeWidth, listBottom - field - S(4), closeWidth, field + S(4));
        Fit(x + right + margin, listBottom + margin);
    }

    bool Command(int id, int code) override {
        switch (id) {
            case kEntryList:
                if (code == LBN_SELCHANGE) {
                    model_.ChooseEntry(
                        static_cast<int>(::SendMessageW(Item(kEntryList), LB_GETCURSEL, 0, 0)));
                    ShowEdits();
                    ShowButtons();
                }
                return true;
            case kDescriptionField:
            case kSizeField:
                if (code == EN_CHANGE && !showing_) {
                    if (id == kDescriptionField) {
                        model_.SetDescription(ItemText(id));
                    } else {
                        model_.SetSizeText(ItemText(id));
                    }
                    ShowButtons();
                }
                return true;
            case kModifyButton:
                model_.Modify();
                ShowEverything();
                return true;
            case kDeleteButton:
                model_.Delete();
                ShowEverything();
                return true;
            case kNewButton:
                model_.AddNew();
                ShowEverything();
                return true;
            case IDOK:
                // Return is no button here: every edit is stored by its own.
                return true;
            default:
                return false;
        }
    }

    void ShowEverything() {
        const HWND list = Item(kEntryList);
        ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const std::string& entry : model_.EntryTexts()) {
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
        }
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(model_.ChosenEntry()), 0);
        ShowEdits();
        ShowButtons();
    }

    void ShowEdits() {
        const bool before = showing_;
        showing_ = true;
        SetItemText(kDescriptionField, model_.Description());
        SetItemText(kSizeField, model_.SizeText());
        showing_ = before;
    }

    void ShowButtons() {
        ::EnableWindow(Item(kModifyButton), model_.ModifyEnabled());
        ::EnableWindow(Item(kDeleteButton), model_.DeleteEnabled());
        ::EnableWindow(Item(kNewButton), model_.NewEnabled());
    }

    BaseSizeModel& model_;
};

class DiskCountDialog : public ModalDialog {
public:
    explicit DiskCountDialog(DiskCountModel& model) : model_(model) {}

private:
    void Create() override {
        SetText(Handle(), "#");
        Add(WC_STATICW, kDiskQuestion, SS_LEFT);
        Add(WC_EDITW, kDiskField, kField | ES_NUMBER | WS_GROUP, WS_EX_CLIENTEDGE);
        AddArrows(Handle(), kDiskArrows, kDiskField, DiskCountModel::kFewestDisks,
                  DiskCountModel::kMostDisks);
        Add(WC_BUTTONW, IDOK, kDefaultButton | WS_GROUP);
        SetItemText(kDiskQuestion, Text(slot::kEnterDiskCount));
        SetItemText(IDOK, "OK");
        const int margin = S(11);
        const int field = Line() + S(8);
        const int width = std::max(Width(Text(slot::kEnterDiskCount)), S(160));
        Put(kDiskQuestion, margin, margin, width, Line());
        Put(kDiskField, margin, margin + Line() + S(6), width, field);
        Rebuddy(Handle(), kDiskArrows, kDiskField);
        SetItemText(kDiskField, std::to_string(model_.Number()));
        const int y = margin + Line() + field + S(16);
        Put(IDOK, margin, y, width, field + S(4));
        Fit(width + 2 * margin, y + field + S(4) + margin);
    }

    void Shown() override {
        ::SetFocus(Item(kDiskField));
        ::SendMessageW(Item(kDiskField), EM_SETSEL, 0, -1);
    }

    bool Command(int id, int) override {
        if (id != IDOK) {
            return false;
        }
        // The number as typed, brought within the bounds by the model.
        model_.SetNumber(DecimalToInt32(ItemText(kDiskField)));
        End(IDOK);
        return true;
    }

    DiskCountModel& model_;
};

}  // namespace

bool RunMemoryDialog(HWND owner, MemoryModel& model) {
    MemoryDialog dialog(model);
    return dialog.Run(owner) == IDOK;
}

bool RunSuffixDialog(HWND owner, SuffixModel& model,
                     const std::function<void(const std::string&, const std::string&)>& warning) {
    SuffixDialog dialog(model, warning);
    return dialog.Run(owner) == IDOK;
}

bool RunExtractDialog(HWND owner, ExtractModel& model) {
    ExtractDialog dialog(model);
    return dialog.Run(owner) == IDOK;
}

void RunBaseSizeDialog(HWND owner, BaseSizeModel& model) {
    BaseSizeDialog dialog(model);
    dialog.Run(owner);
}

bool RunDiskCountDialog(HWND owner, DiskCountModel& model) {
    DiskCountDialog dialog(model);
    return dialog.Run(owner) == IDOK;
}

}  // namespace brelker::win32
