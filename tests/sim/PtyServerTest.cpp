// The simulated logger on a real pseudo-terminal: a program opens the device path like a serial
// port and talks to it in real time.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>

#include "sim/PtyServer.h"
#include "tests/sim/SimTestSupport.h"

namespace veldrin {
namespace {

using simtest::Bytes;

// Reads until `expected` bytes came or `timeoutMs` passed, then for `quietMs` more to catch extras.
Bytes ReadReply(int fd, std::size_t expected, int timeoutMs = 3000, int quietMs = 300) {
    Bytes got;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < expected && std::chrono::steady_clock::now() < deadline) {
        pollfd pfd{fd, POLLIN, 0};
        if (poll(&pfd, 1, 50) <= 0)
            continue;
        std::uint8_t buffer[4096];
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0)
            got.insert(got.end(), buffer, buffer + n);
    }
    pollfd pfd{fd, POLLIN, 0};
    while (poll(&pfd, 1, quietMs) > 0) {
        std::uint8_t buffer[4096];
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

class PtyServerTest : public ::testing::Test {
  protected:
    void Serve(LoggerModel model, const SimFaults& faults = {}) {
        SimLoggerOptions options = simtest::Options(model);
        options.clockStart = std::time(nullptr);
        server_ = std::make_unique<PtyServer>(options, faults);
        ASSERT_TRUE(server_->Start()) << server_->Error();
        ASSERT_EQ(server_->DevicePath().rfind("/dev/pts/", 0), 0u) << server_->DevicePath();
    }
    int OpenDevice() {
        int fd = open(server_->DevicePath().c_str(), O_RDWR | O_NOCTTY);
        EXPECT_GE(fd, 0);
        return fd;
    }
    Bytes Exchange(int fd, const Bytes& frame, std::size_t expected, int quietMs = 300) {
        EXPECT_EQ(write(fd, frame.data(), frame.size()), static_cast<ssize_t>(frame.size()));
        return ReadReply(fd, expected, 3000, quietMs);
    }

    std::unique_ptr<PtyServer> server_;
};

TEST_F(PtyServerTest, HumidityLoggerIdentifiesItselfOverThePseudoTerminal) {
    Serve(LoggerModel::TemperatureHumidity);
    int fd = OpenDevice();
    EXPECT_EQ(Exchange(fd, {0xFF, 0xEC, 0x01}, 4), (Bytes{0xFF, 0xEC, 0x01, 0xA7}));
    EXPECT_EQ(Exchange(fd, {0x55, 0x55, 0x55, 0xFF}, 4), (Bytes{0x55, 0x55, 0x55, 0xFF}));
    Bytes block = Exchange(fd, {0xFF, 0xE9, 0x01}, 129);
    ASSERT_EQ(block.size(), 129u) << "raw mode keeps every byte as it is";
    EXPECT_EQ(block[128], 0xF0);
    close(fd);

    // A second program after the first one closed the device.
    fd = OpenDevice();
    EXPECT_EQ(Exchange(fd, {0xFF, 0xEC, 0x01}, 4), (Bytes{0xFF, 0xEC, 0x01, 0xA7}));
    close(fd);
    server_->Stop();
    EXPECT_NE(access(server_->DevicePath().c_str(), F_OK), 0) << "the device is gone after Stop";
}

TEST_F(PtyServerTest, PacedRepliesTakeTheirByteTime) {
    SimFaults faults;
    faults.paced = true;
    Serve(LoggerModel::SingleTemperature, faults);
    int fd = OpenDevice();
    auto start = std::chrono::steady_clock::now();
    Bytes block = Exchange(fd, {0xFF, 0xE9, 0x01}, 129, 0);
    auto took =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(block.size(), 129u);
    EXPECT_GE(took.count(), 129 * 1000 / 960);
    close(fd);
}

}  // namespace
}  // namespace veldrin
