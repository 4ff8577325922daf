#pragma once
// While a FullDisk lives, this process cannot make a file grow past a few bytes, as on a full
// disk: writes fail with EFBIG (the signal the kernel would send is ignored meanwhile).
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

namespace quillmap {

class FullDisk {
public:
    FullDisk()
    {
        EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &old_), 0);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old_;
        small.rlim_cur = 100;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FullDisk()
    {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    struct rlimit old_ {};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace quillmap
