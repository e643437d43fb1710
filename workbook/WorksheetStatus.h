#pragma once
// The outcome of a worksheet-driver call: success, or the driver's error text.
#include <string>
#include <utility>

namespace veldrin {

struct WorksheetStatus {
    bool ok = true;
    std::string message;  // the driver's error text when !ok

    static WorksheetStatus Success() { return {}; }
    static WorksheetStatus Failure(std::string text) { return {false, std::move(text)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace veldrin
