#pragma once
// Small sites written into a temporary folder for the import tests, and a compact text of the
// imported items to compare with.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "text/TextFile.h"
#include "tree/ItemTree.h"

namespace quillmap::test {

class SiteFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = std::filesystem::temp_directory_path() /
               ("quillmap_import_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    // Writes a file below root, making its folders.
    std::filesystem::path write(const std::string& name, const std::string& bytes)
    {
        const std::filesystem::path path = root / pathFromText(name);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::filesystem::path page(const std::string& name, const std::string& title)
    {
        return write(name, "<!DOCTYPE html><html><head><title>" + title + "</title></head><body></body></html>");
    }

    // Symbolic links and names with colons; Windows has no such names, and libstdc++ there makes no
    // links: the cases that need them are left out.
#ifdef _WIN32
    static constexpr bool PosixFiles = false;
#else
    static constexpr bool PosixFiles = true;
#endif

    // One line per item: a tab per level, "D " or "F ", the caption and " -> " with the link.
    static std::string outline(const ItemTree& tree)
    {
        std::string text;
        tree.forEach([&](Node* node, int level) {
            text += std::string(static_cast<std::size_t>(level), '\t') + (node->isDocument() ? "D " : "F ") +
                    node->caption + " -> " + node->record()->URL + "\n";
        });
        return text;
    }

    std::filesystem::path root;
};

}  // namespace quillmap::test
