#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace vemo {

// Request codes: the high nibble of the request header.
namespace command {
inline constexpr std::uint8_t Identify = 0x10;
inline constexpr std::uint8_t Restart82 = 0x20;
inline constexpr std::uint8_t WriteParameters = 0x50;
inline constexpr std::uint8_t ReadParameters = 0x70;
inline constexpr std::uint8_t CommandLine = 0x80;
inline constexpr std::uint8_t RemoteFile = 0xA0;
inline constexpr std::uint8_t WriteDone = 0xB0;
inline constexpr std::uint8_t ObjectAccess = 0xC0;
inline constexpr std::uint8_t Restart78 = 0xD0;
}  // namespace command

// First payload byte of an ObjectAccess request. Open, close and read address one numbered
// object; the firmware image area shares the codes 00 and 01, told apart by payload length.
namespace object_access {
inline constexpr std::uint8_t OpenForWriting = 0x00;
inline constexpr std::uint8_t OpenForReading = 0x01;
inline constexpr std::uint8_t Close = 0x02;
inline constexpr std::uint8_t Read = 0x03;
inline constexpr std::uint8_t Write = 0x04;
inline constexpr std::uint8_t StartImage = 0x00;
inline constexpr std::uint8_t WriteMemory = 0x01;
}  // namespace object_access

// Numbered device objects of model 0x78, sent low byte first.
namespace object_id {
inline constexpr std::uint16_t CurrentParameters = 0x024E;
inline constexpr std::uint16_t DefaultParameters = 0x0253;
inline constexpr std::uint16_t IqTable = 0x0258;
}  // namespace object_id

// First payload byte of a RemoteFile request (files on the device's own file system).
namespace remote_file {
inline constexpr std::uint8_t OpenForWriting = 0x00;
inline constexpr std::uint8_t Close = 0x02;
inline constexpr std::uint8_t Append = 0x04;
}  // namespace remote_file

// Time-outs of the requests, by what the device has to do before it answers.
namespace timeouts {
inline constexpr Milliseconds Short{500};           // identify, open, parameters, done, restart
inline constexpr Milliseconds Data{5000};           // object data, close, command lines
inline constexpr Milliseconds ImageStart{1000};     // start a firmware image transfer
inline constexpr Milliseconds ImageClose{50000};    // close after an image: the device stores it
inline constexpr Milliseconds RemoteFileOpen{200};  // open a file on the device
}  // namespace timeouts

}  // namespace vemo
