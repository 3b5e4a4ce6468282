#include "run/driver.hpp"

int main() {
    return tolvek::run(0, 1, 2);
}
