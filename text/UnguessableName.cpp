#include "text/UnguessableName.h"

#include <random>

namespace quillmap {

std::string unguessableName()
{
    // Lower case only: on a file system that ignores case, more letters would add nothing.
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string name;
    for (int i = 0; i < 12; ++i) name += letters[random() % (sizeof letters - 1)];
    return name;
}

}  // namespace quillmap
