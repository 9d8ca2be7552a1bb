// torvelin-data: check, export and summarise an observation file.
#include <cstdio>

int main() {
    std::fprintf(stderr, "torvelin-data: not built yet\n");
    return 2;
}
