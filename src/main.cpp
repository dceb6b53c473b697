#include "program.h"

int main(int argc, char* argv[]) {
    return kavu::runProgram(argc, argv);
}
