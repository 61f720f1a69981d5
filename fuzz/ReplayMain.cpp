// Runs a fuzz target once on every file named, or found in a folder named,
// on the command line: the seed corpus as a regression test, without
// libFuzzer. A path named that does not exist fails the run.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool Replay(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path root = argv[i];
        std::error_code error;
        if (std::filesystem::is_directory(root, error)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
                if (entry.is_regular_file() && Replay(entry.path()))
                    ++count;
            }
        } else if (std::filesystem::exists(root, error)) {
            if (!Replay(root)) {
                std::fprintf(stderr, "cannot read %s\n", argv[i]);
                return 1;
            }
            ++count;
        } else {
            // A seed folder that is not there would otherwise pass unseen.
            std::fprintf(stderr, "no such file or folder: %s\n", argv[i]);
            return 1;
        }
    }
    std::printf("%d inputs replayed\n", count);
    return count > 0 ? 0 : 1;
}
