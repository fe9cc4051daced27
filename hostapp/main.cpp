// trvxnml: the stand-in host's command-line program.
#include <iostream>

#include "hostapp/cli/Commands.h"

int main(int argc, char** argv) { return hostapp::RunTrvxnml(argc, argv, std::cout, std::cerr); }
