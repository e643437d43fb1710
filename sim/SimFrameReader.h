#pragma once
// Splits what the computer writes into the frames the logger acts on. A write may carry a frame
// in pieces or several frames at once, so the reader works byte by byte: a frame whose length is
// open (a lone FF, FF F5, FF F3 02) is closed by the byte after it or by a pause of kFrameGapMs.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace veldrin {

enum class SimFrameKind {
    Command,           // FF and a command code, with its parameter bytes; a lone FF is the sync byte
    WakeUp,            // a 55 byte
    BlockRequest,      // two bytes lo hi asking for the next history block during a download
    DescriptionChunk,  // 16 description bytes after FF FD
};

struct SimFrame {
    SimFrameKind kind = SimFrameKind::Command;
    std::vector<std::uint8_t> bytes;
};

class SimFrameReader {
  public:
    static constexpr int kFrameGapMs = 50;
    // A description write that pauses this long is abandoned.
    static constexpr int kDescriptionPauseMs = 1500;
    static constexpr int kDescriptionChunks = 6;
    static constexpr std::size_t kDescriptionChunkBytes = 16;

    // Blocks the record memory holds now; two-byte requests are checked against it.
    void SetBlockCount(int blockCount) { blockCount_ = blockCount; }
    std::vector<SimFrame> Feed(const std::uint8_t* bytes, std::size_t count, std::int64_t nowMs);
    // Closes or drops what a pause has left unfinished.
    std::vector<SimFrame> Expire(std::int64_t nowMs);
    // When Expire has something to do.
    std::optional<std::int64_t> Deadline() const;
    // A history download is under way: bare byte pairs are block requests.
    bool InDownload() const { return mode_ == Mode::Download; }

  private:
    enum class Mode { Command, Download, Description };

    void Take(std::uint8_t byte, std::vector<SimFrame>& out);
    void TakeCommandByte(std::uint8_t byte, std::vector<SimFrame>& out);
    void TakeRequestByte(std::uint8_t byte, std::vector<SimFrame>& out);
    void TakeDescriptionByte(std::uint8_t byte, std::vector<SimFrame>& out);
    void Emit(SimFrameKind kind, std::vector<SimFrame>& out);
    void EmitCommand(std::size_t length, std::vector<SimFrame>& out);
    // Emits the first `length` pending bytes and takes the rest again, one by one.
    void EmitCommandAndRetake(std::size_t length, std::vector<SimFrame>& out);
    // Takes all pending bytes again, one by one, starting from an empty frame.
    void RetakePending(std::vector<SimFrame>& out);
    void Retake(const std::vector<std::uint8_t>& bytes, std::vector<SimFrame>& out);

    Mode mode_ = Mode::Command;
    std::vector<std::uint8_t> pending_;
    std::int64_t lastByteMs_ = 0;
    int blockCount_ = 1;
    int descriptionChunk_ = 0;
};

}  // namespace veldrin
