#pragma once

#include <string>

namespace vemo {

inline constexpr int kMessageCount = 31;
inline constexpr int kLanguageCount = 6;

// Rows of the translation table that code names.
enum MessageId {
    kMsgWaitingConnection = 0,
    kMsgHardwareConnected = 1,
    kMsgConfigurationError = 2,
    kMsgUpgradeToRelease = 3,
    kMsgWriteError = 4,
    kMsgVerificationError = 5,
    kMsgVerifying = 6,
    kMsgRebooting = 7,
    kMsgWritingWait = 8,
    kMsgFirstLabel = 9,  // 9 to 30: labels of the settings panel
};

// The text of a row in a language (0 English ... 5 Spanish, as UiLanguage).
std::u16string Translate(int messageId, int language);

}  // namespace vemo
