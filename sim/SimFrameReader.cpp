#include "sim/SimFrameReader.h"

#include "sim/SimHistoryBlocks.h"

namespace veldrin {
namespace {

constexpr std::uint8_t kFrameStart = 0xFF;
constexpr std::uint8_t kWakeUp = 0x55;
constexpr std::uint8_t kHistory = 0xF5;
constexpr std::uint8_t kStopMode = 0xF3;
constexpr std::uint8_t kDescription = 0xFD;
// Marks the frames whose length is decided by what follows them.
constexpr std::size_t kOpenLength = 0;

// Length of the frame FF <code> …, kOpenLength for FF F3 and FF F5, nothing for an unknown code.
std::optional<std::size_t> FrameLength(std::uint8_t code) {
    switch (code) {
        case 0xF1:
            return 4;  // set interval
        case 0xF2:
            return 3;  // start / end recording, read record state
        case 0xF3:
            return kOpenLength;  // set stop mode (3) or read stop mode FF F3 02 00
        case 0xF4:
            return 10;  // set start time
        case 0xF5:
            return kOpenLength;  // history: FF F5 lo hi, or the bare FF F5
        case 0xF6:
            return 3;  // realtime on / off
        case 0xF7:
            return 9;  // set chip clock
        case 0xF8:
            return 3;  // read chip clock
        case 0xF9:
            return 3;  // read interval
        case 0xFA:
            return 3;  // read start time
        case 0xFB:
            return 5;  // set alarm
        case 0xFC:
            return 3;  // read alarm
        case 0xFD:
            return 2;  // description header; the text follows in chunks
        case 0xFE:
            return 3;  // read description
        case 0xEE:
            return 3;  // read record count
        case 0xEC:
            return 3;  // identify
        case 0xEB:
            return 4;  // set channel-2 alarm
        case 0xEA:
            return 3;  // read channel-2 alarm
        case 0xE9:
            return 3;  // read all parameters
        default:
            return std::nullopt;
    }
}

}  // namespace

std::vector<SimFrame> SimFrameReader::Feed(const std::uint8_t* bytes, std::size_t count, std::int64_t nowMs) {
    std::vector<SimFrame> out;
    for (std::size_t i = 0; i < count; ++i)
        Take(bytes[i], out);
    if (count > 0)
        lastByteMs_ = nowMs;
    return out;
}

std::optional<std::int64_t> SimFrameReader::Deadline() const {
    if (mode_ == Mode::Description)
        return lastByteMs_ + kDescriptionPauseMs;
    if (!pending_.empty())
        return lastByteMs_ + kFrameGapMs;
    return std::nullopt;
}

std::vector<SimFrame> SimFrameReader::Expire(std::int64_t nowMs) {
    std::vector<SimFrame> out;
    auto deadline = Deadline();
    if (!deadline || nowMs < *deadline)
        return out;
    if (mode_ == Mode::Description) {
        pending_.clear();
        mode_ = Mode::Command;
        return out;
    }
    if (pending_[0] != kFrameStart) {
        // Half a block request and then silence: the download is over.
        mode_ = Mode::Command;
        RetakePending(out);
        return out;
    }
    // Only a lone FF (sync), the bare FF F5 and FF F3 02 (set stop mode 2) are whole without more.
    std::size_t size = pending_.size();
    bool whole =
        size == 1 || (size == 2 && pending_[1] == kHistory) || (size == 3 && pending_[1] == kStopMode);
    if (whole) {
        EmitCommand(pending_.size(), out);
    } else {
        pending_.clear();  // an unfinished fixed-length frame is noise
    }
    return out;
}

void SimFrameReader::Take(std::uint8_t byte, std::vector<SimFrame>& out) {
    if (mode_ == Mode::Description) {
        TakeDescriptionByte(byte, out);
    } else if (pending_.empty()) {
        if (mode_ == Mode::Download && byte != kFrameStart) {
            TakeRequestByte(byte, out);
        } else {
            TakeCommandByte(byte, out);
        }
    } else if (pending_[0] == kFrameStart) {
        TakeCommandByte(byte, out);
    } else {
        TakeRequestByte(byte, out);  // the second byte of a block request
    }
}

void SimFrameReader::TakeCommandByte(std::uint8_t byte, std::vector<SimFrame>& out) {
    if (pending_.empty()) {
        if (byte == kFrameStart) {
            pending_.push_back(byte);
        } else if (byte == kWakeUp) {
            out.push_back({SimFrameKind::WakeUp, {byte}});
        }
        return;  // any other byte outside a frame is line noise
    }
    pending_.push_back(byte);
    std::uint8_t code = pending_[1];
    auto length = FrameLength(code);
    if (!length) {
        // FF followed by no command code: the FF was the sync byte.
        EmitCommandAndRetake(1, out);
        return;
    }
    std::size_t size = pending_.size();
    if (code == kHistory) {
        if (size == 3 && byte == kFrameStart) {
            EmitCommandAndRetake(2, out);  // the bare FF F5
        } else if (size == 4) {
            EmitCommand(4, out);
        }
    } else if (code == kStopMode) {
        if (size == 3 && byte != 0x02) {
            EmitCommand(3, out);
        } else if (size == 4) {
            if (byte == 0x00) {
                EmitCommand(4, out);  // read stop mode
            } else {
                EmitCommandAndRetake(3, out);  // set stop mode 2
            }
        }
    } else if (size == *length) {
        EmitCommand(size, out);
    }
}

void SimFrameReader::TakeRequestByte(std::uint8_t byte, std::vector<SimFrame>& out) {
    pending_.push_back(byte);
    if (pending_.size() < 2)
        return;
    if (DecodeBlockRequest(pending_[0], pending_[1], blockCount_) != 0) {
        Emit(SimFrameKind::BlockRequest, out);
        return;
    }
    // Not a block of this memory: the download is over and the bytes mean something else.
    mode_ = Mode::Command;
    RetakePending(out);
}

void SimFrameReader::TakeDescriptionByte(std::uint8_t byte, std::vector<SimFrame>& out) {
    bool restart = pending_.size() == 1 && pending_[0] == kFrameStart && byte == kDescription;
    if (restart) {
        // FF FD at a chunk boundary: the computer starts the description write again.
        pending_.push_back(byte);
        EmitCommand(2, out);
        return;
    }
    pending_.push_back(byte);
    if (pending_.size() < kDescriptionChunkBytes)
        return;
    Emit(SimFrameKind::DescriptionChunk, out);
    if (++descriptionChunk_ == kDescriptionChunks)
        mode_ = Mode::Command;
}

void SimFrameReader::Emit(SimFrameKind kind, std::vector<SimFrame>& out) {
    out.push_back({kind, std::move(pending_)});
    pending_.clear();
}

void SimFrameReader::EmitCommand(std::size_t length, std::vector<SimFrame>& out) {
    SimFrame frame{SimFrameKind::Command,
                   {pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(length)}};
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(length));
    if (length >= 2) {
        std::uint8_t code = frame.bytes[1];
        if (code == kDescription) {
            mode_ = Mode::Description;
            descriptionChunk_ = 0;
        } else if (code == kHistory && length == 4) {
            mode_ = Mode::Download;
        } else if (code != kHistory) {
            mode_ = Mode::Command;
        }
    }
    out.push_back(std::move(frame));
}

void SimFrameReader::EmitCommandAndRetake(std::size_t length, std::vector<SimFrame>& out) {
    std::vector<std::uint8_t> rest(pending_.begin() + static_cast<std::ptrdiff_t>(length), pending_.end());
    pending_.resize(length);
    EmitCommand(length, out);
    Retake(rest, out);
}

void SimFrameReader::RetakePending(std::vector<SimFrame>& out) {
    // Take sees pending_, so the bytes leave it (emptied, not merely moved from) before they come back.
    std::vector<std::uint8_t> bytes;
    bytes.swap(pending_);
    Retake(bytes, out);
}

void SimFrameReader::Retake(const std::vector<std::uint8_t>& bytes, std::vector<SimFrame>& out) {
    for (std::uint8_t byte : bytes)
        Take(byte, out);
}

}  // namespace veldrin
