#include "console/ConsoleHost.h"

#include <array>
#include <cstdio>

#include "console/ResultText.h"
#include "text/Slots.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

// The progress line is redrawn at most this often: a terminal is slower than a disk.
constexpr auto kRedrawInterval = std::chrono::milliseconds(200);

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

ConsoleHost::ConsoleHost(std::ostream& errors, bool terminal)
    : errors_(errors), terminal_(terminal) {}

void ConsoleHost::BeginRun(std::int64_t bytes) {
    bytes_ = bytes;
    started_ = Clock::now();
    lastShown_ = started_;
    lines_.clear();
}

void ConsoleHost::EndRun() {
    if (lineShown_) {
        errors_ << "\r\033[K" << std::flush;
        lineShown_ = false;
    }
}

void ConsoleHost::Say(const std::string& text) {
    EndRun();
    errors_ << "brelker: " << text << '\n' << std::flush;
}

void ConsoleHost::SetProgressRange(int, int maximum) { maximum_ = maximum > 0 ? maximum : 1; }

void ConsoleHost::SetProgress(int position) {
    if (!terminal_ || position <= 0) {
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
    errors_ << '\r' << percent << "  " << RateText(rate) << "  "
            << DurationText(static_cast<std::int64_t>(left)) << ' ' << Text(slot::kTimeLeft)
            << "\033[K" << std::flush;
    lineShown_ = true;
}

void ConsoleHost::AddSizeLine(const std::string& line) { lines_.push_back(line); }

bool ConsoleHost::Decline(const std::string& question) {
    Say(question);
    declined_ = true;
    return false;
}

bool ConsoleHost::AskToContinue() { return Decline(Text(slot::kContinueQuestion)); }

bool ConsoleHost::AskForDisk(int piece, DiskPrompt why) {
    return Decline(DiskQuestionText(piece, why));
}

void ConsoleHost::ReportUndeletable(const std::string& path) {
    Say(Text(slot::kCannotDeleteFile) + path);
}

void ConsoleHost::ShowMessage(const std::string& text, const std::string&, MessageIcon) {
    Say(text);
}

void ConsoleHost::ReportMissingFile(const std::string& path) {
    Say(Text(slot::kFileMissing) + path);
}

void ConsoleHost::ReportUnreadableFile(const std::string& path) {
    Say(Text(slot::kFileUnreadable) + path);
}

void ConsoleHost::ReportUnusableChecksumFile(const ChecksumProblem& problem) {
    Say(ChecksumProblemText(problem));
}

}  // namespace brelker
