#include "import/ParsedPage.h"

#include <cstdlib>
#include <memory>

namespace quillmap {

namespace {

// The memory of one parse: one block, handed out in order and taken back all at once; only a
// parse that outgrows it goes to the heap for the rest.
class ParseArena {
public:
    static constexpr std::size_t Size = 1 << 20;

    static void* allocate(void* self, std::size_t size) { return static_cast<ParseArena*>(self)->take(size); }
    static void release(void* self, void* block)
    {
        auto* arena = static_cast<ParseArena*>(self);
        if (!arena->owns(block)) std::free(block);
    }

    void reset() { used_ = 0, spilled_ = false; }
    bool spilled() const { return spilled_; }

private:
    void* take(std::size_t size)
    {
        const std::size_t rounded = (size + 15) & ~std::size_t(15);
        if (rounded <= Size - used_) {
            void* block = buffer_.get() + used_;
            used_ += rounded;
            return block;
        }
        spilled_ = true;
        return std::malloc(size);
    }
    bool owns(const void* block) const
    {
        const auto* p = static_cast<const unsigned char*>(block);
        return p >= buffer_.get() && p < buffer_.get() + Size;
    }

    std::unique_ptr<unsigned char[]> buffer_{new unsigned char[Size]};
    std::size_t used_ = 0;
    bool spilled_ = false;
};

thread_local ParseArena arena;

}  // namespace

ParsedPage::ParsedPage(std::string_view utf8)
{
    arena.reset();
    options_.allocator = &ParseArena::allocate;
    options_.deallocator = &ParseArena::release;
    options_.userdata = &arena;
    options_.max_errors = 0;
    output_ = gumbo_parse_with_options(&options_, utf8.data(), utf8.size());
}

ParsedPage::~ParsedPage()
{
    if (arena.spilled()) gumbo_destroy_output(&options_, output_);
}

}  // namespace quillmap
