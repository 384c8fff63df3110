#pragma once

// The fixed waits of the recorder protocol, in the recorder's own
// milliseconds (LinkTiming scales them for tests). The PC and the simulated
// recorder both take them from here, so that the two sides cannot drift apart.
namespace tesmora::link {

// A command's reply byte, a name's echo and a deletion's confirmation.
inline constexpr int kReplyTimeoutMs = 4000;
// Each byte of a data stream from the recorder, and the first checksum byte
// after any stream.
inline constexpr int kStreamTimeoutMs = 10000;
// The acknowledgements inside a file sent to the recorder.
inline constexpr int kSendAckTimeoutMs = 6000;
// The second checksum byte, and every byte of a push or a program size
// request.
inline constexpr int kShortTimeoutMs = 2000;
// The acknowledgements inside a program data transfer.
inline constexpr int kProgramDataTimeoutMs = 5000;

// After every speed change, and after a good exchange before the line goes
// back to rest.
inline constexpr int kSettlePauseMs = 100;
// After the last deletion of a chain (or an ended send batch), before the
// recorder is listed again.
inline constexpr int kRelistPauseMs = 1000;
// After a wrong acknowledgement, before the same file is offered again: the
// recorder needs that long to give up on its side.
inline constexpr int kResendPauseMs = 6000;

// Between closing one port and opening another: some adapters need it.
inline constexpr int kPortReopenPauseMs = 1000;

// How often a device that went away is looked for again. Checking the path
// on a timer costs nothing measurable, and it copes with what watching the
// folder would miss: /dev/serial/by-id itself goes with the last adapter, and
// a returning node is opened by udev's group a moment after it appears, so
// its first opens may be refused anyway.
inline constexpr int kDeviceReturnCheckMs = 500;

}  // namespace tesmora::link
