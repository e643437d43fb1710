// Times on the wire are local times and the expectations here are written for Asia/Shanghai, the
// zone every test of the project runs in; pin it in this binary as well, so that the tests do not
// depend on how they are started.
#include <cstdlib>
#include <ctime>

namespace {

struct PinTimeZone {
    PinTimeZone() {
        setenv("TZ", "Asia/Shanghai", 1);
        tzset();
    }
};

const PinTimeZone kPinTimeZone;

}  // namespace
