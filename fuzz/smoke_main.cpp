// Runs a fuzz target over the files of its seed corpus, without libFuzzer:
// the harness keeps compiling with the project's compiler and its seeds pass.
//   fuzz_X_smoke CORPUS_DIR...
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i)
        for (const auto& e : fs::directory_iterator(fs::absolute(argv[i])))
            if (e.is_regular_file()) files.push_back(e.path());
    const fs::path start = fs::current_path();
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    // A target may work in a folder of its own: removed afterwards.
    const fs::path work = fs::current_path();
    for (const fs::path& f : files) {
        std::ifstream in(f, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    if (work != start) {
        fs::current_path(start);
        fs::remove_all(work);
    }
    std::printf("%zu inputs passed\n", files.size());
    return files.empty() ? 1 : 0;
}
