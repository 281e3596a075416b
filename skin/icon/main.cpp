// Writes the program's icon: one ICO file with the 16, 32 and 48 pixel images.
//   icon-generator OUT.ico
#include "app_icon.h"
#include "skin/generator/ico_file.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.ico\n", argv[0]);
        return 2;
    }
    std::vector<IconImage> images;
    for (int size : {16, 32, 48})
        images.push_back({size, appIcon(size).rgba()});
    if (!writeIco(argv[1], images)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
