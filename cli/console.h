#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/exit_code.h"
#include "cli/json_line.h"
#include "platform/beeper.h"
#include "platform/prompter.h"
#include "platform/status_sink.h"

namespace vemo {

// Where `vemo` writes, and whether each stream is a terminal.
struct CliStreams {
    std::ostream& out;
    std::ostream& err;
    bool outIsTerminal = false;
    bool errIsTerminal = false;
};

// The user of a `vemo` run, as the core and the commands reach them. Results go to standard
// output; status lines, progress, beeps and errors to standard error, so a script can take
// the results apart. With --json every one of them is a JSON object a line on standard output
// instead (errors are also written to standard error as text).
class Console final : public StatusSink, public Beeper, public Prompter {
public:
    Console(CliStreams streams, bool json, Clock& clock);
    ~Console() override;

    bool Json() const { return json_; }

    // A result: `text` (lines, each ended) as it is, or `json` as one line.
    void Result(std::string_view text, const JsonObject& json);
    // Something the user should know that is not a result, such as where a backup went.
    void Note(std::string_view text);
    // Says what went wrong and what to do; returns `code` for the caller to end with.
    ExitCode Fail(ExitCode code, std::string_view text);
    // A frame trace line, on standard error whatever the mode.
    void Trace(std::string_view line);

    void ShowMessage(std::u16string_view text, Milliseconds duration, bool blocking) override;
    // A bar on a terminal, a line every tenth of the way otherwise.
    void ShowProgress(int range, int position) override;
    // The terminal bell, where standard error is a terminal.
    void Beep(int frequencyHz, Milliseconds duration) override;

    // Modal boxes become error lines.
    void ShowMessageBox(std::u16string_view text) override;
    // Yes: the command named the file, so replacing it is what was asked for.
    bool AskYesNo(std::u16string_view question) override;
    // The core's file dialogs are answered with the file the command named.
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest& request) override;
    void AnswerFileDialogsWith(std::optional<std::filesystem::path> path) {
        fileAnswer_ = std::move(path);
    }

private:
    void JsonLine(const JsonObject& object);
    // Ends the bar's line so the next text starts on a line of its own.
    void EndBar();

    CliStreams streams_;
    bool json_;
    Clock& clock_;
    std::optional<std::filesystem::path> fileAnswer_;
    bool barShown_ = false;
    int barRange_ = 0;
    int lastPercent_ = -1;
};

}  // namespace vemo
