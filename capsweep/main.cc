#include "capsweep.h"

int main(int argc, char** argv) { return capsweep_main(argc, argv); }
