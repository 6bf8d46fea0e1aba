#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "script/ScriptView.h"
#include "transfer/Engine.h"
#include "transfer/EngineHost.h"

namespace brelker {

// How the progress line is drawn on the error stream: not at all (it is no
// terminal), over itself with an escape that clears the rest of the line, or
// with carriage returns and blanks alone, for consoles that show escapes as
// text.
enum class ProgressLine { None, Escapes, CarriageReturns };

// The engine's host on a terminal or in a script: messages go to the error
// stream, a progress line only to a terminal, and no question is ever asked:
// each is answered No, so a run that needs the user ends instead of waiting.
class ConsoleHost : public EngineHost, public ScriptView {
public:
    ConsoleHost(std::ostream& errors, bool terminal);
    // columns tells the terminal's width as it is at each moment (0: unknown):
    // the line is cut to it, so that it never wraps into a trail of lines.
    ConsoleHost(std::ostream& errors, ProgressLine style, std::function<int()> columns);

    // Files that cannot be read are then described as they are on disk (a
    // FIFO, a folder, the system's reason), rather than called missing.
    void DescribeFilesOn(Files& files) { files_ = &files; }
    // Verify's verdict on each file goes to show as soon as it is known.
    void ShowCheckedWith(std::function<void(const std::string&, CheckState)> show) {
        showChecked_ = std::move(show);
    }

    // The bytes the next run moves, for the rate and the time left.
    void BeginRun(std::int64_t bytes);
    // Progress of a run whose size is known only at its end: the bytes so far and the rate.
    void ShowBytes(std::int64_t done) override;
    // Ends the progress line, if one is shown.
    void EndRun();
    // Writes one message line, prefixed with the program's name.
    void Say(const std::string& text);

    // EngineHost: the parts a terminal shows.
    void SetProgressRange(int minimum, int maximum) override;
    void SetProgress(int position) override;
    void AddSizeLine(const std::string& line) override;
    bool AskToContinue() override;
    bool AskForDisk(int piece, DiskPrompt why) override;
    void ReportUndeletable(const std::string& path) override;
    void ReportMissingFile(const std::string& path) override;
    void ReportUnreadableFile(const std::string& path) override;
    void ReportUnusableChecksumFile(const ChecksumProblem& problem) override;
    void ShowChecked(const std::string& path, CheckState state) override;

    // ScriptView
    void SetStatus(const std::string&) override {}
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void SetSelfUnitEnabled(bool) override {}
    std::optional<std::string> AskSavePath(const std::string&, const std::string&,
                                           const std::string&, const std::string&) override {
        return std::nullopt;
    }

    // The size list lines of the last run (Verify's verdicts, the pieces counted).
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    // Nobody can answer: the question is shown and answered No.
    bool Decline(const std::string& question);

    using Clock = std::chrono::steady_clock;

    // Shows text as the progress line, in place of the one before.
    void Draw(std::string text);

    std::ostream& errors_;
    const ProgressLine style_;
    const std::function<int()> columns_;
    bool lineShown_ = false;
    // Characters of the line shown, which blanks must cover without escapes.
    std::size_t shownWidth_ = 0;
    int maximum_ = 1000;
    std::int64_t bytes_ = 0;
    Clock::time_point started_;
    Clock::time_point lastShown_;
    std::vector<std::string> lines_;
    Files* files_ = nullptr;
    std::function<void(const std::string&, CheckState)> showChecked_;
};

// "1:05" or "1:02:03" for a number of seconds.
std::string DurationText(std::int64_t seconds);
// "512 B/s", "12.3 MB/s" ... (powers of 1000).
std::string RateText(double bytesPerSecond);
// The first columns characters of a UTF-8 text, each counted as one column.
std::string CutToColumns(const std::string& text, std::size_t columns);

}  // namespace brelker
