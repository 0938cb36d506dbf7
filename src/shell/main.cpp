// talvor: the desktop program.
#include "shell/TalvorApp.h"

int main(int argc, char** argv) {
    return runTalvor(argc, argv);
}
