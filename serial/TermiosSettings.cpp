#include "serial/TermiosSettings.h"

#include <array>
#include <utility>

namespace veldrin {
namespace {

constexpr std::array<std::pair<int, speed_t>, 24> kBaudRates{{
    {50, B50},         {75, B75},         {110, B110},         {134, B134},         {150, B150},
    {200, B200},       {300, B300},       {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000}, {2000000, B2000000},
}};

bool SetBaud(termios& tio, int baud, std::string& error) {
    for (const auto& [rate, code] : kBaudRates) {
        if (rate == baud) {
            cfsetispeed(&tio, code);
            cfsetospeed(&tio, code);
            return true;
        }
    }
    error = "unsupported baud rate " + std::to_string(baud);
    return false;
}

bool SetDataBits(termios& tio, int dataBits, std::string& error) {
    tcflag_t size = 0;
    switch (dataBits) {
        case 5:
            size = CS5;
            break;
        case 6:
            size = CS6;
            break;
        case 7:
            size = CS7;
            break;
        case 8:
            size = CS8;
            break;
        default:
            error = "unsupported data bits " + std::to_string(dataBits);
            return false;
    }
    tio.c_cflag = (tio.c_cflag & ~CSIZE) | size;
    return true;
}

bool SetParity(termios& tio, int parity, std::string& error) {
    tcflag_t bits = 0;
    switch (parity) {
        case 0:
            bits = PARENB;
            break;  // even
        case 1:
            bits = PARENB | CMSPAR | PARODD;
            break;  // mark
        case 2:
            bits = 0;
            break;  // none
        case 3:
            bits = PARENB | PARODD;
            break;  // odd
        case 4:
            bits = PARENB | CMSPAR;
            break;  // space
        default:
            error = "unsupported parity code " + std::to_string(parity);
            return false;
    }
    tio.c_cflag = (tio.c_cflag & ~(PARENB | PARODD | CMSPAR)) | bits;
    if (bits != 0) {
        // Check received parity but hand the bytes on unmarked, as the line did before.
        tio.c_iflag = (tio.c_iflag & ~(PARMRK | IGNPAR)) | INPCK;
    }
    return true;
}

bool SetStopBits(termios& tio, int stopBits, std::string& error) {
    switch (stopBits) {
        case 0:
            tio.c_cflag &= ~CSTOPB;
            return true;
        case 1:
        case 2:
            tio.c_cflag |= CSTOPB;
            return true;
        default:
            error = "unsupported stop bits code " + std::to_string(stopBits);
            return false;
    }
}

bool SetFlowControl(termios& tio, int flowControl, std::string& error) {
    tio.c_cflag &= ~CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    switch (flowControl) {
        case 0:
            return true;
        case 1:
            tio.c_cflag |= CRTSCTS;
            return true;
        case 5:
            tio.c_iflag |= IXON | IXOFF;
            return true;
        default:
            error = "unsupported flow control code " + std::to_string(flowControl);
            return false;
    }
}

}  // namespace

bool ApplyLineSettings(termios& tio, const LineSettings& settings, std::string& error) {
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    // The reader waits with poll(), so a read only ever takes what is already there.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    return SetBaud(tio, settings.baud, error) && SetDataBits(tio, settings.dataBits, error) &&
           SetParity(tio, settings.parity, error) && SetStopBits(tio, settings.stopBits, error) &&
           SetFlowControl(tio, settings.flowControl, error);
}

}  // namespace veldrin
