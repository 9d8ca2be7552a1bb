// Fuzz target: the whole program, headless, on a fuzzed observation file and a
// fuzzed series of key codes. The input is: one byte K, then K key codes, then
// the bytes of TORVELIN.VSs. Each wait for a key delivers the next code (a 0
// together with the code after it, as a special key comes); when the codes run
// out the run ends. The program must end by itself with status 0, or with
// status 1 and its message when the file holds no complete record.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "UNTLYSI0.h"
#include "platform/display.h"
#include "platform/headless.h"
#include "torvelin.h"

namespace {

class FuzzKeys : public platform::Display {
public:
    FuzzKeys(const uint8_t* keys, size_t count) : keys_(keys), count_(count) {}
    bool open(std::string_view, std::string&) override { return true; }
    void close() override {}
    void beep() override {}
    void waitKey() override {
        if (next_ >= count_) throw platform::Halt{0, "keys ran out"};
        const uint8_t code = keys_[next_++];
        platform::pushKey(code);
        if (code == 0 && next_ < count_) platform::pushKey(keys_[next_++]);
    }

private:
    const uint8_t* keys_;
    size_t count_;
    size_t next_ = 0;
};

void writeFile(const uint8_t* data, size_t size) {
    const int fd = open(UNTLYSI0::FILENAAM, O_CREAT | O_TRUNC | O_WRONLY, 0644);
    if (fd < 0) std::abort();
    size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, data + done, size - done);
        if (n <= 0) std::abort();
        done += static_cast<size_t>(n);
    }
    close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The program reads TORVELIN.VSs in the current folder: a folder of its own.
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/torvelin-fuzz-XXXXXX";
    if (!mkdtemp(dir.data()) || chdir(dir.c_str()) != 0) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t keys = data[0] < size - 1 ? data[0] : size - 1;
    const uint8_t* file = data + 1 + keys;
    const size_t fileSize = size - 1 - keys;
    writeFile(file, fileSize);
    FuzzKeys display(data + 1, keys);
    const char* reason = nullptr;
    const int status = platform::runProgram(display, torvelin::HOOFDPROGRAMMA, &reason);
    const bool records = fileSize >= static_cast<size_t>(UNTLYSI0::RECLEN);
    if (status == 1 && records) __builtin_trap();  // a readable file of records fails nowhere
    if (status == 1 && !reason) __builtin_trap();
    if (status != 0 && status != 1) __builtin_trap();
    return 0;
}
