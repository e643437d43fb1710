#pragma once
// Translation of the logger protocol's line-setting codes into a termios record.
#include <termios.h>

#include <string>

#include "serial/Link.h"

namespace veldrin {

// Puts `tio` into raw mode (no echo, no line editing, no output processing, receiver on, modem
// control lines ignored for opening) and sets baud rate, data bits, parity, stop bits and flow
// control from the codes of `settings`:
//   parity 0 even, 1 mark, 2 none, 3 odd, 4 space;
//   stop bits 0 one, 1 one and a half (the line's two-stop-bit setting, which the UART sends as
//   one and a half with five data bits), 2 two;
//   flow control 0 none, 1 RTS/CTS, 5 XON/XOFF.
// The handshakes over DTR or DSR (codes 2 to 4) have no termios equivalent and are refused, as are
// baud rates the system does not offer. Returns false with the reason in `error`; `tio` is then
// partly changed and must not be applied.
bool ApplyLineSettings(termios& tio, const LineSettings& settings, std::string& error);

}  // namespace veldrin
