#pragma once

#include <string>
#include <vector>

#include "platform/beeper.h"
#include "platform/status_sink.h"

namespace vemo::test {

// Remembers every beep, so a test can check what the user heard.
class RecordingBeeper final : public Beeper {
public:
    struct Sound {
        int frequencyHz;
        Milliseconds duration;
        bool operator==(const Sound&) const = default;
    };
    void Beep(int frequencyHz, Milliseconds duration) override {
        sounds.push_back({frequencyHz, duration});
    }
    std::vector<Sound> sounds;
};

// Remembers every status line and progress step.
class RecordingStatusSink final : public StatusSink {
public:
    struct Message {
        std::u16string text;
        Milliseconds duration;
        bool blocking;
        bool operator==(const Message&) const = default;
    };
    void ShowMessage(std::u16string_view text, Milliseconds duration, bool blocking) override {
        messages.push_back({std::u16string(text), duration, blocking});
    }
    void ShowProgress(int range, int position) override { progress.emplace_back(range, position); }
    std::vector<Message> messages;
    std::vector<std::pair<int, int>> progress;
};

}  // namespace vemo::test
