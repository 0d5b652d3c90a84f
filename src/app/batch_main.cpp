// corvane-batch: the headless program.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("corvane-batch 0.1.0\n");
            return 0;
        }
    }
    std::fprintf(stderr, "usage: corvane-batch --version\n");
    return 2;
}
