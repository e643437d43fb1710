#include <gtest/gtest.h>

#include "serial/TermiosSettings.h"

namespace veldrin {
namespace {

termios Applied(const LineSettings& settings) {
    termios tio{};
    tio.c_lflag = ECHO | ICANON | ISIG;
    tio.c_oflag = OPOST | ONLCR;
    tio.c_iflag = ICRNL | IXON;
    std::string error;
    EXPECT_TRUE(ApplyLineSettings(tio, settings, error)) << error;
    return tio;
}

TEST(TermiosSettingsTest, LoggerDefaultIsRaw9600EightNoneOne) {
    const termios tio = Applied(LineSettings{});
    EXPECT_EQ(cfgetispeed(&tio), B9600);
    EXPECT_EQ(cfgetospeed(&tio), B9600);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_NE(tio.c_cflag & CREAD, 0u);
    EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
    // Bytes must pass untouched: no echo, no line editing, no CR/LF translation, no XON/XOFF.
    EXPECT_EQ(tio.c_lflag & (ECHO | ICANON | ISIG), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_iflag & (ICRNL | IXON | IXOFF), 0u);
}

TEST(TermiosSettingsTest, ParityCodes) {
    struct Case {
        int code;
        tcflag_t bits;
    };
    for (const Case c : {Case{0, PARENB}, Case{1, PARENB | CMSPAR | PARODD}, Case{2, 0},
                         Case{3, PARENB | PARODD}, Case{4, PARENB | CMSPAR}}) {
        LineSettings settings;
        settings.parity = c.code;
        EXPECT_EQ(Applied(settings).c_cflag & (PARENB | PARODD | CMSPAR), c.bits) << "parity code " << c.code;
    }
}

TEST(TermiosSettingsTest, StopBitsDataBitsAndFlowControl) {
    LineSettings settings;
    settings.stopBits = 2;
    settings.dataBits = 7;
    settings.flowControl = 1;
    settings.baud = 19200;
    termios tio = Applied(settings);
    EXPECT_NE(tio.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
    EXPECT_NE(tio.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(cfgetospeed(&tio), B19200);

    settings.flowControl = 5;
    tio = Applied(settings);
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
}

TEST(TermiosSettingsTest, RefusesWhatTheLineCannotDo) {
    const auto refused = [](LineSettings settings, const char* word) {
        termios tio{};
        std::string error;
        EXPECT_FALSE(ApplyLineSettings(tio, settings, error));
        EXPECT_NE(error.find(word), std::string::npos) << error;
    };
    LineSettings settings;
    settings.baud = 12345;
    refused(settings, "baud");
    settings = {};
    settings.parity = 5;
    refused(settings, "parity");
    settings = {};
    settings.dataBits = 9;
    refused(settings, "data bits");
    settings = {};
    settings.stopBits = 3;
    refused(settings, "stop bits");
    settings = {};
    settings.flowControl = 3;
    refused(settings, "flow control");
}

}  // namespace
}  // namespace veldrin
