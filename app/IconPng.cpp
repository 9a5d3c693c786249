// Writes the program's icon as a PNG for the desktop entry, from the very
// resource the windows show, so the two never drift apart.

#include "platform/drivers/qt/Icons.h"
#include "resources/VeltranResources.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    if (!platform::qt::iconImage(programIcon).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
