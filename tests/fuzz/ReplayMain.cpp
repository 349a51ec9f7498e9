// Runs the fuzz target once on each file named on the command line, or on every file of each folder
// named (a folder that does not exist holds nothing yet): the inputs that once failed, kept as regression tests, and
// the seeds, in builds without libFuzzer (GCC, MinGW under Wine).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

} // namespace

int main(int argc, char** argv) {
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path named = argv[i];
        if (!std::filesystem::exists(named)) {
            continue; // no input has failed yet
        }
        if (std::filesystem::is_directory(named)) {
            for (const auto& item : std::filesystem::directory_iterator(named)) {
                if (item.is_regular_file()) {
                    Replay(item.path());
                    ++count;
                }
            }
        } else {
            Replay(named);
            ++count;
        }
    }
    std::printf("replayed %zu inputs without a finding\n", count);
    return count > 0 ? 0 : 1;
}
