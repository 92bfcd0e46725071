#include "cli/console.h"

#include <algorithm>

#include "cli/utf8.h"

namespace vemo {

namespace {
constexpr int kBarWidth = 40;
}

Console::Console(CliStreams streams, bool json, Clock& clock)
    : streams_(streams), json_(json), clock_(clock) {}

Console::~Console() {
    EndBar();
    streams_.out.flush();
    streams_.err.flush();
}

void Console::JsonLine(const JsonObject& object) {
    streams_.out << object.Text() << "\n";
    streams_.out.flush();
}

void Console::EndBar() {
    if (barShown_) {
        streams_.err << "\n";
        barShown_ = false;
    }
}

void Console::Result(std::string_view text, const JsonObject& json) {
    if (json_) {
        JsonLine(json);
        return;
    }
    EndBar();
    streams_.out << text;
    streams_.out.flush();
}

void Console::Note(std::string_view text) {
    if (json_) {
        JsonLine(JsonObject().String("type", "note").String("text", text));
        return;
    }
    EndBar();
    streams_.err << text << "\n";
}

ExitCode Console::Fail(ExitCode code, std::string_view text) {
    EndBar();
    streams_.err << "vemo: " << text << "\n";
    streams_.err.flush();
    if (json_) {
        JsonLine(JsonObject()
                     .String("type", "error")
                     .Number("exit", static_cast<int>(code))
                     .String("message", text));
    }
    return code;
}

void Console::Trace(std::string_view line) {
    EndBar();
    streams_.err << line << "\n";
}

void Console::ShowMessage(std::u16string_view text, Milliseconds duration, bool blocking) {
    // An empty line only clears the window's status line; there is nothing to say here.
    if (!text.empty()) {
        if (json_) {
            JsonLine(JsonObject().String("type", "status").String("text", text));
        } else {
            EndBar();
            streams_.err << ToUtf8(text) << "\n";
            streams_.err.flush();
        }
    }
    if (blocking) {
        clock_.Sleep(duration);
    }
}

void Console::ShowProgress(int range, int position) {
    if (json_) {
        JsonLine(JsonObject()
                     .String("type", "progress")
                     .Number("range", range)
                     .Number("position", position));
        return;
    }
    const int clamped = range > 0 ? std::clamp(position, 0, range) : 0;
    if (clamped == 0 || range != barRange_) {
        // An emptied bar, or one for something new: the last one's line is finished.
        EndBar();
        barRange_ = range;
        lastPercent_ = -1;
        if (clamped == 0) {
            return;
        }
    }
    const int percent = static_cast<int>(std::int64_t{clamped} * 100 / range);
    // A bar moves by whole percents; plain lines come every tenth, so a log stays short.
    const int step = streams_.errIsTerminal ? percent : percent / 10 * 10;
    if (step == lastPercent_) {
        return;
    }
    lastPercent_ = step;
    if (!streams_.errIsTerminal) {
        streams_.err << "progress " << percent << "% (" << clamped << "/" << range << ")\n";
        return;
    }
    const int filled = percent * kBarWidth / 100;
    streams_.err << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
                 << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] "
                 << percent << "%  " << clamped << "/" << range << "\x1b[K";
    streams_.err.flush();
    barShown_ = true;
}

void Console::Beep(int /*frequencyHz*/, Milliseconds /*duration*/) {
    // The bell has no length of its own, and nothing here is timed after a beep.
    if (streams_.errIsTerminal) {
        streams_.err << '\a';
        streams_.err.flush();
    }
}

void Console::ShowMessageBox(std::u16string_view text) {
    if (json_) {
        JsonLine(JsonObject().String("type", "status").String("text", text));
        return;
    }
    EndBar();
    streams_.err << "vemo: " << ToUtf8(text) << "\n";
}

bool Console::AskYesNo(std::u16string_view /*question*/) {
    return true;
}

std::optional<std::filesystem::path> Console::ChooseFile(const FileDialogRequest& /*request*/) {
    return fileAnswer_;
}

}  // namespace vemo
