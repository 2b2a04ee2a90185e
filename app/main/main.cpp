#include <cstdio>

int main() {
    std::puts("zorun");
    return 0;
}
