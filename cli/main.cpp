#include <cstdio>

int main() {
    std::puts("veldrin-cli");
    return 0;
}
