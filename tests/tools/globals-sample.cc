// What tools/check-globals must find, and what it must leave alone. Every line marked "flagged" in
// a comment is a finding; no other line may be one. Not compiled.
#include <atomic>
#include <map>
#include <string>

namespace veldrin {
namespace {

int counter;  // flagged
std::map<std::string, int> registry{{"a", 1}, {"b", 2}};  // flagged
const char* name = "mutable pointer";  // flagged
std::atomic<bool>* hook = nullptr;  // flagged
thread_local int perThread = 0;  // flagged

constexpr int kLimit = 8;
const int kOther = 3;
const char* const kName = "const pointer";
inline constexpr const char* kText = "text";
const std::map<std::string, int> kTable{{"x", 1}};
constexpr unsigned char kFrame[] = {0xFF, 0xEC, 0x01};
using Alias = std::map<int, int>;
int Function(int value);
std::string Named(const std::string& text = "x", int n = 2);

}  // namespace

extern int sharedCount;  // flagged
extern const std::map<std::string, int> kShared;

class Registry {
  public:
    static Registry& Instance();
    static int Count(const std::map<int, int>& values);
    static constexpr int kMax = 4;
    static const int kMin = 1;

  private:
    static int instances_;  // flagged
    static std::map<int, std::string> names_;  // flagged
    int member_ = 0;
    mutable int cached_ = 0;
    std::map<int, int> table_{{1, 2}};
};

Registry& Registry::Instance() {
    static Registry instance;  // flagged
    static const int kLocal = 5;
    static constexpr char kLetter = 'x';
    int local = kLocal;
    for (int i = 0; i < 3; ++i) {
        local += i < 2 ? 1 : 0;
    }
    if (local > 2) {
        static std::map<std::string, int> cache;  // flagged
        cache["a"] = local;
    }
    auto lambda = [&](int x) {
        static thread_local int calls = 0;  // flagged
        return x + calls++;
    };
    (void)lambda;
    return instance;
}

int Registry::Count(const std::map<int, int>& values) {
    std::string text = "static int notCode; // not a comment";
    (void)text;
    return static_cast<int>(values.size());
}

}  // namespace veldrin
