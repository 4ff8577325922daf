#pragma once
// Some window checks hold only on the Linux test display: its fonts measure the designed layout,
// and the child processes find their data folder through XDG_DATA_HOME. Under wine they are
// skipped with the reason, which the test output shows.
#include <gtest/gtest.h>

#ifdef _WIN32
#define QUILLMAP_LINUX_ONLY(reason) GTEST_SKIP() << "Linux only: " << (reason)
#else
#define QUILLMAP_LINUX_ONLY(reason) static_cast<void>(0)
#endif
