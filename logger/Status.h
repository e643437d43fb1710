#pragma once
// The outcome of a library call: success, or failure with the reason, for logs, messages and
// the command-line tool. Reading and writing data files, saves and exports, and the worksheet
// driver all answer with it.
#include <string>
#include <utility>

namespace veldrin {

struct Status {
    bool ok = true;
    std::string reason;  // why the call failed; empty on success

    static Status Success() { return {}; }
    static Status Failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace veldrin
