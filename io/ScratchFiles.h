#pragma once

#include <string>

// Scratch files that must not outlive the process: while a Guard lives, its
// file is removed should the process be ended by SIGINT, SIGTERM, SIGHUP or
// SIGQUIT (the signal then does what it did before). A signal the process
// ignores stays ignored. SIGKILL cannot be caught: a file left by it is
// hidden and named ".…ravek-XXXXXX.tmp", never taken for data.
class ScratchFiles {
public:
    class Guard {
    public:
        explicit Guard(const std::string& path);
        ~Guard();
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

    private:
        int slot_ = -1;
    };

    // How many scratch files may be guarded at once; a further one is
    // written unguarded.
    static constexpr int kSlots = 16;
};
