// The fuzz targets without libFuzzer (any compiler): runs LLVMFuzzerTestOneInput
// once on every file named on the command line, and on every file of each
// folder named (sorted by name, so runs are repeatable). A failed check ends
// the process with its message; the test registered in CTest then fails.
// Usage: fuzz_<target> FILE|FOLDER ...
// Exit code 0 when every input ran; 1 when there was no input at all (a
// corpus folder that went missing must not pass unnoticed); 2 on a file that
// cannot be read.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace fs = std::filesystem;

int main(int argc, char *argv[])
{
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        // Absolute: a target may change the working folder (to a scratch
        // folder for the files it writes) before the next input is read.
        std::error_code ec;
        const fs::path p = fs::absolute(fs::path(argv[i]), ec);
        if (fs::is_directory(p, ec)) {
            std::vector<fs::path> files;
            for (const fs::directory_entry &e : fs::directory_iterator(p, ec)) {
                if (e.is_regular_file())
                    files.push_back(e.path());
            }
            std::sort(files.begin(), files.end());
            inputs.insert(inputs.end(), files.begin(), files.end());
        } else {
            inputs.push_back(p);
        }
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "replay: no input files (usage: %s FILE|FOLDER ...)\n", argc > 0 ? argv[0] : "replay");
        return 1;
    }
    for (const fs::path &p : inputs) {
        std::ifstream in(p, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "replay: cannot read %s\n", p.c_str());
            return 2;
        }
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "replay: %s (%zu bytes)\n", p.c_str(), bytes.size());
        // A copy of exactly the input's size, as libFuzzer hands it over: a
        // read past its end is seen by the address sanitizer.
        std::vector<uint8_t> data(bytes.begin(), bytes.end());
        LLVMFuzzerTestOneInput(data.empty() ? nullptr : data.data(), data.size());
    }
    std::printf("replay: %zu inputs, no failure\n", inputs.size());
    return 0;
}
