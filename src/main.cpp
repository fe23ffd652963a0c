// The program's entry: everything else lives in the framework's start-up, where tests reach it.

#include <string>
#include <vector>

#include "framework/app/StartUp.h"

int main(int argc, char** argv) {
    return GF::HGENS::RunProgram(std::vector<std::string>(argv, argv + argc));
}
