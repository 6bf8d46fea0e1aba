#include "console/ConsoleHost.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "checksum/ChecksumFile.h"
#include "console/ConsoleReport.h"
#include "console/ShellQuote.h"
#include "model/ResultText.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// The progress line is redrawn at most this often: a terminal is slower than a disk.
constexpr auto kRedrawInterval = std::chrono::milliseconds(200);

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

std::size_t ColumnsOf(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), StartsCharacter));
}

}  // namespace

std::string DurationText(std::int64_t seconds) {
    seconds = seconds < 0 ? 0 : seconds;
    char text[32];
    if (seconds >= 3600) {
        std::snprintf(
            text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
            static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                      static_cast<long long>(seconds % 60));
    }
    return text;
}

std::string RateText(double bytesPerSecond) {
    static constexpr std::array<const char*, 5> kUnits = {"B/s", "kB/s", "MB/s", "GB/s", "TB/s"};
    std::size_t unit = 0;
    while (bytesPerSecond >= 1000 && unit + 1 < kUnits.size()) {
        bytesPerSecond /= 1000;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", bytesPerSecond,
                  kUnits[unit]);
    return text;
}

std::string CutToColumns(const std::string& text, std::size_t columns) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (StartsCharacter(text[at]) && characters++ == columns) {
            return text.substr(0, at);
        }
    }
    return text;
}

ConsoleHost::ConsoleHost(std::ostream& errors, bool terminal)
    : ConsoleHost(errors, terminal ? ProgressLine::Escapes : ProgressLine::None, {}) {}

ConsoleHost::ConsoleHost(std::ostream& errors, ProgressLine style, std::function<int()> columns)
    : errors_(errors), style_(style), columns_(std::move(columns)) {}

void ConsoleHost::BeginRun(std::int64_t bytes) {
    bytes_ = bytes;
    started_ = Clock::now();
    lastShown_ = started_;
    lines_.clear();
}

void ConsoleHost::EndRun() {
    if (!lineShown_) {
        return;
    }
    if (style_ == ProgressLine::Escapes) {
        errors_ << "\r\033[K";
    } else {
        errors_ << '\r' << std::string(shownWidth_, ' ') << '\r';
    }
    errors_ << std::flush;
    lineShown_ = false;
    shownWidth_ = 0;
}

void ConsoleHost::Draw(std::string text) {
    // One column less than the terminal has: a line that fills the last one
    // makes some consoles wrap at once.
    const int columns = columns_ ? columns_() : 0;
    if (columns > 1) {
        const auto room = static_cast<std::size_t>(columns - 1);
        text = CutToColumns(text, room);
        shownWidth_ = std::min(shownWidth_, room);
    }
    const std::size_t width = ColumnsOf(text);
    errors_ << '\r' << text;
    if (style_ == ProgressLine::Escapes) {
        errors_ << "\033[K";
    } else if (width < shownWidth_) {
        // Blanks cover what is left of a longer line before.
        errors_ << std::string(shownWidth_ - width, ' ');
    }
    errors_ << std::flush;
    shownWidth_ = std::max(width, shownWidth_);
    lineShown_ = true;
}

void ConsoleHost::Say(const std::string& text) {
    EndRun();
    errors_ << "brelker: " << text << '\n' << std::flush;
}

void ConsoleHost::SetProgressRange(int, int maximum) { maximum_ = maximum > 0 ? maximum : 1; }

void ConsoleHost::SetProgress(int position) {
    if (style_ == ProgressLine::None || position <= 0) {
        return;
    }
    const Clock::time_point now = Clock::now();
    if (now - lastShown_ < kRedrawInterval) {
        return;
    }
    lastShown_ = now;
    const double share = static_cast<double>(position) / maximum_;
    const double seconds = std::chrono::duration<double>(now - started_).count();
    const double done = share * static_cast<double>(bytes_);
    const double rate = seconds > 0 ? done / seconds : 0;
    const double left = rate > 0 ? (static_cast<double>(bytes_) - done) / rate : 0;
    char percent[16];
    std::snprintf(percent, sizeof percent, "%3d%%", static_cast<int>(share * 100));
    Draw(std::string(percent) + "  " + RateText(rate) + "  " +
         DurationText(static_cast<std::int64_t>(left)) + ' ' + Text(slot::kTimeLeft));
}

void ConsoleHost::ShowBytes(std::int64_t done) {
    if (style_ == ProgressLine::None || done <= 0) {
        return;
    }
    const Clock::time_point now = Clock::now();
    if (now - lastShown_ < kRedrawInterval) {
        return;
    }
    lastShown_ = now;
    const double seconds = std::chrono::duration<double>(now - started_).count();
    const double bytes = static_cast<double>(done);
    // The byte count in the rate's units, without the "/s".
    std::string amount = RateText(bytes);
    amount.resize(amount.size() - 2);
    Draw(amount + "  " + RateText(seconds > 0 ? bytes / seconds : 0));
}

void ConsoleHost::AddSizeLine(const std::string& line) { lines_.push_back(line); }

bool ConsoleHost::Decline(const std::string& question) {
    Say(question);
    return false;
}

bool ConsoleHost::AskToContinue() { return Decline(Text(slot::kContinueQuestion)); }

// Nobody is there to change the disk: what the run would need is said
// instead of a question that nobody can answer.
bool ConsoleHost::AskForDisk(int piece, DiskPrompt why) {
    if (why == DiskPrompt::Full) {
        return Decline(TextWith(slot::kDiskFullForPiece, {std::to_string(piece)}));
    }
    return Decline(Text(slot::kNeedsAnotherDisk));
}

void ConsoleHost::ReportUndeletable(const std::string& path) {
    Say(Text(slot::kCannotDeleteFile) + QuotedName(path));
}

void ConsoleHost::ShowMessage(const std::string& text, const std::string&, MessageIcon) {
    Say(text);
}

void ConsoleHost::ReportMissingFile(const std::string& path) {
    Say(files_ != nullptr ? UnreadableFileText(*files_, path)
                          : Text(slot::kFileMissing) + QuotedName(path));
}

void ConsoleHost::ReportUnreadableFile(const std::string& path) {
    Say(files_ != nullptr ? UnreadableFileText(*files_, path)
                          : Text(slot::kFileUnreadable) + QuotedName(path));
}

void ConsoleHost::ReportUnusableChecksumFile(const ChecksumProblem& problem) {
    if (files_ != nullptr) {
        Say(ChecksumProblemWords(*files_, problem));
        return;
    }
    ChecksumProblem shown = problem;
    shown.path = QuotedName(problem.path);
    Say(ChecksumProblemText(shown));
}

void ConsoleHost::ShowChecked(const std::string& path, CheckState state) {
    if (showChecked_) {
        EndRun();
        showChecked_(path, state);
    }
}

}  // namespace brelker
